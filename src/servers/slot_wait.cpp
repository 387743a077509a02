#include "servers/slot_wait.h"

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

}  // namespace vexal::servers
