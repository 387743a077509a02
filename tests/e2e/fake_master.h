#pragma once
// A master server stand-in for the end-to-end stories: a UDP socket on 127.0.0.1
// that answers "getservers" from this machine with the ports it is given, all on
// 127.0.0.1, in one datagram that ends with the end mark.
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace e2e {

class FakeMaster {
public:
    explicit FakeMaster(std::vector<std::uint16_t> ports);
    ~FakeMaster();
    FakeMaster(const FakeMaster&) = delete;
    FakeMaster& operator=(const FakeMaster&) = delete;

    [[nodiscard]] std::uint16_t port() const { return port_; }
    [[nodiscard]] int requests() const { return requests_; }

private:
    std::vector<std::uint16_t> ports_;
    std::uintptr_t socket_;
    std::uint16_t port_ = 0;
    std::atomic<int> requests_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace e2e
