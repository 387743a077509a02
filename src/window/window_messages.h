#pragma once
// Private messages, window classes and small helpers shared by the window backend's files.
#include <windows.h>

#include <string>

namespace vexal::window {

inline constexpr UINT kMsgTray = WM_APP + 1;          // notification-area icon events
inline constexpr UINT kMsgActivateMain = WM_APP + 2;  // the owner window passes activation on
inline constexpr UINT kMsgSyncText = WM_APP + 3;      // a combo box's text after its own update
inline constexpr UINT kMsgLink = WM_APP + 4;          // a link handed over is due to be opened

// WM_COPYDATA's tag for a link one copy of the program hands to another ("VXLK"),
// and the most of it that is read: no server link comes near it.
inline constexpr ULONG_PTR kCopyDataLink = 0x56584C4B;
inline constexpr std::size_t kMaxLinkBytes = 1024;

inline constexpr const char* kApplicationClass = "VexalApplication";
inline constexpr const char* kFlatButtonClass = "VexalFlatButton";
inline constexpr const char* kPictureClass = "VexalPicture";

// Hints break their lines with LF CR; a tooltip wants CR LF.
[[nodiscard]] inline std::string tooltipText(const std::string& hint) {
    std::string out;
    out.reserve(hint.size());
    for (std::size_t i = 0; i < hint.size(); ++i) {
        if (hint[i] == '\n' && i + 1 < hint.size() && hint[i + 1] == '\r') {
            out += "\r\n";
            ++i;
        } else {
            out += hint[i];
        }
    }
    return out;
}

}  // namespace vexal::window
