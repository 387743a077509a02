#include "servers/watch_schedule.h"

#include <charconv>
#include <cstddef>

namespace vexal::servers {

WatchTimes watchTimes(std::string_view variable) {
    std::uint64_t ms = 0;
    const auto [end, ec] = std::from_chars(variable.data(), variable.data() + variable.size(), ms);
    if (variable.empty() || ec != std::errc() || end != variable.data() + variable.size() || ms < 100 || ms > 60000)
        return {};
    return {ms, ms * 5, ms * 10};
}

void WatchSchedule::start(std::uint64_t now) {
    (void)now;
    on_ = true;
    state_ = {};
}

std::uint64_t WatchSchedule::msUntilDue(Source s, std::uint64_t now) const {
    const State& st = state_[static_cast<std::size_t>(s)];
    if (!st.begun) return 0;
    const std::uint64_t elapsed = now - *st.begun;
    return elapsed >= interval(s) ? 0 : interval(s) - elapsed;
}

bool WatchSchedule::due(Source source, std::uint64_t now, bool gameInFront) const {
    return on_ && !gameInFront && msUntilDue(source, now) == 0;
}

void WatchSchedule::begun(Source source, std::uint64_t now) { state_[static_cast<std::size_t>(source)].begun = now; }

void WatchSchedule::abandoned(Source source) { state_[static_cast<std::size_t>(source)].begun.reset(); }

bool WatchSchedule::finished(Source source) {
    State& st = state_[static_cast<std::size_t>(source)];
    const bool speaks = st.spoken;
    st.spoken = true;
    return speaks;
}

bool WatchSchedule::mastersDue(std::uint64_t now) const {
    return !mastersAsked_ || now - *mastersAsked_ >= times_.mastersMs;
}

}  // namespace vexal::servers
