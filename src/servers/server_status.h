#pragma once
// Asking every server of the +connect lines how it is: all at once, each for
// 800 ms with one resend after 400 ms, driven by polling so the window never
// waits. Replies count only from the address asked and with the challenge sent.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "servers/map_index.h"
#include "servers/server_list.h"
#include "servers/status_reply.h"

namespace vexal::servers {

inline constexpr std::uint64_t kAnswerMs = 800;
inline constexpr std::uint64_t kResendMs = 400;
inline constexpr std::uint64_t kLookupMs = 3000;
inline constexpr std::uint64_t kRefreshMs = 10000;
// No server is asked twice within this time, whoever asks.
inline constexpr std::uint64_t kMinAskMs = 5000;
// Datagrams read in one poll: a flood cannot hold the window.
inline constexpr int kDatagramsPerPoll = 256;

// A challenge of random letters and digits.
[[nodiscard]] std::string randomChallenge();
// A challenge the servers accept: printable, at most 64 characters, none of \ / % ; ".
[[nodiscard]] bool acceptableChallenge(const std::string& challenge);

struct ServerRow {
    enum class State { LookingUp, Asking, Answered, NoAnswer, Problem };
    ServerAddress address;
    State state = State::Problem;
    std::string problem;
    ServerFacts facts;
    int pingMs = 0;
    bool mapInstalled = true;
    // An answer came, in this round or the one before: while the server is asked
    // again, the last answer stays on show rather than a row that blinks.
    bool hasFacts = false;

    [[nodiscard]] bool busy() const { return state == State::LookingUp || state == State::Asking; }
    // What the row shows: a fresh answer, or the last one while it is asked again.
    [[nodiscard]] bool showsFacts() const { return state == State::Answered || (busy() && hasFacts); }
    // No public slot is left (by the answer shown).
    [[nodiscard]] bool full() const;
};

class ServerStatus {
public:
    ServerStatus(platform::Network& network, platform::FileSystem& fs);

    // The folders whose packages hold the maps a server of that mod may need ("" for etmain).
    using MapFolders = std::function<std::vector<std::string>(const std::string& serverMod)>;
    // Asks every server of `commandLines` (see serversOf) afresh; `mapFolders` says
    // where the maps are looked up.
    void start(const std::vector<std::string>& commandLines, MapFolders mapFolders);
    // Moves the round on: lookups, sends, resends, replies, time-outs. True when
    // a row has changed.
    bool poll();
    // Closes the socket and forgets the round: nothing more is sent.
    void stop();

    [[nodiscard]] bool running() const { return running_; }
    // A round is still waiting for lookups or replies.
    [[nodiscard]] bool busy() const;
    [[nodiscard]] bool refreshDue();
    [[nodiscard]] std::uint64_t msUntilRefresh();
    [[nodiscard]] const std::vector<ServerRow>& rows() const { return rows_; }
    [[nodiscard]] std::size_t servers() const { return rows_.size(); }
    [[nodiscard]] std::size_t answered() const;

    // Asks the server of `row` again now, unless it is being asked or was asked
    // less than kMinAskMs ago. True when a request went out.
    bool ask(std::size_t row);
    // When the row's server was last asked (milliseconds of the network's clock), if ever.
    [[nodiscard]] std::optional<std::uint64_t> lastAsked(std::size_t row) const;
    [[nodiscard]] std::uint64_t now() { return network_.milliseconds(); }

    // Makes the challenges; random letters and digits unless a test says otherwise.
    std::function<std::string()> makeChallenge;

private:
    struct Query {
        int lookup = 0;
        std::uint64_t lookupStart = 0;
        platform::Endpoint to;
        std::string challenge;
        std::uint64_t firstSent = 0, lastSent = 0;
        bool resent = false;
    };
    void send(ServerRow& row, Query& q, std::uint64_t now);
    bool received(const platform::Datagram& d, std::uint64_t now);
    void answer(ServerRow& row, const StatusReply& reply);

    platform::Network& network_;
    MapIndex maps_;
    MapFolders mapFolders_;
    std::vector<ServerRow> rows_;
    std::vector<Query> queries_;
    std::uint64_t roundStart_ = 0;
    bool running_ = false, socketOpen_ = false;
};

}  // namespace vexal::servers
