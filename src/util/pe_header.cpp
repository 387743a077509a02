#include "util/pe_header.h"

#include <cstdint>

namespace vexal::util {

namespace {

std::uint32_t little(std::string_view bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

}  // namespace

std::optional<int> peBits(std::string_view head) {
    // The DOS header: "MZ", and at 0x3C where the PE header starts.
    if (head.size() < 0x40 || head[0] != 'M' || head[1] != 'Z') return std::nullopt;
    const std::uint32_t pe = little(head, 0x3C, 4);
    // "PE\0\0", the 20-byte file header, then the optional header's two-byte magic.
    constexpr std::uint32_t kMagicAt = 4 + 20;
    if (pe < 0x40 || pe > head.size() || head.size() - pe < kMagicAt + 2) return std::nullopt;
    if (head.substr(pe, 4) != std::string_view("PE\0\0", 4)) return std::nullopt;
    // The file header's size of the optional header, 4 + 16 bytes in: with none there is no magic to read.
    if (little(head, pe + 4 + 16, 2) < 2) return std::nullopt;
    switch (little(head, pe + kMagicAt, 2)) {
        case 0x10B:
            return 32;
        case 0x20B:
            return 64;
        default:
            return std::nullopt;
    }
}

}  // namespace vexal::util
