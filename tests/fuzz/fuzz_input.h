#pragma once
// What every fuzz target shares: the input cut into the pieces a target needs, and
// a property check that stops the run so libFuzzer keeps the input as a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace vexal::fuzz {

// Pieces are separated by this byte: easy to write into a seed by hand and easy for
// the fuzzer to find.
inline constexpr char kSeparator = '\x01';

// The input cut at the first count-1 separators; missing pieces are empty, the
// last piece takes the rest, separators included.
[[nodiscard]] inline std::vector<std::string> pieces(const std::uint8_t* data, std::size_t size, std::size_t count) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> out;
    std::size_t start = 0;
    while (out.size() + 1 < count) {
        const std::size_t sep = input.find(kSeparator, start);
        if (sep == std::string::npos) break;
        out.push_back(input.substr(start, sep - start));
        start = sep + 1;
    }
    out.push_back(start <= input.size() ? input.substr(start) : std::string());
    out.resize(count);
    return out;
}

// The text with its control characters shown, for a failure message.
[[nodiscard]] inline std::string shown(const std::string& text) {
    std::string out;
    for (const unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

inline void check(bool holds, const std::string& property) {
    if (holds) return;
    std::fprintf(stderr, "\nPROPERTY FAILED: %s\n", property.c_str());
    std::abort();
}

[[nodiscard]] inline bool hasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace vexal::fuzz
