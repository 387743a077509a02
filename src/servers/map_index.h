#pragma once
// Which maps the game has: the "maps/<name>.bsp" entries of the .pk3 packages of a
// game folder, read from each package's ZIP central directory only and kept until
// the package's size or time changes.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace vexal::servers {

struct CentralDirectory {
    std::uint64_t offset = 0, size = 0;
};

// Where the central directory lies, from the last bytes of a ZIP file (`tail`,
// which starts at `tailOffset` of a file of `fileSize` bytes). Nothing when the
// end record is missing or points outside the file.
[[nodiscard]] std::optional<CentralDirectory> findCentralDirectory(std::string_view tail, std::uint64_t tailOffset,
                                                                   std::uint64_t fileSize);

// The map names (lower case, no folder, no extension) of the "maps/<name>.bsp"
// entries of a central directory; reading stops at the first entry that does not fit.
[[nodiscard]] std::vector<std::string> mapsInCentralDirectory(std::string_view directory);

class MapIndex {
public:
    explicit MapIndex(platform::FileSystem& fs) : fs_(fs) {}
    // True when a package in `folder` holds the map (letter case ignored).
    [[nodiscard]] bool has(const std::string& folder, const std::string& map);

private:
    struct Package {
        std::uint64_t size = 0;
        platform::DateTime lastWrite;
        std::set<std::string> maps;
    };
    const Package& package(const std::string& path, const platform::DirEntry& entry);
    platform::FileSystem& fs_;
    std::map<std::string, Package> packages_;  // by full path, lower case
};

}  // namespace vexal::servers
