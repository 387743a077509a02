#include "platform/win32/svc_error_text.h"

#include <windows.h>

namespace vexal::platform::win32 {

std::string systemErrorText(unsigned long code) {
    char buffer[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "Systemfehler " + std::to_string(code);
    return text;
}

}  // namespace vexal::platform::win32
