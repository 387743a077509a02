// Button and menu pictures from the bitmap resources, as 32-bit DIBs with
// premultiplied alpha, which menus, image lists and GdiAlphaBlend all draw.
#include <cstdint>
#include <cstring>
#include <vector>

#include <zlib.h>

#include "window/window_backend.h"

namespace vexal::window {

namespace {

// 16-colour pictures mark their transparent pixels with magenta; true-colour
// pictures carry an alpha channel of their own.
constexpr std::uint32_t kKeyColour = 0x00FF00FF;

HBITMAP makeDib(int width, int height, const std::vector<std::uint32_t>& pixels) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    return dib;
}

std::uint32_t greyed(std::uint32_t p) {
    // Premultiplied: a grey halfway to white keeps the picture recognisable but faint.
    const std::uint32_t a = p >> 24;
    const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    const std::uint32_t grey = (r * 30 + g * 59 + b * 11) / 100;
    const std::uint32_t light = grey + (a - std::min(grey, a)) / 2;
    return (a << 24) | (light << 16) | (light << 8) | light;
}

// A picture kept deflated (the logo): the DIB's size, then zlib. Anything that does not
// inflate to a whole 32-bit DIB of exactly that size is no picture.
HBITMAP loadPackedDib(HINSTANCE instance, int resourceId) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* data = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = found ? SizeofResource(instance, found) : 0;
    if (!data || size < 4) return nullptr;
    const uLong rawSize = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uLong>(data[3]) << 24;
    if (rawSize < sizeof(BITMAPINFOHEADER) || rawSize > 16u << 20) return nullptr;
    std::vector<unsigned char> raw(rawSize);
    uLongf rawGot = rawSize;
    if (uncompress(raw.data(), &rawGot, data + 4, size - 4) != Z_OK || rawGot != rawSize) return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, raw.data(), sizeof header);
    const long long height = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    if (header.biSize != sizeof header || header.biBitCount != 32 || header.biCompression != BI_RGB ||
        header.biWidth <= 0 || header.biWidth > 4096 || height == 0 ||
        rawSize != sizeof header + 4ull * header.biWidth * height)
        return nullptr;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                   nullptr, 0);
    if (dib && bits) std::memcpy(bits, raw.data() + sizeof header, rawSize - sizeof header);
    return dib;
}

}  // namespace

const WindowBackend::Picture* WindowBackend::picture(int resourceId) {
    if (resourceId < 0) return nullptr;
    if (const auto it = pictures_.find(resourceId); it != pictures_.end())
        return it->second.normal ? &it->second : nullptr;
    Picture& pic = pictures_[resourceId];
    ScopedBitmap source(static_cast<HBITMAP>(
        LoadImageA(instance_, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!source) source.reset(loadPackedDib(instance_, resourceId));
    if (!source) return nullptr;
    BITMAP bm{};
    GetObjectA(source.get(), sizeof bm, &bm);
    const int width = bm.bmWidth, height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    {
        // A memory DC, not the screen's: under Wine the screen's DC is a round trip to
        // the window server, one per picture before the window first shows.
        ScopedMemoryDc memory(CreateCompatibleDC(nullptr));
        if (!GetDIBits(memory.get(), source.get(), 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS))
            return nullptr;
    }
    if (bm.bmBitsPixel != 32) {
        for (auto& p : pixels) p = (p & 0xFFFFFF) == kKeyColour ? 0 : (p | 0xFF000000);
    }
    // Drawn for 96 dpi: on a larger screen the picture grows with the window.
    int shownWidth = width, shownHeight = height;
    pixels = scaledPixels(pixels, shownWidth, shownHeight);
    std::vector<std::uint32_t> grey(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) grey[i] = greyed(pixels[i]);
    pic.width = shownWidth;
    pic.height = shownHeight;
    pic.normal.reset(makeDib(shownWidth, shownHeight, pixels));
    pic.disabled.reset(makeDib(shownWidth, shownHeight, grey));
    return pic.normal ? &pic : nullptr;
}

void WindowBackend::drawPicture(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    ScopedMemoryDc memory(CreateCompatibleDC(dc));
    ScopedSelection select(memory.get(), bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, x, y, width, height, memory.get(), 0, 0, width, height, blend);
}

HIMAGELIST WindowBackend::buttonImages(const ui::Button& button) {
    const Picture* pic = picture(button.picture);
    if (!pic) return nullptr;
    // One image per button state: normal, hot, pressed, disabled, default, stylus hot.
    HIMAGELIST list = ImageList_Create(pic->width, pic->height, ILC_COLOR32, 6, 0);
    if (!list) return nullptr;
    for (int state = 0; state < 6; ++state)
        ImageList_Add(list, state == 3 ? pic->disabled.get() : pic->normal.get(), nullptr);
    return list;
}

}  // namespace vexal::window
