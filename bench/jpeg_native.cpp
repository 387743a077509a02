// Map picture decoding: the time per picture at the size the map pictures have
// and at a large logo size, and its ratio to the bare library decoding into its
// own RGB rows, which is what our guards and the BGRA conversion cost on top.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// jpeglib.h uses FILE and size_t without declaring them, so <cstdio> must come first.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "support/jpeg_encoder.h"
#include "util/jpeg.h"

namespace {

// A smooth pattern with some detail, closer to a photograph than plain colour.
std::string photoLikeJpeg(int width, int height) {
    vexal::testing::Picture picture{width, height, JCS_RGB, 3, {}};
    picture.samples.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.samples.push_back(static_cast<unsigned char>(x * 255 / width));
            picture.samples.push_back(static_cast<unsigned char>(y * 255 / height));
            picture.samples.push_back(static_cast<unsigned char>((x * y + (x ^ y) * 7) & 0xFF));
        }
    }
    vexal::testing::EncodeOptions options;
    options.quality = 85;
    return vexal::testing::encodeJpeg(picture, options);
}

// The bare library: default error handling, RGB rows, nothing kept.
unsigned bareDecode(const std::string& bytes) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    std::vector<unsigned char> row(static_cast<std::size_t>(cinfo.output_width) * 3);
    unsigned checksum = 0;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        checksum += row[0];
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return checksum;
}

double medianMicroseconds(int runs, const std::function<unsigned()>& work) {
    std::vector<double> times;
    volatile unsigned sink = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        sink = sink + work();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

}  // namespace

void benchJpeg() {
    struct Size {
        int width, height, runs;
    };
    for (const Size size : {Size{160, 109, 2001}, Size{640, 480, 201}}) {
        const std::string jpeg = photoLikeJpeg(size.width, size.height);
        const double bare = medianMicroseconds(size.runs, [&] { return bareDecode(jpeg); });
        const double ours = medianMicroseconds(
            size.runs, [&] { return static_cast<unsigned>(vexal::util::decodeJpeg(jpeg).pixels[0]); });
        std::printf("jpeg decode %dx%d: %.1f us median (bare library %.1f us, ratio %.2f)\n", size.width, size.height,
                    ours, bare, ours / bare);
    }
}
