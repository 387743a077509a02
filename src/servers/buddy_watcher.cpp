#include "servers/buddy_watcher.h"

#include <algorithm>

#include "servers/texts.h"
#include "settings/paths.h"
#include "util/case_fold.h"

namespace vexal::servers {

BuddyWatcher::BuddyWatcher(view::MainView& view, BuddyList& buddies, Hooks hooks)
    : v_(view),
      buddies_(buddies),
      hooks_(std::move(hooks)),
      status_(view.services.network, view.services.fs),
      watch_(watchTimes(view.services.process.environment(kWatchTimesVariable))) {
    watch_.setSource(BuddyWatch::Source::Saved,
                     {.start = [this](bool) { startSaved(); },
                      .poll = [this] { return pollSaved(); },
                      .rows =
                          [this] {
                              rows_.clear();
                              for (const ServerRow& row : (borrowed_ ? *borrowed_ : status_).rows())
                                  rows_.push_back({row.address.shown,
                                                   row.state == ServerRow::State::Answered ? &row.facts : nullptr});
                              return rows_;
                          },
                      .stop = [this] { status_.stop(); }});
    v_.tmBuddies.setEnabled(false);
}

void BuddyWatcher::load() { switchOn(v_.setting(settings::key::watchBuddies)); }

void BuddyWatcher::toggle() {
    v_.playClick();
    const bool on = !watch_.on();
    settings::write(v_.config.doc(), settings::key::watchBuddies, on);
    v_.saveSettings();
    switchOn(on);
}

void BuddyWatcher::switchOn(bool on) {
    if (on == watch_.on()) return;
    if (on) {
        (void)buddies_.reload();
        watch_.start(v_.services.network.milliseconds());
        tick();
    } else {
        stop();
    }
}

void BuddyWatcher::stop() {
    watch_.stop();
    status_.stop();
    v_.tmBuddies.setEnabled(false);
}

void BuddyWatcher::yieldNetwork() {
    if (!status_.running()) return;
    status_.stop();
    watch_.abandon(BuddyWatch::Source::Saved);
}

bool BuddyWatcher::pollSaved() {
    if (borrowed_) {
        if (hooks_.listStatus() == borrowed_) return !borrowed_->busy();
        // The list closed under the round: the watch asks for itself.
        startSaved();
        return false;
    }
    status_.poll();
    return !status_.busy();
}

void BuddyWatcher::startSaved() {
    (void)buddies_.reload();
    borrowed_ = hooks_.listStatus();
    if (borrowed_) return;  // the list asks the same servers every 10 s
    // The saved lines as they are now, and the servers joined last.
    std::vector<std::string> commandLines;
    for (const std::string& line : v_.lboxParam.items().all()) commandLines.push_back(hooks_.commandLineOf(line));
    const auto file = v_.services.fs.readFile(v_.programDir + settings::kRecentFile);
    for (const auto& r : file ? util::parseRecent(*file) : std::vector<util::RecentServer>{})
        commandLines.push_back("+connect " + r.address);
    status_.start(commandLines, [&v = v_](const std::string& mod) { return v.mapFolders(mod); });
}

bool BuddyWatcher::gameInFront() {
    const std::string front = v_.services.hotkeys.foregroundProgram();
    return !front.empty() && !v_.gameDir.empty() &&
           util::sameName(front, v_.gameDir + "\\" + settings::programFile(v_.gameProgram));
}

void BuddyWatcher::tick() {
    if (!watch_.on()) return;
    const bool inFront = gameInFront();
    const BuddyWatch::Said said = watch_.step(v_.services.network.milliseconds(), inFront, buddies_.patterns());
    // A round's socket stays open only while the round runs.
    if (!watch_.running(BuddyWatch::Source::Saved) && status_.running()) status_.stop();
    if (!said.status.empty()) v_.setStatus(" " + said.status);
    if (said.balloon) {
        balloonServer_ = said.balloon->server;
        balloonInWorld_ = std::none_of(rows_.begin(), rows_.end(),
                                       [&](const WatchRow& r) { return util::sameName(r.server, balloonServer_); });
        if (v_.ctrayIcon.visible())
            v_.ctrayIcon.showBalloon(text::kBalloonTitle, said.balloon->text);
        else
            v_.flash();
    }
    arm();
}

void BuddyWatcher::arm() {
    v_.tmBuddies.interval = static_cast<int>(watch_.msUntilStep(v_.services.network.milliseconds()));
    v_.tmBuddies.setEnabled(true);
}

void BuddyWatcher::balloonClicked() {
    if (balloonServer_.empty()) return;
    if (balloonInWorld_ && hooks_.openWorldAt)
        hooks_.openWorldAt(balloonServer_);
    else
        hooks_.openAt(balloonServer_);
}

}  // namespace vexal::servers
