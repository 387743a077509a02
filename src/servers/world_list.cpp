#include "servers/world_list.h"

#include <unordered_map>

#include "servers/texts.h"
#include "util/case_fold.h"

namespace vexal::servers {

namespace {

bool filterCharacter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

}  // namespace

void WorldList::refresh(const std::vector<ServerRow>& rows, const HaveMod& haveMod, bool keepOrder) {
    std::vector<std::size_t> passing;
    std::vector<bool> passes_(rows.size(), false);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (passes(rows[i], filter, haveMod)) {
            passing.push_back(i);
            passes_[i] = true;
        }
    if (keepOrder) {
        std::unordered_map<std::string, std::size_t> byKey;
        for (std::size_t i = 0; i < rows.size(); ++i) byKey.emplace(rows[i].address.shown, i);
        std::vector<bool> placed(rows.size(), false);
        shown_.clear();
        for (const auto& key : keys_) {
            const auto it = byKey.find(key);
            if (it == byKey.end() || !passes_[it->second] || placed[it->second]) continue;
            placed[it->second] = true;
            shown_.push_back(it->second);
        }
        for (const std::size_t i : passing)
            if (!placed[i]) shown_.push_back(i);
    } else if (sortColumn >= 0) {
        shown_ = worldOrder(rows, passing, sortColumn, descending);
    } else {
        shown_ = std::move(passing);
    }
    keys_.clear();
    keys_.reserve(shown_.size());
    for (const std::size_t i : shown_) keys_.push_back(rows[i].address.shown);
}

bool WorldList::type(char c) {
    if (!filterCharacter(c)) return false;
    filter.text += c;
    return true;
}

bool WorldList::backspace() {
    if (filter.text.empty()) return false;
    filter.text.pop_back();
    return true;
}

bool WorldList::escape() {
    if (filter.text.empty()) return false;
    filter.text.clear();
    return true;
}

void WorldList::select(int at, const std::vector<ServerRow>& rows) {
    if (at < 0 || static_cast<std::size_t>(at) >= shown_.size() ||
        shown_[static_cast<std::size_t>(at)] >= rows.size()) {
        selected_.clear();
        return;
    }
    selected_ = rows[shown_[static_cast<std::size_t>(at)]].address.shown;
}

int WorldList::selectedAt() const {
    if (selected_.empty()) return -1;
    for (std::size_t at = 0; at < keys_.size(); ++at)
        if (keys_[at] == selected_) return static_cast<int>(at);
    return -1;
}

std::string WorldList::filterStatus(std::size_t total) const {
    return text::filterStatus(filter.text, shown_.size(), total);
}

std::string roundStatus(const WorldState& round) {
    // A round without masters asks the servers of the round before.
    if (round.masters.empty() && round.rows.empty()) return text::kNoMasters;
    std::string silent;
    for (const auto& m : round.masters)
        if (m.phase == MasterState::Phase::Silent) silent += (silent.empty() ? "" : ", ") + m.address.shown;
    if (!round.finished()) {
        if (round.rows.empty()) return text::kAskingMasters;
        return text::asking(round.rows.size());
    }
    if (round.rows.empty() && !silent.empty()) return text::noMasterAnswered(silent);
    std::string s = text::answered(round.answered, round.rows.size()) + text::players(round.humans());
    if (!silent.empty()) s += text::silentMasters(silent);
    return s;
}

}  // namespace vexal::servers
