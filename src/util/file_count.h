#pragma once
// Folder file counts kept current by a folder watch, so that reading one costs
// nothing while the folders themselves may hold thousands of files.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::util {

class FolderCounts {
public:
    FolderCounts(platform::FolderWatch& watch, platform::FileSystem& fs) : watch_(watch), fs_(fs) {}
    ~FolderCounts();
    FolderCounts(const FolderCounts&) = delete;
    FolderCounts& operator=(const FolderCounts&) = delete;

    // Keeps these folders counted from now on and lets every other go.
    void keepOnly(const std::vector<std::string>& folders);
    // Keeps this folder counted from now on, beside the others.
    void keep(const std::string& folder);
    // The count that is in for `folder`; nothing while its first count is on its
    // way, when it is not kept, or when it cannot be watched.
    [[nodiscard]] std::optional<std::int32_t> current(const std::string& folder) const;
    // Files below `folder`, as CountFilesInTree counts them: the count that is in,
    // else counted here and now (and kept from now on).
    [[nodiscard]] std::int32_t count(const std::string& folder);
    // The window ends: no more counts.
    void stop();

private:
    struct Kept {
        int id = 0;
        std::optional<std::int32_t> count;
        bool failed = false;  // the watch was refused or lost: count on demand
    };
    platform::FolderWatch& watch_;
    platform::FileSystem& fs_;
    std::map<std::string, Kept> kept_;  // by the folder as the caller names it
    bool stopped_ = false;
};

}  // namespace vexal::util
