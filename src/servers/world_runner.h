#pragma once
// The round of every server, run where its pace cannot suffer from the window: on
// a thread of its own that polls it every millisecond, while the window takes a
// copy of what changed when it has time (a busy window only shows the rows later;
// the requests still go out every 2 ms). Where the network must stay on one
// thread (a test's scripted network and clock), the window's polls drive the
// round themselves.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "servers/world_round.h"

namespace vexal::servers {

class WorldRunner {
public:
    WorldRunner(platform::Network& network, platform::FileSystem& fs);
    ~WorldRunner();
    WorldRunner(const WorldRunner&) = delete;
    WorldRunner& operator=(const WorldRunner&) = delete;

    // A new round; with `reuseServers` the servers of the round before are asked
    // again without a master (the masters when there were none).
    void start(const MasterSettings& masters, const std::string& gameDir, bool reuseServers = false);
    void stop();
    // A server asked again (a wait for a free slot): see WorldRound::ask.
    bool ask(std::size_t row);
    // Brings the copy the window reads up to date; true when it changed.
    bool update();
    [[nodiscard]] const WorldState& state() const { return copy_; }
    [[nodiscard]] std::uint64_t now() { return network_.milliseconds(); }
    [[nodiscard]] bool threaded() const { return threaded_; }

private:
    void run();

    platform::Network& network_;
    const bool threaded_;
    std::mutex mutex_;
    std::condition_variable wake_;
    WorldRound round_;      // under mutex_
    bool changed_ = false;  // under mutex_: the round changed since the last copy
    bool quit_ = false;     // under mutex_
    WorldState copy_;       // the window's
    std::thread thread_;
};

}  // namespace vexal::servers
