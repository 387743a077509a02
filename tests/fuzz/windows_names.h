#pragma once
// Names Windows keeps as they stand when a file or folder is made: no trailing dot
// or blank (dropped), no reserved characters, no device name (which opens the device).
#include <string>
#include <string_view>

namespace vexal::fuzz {

[[nodiscard]] inline bool windowsKeeps(const std::string& part) {
    if (part.empty() || part == "." || part == ".." || part.back() == '.' || part.back() == ' ') return false;
    for (const unsigned char c : part)
        if (c < 0x20 || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos)
            return false;
    // The device names, also with an extension and with blanks before it; COM and
    // LPT with the digits 0 to 9 and the superscripts 1, 2 and 3 of Windows-1252.
    std::string stem = part.substr(0, part.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$", "clock$"})
        if (stem == device) return false;
    if (stem.size() == 4 && (stem.rfind("com", 0) == 0 || stem.rfind("lpt", 0) == 0) &&
        std::string_view("0123456789\xB9\xB2\xB3").find(stem[3]) != std::string_view::npos)
        return false;
    return true;
}

}  // namespace vexal::fuzz
