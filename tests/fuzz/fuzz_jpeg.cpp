// The picture decoder on any bytes: it gives a picture whose pixels match its size,
// or fails with the program's own error, within the memory the run allows
// (-rss_limit_mb and -malloc_limit_mb; scripts/run-fuzz.sh gives it 512 MB).
#include "fuzz/fuzz_input.h"
#include "util/error.h"
#include "util/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        const vexal::util::Image image = vexal::util::decodeJpeg(bytes);
        const vexal::util::JpegLimits limits;
        vexal::fuzz::check(image.width > 0 && image.height > 0, "a decoded picture has a size");
        vexal::fuzz::check(image.width <= limits.maxSide && image.height <= limits.maxSide,
                           "the picture fits the limits");
        vexal::fuzz::check(image.pixels.size() == static_cast<std::size_t>(image.width) * image.height,
                           "one pixel for each point of the picture");
    } catch (const vexal::Error&) {
        // Refused: the window shows this in its error box.
    }
    // Any other exception leaves this function and libFuzzer reports it.
    return 0;
}
