#pragma once
// The file count of a folder that cannot be watched, for the hint of the button
// the pointer is on: a tree of a few thousand demos takes tens of milliseconds to
// walk, and mouse moves come by the dozen.
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "util/file_facts.h"

namespace vexal::shell {

class HoverCount {
public:
    // Counted when the pointer comes onto the button or the folder changes, and
    // kept while the pointer stays there.
    [[nodiscard]] std::int32_t count(platform::FileSystem& fs, const std::string& folder, bool pointerStayed) {
        if (!pointerStayed || folder_ != folder) {
            folder_ = folder;
            count_ = util::CountFilesInTree(fs, folder);
        }
        return count_;
    }

private:
    std::string folder_;
    std::int32_t count_ = 0;
};

}  // namespace vexal::shell
