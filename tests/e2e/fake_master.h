#pragma once
// A master server stand-in for the end-to-end stories: a socket on 127.0.0.1 that
// answers "getservers" from this machine with the ports it is given, all on
// 127.0.0.1, in one datagram that ends with the end mark.
#include <cstdint>
#include <vector>

#include "e2e/fake_game_server.h"

namespace e2e {

class FakeMaster {
public:
    explicit FakeMaster(const std::vector<std::uint16_t>& ports);

    [[nodiscard]] std::uint16_t port() const { return socket_.port(); }
    [[nodiscard]] int requests() const { return socket_.requests(); }

private:
    FakeGameServer socket_;
};

}  // namespace e2e
