#pragma once
// Encodes test pictures in memory with the library's compressor, so no picture
// files are kept in the tree. Shared by the decoder's tests and its benchmark.
#include <cstdlib>
#include <string>
#include <vector>

// jpeglib.h uses FILE and size_t without declaring them, so <cstdio> must come first.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace vexal::testing {

struct Picture {
    int width = 0, height = 0;
    J_COLOR_SPACE space = JCS_RGB;  // of the samples handed to the compressor
    int components = 3;
    std::vector<unsigned char> samples;
};

struct EncodeOptions {
    J_COLOR_SPACE stored = JCS_UNKNOWN;  // colour space inside the file; UNKNOWN: the library's default
    bool progressive = false;
    bool adobeMarker = true;
    int quality = 95;
};

// Our own pictures only; the library's default error handler, which ends the
// test run with its message, is good enough here.
inline std::string encodeJpeg(const Picture& picture, const EncodeOptions& options = {}) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = picture.components;
    cinfo.in_color_space = picture.space;
    jpeg_set_defaults(&cinfo);
    if (options.stored != JCS_UNKNOWN) jpeg_set_colorspace(&cinfo, options.stored);
    if (!options.adobeMarker) cinfo.write_Adobe_marker = FALSE;
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(picture.width) * picture.components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(picture.samples.data() + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    jpeg_destroy_compress(&cinfo);
    return bytes;
}

}  // namespace vexal::testing
