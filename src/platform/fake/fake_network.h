#pragma once
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace vexal::platform::fake {

// A scripted network: names resolve from a table (dotted addresses at once), every
// datagram sent is recorded, and replies are queued by the test or by a responder
// that sees each datagram as it is sent. Time moves only when the test moves it.
class FakeNetwork : public Network {
public:
    struct Sent {
        Endpoint to;
        std::string bytes;
        std::uint64_t at = 0;
    };

    // Names the lookups know: an address, or nothing for a name that does not
    // resolve. A name missing here stays pending for ever.
    std::map<std::string, std::optional<std::uint32_t>> names;
    bool refuseSocket = false;
    std::uint64_t now = 100000;
    std::vector<Sent> sent;
    std::deque<Datagram> inbox;
    std::function<void(const Sent&)> responder;

    [[nodiscard]] bool isOpen() const { return open_; }
    [[nodiscard]] int lookupsStarted() const { return static_cast<int>(lookups_.size()); }

    int startLookup(const std::string& host) override;
    LookupState lookup(int id, std::uint32_t& address) override;
    bool open() override;
    void close() override;
    bool send(const Endpoint& to, const std::string& bytes) override;
    std::optional<Datagram> receive() override;
    std::uint64_t milliseconds() override { return now; }

private:
    bool open_ = false;
    std::vector<std::string> lookups_;
};

// "a.b.c.d" as a host-order address, or nothing.
[[nodiscard]] std::optional<std::uint32_t> dottedAddress(const std::string& text);

}  // namespace vexal::platform::fake
