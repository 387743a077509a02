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

class WorldRound {
public:
    WorldRound(platform::Network& network, platform::FileSystem& fs);

    // Asks the masters afresh (the rows of the round before are dropped); `gameDir`
    // is where the maps are looked up.
    void start(const MasterSettings& masters, const std::string& gameDir, std::uint64_t now);
    // Moves the round on: lookups, master requests, replies (at most 256 datagrams),
    // paced requests, resends, time-outs. True when a row or a master changed.
    bool poll(std::uint64_t now);
    // Closes the socket: nothing more is sent or read. The rows stay.
    void stop();

    [[nodiscard]] bool running() const { return running_; }
    // The masters have settled and every server listed answered or was given up.
    [[nodiscard]] bool finished() const { return finishedAt_.has_value(); }
    [[nodiscard]] std::optional<std::uint64_t> startedAt() const { return startedAt_; }
    [[nodiscard]] std::optional<std::uint64_t> finishedAt() const { return finishedAt_; }
    // When the first datagram of a master list came.
    [[nodiscard]] std::optional<std::uint64_t> firstListAt() const { return firstListAt_; }

    // The servers listed, blocked ones left out, in the order the masters sent them.
    [[nodiscard]] const std::vector<ServerRow>& rows() const { return rows_; }
    [[nodiscard]] std::size_t answered() const { return answered_; }
    // Players with a ping, on the servers that answered: a ping of 0 is a bot.
    [[nodiscard]] std::size_t humans() const;
    [[nodiscard]] const std::vector<MasterState>& masters() const { return masters_; }
    [[nodiscard]] bool mastersSettled() const;
    // Status requests sent this round, resends included.
    [[nodiscard]] std::size_t requests() const { return requests_; }
    [[nodiscard]] bool blocked(const platform::Endpoint& e, std::uint64_t now) const;

    // Asks one server again (a wait for a free slot), unless it is being asked or
    // was asked less than kMinAskMs ago. True when a request went out.
    bool ask(std::size_t row, std::uint64_t now);
    // When the row's server was last asked, if ever.
    [[nodiscard]] std::optional<std::uint64_t> lastAsked(std::size_t row) const;

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
    bool mapInstalled(const std::string& folder, const std::string& map);

    platform::Network& network_;
    MapIndex maps_;
    std::map<std::string, bool> mapSeen_;  // "folder|map", lower case: one look a round
    std::string gameDir_;
    std::vector<MasterState> masters_;
    BlockList block_;
    ServerSet listed_;
    std::vector<ServerRow> rows_;
    std::vector<Query> queries_;
    std::unordered_map<std::uint64_t, std::size_t> rowOf_;  // by ServerSet::key
    std::size_t nextToAsk_ = 0;
    std::uint64_t nextSendAt_ = 0;
    std::size_t requests_ = 0, answered_ = 0;
    std::optional<std::uint64_t> startedAt_, finishedAt_, firstListAt_;
    bool running_ = false, socketOpen_ = false;
    bool paceIdle_ = true;  // nothing was waiting for its turn at the last poll
};

// "a.b.c.d:port"
[[nodiscard]] std::string endpointText(const platform::Endpoint& e);

}  // namespace vexal::servers
