#include "util/byte_size.h"

#include <cmath>

namespace vexal::util {

namespace {

std::string groupThousands(std::uint64_t n, char separator) {
    std::string digits = std::to_string(n);
    if (separator == '\0') return digits;  // a locale without a thousands separator
    std::string out;
    const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    out.append(digits, 0, lead);
    for (std::size_t i = lead; i < digits.size(); i += 3) {
        out += separator;
        out.append(digits, i, 3);
    }
    return out;
}

// Two decimals, rounded half away from zero. The values are byte counts divided
// by powers of 1024, so value * 100 is exact in a double and the rounding never
// depends on binary noise.
std::string twoDecimals(double value, const platform::NumberFormat& format) {
    const auto cents = static_cast<std::uint64_t>(std::round(value * 100.0));
    std::string out = groupThousands(cents / 100, format.thousands);
    out += format.decimal;
    const auto frac = static_cast<unsigned>(cents % 100);
    out += static_cast<char>('0' + frac / 10);
    out += static_cast<char>('0' + frac % 10);
    return out;
}

}  // namespace

std::string FormatByteSize(std::uint32_t bytes, const platform::NumberFormat& format) {
    constexpr std::uint32_t kKilo = 1024;
    constexpr std::uint32_t kMega = kKilo * 1024;
    constexpr std::uint32_t kGiga = kMega * 1024;
    const double n = bytes;
    if (bytes < kKilo) return groupThousands(bytes, format.thousands) + " Bytes";
    if (bytes < kMega) return twoDecimals(n / 1024, format) + " KB";
    if (bytes < kGiga) return twoDecimals(n / 1024 / 1024, format) + " MB";
    return twoDecimals(n / 1024 / 1024 / 1024, format) + " GB";
}

}  // namespace vexal::util
