#include "servers/buddy_watch.h"

#include <algorithm>

#include "util/case_fold.h"

namespace vexal::servers {

namespace {
// Replies are read this often while a round is under way.
constexpr std::uint64_t kRoundStepMs = 20;
}  // namespace

void BuddyWatch::setSource(Source source, WatchSource functions) {
    State& s = sources_[index(source)];
    if (s.running && s.functions.stop) s.functions.stop();
    s = State{};
    s.functions = std::move(functions);
}

void BuddyWatch::start(std::uint64_t now) {
    schedule_.start(now);
    pacer_.clear();
    for (State& s : sources_) s.seen.clear();
}

void BuddyWatch::stop() {
    schedule_.stop();
    pacer_.clear();
    for (State& s : sources_) {
        if (s.running && s.functions.stop) s.functions.stop();
        s.running = false;
        s.seen.clear();
    }
}

std::vector<Sighting> BuddyWatch::finish(State& state, const std::vector<std::string>& patterns) {
    std::vector<Sighting> now;
    std::vector<std::string> silent;  // servers that did not answer this time
    for (const WatchRow& row : state.functions.rows()) {
        if (row.facts) {
            for (Sighting& s : sightingsOf(patterns, row.server, *row.facts)) now.push_back(std::move(s));
        } else {
            silent.push_back(util::asciiLowerCase(row.server));
        }
    }
    // A server whose answer got lost keeps what it showed last: its buddies did not
    // leave, and must not arrive again with the next answer.
    for (const Sighting& s : state.seen)
        if (std::find(silent.begin(), silent.end(), s.server) != silent.end()) now.push_back(s);
    // New is new to every source: the world sees the saved servers too.
    std::vector<Sighting> before;
    for (const State& other : sources_) before.insert(before.end(), other.seen.begin(), other.seen.end());
    std::vector<Sighting> arrived = arrivals(before, now);
    state.seen = std::move(now);
    return arrived;
}

void BuddyWatch::abandon(Source source) {
    sources_[index(source)].running = false;
    schedule_.abandoned(source);
}

BuddyWatch::Said BuddyWatch::step(std::uint64_t now, bool gameInFront, const std::vector<std::string>& patterns) {
    Said said;
    if (!schedule_.on()) return said;
    std::vector<Sighting> spoken;
    for (const Source source : {Source::Saved, Source::World}) {
        State& s = sources_[index(source)];
        if (!s.functions.start) continue;
        if (s.running && gameInFront) {
            // Not one more packet while the player is in the game.
            s.functions.stop();
            s.running = false;
            schedule_.abandoned(source);
            continue;
        }
        if (!s.running && schedule_.due(source, now, gameInFront)) {
            const bool masters = source == Source::World && schedule_.mastersDue(now);
            if (masters) schedule_.mastersAsked(now);
            schedule_.begun(source, now);
            s.running = true;
            s.functions.start(masters);
        }
        if (!s.running || !s.functions.poll()) continue;
        s.running = false;
        const std::vector<Sighting> arrived = finish(s, patterns);
        if (schedule_.finished(source)) spoken.insert(spoken.end(), arrived.begin(), arrived.end());
    }
    spoken = arrivals({}, spoken);  // both sources may have seen the same arrival
    if (!spoken.empty()) {
        said.status = arrivalText(spoken);
        pacer_.add(spoken);
    }
    if (!gameInFront) said.balloon = pacer_.due(now);
    return said;
}

std::uint64_t BuddyWatch::msUntilStep(std::uint64_t now) const {
    std::uint64_t wait = schedule_.times().savedMs;
    for (const Source source : {Source::Saved, Source::World}) {
        const State& s = sources_[index(source)];
        if (!s.functions.start) continue;
        wait = std::min(wait, s.running ? kRoundStepMs : schedule_.msUntilDue(source, now));
    }
    if (pacer_.waiting()) wait = std::min<std::uint64_t>(wait, 1000);
    return std::max<std::uint64_t>(wait, kRoundStepMs);
}

}  // namespace vexal::servers
