#include "util/jpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

// jpeglib.h uses FILE and size_t without declaring them, so <cstdio> must come first.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "support/jpeg_encoder.h"
#include "util/error.h"

namespace vexal::util {
namespace {

using vexal::testing::encodeJpeg;
using vexal::testing::EncodeOptions;
using vexal::testing::Picture;

// The pictures are made here with the library's compressor, so the tests need
// no binary files and every case states exactly what went into its picture.

struct Rgb {
    int red, green, blue;
};

using Sample = std::array<unsigned char, 4>;

// Four plain quadrants: rows or channels that come out swapped, shifted or
// with the wrong stride show at once.
constexpr Rgb kTopLeft{220, 30, 30};
constexpr Rgb kTopRight{30, 200, 40};
constexpr Rgb kBottomLeft{40, 50, 210};
constexpr Rgb kBottomRight{250, 250, 250};
constexpr Rgb kGrey{128, 128, 128};

Sample rgbSample(Rgb c) {
    return {static_cast<unsigned char>(c.red), static_cast<unsigned char>(c.green), static_cast<unsigned char>(c.blue),
            0};
}

// Ink amounts (0 = none) for a colour, with as much black as possible so the
// black channel is exercised too.
Sample plainCmykSample(Rgb c) {
    const int k = 255 - std::max({c.red, c.green, c.blue});
    const auto ink = [k](int channel) {
        return static_cast<unsigned char>(std::lround((255.0 - channel - k) * 255.0 / (255 - k)));
    };
    return {ink(c.red), ink(c.green), ink(c.blue), static_cast<unsigned char>(k)};
}

// Adobe's convention: every ink stored inverted.
Sample adobeCmykSample(Rgb c) {
    Sample s = plainCmykSample(c);
    for (auto& v : s) v = static_cast<unsigned char>(255 - v);
    return s;
}

Picture quadrants(int width, int height, J_COLOR_SPACE space, int components, Sample (*sample)(Rgb)) {
    Picture p{width, height, space, components, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            const Rgb c = bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft);
            const Sample s = sample(c);
            p.samples.insert(p.samples.end(), s.begin(), s.begin() + components);
        }
    }
    return p;
}

// Dark left half, light right half.
Picture grayHalves(int width, int height) {
    Picture p{width, height, JCS_GRAYSCALE, 1, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) p.samples.push_back(x < width / 2 ? 40 : 200);
    }
    return p;
}

std::string colourJpeg(int width, int height, const EncodeOptions& options = {}) {
    return encodeJpeg(quadrants(width, height, JCS_RGB, 3, rgbSample), options);
}

// Offset of the first marker with one of the given codes, walking the marker
// segments from the start of the file.
std::size_t findMarker(const std::string& jpeg, std::initializer_list<unsigned char> codes) {
    std::size_t pos = 2;
    while (pos + 4 <= jpeg.size()) {
        const auto code = static_cast<unsigned char>(jpeg[pos + 1]);
        if (std::find(codes.begin(), codes.end(), code) != codes.end()) return pos;
        pos += 2 + (static_cast<unsigned char>(jpeg[pos + 2]) << 8 | static_cast<unsigned char>(jpeg[pos + 3]));
    }
    ADD_FAILURE() << "marker not found";
    return 0;
}

// The size the frame header claims, whatever the data behind it holds.
std::string withClaimedSize(std::string jpeg, int width, int height) {
    const std::size_t sof = findMarker(jpeg, {0xC0, 0xC1, 0xC2});
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

struct Channels {
    int alpha, red, green, blue;
};

Channels at(const util::Image& image, int x, int y) {
    const std::uint32_t p = image.pixels.at(static_cast<std::size_t>(y) * image.width + x);
    return {static_cast<int>(p >> 24), static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
            static_cast<int>(p & 0xFF)};
}

void expectColour(const util::Image& image, int x, int y, Rgb expected, int tolerance = 12) {
    SCOPED_TRACE("pixel " + std::to_string(x) + "," + std::to_string(y));
    const Channels c = at(image, x, y);
    EXPECT_EQ(c.alpha, 0xFF);
    EXPECT_NEAR(c.red, expected.red, tolerance);
    EXPECT_NEAR(c.green, expected.green, tolerance);
    EXPECT_NEAR(c.blue, expected.blue, tolerance);
}

void expectQuadrants(const util::Image& image) {
    const int w = image.width, h = image.height;
    expectColour(image, w / 4, h / 4, kTopLeft);
    expectColour(image, 3 * w / 4, h / 4, kTopRight);
    expectColour(image, w / 4, 3 * h / 4, kBottomLeft);
    expectColour(image, 3 * w / 4, 3 * h / 4, kBottomRight);
    // The corners sit in partial blocks when the size is no multiple of 8.
    expectColour(image, 0, 0, kTopLeft);
    expectColour(image, w - 1, h - 1, kBottomRight);
}

// The message of the error decoding throws, or "decoded" when it throws none.
std::string errorOf(const std::string& bytes, const JpegLimits& limits = {}) {
    try {
        (void)decodeJpeg(bytes, limits);
        return "decoded";
    } catch (const Error& e) {
        return e.what();
    }
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// Odd sizes, so rows are no multiple of the 8- and 16-pixel blocks.
constexpr int kWidth = 61;
constexpr int kHeight = 45;

TEST(Jpeg, DecodesEveryKindOfColourFileIntoOpaqueBgraTopRowFirst) {
    struct Case {
        const char* name;
        Picture picture;
        EncodeOptions options;
    };
    const Picture rgb = quadrants(kWidth, kHeight, JCS_RGB, 3, rgbSample);
    const Picture adobeCmyk = quadrants(kWidth, kHeight, JCS_CMYK, 4, adobeCmykSample);
    const Picture plainCmyk = quadrants(kWidth, kHeight, JCS_CMYK, 4, plainCmykSample);
    const Case cases[] = {
        {"baseline YCbCr", rgb, {}},
        {"progressive YCbCr", rgb, {.progressive = true}},
        {"stored as RGB", rgb, {.stored = JCS_RGB}},
        {"Adobe CMYK, inverted", adobeCmyk, {.stored = JCS_CMYK}},
        {"plain CMYK without Adobe marker", plainCmyk, {.stored = JCS_CMYK, .adobeMarker = false}},
        {"YCCK", adobeCmyk, {.stored = JCS_YCCK}},
        {"progressive CMYK", adobeCmyk, {.stored = JCS_CMYK, .progressive = true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const util::Image image = decodeJpeg(encodeJpeg(c.picture, c.options));
        ASSERT_EQ(image.width, kWidth);
        ASSERT_EQ(image.height, kHeight);
        ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(kWidth * kHeight));
        expectQuadrants(image);
    }
}

TEST(Jpeg, DecodesAGrayscalePictureAsEqualChannels) {
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const util::Image image = decodeJpeg(encodeJpeg(grayHalves(kWidth, kHeight), {.progressive = progressive}));
        ASSERT_EQ(image.width, kWidth);
        ASSERT_EQ(image.height, kHeight);
        expectColour(image, kWidth / 4, kHeight / 2, {40, 40, 40}, 4);
        expectColour(image, 3 * kWidth / 4, kHeight / 2, {200, 200, 200}, 4);
        const Channels c = at(image, kWidth - 1, kHeight - 1);
        EXPECT_TRUE(c.red == c.green && c.green == c.blue);
    }
}

TEST(Jpeg, ShowsATruncatedPictureWithTheMissingPartGreyAndSaysNothing) {
    const std::string whole = colourJpeg(64, 128);
    const std::size_t scan = findMarker(whole, {0xDA});
    const std::string cut = whole.substr(0, scan + (whole.size() - scan) / 3);

    ::testing::internal::CaptureStderr();
    const util::Image image = decodeJpeg(cut);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 128);
    expectColour(image, 16, 16, kTopLeft);
    expectColour(image, 63, 127, kGrey, 2);

    // A progressive file cut anywhere after its first scan's data began is a
    // blurred whole picture, also where the cut falls inside a table or a scan header.
    const std::string progressive = colourJpeg(64, 128, {.progressive = true});
    const std::size_t firstScan = findMarker(progressive, {0xDA});
    int refused = 0;
    for (std::size_t n = firstScan + 40; n < progressive.size(); n += 3) {
        try {
            const util::Image blurred = decodeJpeg(progressive.substr(0, n));
            EXPECT_EQ(blurred.width, 64);
            EXPECT_EQ(blurred.height, 128);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "cut at " << n << " of " << progressive.size() << ": " << e.what();
            if (++refused > 3) break;
        }
    }
}

TEST(Jpeg, RefusesWhatIsNoPicture) {
    std::mt19937 random(7);
    std::string junk(1000, '\0');
    for (auto& ch : junk) ch = static_cast<char>(random());
    const std::string good = colourJpeg(kWidth, kHeight);

    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"GIF", std::string("GIF89a\x10\x00\x10\x00\x80\x00\x00", 13)},
        {"random bytes", junk},
        {"start marker only", "\xFF\xD8"},
        {"headers without scan", good.substr(0, findMarker(good, {0xDA}))},
        {"zero height", withClaimedSize(good, kWidth, 0)},
        {"zero width", withClaimedSize(good, 0, kHeight)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string message = errorOf(c.bytes);
        EXPECT_TRUE(startsWith(message, kCannotReadPictureText)) << message;
        EXPECT_GT(message.size(), std::string(kCannotReadPictureText).size()) << "no reason given";
    }
    EXPECT_EQ(errorOf(""), "Cannot read picture: the file is empty");
    EXPECT_EQ(errorOf(cases[0].bytes), "Cannot read picture: Not a JPEG file: starts with 0x47 0x49");
}

TEST(Jpeg, RefusesAHugeHeaderBeforeDecodingAnything) {
    // Decoding these would need 1.6 GB of pixels alone.
    EXPECT_EQ(errorOf(withClaimedSize(colourJpeg(kWidth, kHeight), 20000, 20000)),
              "Picture is too large (20000 x 20000 pixels)");
    EXPECT_EQ(errorOf(withClaimedSize(colourJpeg(kWidth, kHeight, {.progressive = true}), 20000, 20000)),
              "Picture is too large (20000 x 20000 pixels)");
    EXPECT_EQ(errorOf(withClaimedSize(encodeJpeg(grayHalves(kWidth, kHeight)), 9000, 10)),
              "Picture is too large (9000 x 10 pixels)");
}

TEST(Jpeg, SizeLimitsHoldExactlyAtTheirBounds) {
    const JpegLimits limits{.maxSide = 100, .maxPixels = 4000};
    const std::string jpeg = colourJpeg(kWidth, kHeight);
    struct Case {
        int width, height;
        bool accepted;
    };
    const Case cases[] = {
        {100, 40, true},   // at both limits
        {40, 100, true},   //
        {101, 10, false},  // too wide
        {10, 101, false},  // too high
        {81, 50, false},   // each side fine, 4050 pixels too many
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const std::string claimed = withClaimedSize(jpeg, c.width, c.height);
        if (c.accepted) {
            // The header decides the size; data that runs out only leaves grey.
            const util::Image image = decodeJpeg(claimed, limits);
            EXPECT_EQ(image.width, c.width);
            EXPECT_EQ(image.height, c.height);
        } else {
            EXPECT_EQ(errorOf(claimed, limits), pictureTooLargeText(c.width, c.height));
        }
    }
}

TEST(Jpeg, CapsTheLibrarysMemoryForWholePictureBuffers) {
    JpegLimits tight;
    tight.maxDecoderMemory = 100 * 1000;
    // A progressive file keeps all its coefficients, about 200 KB here.
    const std::string progressive = colourJpeg(256, 256, {.progressive = true});
    EXPECT_EQ(errorOf(progressive, tight), "Picture is too large to decode");
    EXPECT_EQ(errorOf(progressive), "decoded");
    // A baseline file streams row by row and needs no such buffer.
    EXPECT_EQ(errorOf(colourJpeg(256, 256), tight), "decoded");
}

TEST(Jpeg, StopsAProgressiveFileWithTooManyScans) {
    // The library's standard progression for colour has ten scans.
    const std::string progressive = colourJpeg(kWidth, kHeight, {.progressive = true});
    JpegLimits limits;
    limits.maxScans = 10;
    EXPECT_EQ(errorOf(progressive, limits), "decoded");
    limits.maxScans = 9;
    EXPECT_EQ(errorOf(progressive, limits), "Cannot read picture: the file has too many scans");
}

TEST(Jpeg, SurvivesRandomDamageToValidFiles) {
    // Tighter size limits than the program's: a flipped size byte may claim a
    // big picture, and decoding megapixels of grey would only slow the test.
    const JpegLimits limits{.maxSide = 1024, .maxPixels = 256 * 1024};
    const std::string originals[] = {
        colourJpeg(kWidth, kHeight),
        colourJpeg(kWidth, kHeight, {.progressive = true}),
        encodeJpeg(quadrants(kWidth, kHeight, JCS_CMYK, 4, adobeCmykSample), {.progressive = true}),
        encodeJpeg(grayHalves(kWidth, kHeight)),
    };
    std::mt19937 random(20240601);
    int decoded = 0, refused = 0;
    for (const std::string& original : originals) {
        for (int i = 0; i < 150; ++i) {
            std::string damaged = original;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int f = 0; f < flips; ++f) {
                damaged[random() % damaged.size()] ^= static_cast<char>(1 + random() % 255);
            }
            if (random() % 4 == 0) damaged.resize(random() % damaged.size() + 1);
            try {
                const util::Image image = decodeJpeg(damaged, limits);
                ++decoded;
                ASSERT_GT(image.width, 0);
                ASSERT_GT(image.height, 0);
                ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * image.height);
                ASSERT_TRUE(std::all_of(image.pixels.begin(), image.pixels.end(),
                                        [](std::uint32_t p) { return p >> 24 == 0xFF; }));
            } catch (const Error&) {
                ++refused;
            }
        }
    }
    // Both ways out must have been taken, or the damage was not varied enough.
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace vexal::util
