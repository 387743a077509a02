#include "servers/server_view.h"

#include <algorithm>

#include "servers/buddies.h"
#include "servers/server_rows.h"
#include "servers/texts.h"
#include "settings/paths.h"
#include "util/case_fold.h"

namespace vexal::servers {

namespace {

const ui::Font kListFont{"Tahoma", 11, false, false, false};
// Replies are read as they come while a round is under way; between rounds the
// timer only waits for the next one, or counts a wait for a free slot.
constexpr int kPollMs = 20;
constexpr int kWaitTickMs = 250;
constexpr int kVkTab = 0x09, kVkReturn = 0x0D, kVkEscape = 0x1B, kVkInsert = 0x2D, kVkDelete = 0x2E;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::string keyOf(const ServerRow& row) { return util::asciiLowerCase(row.address.shown); }

std::vector<ui::ListColumn> columns(const char* const* titles, const int* widths, std::size_t n, int rightFrom) {
    std::vector<ui::ListColumn> out;
    for (std::size_t i = 0; i < n; ++i)
        out.push_back({titles[i], widths[i], rightFrom >= 0 && static_cast<int>(i) >= rightFrom});
    return out;
}

}  // namespace

void StatusViewer::open() {
    auto& v = v_;
    v.playClick();
    // Sized for the usual cells in the list's font, within the window's width.
    static constexpr int kServerWidths[] = {128, 118, 86, 76, 46, 26, 52};
    static constexpr int kPlayerWidths[] = {390, 70, 66};
    v.lvServers.setColumns(columns(text::kServerColumns, kServerWidths, kServerColumns, -1));
    v.lvPlayers.setColumns(columns(text::kPlayerColumns, kPlayerWidths, 3, 1));
    for (ui::ListView* list : {&v.lvServers, &v.lvPlayers}) {
        list->setFont(kListFont);
        list->setColour(kListText);
        list->setBackground(kListBackground);
        list->setVisible(true);
    }
    if (v.focused() != &v.lvPlayers) v.setFocus(&v.lvServers);
    // Nothing is sent before this moment: only the player's request opens the socket.
    start();
    poll();
}

void StatusViewer::openFromTray() {
    hooks_.openedFromTray();
    v_.show();
    open();
}

void StatusViewer::openAt(const std::string& server) {
    selectedKey_ = util::asciiLowerCase(server);
    shownKeys_.clear();
    if (!v_.visible()) {
        // Closing the list sends the window back where the balloon found it.
        hooks_.openedFromTray();
        v_.show();
    }
    open();
    v_.setFocus(&v_.lvServers);
}

void StatusViewer::start() {
    if (hooks_.asking) hooks_.asking();
    const auto skipped = buddies_.reload();
    savedLines_ = v_.lboxParam.items().all();
    const auto file = v_.services.fs.readFile(v_.programDir + settings::kRecentFile);
    recent_ = file ? util::parseRecent(*file) : std::vector<util::RecentServer>{};
    std::vector<std::string> commandLines;
    for (const std::string& line : savedLines_) commandLines.push_back(hooks_.commandLineOf(line));
    for (const auto& r : recent_) commandLines.push_back("+connect " + r.address);
    status_.start(commandLines, [&v = v_](const std::string& mod) { return v.mapFolders(mod); });
    // Said until the next round, where the count of answers would hide it at once.
    notice_ = skipped.value_or("");
}

void StatusViewer::poll() {
    auto& v = v_;
    if (!status_.running()) {
        v.tmServers.setEnabled(false);
        return;
    }
    if (status_.refreshDue()) start();
    status_.poll();
    show();
    stepWait();
    if (!status_.running()) return;  // the wait joined and the viewer went with the window
    const bool busy = status_.busy();
    std::string status = busy ? text::asking(status_.servers()) : text::answered(status_.answered(), status_.servers());
    if (wait_.active())
        status = text::waiting(wait_.hostName(), wait_.elapsed(status_.now()));
    else if (!notice_.empty())
        status = notice_;
    if (status != shownStatus_) {
        shownStatus_ = status;
        v.lvServers.setHint(status + text::kCloseHint);
        v.lvPlayers.setHint(status + text::kCloseHint);
        v.setStatus(status);
    }
    int interval = busy ? kPollMs : static_cast<int>(std::max<std::uint64_t>(status_.msUntilRefresh(), kPollMs));
    if (wait_.active()) interval = std::min(interval, kWaitTickMs);
    v.tmServers.interval = interval;
    v.tmServers.setEnabled(true);
}

void StatusViewer::show() {
    auto& v = v_;
    const auto& rows = status_.rows();
    // The order: by the sort column when one is chosen, else list order; a row the
    // mouse is over stays where it is until the mouse leaves the list.
    const bool pointed = v.application.pointed() == &v.lvServers;
    std::vector<std::size_t> order;
    if (sortColumn_ >= 0 && !pointed) {
        order = sortedOrder(rows, sortColumn_, descending_);
    } else {
        std::vector<bool> placed(rows.size(), false);
        for (const std::string& key : shownKeys_)
            for (std::size_t i = 0; i < rows.size(); ++i)
                if (!placed[i] && keyOf(rows[i]) == key) {
                    placed[i] = true;
                    order.push_back(i);
                    break;
                }
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (!placed[i]) order.push_back(i);
    }
    order_ = order;
    shownKeys_.clear();
    for (const std::size_t i : order_) shownKeys_.push_back(keyOf(rows[i]));

    // Only With Buddies: the other rows are left out of what is shown, not of the round.
    if (onlyWithBuddies())
        std::erase_if(order_, [&](std::size_t i) {
            return !rows[i].showsFacts() || buddiesOn(buddies_.patterns(), rows[i].facts).empty();
        });
    std::vector<ui::ListRow> cells;
    int selection = -1;
    for (std::size_t at = 0; at < order_.size(); ++at) {
        const ServerRow& row = rows[order_[at]];
        cells.push_back(serverCells(row, recent(row)));
        if (row.showsFacts()) markBuddies(cells.back(), kHostColumn, buddiesOn(buddies_.patterns(), row.facts));
        if (keyOf(row) == selectedKey_) selection = static_cast<int>(at);
    }
    if (rows.empty())
        cells.push_back({{text::kNoServers, {}}});
    else if (order_.empty())
        cells.push_back({{text::kNoBuddyServer, {}}});
    if (selection < 0 && !order_.empty()) {
        selection = 0;
        selectedKey_ = keyOf(rows[order_[0]]);
    }
    v.lvServers.setRows(std::move(cells));
    v.lvServers.setItemIndex(selection);
    v.lvPlayers.setRows(playersOf(selected()));
}

std::vector<ui::ListRow> StatusViewer::playersOf(const ServerRow* row) const {
    return playerCellsMarked(row, buddies_);
}

const Player* StatusViewer::selectedPlayer() const { return playerAt(selected(), v_.lvPlayers.itemIndex()); }

void StatusViewer::addBuddy() {
    if (const Player* p = selectedPlayer()) {
        const int at = v_.lvPlayers.itemIndex();
        buddies_.add(p->name);
        show();
        v_.lvPlayers.setItemIndex(at);
    }
}

void StatusViewer::removeBuddy() {
    if (const Player* p = selectedPlayer()) {
        const int at = v_.lvPlayers.itemIndex();
        buddies_.remove(p->name);
        show();
        v_.lvPlayers.setItemIndex(at);
    }
}

bool StatusViewer::onlyWithBuddies() const { return v_.setting(settings::key::onlyWithBuddies); }

void StatusViewer::toggleOnlyWithBuddies() {
    v_.playClick();
    settings::write(v_.config.doc(), settings::key::onlyWithBuddies, !onlyWithBuddies());
    v_.saveSettings();
    if (status_.running()) show();
}

const ServerRow* StatusViewer::selected() const {
    const std::size_t i = selectedRow();
    return i == kNone ? nullptr : &status_.rows()[i];
}

std::size_t StatusViewer::selectedRow() const {
    const int at = v_.lvServers.itemIndex();
    if (at < 0 || static_cast<std::size_t>(at) >= order_.size() ||
        order_[static_cast<std::size_t>(at)] >= status_.rows().size())
        return kNone;
    return order_[static_cast<std::size_t>(at)];
}

std::string StatusViewer::lineOf(const ServerRow& row) const {
    if (!recent(row)) return savedLines_[row.address.line];
    return "+connect " + row.address.shown;
}

void StatusViewer::serverPicked() {
    const ServerRow* row = selected();
    selectedKey_ = row ? keyOf(*row) : std::string();
    v_.lvPlayers.setRows(playersOf(row));
}

void StatusViewer::columnClick(int column) {
    if (column == sortColumn_)
        descending_ = !descending_;
    else {
        sortColumn_ = column;
        descending_ = false;
    }
    // The header was clicked: the new order shows at once, wherever the mouse is.
    shownKeys_.clear();
    for (const std::size_t i : sortedOrder(status_.rows(), sortColumn_, descending_))
        shownKeys_.push_back(keyOf(status_.rows()[i]));
    show();
}

void StatusViewer::serverKeyDown(int& key) {
    auto& v = v_;
    switch (key) {
        case kVkReturn:
            key = 0;
            join();
            return;
        case kVkTab:
            key = 0;
            v.setFocus(&v.lvPlayers);
            return;
        case kVkEscape:
            key = 0;
            // A wait ends first; the viewer closes with the next Escape.
            if (wait_.active())
                cancelWait();
            else
                hooks_.closeViewers();
            return;
        case ui::kCtrlKey | 'C':
            key = 0;
            copy();
            return;
        case ui::kCtrlKey | 'J':
            key = 0;
            waitForSlot();
            return;
        case ui::kCtrlKey | 'K':
            key = 0;
            keep();
            return;
        default:
            return;
    }
}

void StatusViewer::playerKeyDown(int& key) {
    if (key == kVkTab) {
        key = 0;
        v_.setFocus(&v_.lvServers);
    } else if (key == kVkEscape) {
        serverKeyDown(key);
    } else if (key == kVkInsert) {
        key = 0;
        addBuddy();
    } else if (key == kVkDelete) {
        key = 0;
        removeBuddy();
    }
}

void StatusViewer::join() {
    const ServerRow* row = selected();
    if (!row) return;
    if (row->state == ServerRow::State::NoAnswer &&
        v_.services.dialogs.messageBox(text::noAnswerQuestion(row->address.shown), platform::BoxKind::Confirmation,
                                       platform::BoxButtons::YesNo) != platform::BoxResult::Yes)
        return;
    const std::string line = lineOf(*row);
    const std::string mod = row->showsFacts() ? row->facts.modFolder : std::string();
    cancelWait();
    hooks_.join(line, mod);
}

bool StatusViewer::canWait() const {
    const ServerRow* row = selected();
    return row && row->full();
}

bool StatusViewer::canKeep() const {
    const ServerRow* row = selected();
    return row && recent(*row);
}

void StatusViewer::waitForSlot() {
    const ServerRow* row = selected();
    if (!row || !row->full()) return;
    v_.playClick();
    wait_.begin(keyOf(*row), row->facts.hostName.empty() ? row->address.shown : row->facts.hostName, status_.now());
    stepWait();
    poll();
}

void StatusViewer::stepWait() {
    if (!wait_.active()) return;
    const auto& rows = status_.rows();
    std::size_t i = 0;
    while (i < rows.size() && keyOf(rows[i]) != wait_.address()) ++i;
    const WaitStep step =
        servers::stepWait(wait_, status_.now(), i < rows.size() ? &rows[i] : nullptr, status_.lastAsked(i).value_or(0));
    if (!step.notice.empty()) {
        notice_ = step.notice;
        v_.setStatus(notice_);
    }
    if (step.action == SlotWait::Action::Ask) status_.ask(i);
    if (step.action == SlotWait::Action::Join) hooks_.join(lineOf(rows[i]), rows[i].facts.modFolder);
}

void StatusViewer::cancelWait() {
    if (!wait_.active()) return;
    wait_.cancel();
    notice_ = text::stoppedWaiting(wait_.hostName());
    v_.setStatus(notice_);
}

void StatusViewer::launching() { cancelWait(); }

void StatusViewer::keep() {
    const ServerRow* row = selected();
    if (!row || !recent(*row)) return;
    v_.playClick();
    if (!hooks_.keep("+connect " + row->address.shown)) {
        v_.services.dialogs.messageBox(text::kAlreadyKept, platform::BoxKind::Information, platform::BoxButtons::Ok);
        return;
    }
    // The row is a saved line now: the list is read again.
    start();
    poll();
}

void StatusViewer::copy() {
    if (const ServerRow* row = selected()) v_.services.clipboard.setText(copyText(*row));
}

void StatusViewer::close() {
    cancelWait();
    v_.lvServers.setVisible(false);
    v_.lvPlayers.setVisible(false);
    v_.tmServers.setEnabled(false);
    status_.stop();
    order_.clear();
    shownKeys_.clear();
    shownStatus_.clear();
    notice_.clear();
}

}  // namespace vexal::servers
