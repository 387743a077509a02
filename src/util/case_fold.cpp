#include "util/case_fold.h"

namespace vexal::util {

namespace {
constexpr unsigned char kMultiply = 0xD7, kDivide = 0xF7;
}  // namespace

char foldChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != kDivide) return static_cast<char>(u - 32);
    switch (u) {
        case 0x9A:
            return static_cast<char>(0x8A);  // š
        case 0x9C:
            return static_cast<char>(0x8C);  // œ
        case 0x9E:
            return static_cast<char>(0x8E);  // ž
        case 0xFF:
            return static_cast<char>(0x9F);  // ÿ
        default:
            return c;
    }
}

char lowerChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != kMultiply) return static_cast<char>(u + 32);
    switch (u) {
        case 0x8A:
        case 0x8C:
        case 0x8E:
            return static_cast<char>(u + 16);
        case 0x9F:
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

std::string foldCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = foldChar(c);
    return result;
}

std::string lowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = lowerChar(c);
    return result;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldChar(a[i]) != foldChar(b[i])) return false;
    return true;
}

char asciiLowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string asciiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = asciiLowerChar(c);
    return out;
}

}  // namespace vexal::util
