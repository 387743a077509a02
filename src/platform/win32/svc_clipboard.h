#pragma once
#include "platform/platform.h"

struct HWND__;

namespace vexal::platform::win32 {

class Win32Clipboard final : public Clipboard {
public:
    Win32Clipboard() = default;
    ~Win32Clipboard() override;
    Win32Clipboard(const Win32Clipboard&) = delete;
    Win32Clipboard& operator=(const Win32Clipboard&) = delete;

    // Throws vexal::Error when another program keeps the clipboard open.
    void setText(const std::string& text) override;
    [[nodiscard]] std::optional<std::string> text() override;
    // Empties the clipboard (tests and tools).
    void clear();
    void setOwner(HWND__* window) { owner = window; }

private:
    HWND__* clipboardWindow();
    HWND__* owner = nullptr;
    HWND__* helperWindow = nullptr;
};

}  // namespace vexal::platform::win32
