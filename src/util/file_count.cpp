#include "util/file_count.h"

#include "util/utilities.h"

namespace vexal::util {

std::int32_t CachedFileCount::count(platform::FileSystem& fs, platform::Clock& clock, const std::string& folder) {
    const auto entry = fs.stat(folder);
    if (!entry) {
        valid_ = false;
        return 0;
    }
    const bool recent = entry->lastWrite == clock.now();
    if (!valid_ || folder != folder_ || entry->lastWrite != stamp_ || recent) {
        count_ = CountFilesInTree(fs, folder);
        folder_ = folder;
        stamp_ = entry->lastWrite;
        valid_ = !recent;
    }
    return count_;
}

}  // namespace vexal::util
