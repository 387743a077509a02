#include "util/jpeg.h"

#include <bit>
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>

// jpeglib.h uses FILE and size_t without declaring them, so <cstdio> must come first.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>  // the message codes
// clang-format on

#include "util/error.h"

namespace vexal::util {

std::string pictureTooLargeText(long width, long height) {
    return "Picture is too large (" + std::to_string(width) + " x " + std::to_string(height) + " pixels)";
}

namespace {

enum class Outcome { Decoded, LibraryError, OutOfMemory, TooManyScans, TooLarge };

// libjpeg reports a fatal error by calling error_exit, whose default ends the
// whole process. Ours records what happened and jumps back to decodeGuarded.
struct ErrorManager {
    jpeg_error_mgr pub;  // first member: libjpeg's pointer to it points to the whole
    std::jmp_buf jump;
    Outcome outcome;
    char message[JMSG_LENGTH_MAX];
};

// A progressive file may hold any number of scans, each one a full pass over
// the picture; a crafted file with thousands of them keeps the window frozen.
struct ScanGuard {
    jpeg_progress_mgr pub;  // first member, as above
    int maxScans;
};

[[noreturn]] void leaveOnError(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    const int code = cinfo->err->msg_code;
    // The library says "Backing store not supported" when a picture's buffers
    // exceed max_memory_to_use; the user is better served by the plain reason.
    errors->outcome =
        code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE ? Outcome::OutOfMemory : Outcome::LibraryError;
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

// A GUI program has no console; warnings about damaged data are not errors either.
void ignoreMessage(j_common_ptr) {}

void checkScanCount(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    const auto* guard = reinterpret_cast<ScanGuard*>(cinfo->progress);
    if (decompress->input_scan_number > guard->maxScans) {
        auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
        errors->outcome = Outcome::TooManyScans;
        std::longjmp(errors->jump, 1);
    }
}

// Owns one decompressor; destroying it frees all the library allocated, whether
// decoding finished or was abandoned halfway by a jump.
class Decoder {
public:
    Decoder() {
        cinfo.err = jpeg_std_error(&errors.pub);
        errors.pub.error_exit = leaveOnError;
        errors.pub.output_message = ignoreMessage;
    }
    // jpeg_destroy_decompress does nothing until jpeg_create_decompress succeeded:
    // it looks at cinfo.mem, which stays null.
    ~Decoder() { jpeg_destroy_decompress(&cinfo); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    ScanGuard scans{};
};

// Image holds 0xAARRGGBB words; on a little-endian machine their bytes are
// blue, green, red, alpha, which is the library's JCS_EXT_BGRA. So colour and
// grey rows are decoded straight into the picture; only CMYK needs converting.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kGrey = 0xFF808080u;

constexpr std::uint32_t bgra(unsigned red, unsigned green, unsigned blue) {
    return kOpaque | red << 16 | green << 8 | blue;
}

// a * b / 255, rounded.
constexpr unsigned scale(unsigned a, unsigned b) {
    const unsigned product = a * b + 128;
    return (product + (product >> 8)) >> 8;
}

// Adobe's programs, which write nearly all CMYK JPEGs, store the inks inverted
// (255 = no ink) and say so with their APP14 marker; files without that marker
// carry plain ink amounts.
void convertCmykRow(const JSAMPLE* in, std::uint32_t* out, JDIMENSION width, bool adobeCmyk) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!adobeCmyk) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        out[x] = bgra(scale(c, k), scale(m, k), scale(y, k));
    }
}

// Everything between creating the decompressor and the last row. libjpeg may
// leave this function from inside any of its calls by a jump, so nothing here
// has a destructor; the decoder and the picture belong to the caller.
Outcome run(Decoder& d, const std::string& bytes, const JpegLimits& limits, Image& image) {
    jpeg_decompress_struct& cinfo = d.cinfo;
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = limits.maxDecoderMemory;
    d.scans.maxScans = limits.maxScans;
    d.scans.pub.progress_monitor = checkScanCount;
    cinfo.progress = &d.scans.pub;

    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    // The memory source never suspends: this either finds a picture or fails.
    jpeg_read_header(&cinfo, TRUE);

    // Before jpeg_start_decompress, which allocates the buffers for the whole
    // picture the header claims.
    const long long width = cinfo.image_width;
    const long long height = cinfo.image_height;
    if (width > limits.maxSide || height > limits.maxSide || width * height > limits.maxPixels) {
        return Outcome::TooLarge;
    }

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    // The library turns YCCK into CMYK, and grey, YCbCr and RGB into our pixel
    // layout; anything else it refuses with its own message.
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);

    const JDIMENSION outWidth = cinfo.output_width;
    const bool adobeCmyk = cinfo.saw_Adobe_marker != FALSE;
    image.width = static_cast<int>(outWidth);
    image.height = static_cast<int>(cinfo.output_height);
    image.pixels.assign(static_cast<std::size_t>(outWidth) * cinfo.output_height, kGrey);
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk) {
        cmykRow = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, outWidth * 4, 1);
    }

    // Data cut short or damaged only draws warnings: the library fills the rest
    // with grey, and the picture keeps its size. That is still worth showing.
    while (cinfo.output_scanline < cinfo.output_height) {
        std::uint32_t* const out = image.pixels.data() + static_cast<std::size_t>(cinfo.output_scanline) * outWidth;
        JSAMPROW row = cmyk ? cmykRow[0] : reinterpret_cast<JSAMPROW>(out);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) break;
        if (cmyk) convertCmykRow(row, out, outWidth, adobeCmyk);
    }
    // No jpeg_finish_decompress: it would only read on to the end marker, and a
    // picture whose rows are all decoded should not be refused for junk after them.
    return Outcome::Decoded;
}

// Length of the file up to its last complete marker segment. When data runs out,
// the library's memory source makes up an end marker; cut inside a marker's own
// header (a Huffman table, a scan header) it would read that as the header's
// contents and refuse the whole picture. Cut at the segment's start instead, the
// scans before it still give a whole, if blurred, picture.
std::size_t completeSegments(const std::string& bytes) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const std::size_t n = bytes.size();
    if (n < 2 || at(0) != 0xFF || at(1) != 0xD8) return n;
    const auto isRestart = [](unsigned m) { return m >= 0xD0 && m <= 0xD7; };
    std::size_t i = 2;
    bool inScan = false;
    while (i < n) {
        if (inScan) {
            // Entropy-coded data: FF 00 is a data byte, FF Dn a restart; any other FF xx ends the scan.
            if (at(i) != 0xFF || (i + 1 < n && (at(i + 1) == 0x00 || isRestart(at(i + 1)) || at(i + 1) == 0xFF))) {
                ++i;
                continue;
            }
            if (i + 1 >= n) return i;
            inScan = false;
        }
        if (at(i) != 0xFF) return i;  // not where a marker must be: keep what came before
        if (i + 1 >= n) return i;
        const unsigned marker = at(i + 1);
        if (marker == 0xFF) {
            ++i;  // fill byte
            continue;
        }
        if (marker == 0xD9) return i + 2;
        if (marker == 0x01 || isRestart(marker)) {
            i += 2;
            continue;
        }
        if (i + 4 > n) return i;
        const std::size_t length = (static_cast<std::size_t>(at(i + 2)) << 8) | at(i + 3);
        if (length < 2 || i + 2 + length > n) return i;
        i += 2 + length;
        inScan = marker == 0xDA;
    }
    return n;
}

// The only frame that calls setjmp. Its arguments are never changed, so the
// jump back cannot leave them stale.
Outcome decodeGuarded(Decoder& d, const std::string& bytes, const JpegLimits& limits, Image& image) {
    if (setjmp(d.errors.jump) != 0) return d.errors.outcome;
    return run(d, bytes, limits, image);
}

}  // namespace

Image decodeJpeg(const std::string& bytes, const JpegLimits& limits) {
    if (bytes.empty()) throw Error(std::string(kCannotReadPictureText) + kPictureIsEmptyText);
    // The library takes the length as unsigned long, which is 32 bits on Windows.
    if (bytes.size() > std::size_t{std::numeric_limits<unsigned long>::max()}) {
        throw Error(kPictureNeedsTooMuchMemoryText);
    }

    Decoder decoder;
    Image image;
    Outcome outcome = Outcome::OutOfMemory;
    const std::size_t complete = completeSegments(bytes);
    const std::string cut = complete < bytes.size() ? bytes.substr(0, complete) : std::string();
    try {
        outcome = decodeGuarded(decoder, cut.empty() ? bytes : cut, limits, image);
    } catch (const std::bad_alloc&) {
        // the pixel buffer itself; the library's own failures arrive as OutOfMemory
    }
    switch (outcome) {
        case Outcome::Decoded:
            return image;
        case Outcome::TooLarge:
            throw Error(pictureTooLargeText(static_cast<long>(decoder.cinfo.image_width),
                                            static_cast<long>(decoder.cinfo.image_height)));
        case Outcome::OutOfMemory:
            throw Error(kPictureNeedsTooMuchMemoryText);
        case Outcome::TooManyScans:
            throw Error(std::string(kCannotReadPictureText) + kTooManyScansText);
        case Outcome::LibraryError:
            break;
    }
    throw Error(std::string(kCannotReadPictureText) + decoder.errors.message);
}

}  // namespace vexal::util
