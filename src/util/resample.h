#pragma once
// Resizing a picture by area: each new pixel is the average of the old pixels it
// covers, weighted by how much of each it covers. Whole-number enlargements repeat
// pixels exactly, so pixel art stays sharp; other factors soften only the edges
// that fall between pixels. Pixels are 0xAARRGGBB with premultiplied alpha (or
// opaque), so averaging each channel keeps transparent edges right.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexal::util {

[[nodiscard]] inline std::vector<std::uint32_t> resampleArea(const std::vector<std::uint32_t>& pixels, int width,
                                                             int height, int newWidth, int newHeight) {
    if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0 ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};
    std::vector<std::uint32_t> out(static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight));
    // Measured in units that divide both grids: an old pixel is newWidth units wide,
    // a new one width units; likewise down.
    const std::uint64_t area = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    for (long y = 0; y < newHeight; ++y) {
        const long y0 = y * height, y1 = y0 + height;
        for (long x = 0; x < newWidth; ++x) {
            const long x0 = x * width, x1 = x0 + width;
            std::uint64_t sum[4] = {};
            for (long sy = y0 / newHeight; sy * newHeight < y1; ++sy) {
                const long wy = std::min(y1, (sy + 1) * newHeight) - std::max(y0, sy * newHeight);
                for (long sx = x0 / newWidth; sx * newWidth < x1; ++sx) {
                    const long wx = std::min(x1, (sx + 1) * newWidth) - std::max(x0, sx * newWidth);
                    const std::uint32_t p = pixels[static_cast<std::size_t>(sy * width + sx)];
                    const auto weight = static_cast<std::uint64_t>(wx * wy);
                    for (int c = 0; c < 4; ++c) sum[c] += ((p >> (8 * c)) & 0xFFu) * weight;
                }
            }
            std::uint32_t q = 0;
            for (int c = 0; c < 4; ++c) q |= static_cast<std::uint32_t>((sum[c] + area / 2) / area) << (8 * c);
            out[static_cast<std::size_t>(y * newWidth + x)] = q;
        }
    }
    return out;
}

}  // namespace vexal::util
