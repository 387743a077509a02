#include "platform/fake/fake_network.h"

#include <charconv>

namespace vexal::platform::fake {

std::optional<std::uint32_t> dottedAddress(const std::string& text) {
    std::uint32_t address = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (p == end || *p != '.') return std::nullopt;
            ++p;
        }
        unsigned value = 0;
        const auto [next, ec] = std::from_chars(p, end, value);
        if (ec != std::errc() || next == p || next - p > 3 || value > 255) return std::nullopt;
        address = address << 8 | value;
        p = next;
    }
    if (p != end) return std::nullopt;
    return address;
}

int FakeNetwork::startLookup(const std::string& host) {
    lookups_.push_back(host);
    return static_cast<int>(lookups_.size());
}

LookupState FakeNetwork::lookup(int id, std::uint32_t& address) {
    if (id < 1 || id > static_cast<int>(lookups_.size())) return LookupState::NotFound;
    const std::string& host = lookups_[static_cast<std::size_t>(id - 1)];
    if (const auto dotted = dottedAddress(host)) {
        address = *dotted;
        return LookupState::Found;
    }
    const auto it = names.find(host);
    if (it == names.end()) return LookupState::Pending;
    if (!it->second) return LookupState::NotFound;
    address = *it->second;
    return LookupState::Found;
}

bool FakeNetwork::open() {
    if (refuseSocket) return false;
    open_ = true;
    return true;
}

void FakeNetwork::close() {
    open_ = false;
    inbox.clear();
}

bool FakeNetwork::send(const Endpoint& to, const std::string& bytes) {
    if (!open_) return false;
    sent.push_back({to, bytes, now});
    if (responder) responder(sent.back());
    return true;
}

std::optional<Datagram> FakeNetwork::receive() {
    if (!open_ || inbox.empty()) return std::nullopt;
    Datagram d = std::move(inbox.front());
    inbox.pop_front();
    return d;
}

}  // namespace vexal::platform::fake
