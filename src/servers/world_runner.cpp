#include "servers/world_runner.h"

#include <chrono>

namespace vexal::servers {

namespace {

// Twice the pace: a request is never more than a millisecond late.
constexpr auto kRoundTick = std::chrono::milliseconds(1);
// Once every server answered, the round only waits for the asks of a slot wait.
constexpr auto kIdleTick = std::chrono::milliseconds(20);

}  // namespace

WorldRunner::WorldRunner(platform::Network& network, platform::FileSystem& fs)
    : network_(network), threaded_(network.runsOnAnyThread()), round_(network, fs) {}

WorldRunner::~WorldRunner() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void WorldRunner::start(const MasterSettings& masters, const std::string& gameDir, bool reuseServers) {
    {
        std::lock_guard lock(mutex_);
        const auto known = round_.listedServers();
        round_.start(masters, gameDir, network_.milliseconds(), reuseServers && !known.empty() ? &known : nullptr);
        // The window's copy is the new round's at once: the one before must not be taken for it.
        round_.copyTo(copy_);
        changed_ = false;
    }
    if (threaded_ && !thread_.joinable()) thread_ = std::thread([this] { run(); });
    wake_.notify_all();
}

void WorldRunner::stop() {
    {
        std::lock_guard lock(mutex_);
        round_.stop();
        round_.copyTo(copy_);
        changed_ = false;
    }
}

bool WorldRunner::ask(std::size_t row) {
    bool asked = false;
    {
        std::lock_guard lock(mutex_);
        asked = round_.ask(row, network_.milliseconds());
        changed_ = changed_ || asked;
    }
    wake_.notify_all();
    return asked;
}

bool WorldRunner::update() {
    // The window never waits for a poll under way (its datagrams read and sent): the
    // copy is taken at the next tick.
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock) return false;
    if (!threaded_) changed_ = round_.poll(network_.milliseconds()) || changed_;
    if (!changed_) return false;
    changed_ = false;
    round_.copyTo(copy_);
    return true;
}

void WorldRunner::run() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (!round_.running()) {
            wake_.wait(lock);
            continue;
        }
        changed_ = round_.poll(network_.milliseconds()) || changed_;
        // The window takes its copy and asks between two polls.
        wake_.wait_for(lock, round_.finished() ? kIdleTick : kRoundTick);
    }
}

}  // namespace vexal::servers
