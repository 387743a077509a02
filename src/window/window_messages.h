#pragma once
// Private messages, window classes and small helpers shared by the window backend's files.
#include <windows.h>

#include <string>

namespace vexal::window {

inline constexpr UINT kMsgTray = WM_APP + 1;          // notification-area icon events
inline constexpr UINT kMsgActivateMain = WM_APP + 2;  // the owner window passes activation on
inline constexpr UINT kMsgSyncText = WM_APP + 3;      // a combo box's text after its own update

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
