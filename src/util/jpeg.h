#pragma once
// Decoding the map pictures and the logo. The files come from map packages made
// by anyone, so the decoder treats every byte as hostile: it checks the size a
// header claims before taking any memory for pixels, caps what the JPEG library
// may allocate, and turns every library failure into a vexal::Error.
#include <string>

#include "util/image.h"

namespace vexal::util {

// Texts of the picture errors, exactly as the standard error box shows them.
// "Cannot read picture: " is followed by the JPEG library's own explanation.
inline constexpr const char* kCannotReadPictureText = "Cannot read picture: ";
inline constexpr const char* kPictureIsEmptyText = "the file is empty";
inline constexpr const char* kTooManyScansText = "the file has too many scans";
inline constexpr const char* kPictureNeedsTooMuchMemoryText = "Picture is too large to decode";
// "Picture is too large (20000 x 20000 pixels)"
[[nodiscard]] std::string pictureTooLargeText(long width, long height);

// What a picture may cost. The defaults are far above any map picture and far
// below what would hurt a 32-bit process.
struct JpegLimits {
    long maxSide = 8192;                         // pixels, either direction
    long long maxPixels = 16LL * 1024 * 1024;    // width x height; 64 MB of decoded pixels
    long maxDecoderMemory = 192L * 1024 * 1024;  // the library's whole-image buffers (progressive files)
    int maxScans = 500;                          // real files have about ten; thousands only burn time
};

// Decodes the bytes of a JPEG file: grayscale, colour and CMYK (including
// Adobe's inverted CMYK and YCCK), baseline and progressive. A file cut short or
// with damaged data still gives a picture of its full size, the part that could
// not be decoded shown grey or garbled, as image viewers do; only a file whose
// header cannot be read, or that exceeds the limits, is refused.
// Throws vexal::Error.
[[nodiscard]] Image decodeJpeg(const std::string& bytes, const JpegLimits& limits = {});

}  // namespace vexal::util
