#include "platform/fake/fake_paths.h"

namespace vexal::platform::fake {
namespace {

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
