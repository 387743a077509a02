#include "platform/fake/fake_paths.h"

namespace vexal::platform::fake {
namespace {

constexpr unsigned char kMultiply = 0xD7, kDivide = 0xF7;

bool globMatch(const std::string& name, std::size_t n, const std::string& mask, std::size_t m) {
    while (m < mask.size()) {
        if (mask[m] == '*') {
            while (m < mask.size() && mask[m] == '*') ++m;
            if (m == mask.size()) return true;
            for (std::size_t k = n; k <= name.size(); ++k) {
                if (globMatch(name, k, mask, m)) return true;
            }
            return false;
        }
        if (n == name.size()) return false;
        if (mask[m] != '?' && foldChar(mask[m]) != foldChar(name[n])) return false;
        ++n;
        ++m;
    }
    return n == name.size();
}

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

std::string foldCase(const std::string& text) {
    std::string result = text;
    for (char& c : result) c = foldChar(c);
    return result;
}

std::string lowerCase(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 'A' && u <= 'Z')
            c = static_cast<char>(u + 32);
        else if (u >= 0xC0 && u <= 0xDE && u != kMultiply)
            c = static_cast<char>(u + 32);
        else if (u == 0x8A || u == 0x8C || u == 0x8E)
            c = static_cast<char>(u + 16);
        else if (u == 0x9F)
            c = static_cast<char>(0xFF);
    }
    return result;
}

bool matchesMask(const std::string& name, const std::string& mask) {
    if (mask == "*" || mask == "*.*") return true;  // everything, names without a dot included
    if (globMatch(name, 0, mask, 0)) return true;
    // "readme.*" also finds "readme", and "*." finds names without an extension.
    if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0 && name.find('.') == std::string::npos)
        return globMatch(name, 0, mask.substr(0, mask.size() - 2), 0);
    if (!mask.empty() && mask.back() == '.' && name.find('.') == std::string::npos)
        return globMatch(name, 0, mask.substr(0, mask.size() - 1), 0);
    return false;
}

}  // namespace vexal::platform::fake
