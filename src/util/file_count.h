#pragma once
// A folder's file count that is taken anew only when the folder has changed.
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace vexal::util {

class CachedFileCount {
public:
    // Files below `folder`, as CountFilesInTree counts them. The folder's time of
    // last change says whether a file came or went; a change within the current
    // second cannot be told from a later one, so then it counts again.
    [[nodiscard]] std::int32_t count(platform::FileSystem& fs, platform::Clock& clock, const std::string& folder);

private:
    std::string folder_;
    platform::DateTime stamp_;
    std::int32_t count_ = 0;
    bool valid_ = false;
};

}  // namespace vexal::util
