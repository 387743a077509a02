#pragma once
#include <string>

#include "platform/platform.h"

struct HWND__;

namespace vexal::platform::win32 {

class Win32Dialogs final : public Dialogs {
public:
    BoxResult messageBox(const std::string& text, BoxKind kind, BoxButtons buttons) override;
    void errorBox(const std::string& message) override;
    std::optional<std::vector<std::string>> openFile(const OpenFileRequest& request) override;
    std::optional<std::string> browseForFolder(const std::string& instruction, const std::string& preselect) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& value) override;

    // Boxes and dialogs are modal to this window.
    void setOwner(HWND__* window) { owner = window; }
    // A hidden window (start-up, the tray) would hide its dialogs with it: they
    // stand on their own then, with a taskbar button of their own.
    [[nodiscard]] HWND__* visibleOwner() const;
    // Caption of a plain message box.
    void setApplicationTitle(const std::string& title) { applicationTitle = title; }

private:
    HWND__* owner = nullptr;
    std::string applicationTitle;
};

// The names a multi-selection open-file dialog hands back, "folder\0name\0name\0\0"
// or "full path\0\0", as full paths.
[[nodiscard]] std::vector<std::string> splitOpenFileResult(const char* buffer);

}  // namespace vexal::platform::win32
