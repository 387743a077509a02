#pragma once
// Waiting on a full server for a free public slot: asks it every 5 s (the status
// rules decide how), joins the moment an answer shows a free slot, gives up after
// 30 minutes. Only the time and the server's row as it stands drive it, so tests
// run it on a clock of their own.
#include <cstdint>
#include <string>

#include "servers/server_status.h"

namespace vexal::servers {

inline constexpr std::uint64_t kWaitAskMs = 5000;
inline constexpr std::uint64_t kWaitGiveUpMs = 30 * 60 * 1000;

class SlotWait {
public:
    // The waited server's row as it stands now.
    enum class Seen { Asking, Full, Free, Other };
    enum class Action { None, Ask, Join, GiveUp };

    void begin(std::string address, std::string hostName, std::uint64_t now);
    void cancel() { active_ = false; }
    [[nodiscard]] bool active() const { return active_; }
    [[nodiscard]] const std::string& address() const { return address_; }
    [[nodiscard]] const std::string& hostName() const { return hostName_; }
    [[nodiscard]] std::uint64_t elapsed(std::uint64_t now) const { return now - started_; }

    // What to do now. `lastAsked`: when the server was last asked by anyone. Join
    // and GiveUp end the wait.
    Action step(std::uint64_t now, std::uint64_t lastAsked, Seen seen);

private:
    bool active_ = false;
    std::string address_, hostName_;
    std::uint64_t started_ = 0;
};

// One step of a wait in either list: `row` is the waited server's as the list holds
// it (nothing when it holds none), `asked` when it was last asked. Asking and
// joining are the list's to do; the status line's words come with Join and GiveUp.
struct WaitStep {
    SlotWait::Action action = SlotWait::Action::None;
    std::string notice;
};
[[nodiscard]] WaitStep stepWait(SlotWait& wait, std::uint64_t now, const ServerRow* row, std::uint64_t asked);

}  // namespace vexal::servers
