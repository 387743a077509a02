#include "servers/slot_wait.h"

#include "servers/texts.h"

namespace vexal::servers {

void SlotWait::begin(std::string address, std::string hostName, std::uint64_t now) {
    active_ = true;
    address_ = std::move(address);
    hostName_ = std::move(hostName);
    started_ = now;
}

SlotWait::Action SlotWait::step(std::uint64_t now, std::uint64_t lastAsked, Seen seen) {
    if (!active_) return Action::None;
    if (seen == Seen::Free) {
        active_ = false;
        return Action::Join;
    }
    if (now - started_ >= kWaitGiveUpMs) {
        active_ = false;
        return Action::GiveUp;
    }
    if (seen != Seen::Asking && now - lastAsked >= kWaitAskMs) return Action::Ask;
    return Action::None;
}

WaitStep stepWait(SlotWait& wait, std::uint64_t now, const ServerRow* row, std::uint64_t asked) {
    SlotWait::Seen seen = SlotWait::Seen::Other;
    if (row && row->busy())
        seen = SlotWait::Seen::Asking;
    else if (row && row->state == ServerRow::State::Answered)
        seen = row->full() ? SlotWait::Seen::Full : SlotWait::Seen::Free;
    const std::string host = wait.hostName();
    WaitStep out{.action = wait.step(now, row ? asked : 0, seen), .notice = {}};
    if (out.action == SlotWait::Action::Join) out.notice = text::slotFree(host);
    if (out.action == SlotWait::Action::GiveUp) out.notice = text::gaveUp(host);
    return out;
}

}  // namespace vexal::servers
