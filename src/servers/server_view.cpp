#include "servers/server_view.h"

#include <algorithm>

#include "servers/texts.h"

namespace vexal::servers {

namespace {

// Narrower than the other viewers' font: a row of eight columns should fit the window.
const ui::Font kCourier{"Courier New", 10, false, false, true};
constexpr ui::Colour kNavy = 0x800000;
// Replies are read as they come while a round is under way; between rounds the
// timer only waits for the next one.
constexpr int kPollMs = 20;

}  // namespace

void StatusViewer::open() {
    auto& v = v_;
    v.playClick();
    v.memServers.horizontalScrollBar = true;
    v.showViewer(v.memServers, kCourier, kNavy);
    v.setFocus(&v.memServers);
    // Nothing is sent before this moment: only the player's request opens the socket.
    start();
    poll();
}

void StatusViewer::openFromTray() {
    openedFromTray_();
    v_.show();
    open();
}

void StatusViewer::start() {
    std::vector<std::string> commandLines;
    for (const std::string& line : v_.lboxParam.items().all()) commandLines.push_back(commandLineOf_(line));
    status_.start(commandLines, v_.gameDir);
}

void StatusViewer::poll() {
    auto& v = v_;
    if (!status_.running()) {
        v.tmServers.setEnabled(false);
        return;
    }
    if (status_.refreshDue()) start();
    status_.poll();
    const std::string shown = status_.text();
    if (v.memServers.text() != shown) {
        v.memServers.setText(shown);
        v.memServers.setTopLine(0);
    }
    const bool busy = status_.busy();
    const std::string status =
        busy ? text::asking(status_.servers()) : text::answered(status_.answered(), status_.servers());
    if (v.memServers.hint() != status + text::kCloseHint) {
        v.memServers.setHint(status + text::kCloseHint);
        v.setStatus(status);
    }
    v.tmServers.interval =
        busy ? kPollMs : static_cast<int>(std::max<std::uint64_t>(status_.msUntilRefresh(), kPollMs));
    v.tmServers.setEnabled(true);
}

void StatusViewer::close() {
    v_.memServers.setVisible(false);
    v_.tmServers.setEnabled(false);
    status_.stop();
}

}  // namespace vexal::servers
