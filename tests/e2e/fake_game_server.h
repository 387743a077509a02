#pragma once
// A game server stand-in for the end-to-end stories: a UDP socket on 127.0.0.1
// that answers status requests from this machine, with whatever the test says
// (or, given another request, any server of the game: a master).
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace e2e {

class FakeGameServer {
public:
    // The reply to a request with this challenge; an empty one is never sent.
    using Reply = std::function<std::string(const std::string& challenge)>;

    explicit FakeGameServer(Reply reply);
    // Answers the datagrams that begin with `request` (the out-of-band mark
    // included); the reply is handed what follows it.
    FakeGameServer(std::string request, Reply reply);
    ~FakeGameServer();
    FakeGameServer(const FakeGameServer&) = delete;
    FakeGameServer& operator=(const FakeGameServer&) = delete;

    [[nodiscard]] std::uint16_t port() const { return port_; }
    [[nodiscard]] int requests() const { return requests_; }

    // "\xFF\xFF\xFF\xFFstatusResponse\n" + info + "\n" + players.
    [[nodiscard]] static std::string reply(const std::string& info, const std::string& players = "");

private:
    std::string request_;
    Reply reply_;
    std::uintptr_t socket_;
    std::uint16_t port_ = 0;
    std::atomic<int> requests_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace e2e
