#include "util/temporaries.h"

#include <cctype>
#include <tuple>

#include "util/case_fold.h"

namespace vexal::util {

namespace {

bool digitsAt(const std::string& s, std::size_t from, std::size_t to) {
    if (from >= to) return false;
    for (std::size_t i = from; i < to; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

bool earlier(const platform::DateTime& a, const platform::DateTime& b) {
    return std::tie(a.year, a.month, a.day, a.hour, a.minute, a.second) <
           std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second);
}

}  // namespace

bool isOwnTemporaryName(const std::string& name) {
    const std::string prefix = kTemporaryPrefix, suffix = kTemporarySuffix;
    if (name.size() < prefix.size() + suffix.size() + 3) return false;
    if (!sameName(name.substr(0, prefix.size()), prefix)) return false;
    if (!sameName(name.substr(name.size() - suffix.size()), suffix)) return false;
    const std::size_t end = name.size() - suffix.size();
    const std::size_t dash = name.find('-', prefix.size());
    return dash != std::string::npos && dash < end && digitsAt(name, prefix.size(), dash) &&
           digitsAt(name, dash + 1, end);
}

std::size_t removeStaleTemporaries(platform::FileSystem& fs, const std::string& folder,
                                   const platform::DateTime& before, const std::string& extraName) {
    const std::string dir = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    std::size_t removed = 0;
    for (const auto& entry : fs.list(dir, "*.tmp")) {
        if (entry.isDirectory() || !earlier(entry.lastWrite, before)) continue;
        if (!isOwnTemporaryName(entry.name) && !(!extraName.empty() && sameName(entry.name, extraName))) continue;
        // A read-only one is not ours to force; a failed delete is tried at the next start.
        if (fs.deleteFile(dir + entry.name)) ++removed;
    }
    return removed;
}

}  // namespace vexal::util
