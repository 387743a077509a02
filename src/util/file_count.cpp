#include "util/file_count.h"

#include <algorithm>

#include "util/file_facts.h"

namespace vexal::util {

FolderCounts::~FolderCounts() { keepOnly({}); }

void FolderCounts::keepOnly(const std::vector<std::string>& folders) {
    for (auto it = kept_.begin(); it != kept_.end();) {
        if (std::find(folders.begin(), folders.end(), it->first) == folders.end()) {
            if (it->second.id != 0) watch_.unwatch(it->second.id);
            it = kept_.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& folder : folders) keep(folder);
}

void FolderCounts::keep(const std::string& folder) {
    if (stopped_ || kept_.contains(folder)) return;
    kept_[folder];  // in place before the watch: a fake or a quick thread may answer at once
    const auto counter = [](platform::FileSystem& fs, const std::string& f, const std::atomic<bool>& stop) {
        return CountFilesInTree(fs, f, &stop);
    };
    const int id = watch_.watch(folder, counter, [this, folder](std::optional<std::int32_t> count) {
        const auto it = kept_.find(folder);
        if (it == kept_.end()) return;
        it->second.count = count;
        it->second.failed = !count;
        if (!count) it->second.id = 0;  // the watch has ended
    });
    // The watch may have been refused by now, and said so.
    if (const auto it = kept_.find(folder); it != kept_.end()) it->second.id = it->second.failed ? 0 : id;
}

std::optional<std::int32_t> FolderCounts::current(const std::string& folder) const {
    const auto it = kept_.find(folder);
    if (it == kept_.end()) return std::nullopt;
    return it->second.count;
}

std::int32_t FolderCounts::count(const std::string& folder) {
    if (const auto known = current(folder)) return *known;
    keep(folder);
    return CountFilesInTree(fs_, folder);
}

void FolderCounts::stop() {
    keepOnly({});
    stopped_ = true;
}

}  // namespace vexal::util
