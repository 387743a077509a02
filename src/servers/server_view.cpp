// The server status viewer in the window: opened from the Run menu (F5) or the
// tray menu, polled by its timer while shown, closed with the other viewers.
#include "app/main_window.h"
#include "app/wiring.h"
#include "servers/texts.h"

namespace vexal {

namespace {

// Narrower than the other viewers' font: a row of eight columns should fit the window.
const ui::Font kCourier{"Courier New", 10, false, false, true};
constexpr ui::Colour kNavy = 0x800000;
// Replies are read as they come while a round is under way; between rounds the
// timer only waits for the next one.
constexpr int kPollMs = 20;

}  // namespace

void TfrmVexal::mnuServerStatusClick() {
    playClick();
    showServerStatus();
}

void TfrmVexal::popServerStatusClick() {
    viewerState.openedFromTray();
    show();
    mnuServerStatusClick();
}

void TfrmVexal::showServerStatus() {
    memServers.horizontalScrollBar = true;
    showViewer(memServers, kCourier, kNavy);
    setFocus(&memServers);
    // Nothing is sent before this moment: only the player's request opens the socket.
    serverStatus.start(lboxParam.items().all(), gameDir);
    tmServersTimer();
}

void TfrmVexal::tmServersTimer() {
    if (!serverStatus.running()) {
        tmServers.setEnabled(false);
        return;
    }
    if (serverStatus.refreshDue()) serverStatus.start(lboxParam.items().all(), gameDir);
    serverStatus.poll();
    const std::string shown = serverStatus.text();
    if (memServers.text() != shown) {
        memServers.setText(shown);
        memServers.setTopLine(0);
    }
    const bool busy = serverStatus.busy();
    const std::string status = busy ? servers::text::asking(serverStatus.servers())
                                    : servers::text::answered(serverStatus.answered(), serverStatus.servers());
    if (memServers.hint() != status + servers::text::kCloseHint) {
        memServers.setHint(status + servers::text::kCloseHint);
        setStatus(status);
    }
    tmServers.interval =
        busy ? kPollMs : static_cast<int>(std::max<std::uint64_t>(serverStatus.msUntilRefresh(), kPollMs));
    tmServers.setEnabled(true);
}

void TfrmVexal::closeServerStatus() {
    memServers.setVisible(false);
    tmServers.setEnabled(false);
    serverStatus.stop();
}


}  // namespace vexal
