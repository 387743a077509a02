#pragma once
#include <cstdint>
#include <vector>

namespace vexal::util {

// A decoded picture: 32-bit BGRA pixels, top row first.
struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    [[nodiscard]] bool empty() const { return width == 0 || height == 0; }
};

}  // namespace vexal::util
