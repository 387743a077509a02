#include "servers/map_index.h"

#include <algorithm>

#include "util/case_fold.h"

namespace vexal::servers {

namespace {

constexpr std::size_t kEndRecord = 22;
constexpr std::size_t kMaxComment = 65535;
constexpr std::size_t kEntryHeader = 46;
// The biggest packages of the game list a few thousand files; a directory this
// size is no package of the game's and is not read.
constexpr std::uint64_t kMaxDirectory = 16u * 1024 * 1024;

std::uint32_t u16(std::string_view s, std::size_t at) {
    return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
std::uint32_t u32(std::string_view s, std::size_t at) { return u16(s, at) | u16(s, at + 2) << 16; }

using util::asciiLowerCase;

}  // namespace

std::optional<CentralDirectory> findCentralDirectory(std::string_view tail, std::uint64_t tailOffset,
                                                     std::uint64_t fileSize) {
    if (tail.size() < kEndRecord) return std::nullopt;
    for (std::size_t at = tail.size() - kEndRecord + 1; at-- > 0;) {
        if (tail.compare(at, 4, "PK\x05\x06") != 0) continue;
        if (at + kEndRecord + u16(tail, at + 20) != tail.size()) continue;  // the comment must end the file
        const std::uint64_t size = u32(tail, at + 12);
        const std::uint64_t offset = u32(tail, at + 16);
        if (offset + size > tailOffset + at || tailOffset + at > fileSize) return std::nullopt;
        return CentralDirectory{offset, size};
    }
    return std::nullopt;
}

std::vector<std::string> mapsInCentralDirectory(std::string_view d) {
    std::vector<std::string> maps;
    std::size_t at = 0;
    while (at + kEntryHeader <= d.size() && d.compare(at, 4, "PK\x01\x02") == 0) {
        const std::size_t nameLength = u16(d, at + 28);
        const std::size_t next = at + kEntryHeader + nameLength + u16(d, at + 30) + u16(d, at + 32);
        if (next > d.size()) break;
        const std::string name = asciiLowerCase(d.substr(at + kEntryHeader, nameLength));
        if (name.size() > 9 && name.starts_with("maps/") && name.ends_with(".bsp")) {
            const std::string map = name.substr(5, name.size() - 9);
            if (map.find_first_of("/\\") == std::string::npos) maps.push_back(map);
        }
        at = next;
    }
    return maps;
}

const MapIndex::Package& MapIndex::package(const std::string& path, const platform::DirEntry& entry) {
    Package& p = packages_[asciiLowerCase(path)];
    if (!p.maps.empty() || p.size != 0 || p.lastWrite != platform::DateTime{}) {
        if (p.size == entry.size && p.lastWrite == entry.lastWrite) return p;
    }
    p = Package{entry.size, entry.lastWrite, {}};
    const std::uint64_t tailSize = std::min<std::uint64_t>(entry.size, kEndRecord + kMaxComment);
    const auto tail = fs_.readFilePart(path, entry.size - tailSize, static_cast<std::size_t>(tailSize));
    if (!tail) return p;
    const auto where = findCentralDirectory(*tail, entry.size - tailSize, entry.size);
    if (!where || where->size > kMaxDirectory) return p;
    const auto directory = fs_.readFilePart(path, where->offset, static_cast<std::size_t>(where->size));
    if (!directory) return p;
    for (auto& map : mapsInCentralDirectory(*directory)) p.maps.insert(std::move(map));
    return p;
}

bool MapIndex::has(const std::string& folder, const std::string& map) {
    const std::string wanted = asciiLowerCase(map);
    for (const auto& entry : fs_.list(folder, "*.pk3")) {
        if (entry.isDirectory()) continue;
        if (package(folder + "\\" + entry.name, entry).maps.count(wanted)) return true;
    }
    return false;
}

}  // namespace vexal::servers
