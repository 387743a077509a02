// Receiving a link that another copy of the program hands over (link_handoff.cpp sends one).
#include <algorithm>

#include "window/window_backend.h"
#include "window/window_messages.h"

namespace vexal::window {

// The sender waits in SendMessage until this returns: the link is only kept here,
// and opened (which may show a box or start the game) once the message comes
// round through the loop. The data is another process's: its size is checked and
// bounded, and it is cut at its first NUL. A newer link replaces one not yet opened.
LRESULT WindowBackend::receiveLink(LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != kCopyDataLink || !data->lpData || data->cbData == 0 || !model_.onLink) return FALSE;
    std::string link(static_cast<const char*>(data->lpData), std::min<std::size_t>(data->cbData, kMaxLinkBytes));
    if (const auto nul = link.find('\0'); nul != std::string::npos) link.resize(nul);
    pendingLink_ = std::move(link);
    if (!linkPosted_ && main_) {
        linkPosted_ = true;
        PostMessageA(main_, kMsgLink, 0, 0);
    }
    return TRUE;
}

// Not while start-up runs or a handler waits in a dialog (a box, the file dialog):
// the game would start under that handler's feet. afterMessage posts it again.
void WindowBackend::openPendingLink() {
    if (!pendingLink_ || !looping_ || handlerDepth_ > 0 || !main_ || !IsWindowEnabled(main_)) return;
    const std::string link = std::move(*pendingLink_);
    pendingLink_.reset();
    guarded([&] { model_.onLink(link); });
}

LRESULT WindowBackend::onLinkDue(HWND, UINT, WPARAM, LPARAM) {
    linkPosted_ = false;
    openPendingLink();
    return 0;
}

}  // namespace vexal::window
