#pragma once
// When the buddy watch asks whom: the saved and recent servers every minute, the
// whole world every five (its masters at most every ten), nothing while the game
// is in front, and the first round of each after the watch is switched on says
// nothing. Runs on the clock it is handed, so tests step through hours at once.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vexal::servers {

struct WatchTimes {
    std::uint64_t savedMs = 60 * 1000;
    std::uint64_t worldMs = 5 * 60 * 1000;
    std::uint64_t mastersMs = 10 * 60 * 1000;
    friend bool operator==(const WatchTimes&, const WatchTimes&) = default;
};

// The times for tests only: VEXAL_TEST_WATCH_MS names the saved round's time in
// milliseconds (100 to 60000), the world's and the masters' follow at 5 and 10
// times it. Anything else leaves the real times.
inline constexpr const char* kWatchTimesVariable = "VEXAL_TEST_WATCH_MS";
[[nodiscard]] WatchTimes watchTimes(std::string_view variable);

class WatchSchedule {
public:
    enum class Source { Saved, World };

    explicit WatchSchedule(WatchTimes times = {}) : times_(times) {}
    [[nodiscard]] const WatchTimes& times() const { return times_; }

    // Switched on: a round of each source is due at once, and says nothing.
    void start(std::uint64_t now);
    void stop() { on_ = false; }
    [[nodiscard]] bool on() const { return on_; }

    // Whether a round of `source` starts now; never while the game is in front.
    [[nodiscard]] bool due(Source source, std::uint64_t now, bool gameInFront) const;
    void begun(Source source, std::uint64_t now);
    // The round was cut short (the game came to the front): it is due again at once.
    void abandoned(Source source);
    // The round is over; true when what it found is to be said (not the first
    // round of its source since the watch was switched on).
    [[nodiscard]] bool finished(Source source);

    // Whether this world round asks the masters afresh, or the list they gave last serves.
    [[nodiscard]] bool mastersDue(std::uint64_t now) const;
    void mastersAsked(std::uint64_t now) { mastersAsked_ = now; }

    // Milliseconds until a round of `source` is next due (0: due now).
    [[nodiscard]] std::uint64_t msUntilDue(Source source, std::uint64_t now) const;

private:
    struct State {
        std::optional<std::uint64_t> begun;
        bool spoken = false;  // a round has finished since the start: the next ones speak
    };
    [[nodiscard]] std::uint64_t interval(Source s) const {
        return s == Source::Saved ? times_.savedMs : times_.worldMs;
    }

    WatchTimes times_;
    bool on_ = false;
    std::array<State, 2> state_{};
    std::optional<std::uint64_t> mastersAsked_;
};

}  // namespace vexal::servers
