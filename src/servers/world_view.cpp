#include "servers/world_view.h"

#include <algorithm>

#include "servers/server_rows.h"
#include "servers/texts.h"
#include "settings/keys.h"
#include "util/case_fold.h"

namespace vexal::servers {

namespace {

const ui::Font kListFont{"Tahoma", 11, false, false, false};
// Where the round runs on the window's polls, the timer ticks as fast as it can;
// the pace of the requests is kept by the round's own clock, whatever the ticks.
constexpr int kRoundPollMs = 10;
constexpr int kIdlePollMs = 250;
constexpr int kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkEscape = 0x1B, kVkInsert = 0x2D, kVkDelete = 0x2E;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

namespace key {
inline constexpr settings::BoolKey hideFull{"All-Servers", "HideFull", false};
inline constexpr settings::BoolKey hideEmpty{"All-Servers", "HideEmpty", false};
inline constexpr settings::BoolKey hidePassworded{"All-Servers", "HidePassworded", false};
inline constexpr settings::BoolKey onlyMyMods{"All-Servers", "OnlyMyMods", false};
inline constexpr settings::BoolKey onlyMyMaps{"All-Servers", "OnlyMyMaps", false};
inline constexpr settings::BoolKey onlyWithBuddies{"All-Servers", "OnlyWithBuddies", false};
inline constexpr settings::IntKey sortColumn{"All-Servers", "SortColumn"};
inline constexpr settings::BoolKey sortDescending{"All-Servers", "SortDescending", false};
}  // namespace key

}  // namespace

WorldViewer::WorldViewer(view::MainView& view, BuddyList& buddies, Hooks hooks)
    : v_(view), buddies_(buddies), hooks_(std::move(hooks)), round_(view.services.worldNetwork, view.services.fs) {}

void WorldViewer::loadSettings() {
    if (settingsLoaded_) return;
    settingsLoaded_ = true;
    const auto& doc = v_.config.doc();
    list_.filter.hideFull = settings::read(doc, key::hideFull);
    list_.filter.hideEmpty = settings::read(doc, key::hideEmpty);
    list_.filter.hidePassworded = settings::read(doc, key::hidePassworded);
    list_.filter.onlyMyMods = settings::read(doc, key::onlyMyMods);
    list_.filter.onlyMyMaps = settings::read(doc, key::onlyMyMaps);
    list_.filter.onlyWithBuddies = settings::read(doc, key::onlyWithBuddies);
    const int column = settings::read(doc, key::sortColumn, -1);
    list_.sortColumn = column >= 0 && column < kWorldColumns ? column : -1;
    list_.descending = settings::read(doc, key::sortDescending);
}

void WorldViewer::saveSettings() {
    auto& doc = v_.config.doc();
    settings::write(doc, key::hideFull, list_.filter.hideFull);
    settings::write(doc, key::hideEmpty, list_.filter.hideEmpty);
    settings::write(doc, key::hidePassworded, list_.filter.hidePassworded);
    settings::write(doc, key::onlyMyMods, list_.filter.onlyMyMods);
    settings::write(doc, key::onlyMyMaps, list_.filter.onlyMyMaps);
    settings::write(doc, key::onlyWithBuddies, list_.filter.onlyWithBuddies);
    settings::write(doc, key::sortColumn, list_.sortColumn);
    settings::write(doc, key::sortDescending, list_.descending);
    v_.saveSettings();
}

void WorldViewer::open() { openList(true); }

void WorldViewer::openList(bool ask) {
    auto& v = v_;
    v.playClick();
    if (!open_) hooks_.closeSavedList();
    loadSettings();
    (void)buddies_.reload();
    static constexpr int kWidths[] = {118, 150, 78, 60, 44, 24, 50, 120};
    std::vector<ui::ListColumn> columns;
    for (int i = 0; i < kWorldColumns; ++i) columns.push_back({text::kWorldColumns[i], kWidths[i], false});
    v.lvWorld.setColumns(std::move(columns));
    static constexpr int kPlayerWidths[] = {390, 70, 66};
    std::vector<ui::ListColumn> players;
    for (int i = 0; i < 3; ++i) players.push_back({text::kPlayerColumns[i], kPlayerWidths[i], i >= 1});
    v.lvPlayers.setColumns(std::move(players));
    for (ui::ListView* list : {&v.lvWorld, &v.lvPlayers}) {
        list->setFont(kListFont);
        list->setColour(kListText);
        list->setBackground(kListBackground);
        list->setVisible(true);
    }
    open_ = true;
    if (v.focused() != &v.lvPlayers) v.setFocus(&v.lvWorld);
    if (ask) {
        start();
        // A new round has no rows yet: they come with the next tick, apart from the
        // making of the lists.
        lastShown_ = round_.now();
        unshown_ = true;
    } else {
        show(true);
    }
    poll();
}

void WorldViewer::openFromTray() {
    hooks_.openedFromTray();
    v_.show();
    open();
}

void WorldViewer::openAt(const std::string& server) {
    if (!v_.visible()) {
        hooks_.openedFromTray();
        v_.show();
    }
    list_.filter.text.clear();
    list_.select(-1, {});
    openList(round_.state().rows.empty());
    const auto& rows = round_.state().rows;
    for (std::size_t at = 0; at < list_.shown().size(); ++at)
        if (util::sameName(rows[list_.shown()[at]].address.shown, server)) {
            list_.select(static_cast<int>(at), rows);
            show(true);
            break;
        }
    v_.setFocus(&v_.lvWorld);
}

void WorldViewer::askAgain() {
    v_.playClick();
    start();
    poll();
}

void WorldViewer::start() {
    mods_.clear();
    notice_.clear();
    lastShown_ = 0;
    round_.start(masterSettings(v_.config.doc()), v_.gameDir);
}

void WorldViewer::quickJoin() {
    const std::uint64_t now = v_.services.worldNetwork.milliseconds();
    // A round of the last minute will do; else a new one decides when it ends
    // (or the one under way, when the list is asking already).
    const WorldState& round = round_.state();
    const bool fresh =
        round.finished() && round.startedAt && now - *round.startedAt < kQuickJoinReuseMs && !round.rows.empty();
    const bool underWay = open_ && round.running && !round.finished();
    quickJoinPending_ = !fresh;
    if (!open_)
        openList(!fresh);
    else if (!fresh && !underWay)
        askAgain();
    if (fresh) finishQuickJoin();
}

void WorldViewer::quickJoinFromTray() {
    hooks_.openedFromTray();
    v_.show();
    quickJoin();
}

bool WorldViewer::haveMod(const std::string& folder) {
    if (folder.empty()) return true;
    const auto it = mods_.find(folder);
    if (it != mods_.end()) return it->second;
    const bool has = v_.services.fs.directoryExists(v_.gameDir + "\\" + folder);
    mods_[folder] = has;
    return has;
}

void WorldViewer::finishQuickJoin() {
    quickJoinPending_ = false;
    const auto& rows = round_.state().rows;
    const auto choice = quickJoinChoice(rows, [this](const std::string& m) { return haveMod(m); });
    if (!choice) {
        v_.services.dialogs.messageBox(text::kNoQuickJoin, platform::BoxKind::Information, platform::BoxButtons::Ok);
        return;
    }
    const ServerRow& row = rows[*choice];
    list_.select(-1, rows);
    notice_ = text::quickJoin(row.facts.hostName.empty() ? row.address.shown : row.facts.hostName, row.facts.map,
                              worldPlayersText(row.facts), row.pingMs);
    v_.setStatus(notice_);
    shownStatus_ = notice_;
    cancelWait();
    hooks_.join("+connect " + row.address.shown, row.facts.modFolder);
}

void WorldViewer::poll() {
    auto& v = v_;
    if (!open_) {
        v.tmWorld.setEnabled(false);
        return;
    }
    const std::uint64_t now = round_.now();
    const WorldState& round = round_.state();
    const bool wasFinished = round.finished();
    if (playersPending_) {
        playersPending_ = false;
        v.lvPlayers.setRows(playerCellsMarked(selected(), buddies_));
    }
    unshown_ = round_.update() || unshown_;
    if (unshown_ && (round.finished() || now - lastShown_ >= kWorldShowMs)) show(false);
    stepWait();
    if (!open_) return;
    if (!wasFinished && round.finished() && quickJoinPending_) finishQuickJoin();
    if (!open_) return;
    // A list that has just filled has had its share of this message; the status waits
    // for the players' tick, 10 ms on.
    if (!playersPending_) showStatus();
    v.tmWorld.interval = playersPending_                       ? kRoundPollMs
                         : round.finished() && !wait_.active() ? kIdlePollMs
                         : round_.threaded()                   ? static_cast<int>(kWorldShowMs)
                                                               : kRoundPollMs;
    v.tmWorld.setEnabled(true);
}

void WorldViewer::show(bool force) {
    auto& v = v_;
    const auto& rows = round_.state().rows;
    lastShown_ = round_.now();
    unshown_ = false;
    // Under the mouse the rows stay where they are, unless the header was clicked.
    const bool pointed = !force && v.application.pointed() == &v.lvWorld;
    list_.filter.buddies = buddies_.patterns();
    list_.refresh(
        rows, [this](const std::string& m) { return haveMod(m); }, pointed);
    const std::vector<std::size_t> shown = list_.shown();
    const bool filling = v.lvWorld.rowCount() == 0 && !shown.empty();
    v.lvWorld.setVirtualRows(shown.size(), [this, shown](std::size_t at) {
        const auto& all = round_.state().rows;
        if (at >= shown.size() || shown[at] >= all.size()) return ui::ListRow{};
        const ServerRow& row = all[shown[at]];
        ui::ListRow cells = worldCells(row);
        if (row.showsFacts()) markBuddies(cells, kWorldHost, buddiesOn(buddies_.patterns(), row.facts));
        return cells;
    });
    int at = list_.selectedAt();
    if (at < 0 && !shown.empty() && list_.selectedKey().empty()) {
        list_.select(0, rows);
        at = 0;
    }
    v.lvWorld.setItemIndex(at);
    playersPending_ = filling;
    if (!filling) v.lvPlayers.setRows(playerCellsMarked(selected(), buddies_));
}

void WorldViewer::showStatus() {
    std::string status = roundStatus(round_.state());
    if (wait_.active())
        status = text::waiting(wait_.hostName(), wait_.elapsed(v_.services.worldNetwork.milliseconds()));
    else if (!notice_.empty())
        status = notice_;
    else if (!list_.filter.text.empty())
        status = list_.filterStatus(round_.state().rows.size());
    if (status == shownStatus_) return;
    shownStatus_ = status;
    v_.lvWorld.setHint(status + text::kWorldCloseHint);
    v_.lvPlayers.setHint(status + text::kWorldCloseHint);
    v_.setStatus(status);
}

const ServerRow* WorldViewer::selected() const {
    const std::size_t i = selectedRow();
    return i == kNone ? nullptr : &round_.state().rows[i];
}

std::size_t WorldViewer::selectedRow() const {
    if (!open_) return kNone;
    const int at = list_.selectedAt();
    if (at < 0 || static_cast<std::size_t>(at) >= list_.shown().size()) return kNone;
    const std::size_t i = list_.shown()[static_cast<std::size_t>(at)];
    return i < round_.state().rows.size() ? i : kNone;
}

void WorldViewer::picked() {
    list_.select(v_.lvWorld.itemIndex(), round_.state().rows);
    v_.lvPlayers.setRows(playerCellsMarked(selected(), buddies_));
}

void WorldViewer::columnClick(int column) {
    if (column == list_.sortColumn) {
        list_.descending = !list_.descending;
    } else {
        list_.sortColumn = column;
        // Players and ping read best from the most and the least.
        list_.descending = column == kWorldPlayers;
    }
    saveSettings();
    show(true);
}

void WorldViewer::keyDown(int& key) {
    auto& v = v_;
    switch (key) {
        case kVkReturn:
            key = 0;
            join();
            return;
        case kVkTab:
            key = 0;
            v.setFocus(v.focused() == &v.lvPlayers ? static_cast<ui::Control*>(&v.lvWorld) : &v.lvPlayers);
            return;
        case kVkBack:
            key = 0;
            if (list_.backspace()) {
                notice_.clear();
                show(true);
                showStatus();
            }
            return;
        case kVkEscape:
            key = 0;
            // A wait ends first, then the filter goes; the list closes with the next Escape.
            if (wait_.active()) {
                cancelWait();
            } else if (list_.escape()) {
                show(true);
                showStatus();
            } else {
                hooks_.closeViewers();
            }
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

void WorldViewer::keyPress(char& key) {
    if (!list_.type(key)) {
        // The list's own type-to-find would jump about under the filter.
        if (key != 0 && static_cast<unsigned char>(key) >= 0x20) key = 0;
        return;
    }
    key = 0;
    notice_.clear();
    show(true);
    showStatus();
}

void WorldViewer::join() {
    const ServerRow* row = selected();
    if (!row) return;
    if (row->state == ServerRow::State::NoAnswer &&
        v_.services.dialogs.messageBox(text::noAnswerQuestion(row->address.shown), platform::BoxKind::Confirmation,
                                       platform::BoxButtons::YesNo) != platform::BoxResult::Yes)
        return;
    const std::string line = "+connect " + row->address.shown;
    cancelWait();
    hooks_.join(line, row->facts.modFolder);
}

bool WorldViewer::canWait() const {
    const ServerRow* row = selected();
    return row && row->full();
}

void WorldViewer::waitForSlot() {
    const ServerRow* row = selected();
    if (!row || !row->full()) return;
    v_.playClick();
    wait_.begin(row->address.shown, row->facts.hostName.empty() ? row->address.shown : row->facts.hostName,
                v_.services.worldNetwork.milliseconds());
    stepWait();
    poll();
}

void WorldViewer::stepWait() {
    if (!wait_.active()) return;
    const auto& rows = round_.state().rows;
    std::size_t i = 0;
    while (i < rows.size() && rows[i].address.shown != wait_.address()) ++i;
    const WaitStep step = servers::stepWait(wait_, round_.now(), i < rows.size() ? &rows[i] : nullptr,
                                            i < rows.size() ? round_.state().asked[i] : 0);
    if (!step.notice.empty()) {
        notice_ = step.notice;
        v_.setStatus(notice_);
    }
    if (step.action == SlotWait::Action::Ask) round_.ask(i);
    if (step.action == SlotWait::Action::Join)
        hooks_.join("+connect " + rows[i].address.shown, rows[i].facts.modFolder);
}

void WorldViewer::cancelWait() {
    if (!wait_.active()) return;
    wait_.cancel();
    notice_ = text::stoppedWaiting(wait_.hostName());
    v_.setStatus(notice_);
}

void WorldViewer::launching() { cancelWait(); }

void WorldViewer::keep() {
    const ServerRow* row = selected();
    if (!row) return;
    v_.playClick();
    if (!hooks_.keep("+connect " + row->address.shown))
        v_.services.dialogs.messageBox(text::kAlreadyKept, platform::BoxKind::Information, platform::BoxButtons::Ok);
}

void WorldViewer::copy() {
    if (const ServerRow* row = selected()) v_.services.clipboard.setText(copyText(*row));
}

void WorldViewer::toggle(Check which) {
    auto& f = list_.filter;
    switch (which) {
        case Check::HideFull:
            f.hideFull = !f.hideFull;
            break;
        case Check::HideEmpty:
            f.hideEmpty = !f.hideEmpty;
            break;
        case Check::HidePassworded:
            f.hidePassworded = !f.hidePassworded;
            break;
        case Check::OnlyMyMods:
            f.onlyMyMods = !f.onlyMyMods;
            break;
        case Check::OnlyMyMaps:
            f.onlyMyMaps = !f.onlyMyMaps;
            break;
        case Check::OnlyWithBuddies:
            f.onlyWithBuddies = !f.onlyWithBuddies;
            break;
    }
    saveSettings();
    if (open_) show(true);
}

bool WorldViewer::isOn(Check which) const {
    const auto& f = list_.filter;
    switch (which) {
        case Check::HideFull:
            return f.hideFull;
        case Check::HideEmpty:
            return f.hideEmpty;
        case Check::HidePassworded:
            return f.hidePassworded;
        case Check::OnlyMyMods:
            return f.onlyMyMods;
        case Check::OnlyMyMaps:
            return f.onlyMyMaps;
        case Check::OnlyWithBuddies:
            return f.onlyWithBuddies;
    }
    return false;
}

void WorldViewer::close() {
    if (!open_) return;
    cancelWait();
    open_ = false;
    quickJoinPending_ = false;
    v_.lvWorld.setVisible(false);
    v_.lvPlayers.setVisible(false);
    v_.lvWorld.setVirtualRows(0, {});
    v_.tmWorld.setEnabled(false);
    // The rows stay for Quick Join within the minute; the socket goes, unless a
    // round of the buddy watch still runs on it.
    if (!watching_) round_.stop();
    shownStatus_.clear();
    notice_.clear();
}

const Player* WorldViewer::selectedPlayer() const { return playerAt(selected(), v_.lvPlayers.itemIndex()); }

void WorldViewer::playerKeyDown(int& key) {
    if (key == kVkInsert || key == kVkDelete) {
        changeBuddy(key == kVkInsert);
        key = 0;
        return;
    }
    keyDown(key);
}

void WorldViewer::addBuddy() { changeBuddy(true); }
void WorldViewer::removeBuddy() { changeBuddy(false); }

void WorldViewer::changeBuddy(bool add) {
    const Player* p = selectedPlayer();
    if (!p) return;
    const int at = v_.lvPlayers.itemIndex();
    if (add)
        buddies_.add(p->name);
    else
        buddies_.remove(p->name);
    show(true);
    v_.lvPlayers.setItemIndex(at);
}

WatchSource WorldViewer::watchSource() {
    return {.start = [this](bool askMasters) { watchStart(askMasters); },
            .poll = [this] { return watchPoll(); },
            .rows =
                [this] {
                    watchRows_.clear();
                    for (const ServerRow& row : round_.state().rows)
                        watchRows_.push_back(
                            {row.address.shown, row.state == ServerRow::State::Answered ? &row.facts : nullptr});
                    return watchRows_;
                },
            .stop =
                [this] {
                    watching_ = false;
                    if (!open_) round_.stop();
                }};
}

void WorldViewer::watchStart(bool askMasters) {
    watching_ = true;
    const WorldState& round = round_.state();
    // While the list is open, its round serves: the one under way, or one of the last minute.
    if (open_ && round.running && (!round.finished() || round_.now() - *round.startedAt < kQuickJoinReuseMs)) return;
    if (open_) {
        start();
        return;
    }
    // Between two asks of the masters, the servers they listed last are asked again.
    round_.start(masterSettings(v_.config.doc()), v_.gameDir, !askMasters);
}

bool WorldViewer::watchPoll() {
    // While the list is open, its timer brings the rows in.
    if (!open_) round_.update();
    const WorldState& round = round_.state();
    if (!round.finished() && round.running) return false;
    watching_ = false;
    if (!open_) round_.stop();
    return true;
}

}  // namespace vexal::servers
