#include "servers/server_status.h"

#include <random>

#include "servers/texts.h"
#include "util/case_fold.h"

namespace vexal::servers {

namespace {

using State = ServerRow::State;

}  // namespace

std::string randomChallenge() {
    static std::mt19937 engine{std::random_device{}()};
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kAlphabet) - 2);
    std::string s;
    for (std::size_t i = 0; i < kChallengeLength; ++i) s += kAlphabet[pick(engine)];
    return s;
}

bool acceptableChallenge(const std::string& c) {
    if (c.empty() || c.size() > 64) return false;
    for (const char ch : c)
        if (ch <= ' ' || ch > '~' || ch == '\\' || ch == '/' || ch == '%' || ch == ';' || ch == '"') return false;
    return true;
}

ServerStatus::ServerStatus(platform::Network& network, platform::FileSystem& fs)
    : makeChallenge(randomChallenge), network_(network), maps_(fs) {}

bool ServerRow::full() const {
    return showsFacts() && facts.maxPlayers && static_cast<int>(facts.players.size()) >= *facts.maxPlayers;
}

void ServerStatus::start(const std::vector<std::string>& commandLines, MapFolders mapFolders) {
    mapFolders_ = std::move(mapFolders);
    std::vector<ServerRow> before = std::move(rows_);
    std::vector<Query> asked = std::move(queries_);
    rows_.clear();
    queries_.clear();
    running_ = true;
    roundStart_ = network_.milliseconds();
    if (!socketOpen_) socketOpen_ = network_.open();
    // Replies still on their way belong to the round before and carry its challenges.
    if (socketOpen_)
        for (int i = 0; i < kDatagramsPerPoll && network_.receive(); ++i) {
        }
    for (auto& address : serversOf(commandLines)) {
        ServerRow row;
        row.address = std::move(address);
        Query q;
        std::size_t old = 0;
        while (old < before.size() &&
               util::asciiLowerCase(before[old].address.shown) != util::asciiLowerCase(row.address.shown))
            ++old;
        if (old < before.size() && socketOpen_ && !asked[old].challenge.empty() &&
            roundStart_ - asked[old].firstSent < kMinAskMs) {
            // Asked a moment ago (a wait for a free slot asks on its own): that stands.
            before[old].address.line = row.address.line;
            rows_.push_back(std::move(before[old]));
            queries_.push_back(std::move(asked[old]));
            continue;
        }
        if (old < before.size() && before[old].hasFacts) {
            row.facts = before[old].facts;
            row.pingMs = before[old].pingMs;
            row.mapInstalled = before[old].mapInstalled;
            row.hasFacts = true;
        }
        if (!row.address.problem.empty()) {
            row.problem = row.address.problem;
        } else if (!socketOpen_) {
            row.problem = text::kNoNetwork;
        } else {
            row.state = State::LookingUp;
            q.lookup = network_.startLookup(row.address.host);
            q.lookupStart = roundStart_;
        }
        rows_.push_back(std::move(row));
        queries_.push_back(std::move(q));
    }
    poll();
}

void ServerStatus::stop() {
    running_ = false;
    rows_.clear();
    queries_.clear();
    if (socketOpen_) network_.close();
    socketOpen_ = false;
}

bool ServerStatus::busy() const {
    for (const auto& row : rows_)
        if (row.state == State::LookingUp || row.state == State::Asking) return true;
    return false;
}

bool ServerStatus::refreshDue() { return running_ && !busy() && msUntilRefresh() == 0; }

std::uint64_t ServerStatus::msUntilRefresh() {
    const std::uint64_t elapsed = network_.milliseconds() - roundStart_;
    return elapsed >= kRefreshMs ? 0 : kRefreshMs - elapsed;
}

std::size_t ServerStatus::answered() const {
    std::size_t n = 0;
    for (const auto& row : rows_)
        if (row.state == State::Answered) ++n;
    return n;
}

bool ServerStatus::ask(std::size_t i) {
    if (!running_ || !socketOpen_ || i >= rows_.size()) return false;
    ServerRow& row = rows_[i];
    Query& q = queries_[i];
    const std::uint64_t now = network_.milliseconds();
    if (row.busy() || q.challenge.empty() || now - q.firstSent < kMinAskMs) return false;
    // A new query: a new challenge, so that a late reply to the last one is no answer to this one.
    q.challenge.clear();
    q.resent = false;
    send(row, q, now);
    return true;
}

std::optional<std::uint64_t> ServerStatus::lastAsked(std::size_t i) const {
    if (i >= queries_.size() || queries_[i].challenge.empty()) return std::nullopt;
    return queries_[i].firstSent;
}

void ServerStatus::send(ServerRow& row, Query& q, std::uint64_t now) {
    if (q.challenge.empty()) {
        q.challenge = makeChallenge();
        if (!acceptableChallenge(q.challenge)) q.challenge = randomChallenge();
        q.firstSent = now;
    }
    q.lastSent = now;
    network_.send(q.to, statusRequest(q.challenge));
    row.state = State::Asking;
}

bool ServerStatus::poll() {
    if (!running_ || !socketOpen_) return false;
    const std::uint64_t now = network_.milliseconds();
    bool changed = false;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        ServerRow& row = rows_[i];
        Query& q = queries_[i];
        if (row.state == State::LookingUp) {
            std::uint32_t address = 0;
            const auto state = network_.lookup(q.lookup, address);
            if (state == platform::LookupState::Found) {
                if (neverAsked(address)) {
                    row.state = State::Problem;
                    row.problem = exampleAddress(address) ? text::kExampleAddress : text::kBadHost;
                } else {
                    q.to = {address, row.address.port};
                    send(row, q, now);
                }
                changed = true;
            } else if (state == platform::LookupState::NotFound || now - q.lookupStart >= kLookupMs) {
                row.state = State::Problem;
                row.problem = text::kNotFound;
                changed = true;
            }
        }
    }
    for (int n = 0; n < kDatagramsPerPoll; ++n) {
        const auto datagram = network_.receive();
        if (!datagram) break;
        changed = received(*datagram, network_.milliseconds()) || changed;
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        ServerRow& row = rows_[i];
        Query& q = queries_[i];
        if (row.state != State::Asking) continue;
        if (now - q.firstSent >= kAnswerMs) {
            row.state = State::NoAnswer;
            changed = true;
        } else if (!q.resent && now - q.firstSent >= kResendMs) {
            q.resent = true;
            send(row, q, now);
        }
    }
    return changed;
}

bool ServerStatus::received(const platform::Datagram& d, std::uint64_t now) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        ServerRow& row = rows_[i];
        Query& q = queries_[i];
        if (row.state != State::Asking || !(q.to == d.from)) continue;
        const auto reply = parseStatusReply(d.bytes, q.challenge);
        if (!reply) continue;
        row.pingMs = static_cast<int>(now - q.lastSent);
        answer(row, *reply);
        return true;
    }
    return false;
}

void ServerStatus::answer(ServerRow& row, const StatusReply& reply) {
    row.state = State::Answered;
    row.hasFacts = true;
    row.facts = factsOf(reply);
    row.mapInstalled = true;
    if (!row.facts.map.empty() && mapFolders_) {
        row.mapInstalled = false;
        for (const auto& folder : mapFolders_(row.facts.modFolder))
            if (maps_.has(folder, row.facts.map)) {
                row.mapInstalled = true;
                break;
            }
    }
}

}  // namespace vexal::servers
