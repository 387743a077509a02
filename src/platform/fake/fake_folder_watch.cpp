#include "platform/fake/fake_folder_watch.h"

#include <algorithm>

#include "util/case_fold.h"

namespace vexal::platform::fake {

namespace {

// The folder as Windows would compare it: no doubled or trailing backslashes, any case.
std::string key(const std::string& path) {
    std::string out;
    for (const char c : path) {
        if (c == '\\' && !out.empty() && out.back() == '\\') continue;
        out += util::lowerChar(c);
    }
    while (!out.empty() && out.back() == '\\') out.pop_back();
    return out;
}

bool atOrBelow(const std::string& path, const std::string& folder) {
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '\\');
}

}  // namespace

int FakeFolderWatch::watch(const std::string& folder, Counter counter, Counted counted) {
    const int id = nextId_++;
    receivers_.emplace_back(id, std::move(counted));
    if (failing || stopped) {
        pending_.push_back({id, std::nullopt});
    } else {
        watches_.push_back({id, folder, std::move(counter)});
        count(watches_.back());
    }
    if (!holdResults) deliver();
    return id;
}

void FakeFolderWatch::unwatch(int id) {
    std::erase_if(watches_, [id](const Watch& w) { return w.id == id; });
    std::erase_if(receivers_, [id](const auto& r) { return r.first == id; });
}

void FakeFolderWatch::stop() {
    stopped = true;
    stop_ = true;
    watches_.clear();
    receivers_.clear();
    pending_.clear();
}

void FakeFolderWatch::changed(const std::string& path) {
    const std::string changedKey = key(path);
    for (const auto& w : watches_) {
        const std::string folder = key(w.folder);
        if (atOrBelow(changedKey, folder) || atOrBelow(folder, changedKey)) count(w);
    }
    if (!holdResults) deliver();
}

void FakeFolderWatch::count(const Watch& watch) {
    ++counts;
    pending_.push_back({watch.id, watch.counter(*fs_, watch.folder, stop_)});
}

void FakeFolderWatch::deliver() {
    auto results = std::move(pending_);
    pending_.clear();
    for (const auto& result : results) {
        const auto it =
            std::find_if(receivers_.begin(), receivers_.end(), [&](const auto& r) { return r.first == result.id; });
        if (it == receivers_.end()) continue;  // unwatched meanwhile
        const Counted counted = it->second;
        if (!result.count) receivers_.erase(it);  // a refused watch says so once
        counted(result.count);
    }
}

std::vector<std::string> FakeFolderWatch::watched() const {
    std::vector<std::string> folders;
    for (const auto& w : watches_) folders.push_back(w.folder);
    return folders;
}

}  // namespace vexal::platform::fake
