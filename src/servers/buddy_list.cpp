#include "servers/buddy_list.h"

#include "servers/server_rows.h"
#include "servers/texts.h"
#include "util/file_facts.h"

namespace vexal::servers {

std::optional<std::string> BuddyList::reload() {
    auto& fs = v_.services.fs;
    const auto text = fs.readFile(path());
    unreadable_ = !text && fs.fileExists(path());
    if (!text) {
        // Without its file the list is empty; a file that is there but cannot be read
        // keeps the list of its last reading.
        if (!unreadable_) patterns_.clear();
        return std::nullopt;
    }
    BuddyFile file = parseBuddies(*text);
    patterns_ = std::move(file.patterns);
    if (file.skipped > 0 && reportedFile_ != *text) {
        reportedFile_ = *text;
        v_.setStatus(text::buddyLinesSkipped(file.skipped));
        return text::buddyLinesSkipped(file.skipped);
    }
    return std::nullopt;
}

void BuddyList::write(const std::vector<std::string>& patterns) {
    if (unreadable_) {
        v_.services.dialogs.errorBox(util::cannotOpenFileText(path()));
        return;
    }
    try {
        v_.services.fs.writeFileAtomic(path(), formatBuddies(patterns));
        patterns_ = patterns;
    } catch (const std::exception&) {
        v_.services.dialogs.errorBox(util::cannotCreateFileText(path()));
    }
}

void BuddyList::add(const std::string& playerName) {
    (void)reload();
    const auto added = withBuddy(patterns_, playerName);
    if (!added) {
        if (patterns_.size() >= kMaxBuddies && !isBuddy(playerName)) v_.setStatus(text::kBuddyListFull);
        return;
    }
    v_.playClick();
    write(*added);
    if (patterns_ == *added) v_.setStatus(text::buddyAdded(added->back()));
}

void BuddyList::remove(const std::string& playerName) {
    (void)reload();
    const auto left = withoutBuddy(patterns_, playerName);
    if (!left) return;
    v_.playClick();
    write(*left);
    if (patterns_ == *left) v_.setStatus(text::buddyRemoved(cleanName(playerName)));
}

void markBuddies(ui::ListRow& cells, std::size_t hostColumn, const std::vector<std::string>& names) {
    if (names.empty() || cells.size() <= hostColumn) return;
    ui::ListCell& host = cells[hostColumn];
    host.text = text::kBuddyMark + host.text;
    if (!host.runs.empty()) host.runs.insert(host.runs.begin(), {ui::kClDefault, text::kBuddyMark});
    std::string joined;
    for (const auto& n : names) joined += (joined.empty() ? "" : ", ") + n;
    cells[0].tip = text::buddiesTip(joined);
}

const Player* playerAt(const ServerRow* row, int at) {
    if (!row || !row->showsFacts() || at < 0 || static_cast<std::size_t>(at) >= row->facts.players.size())
        return nullptr;
    return &row->facts.players[static_cast<std::size_t>(at)];
}

std::vector<ui::ListRow> playerCellsMarked(const ServerRow* row, const BuddyList& buddies) {
    if (!row) return {};
    std::vector<ui::ListRow> cells = playerCells(*row);
    const auto& players = row->facts.players;
    for (std::size_t i = 0; i < cells.size() && i < players.size(); ++i)
        if (buddies.isBuddy(players[i].name)) cells[i][0].bold = true;
    return cells;
}

}  // namespace vexal::servers
