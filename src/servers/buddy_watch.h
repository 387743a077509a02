#pragma once
// The buddy watch: rounds of its sources on the schedule, what each round saw of
// the buddies, who is new since the round before, the status line's words and
// the balloons. A source is handed in as functions (the saved servers' status;
// the world's round service plugs in the same way), so the watch knows nothing of
// sockets and tests drive it with scripted rounds on a clock of their own.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "servers/buddies.h"
#include "servers/status_reply.h"
#include "servers/watch_schedule.h"

namespace vexal::servers {

// One server of a finished round.
struct WatchRow {
    std::string server;          // "host:port"
    const ServerFacts* facts{};  // nothing when it did not answer this round
};

struct WatchSource {
    // Starts a round; the world is told whether to ask its masters afresh.
    std::function<void(bool askMasters)> start;
    // Moves the round on (sends, resends, replies); true once it is over.
    std::function<bool()> poll;
    // The servers of the round just finished.
    std::function<std::vector<WatchRow>()> rows;
    // Nothing more is sent: the socket closes.
    std::function<void()> stop;
};

class BuddyWatch {
public:
    using Source = WatchSchedule::Source;

    explicit BuddyWatch(WatchTimes times = {}) : schedule_(times), pacer_(times.savedMs) {}

    void setSource(Source source, WatchSource functions);
    [[nodiscard]] bool hasSource(Source source) const { return bool(sources_[index(source)].functions.start); }

    void start(std::uint64_t now);
    void stop();
    [[nodiscard]] bool on() const { return schedule_.on(); }

    // What one step of the watch has to say.
    struct Said {
        std::string status;  // arrivals of a round just finished, for the status line
        std::optional<BalloonPacer::Balloon> balloon;
    };
    // Starts the rounds that are due, moves those under way on, reads the ones that
    // ended. While the game is in front a round under way is stopped and none starts.
    Said step(std::uint64_t now, bool gameInFront, const std::vector<std::string>& patterns);
    // When the next step is needed: soon while a round runs, else when the next is due.
    [[nodiscard]] std::uint64_t msUntilStep(std::uint64_t now) const;
    [[nodiscard]] bool running(Source source) const { return sources_[index(source)].running; }
    // The round under way was stopped from outside: due again at once.
    void abandon(Source source);
    [[nodiscard]] const WatchSchedule& schedule() const { return schedule_; }

private:
    struct State {
        WatchSource functions;
        bool running = false;
        std::vector<Sighting> seen;  // what its last finished round saw
    };
    static std::size_t index(Source s) { return static_cast<std::size_t>(s); }
    std::vector<Sighting> finish(State& state, const std::vector<std::string>& patterns);

    WatchSchedule schedule_;
    BalloonPacer pacer_;
    std::array<State, 2> sources_{};
};

}  // namespace vexal::servers
