#pragma once
// A ZIP archive as far as the map lookups read one: a local header, then the
// central directory naming the files, and its end record. Package files (.pk3)
// for the stories and tests that need maps installed.
#include <cstdint>
#include <string>
#include <vector>

namespace vexal::testing {

inline std::string zipWith(const std::vector<std::string>& names) {
    auto le = [](std::uint32_t v, int bytes) {
        std::string s;
        for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i) & 255);
        return s;
    };
    const std::string local = "PK\x03\x04 local headers and data";
    std::string directory;
    for (const auto& name : names)
        directory += "PK\x01\x02" + std::string(24, '\0') + le(static_cast<std::uint32_t>(name.size()), 2) + le(0, 2) +
                     le(0, 2) + std::string(12, '\0') + name;
    return local + directory + "PK\x05\x06" + std::string(6, '\0') + le(static_cast<std::uint32_t>(names.size()), 2) +
           le(static_cast<std::uint32_t>(directory.size()), 4) + le(static_cast<std::uint32_t>(local.size()), 4) +
           le(0, 2);
}

}  // namespace vexal::testing
