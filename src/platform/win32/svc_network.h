#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::platform::win32 {

// Winsock behind the network interface: a non-blocking UDP socket, and name
// lookups on threads of their own whose results wait to be collected.
class Win32Network final : public Network {
public:
    Win32Network();
    ~Win32Network() override;
    Win32Network(const Win32Network&) = delete;
    Win32Network& operator=(const Win32Network&) = delete;

    int startLookup(const std::string& host) override;
    LookupState lookup(int id, std::uint32_t& address) override;
    bool open() override;
    void close() override;
    bool send(const Endpoint& to, const std::string& bytes) override;
    std::optional<Datagram> receive() override;
    std::uint64_t milliseconds() override;
    bool runsOnAnyThread() const override { return true; }

    struct Lookup;

private:
    bool startup();
    bool started_ = false;
    std::uintptr_t socket_;
    std::vector<char> buffer_;
    int nextId_ = 0;
    std::map<int, std::shared_ptr<Lookup>> lookups_;
};

}  // namespace vexal::platform::win32
