#pragma once
// Every server in the world, asked once: the masters for their lists (and
// ET:Legacy's for the servers it blocks), then each server listed with the
// status query, paced so that a round of 4,096 servers stays a trickle of
// 500 requests a second. Driven by polling on a clock the caller passes in, so
// the window never waits and tests run it on a clock of their own.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/platform.h"
#include "servers/map_index.h"
#include "servers/master_list.h"
#include "servers/server_status.h"

namespace vexal::servers {

// One status request every 2 ms at most, whoever is asked, resends included.
inline constexpr std::uint64_t kPaceMs = 2;
// A poll that comes late may catch up this much of the pace at once, and no more:
// time with nothing to ask never turns into a burst.
inline constexpr std::uint64_t kPaceCatchUpMs = 20;
inline constexpr std::uint64_t kMasterResendMs = 2000;
inline constexpr std::uint64_t kMasterGiveUpMs = 5000;
// A master that sent part of its list and then nothing for this long has said all.
inline constexpr std::uint64_t kMasterQuietMs = 2000;
inline constexpr std::uint64_t kBlockAskEveryMs = 30000;
inline constexpr std::uint64_t kBlockAnswerMs = 4000;
inline constexpr std::uint64_t kBlockValidMs = 5 * 60 * 1000;

struct MasterState {
    enum class Phase { LookingUp, Asked, Listing, Done, Silent };
    MasterAddress address;
    Phase phase = Phase::LookingUp;
    platform::Endpoint at;
    int lookup = 0;
    std::uint64_t started = 0, asked = 0, lastData = 0;
    bool resent = false;
    std::size_t servers = 0;  // entries it gave that were new to the round
    [[nodiscard]] bool settled() const { return phase == Phase::Done || phase == Phase::Silent; }
};

// What a round has found so far, as the window shows it. The round keeps one and
// brings a copy up to date (copyTo), so that it may run on a thread of its own
// while the window reads the copy.
struct WorldState {
    // The servers listed, blocked ones left out, in the order the masters sent them.
    std::vector<ServerRow> rows;
    std::vector<std::uint64_t> asked;  // when each row's server was last asked; 0: not yet
    std::vector<MasterState> masters;
    std::size_t answered = 0;
    std::size_t requests = 0;  // status requests sent this round, resends included
    std::optional<std::uint64_t> startedAt, finishedAt;
    std::optional<std::uint64_t> firstListAt;  // when the first datagram of a master list came
    bool running = false;
    std::uint64_t rounds = 0;  // rounds started so far
    // The masters have settled and every server listed answered or was given up.
    [[nodiscard]] bool finished() const { return finishedAt.has_value(); }
    // Players with a ping, on the servers that answered: a ping of 0 is a bot.
    [[nodiscard]] std::size_t humans() const;
};

class WorldRound {
public:
    WorldRound(platform::Network& network, platform::FileSystem& fs);

    // Asks the masters afresh (the rows of the round before are dropped); `gameDir`
    // is where the maps are looked up. With `known`, those servers are asked and
    // no master is.
    void start(const MasterSettings& masters, const std::string& gameDir, std::uint64_t now,
               const std::vector<platform::Endpoint>* known = nullptr);
    // Moves the round on: lookups, master requests, replies (at most 256 datagrams),
    // paced requests, resends, time-outs. True when a row or a master changed.
    bool poll(std::uint64_t now);
    // Closes the socket: nothing more is sent or read. The rows stay.
    void stop();

    [[nodiscard]] const WorldState& state() const { return s_; }
    // Brings `copy` up to date with the round: the rows changed since the last copy
    // made from this round, or everything when the rows were reshaped.
    void copyTo(WorldState& copy);
    // The servers of this round, as the next may ask them again without a master.
    [[nodiscard]] std::vector<platform::Endpoint> listedServers() const;

    [[nodiscard]] bool running() const { return s_.running; }
    [[nodiscard]] bool finished() const { return s_.finished(); }
    [[nodiscard]] std::optional<std::uint64_t> startedAt() const { return s_.startedAt; }
    [[nodiscard]] std::optional<std::uint64_t> finishedAt() const { return s_.finishedAt; }
    [[nodiscard]] std::optional<std::uint64_t> firstListAt() const { return s_.firstListAt; }
    [[nodiscard]] const std::vector<ServerRow>& rows() const { return s_.rows; }
    [[nodiscard]] std::size_t answered() const { return s_.answered; }
    [[nodiscard]] std::size_t humans() const { return s_.humans(); }
    [[nodiscard]] const std::vector<MasterState>& masters() const { return s_.masters; }
    [[nodiscard]] bool mastersSettled() const;
    [[nodiscard]] std::size_t requests() const { return s_.requests; }
    [[nodiscard]] bool blocked(const platform::Endpoint& e, std::uint64_t now) const;

    // Asks one server again (a wait for a free slot), unless it is being asked or
    // was asked less than kMinAskMs ago. True when a request went out.
    bool ask(std::size_t row, std::uint64_t now);

    // Makes the challenges; random letters and digits unless a test says otherwise.
    std::function<std::string()> makeChallenge;

private:
    struct Query {
        platform::Endpoint to;
        std::string challenge;
        std::uint64_t firstSent = 0;
        bool sent = false, resent = false;
    };
    struct BlockList {
        std::optional<MasterAddress> master;
        platform::Endpoint at;
        int lookup = 0;
        bool lookingUp = false;
        std::optional<std::uint64_t> asked, received;
        std::unordered_set<std::uint64_t> servers;
    };
    void pollMasters(std::uint64_t now, bool& changed);
    void pollBlockList(std::uint64_t now);
    bool received(const platform::Datagram& d, std::uint64_t now);
    void listed(MasterState& master, const ListReply& reply, std::uint64_t now);
    void applyBlockList(std::uint64_t now);
    void sendStatus(std::size_t row, std::uint64_t now);
    void answer(ServerRow& row, const StatusReply& reply);
    void addRow(const platform::Endpoint& e);
    void touch(std::size_t row) { touched_.push_back(row); }
    bool mapInstalled(const std::string& folder, const std::string& map);

    platform::Network& network_;
    MapIndex maps_;
    std::map<std::string, bool> mapSeen_;  // "folder|map", lower case: one look a round
    std::string gameDir_;
    WorldState s_;
    BlockList block_;
    ServerSet listed_;
    std::vector<Query> queries_;
    std::vector<std::size_t> busy_;                         // the rows being asked, in the order they were
    std::vector<std::size_t> touched_;                      // rows changed since the last copy
    bool reshaped_ = true;                                  // rows went or moved: the next copy is whole
    std::unordered_map<std::uint64_t, std::size_t> rowOf_;  // by ServerSet::key
    std::size_t nextToAsk_ = 0;
    std::uint64_t nextSendAt_ = 0;
    bool socketOpen_ = false;
    bool paceIdle_ = true;  // nothing was waiting for its turn at the last poll
};

// "a.b.c.d:port"
[[nodiscard]] std::string endpointText(const platform::Endpoint& e);

}  // namespace vexal::servers
