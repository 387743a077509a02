#include "servers/world_round.h"

#include <algorithm>

#include "servers/server_list.h"
#include "util/case_fold.h"

namespace vexal::servers {

namespace {

using State = ServerRow::State;
using Phase = MasterState::Phase;

}  // namespace

std::string endpointText(const platform::Endpoint& e) { return dotted(e.address) + ":" + std::to_string(e.port); }

WorldRound::WorldRound(platform::Network& network, platform::FileSystem& fs)
    : makeChallenge(randomChallenge), network_(network), maps_(fs) {}

void WorldRound::start(const MasterSettings& settings, const std::string& gameDir, std::uint64_t now) {
    gameDir_ = gameDir;
    mapSeen_.clear();
    masters_.clear();
    listed_.clear();
    rows_.clear();
    queries_.clear();
    rowOf_.clear();
    nextToAsk_ = 0;
    nextSendAt_ = 0;
    paceIdle_ = true;
    requests_ = answered_ = 0;
    startedAt_ = now;
    finishedAt_.reset();
    firstListAt_.reset();
    running_ = true;
    if (!socketOpen_) socketOpen_ = network_.open();
    // Whatever is still on its way belongs to the round before.
    if (socketOpen_)
        for (int i = 0; i < kDatagramsPerPoll && network_.receive(); ++i) {
        }
    for (const auto& address : settings.masters) {
        MasterState m;
        m.address = address;
        m.started = now;
        if (socketOpen_)
            m.lookup = network_.startLookup(address.host);
        else
            m.phase = Phase::Silent;
        masters_.push_back(std::move(m));
    }
    // The blocked servers are asked for at most every 30 s, and only of one master.
    if (settings.blockList && socketOpen_ && (!block_.asked || now - *block_.asked >= kBlockAskEveryMs)) {
        if (!(block_.master == settings.blockList)) block_.received.reset();
        block_.master = settings.blockList;
        block_.lookup = network_.startLookup(settings.blockList->host);
        block_.lookingUp = true;
        block_.asked = now;
    }
    poll(now);
}

void WorldRound::stop() {
    running_ = false;
    if (socketOpen_) network_.close();
    socketOpen_ = false;
    block_.lookingUp = false;
    for (auto& m : masters_)
        if (!m.settled()) m.phase = Phase::Silent;
}

bool WorldRound::mastersSettled() const {
    return std::all_of(masters_.begin(), masters_.end(), [](const MasterState& m) { return m.settled(); });
}

std::size_t WorldRound::humans() const {
    std::size_t n = 0;
    for (const auto& row : rows_)
        if (row.state == State::Answered)
            for (const auto& p : row.facts.players)
                if (p.ping != 0) ++n;
    return n;
}

bool WorldRound::blocked(const platform::Endpoint& e, std::uint64_t now) const {
    return block_.received && now - *block_.received < kBlockValidMs && block_.servers.count(ServerSet::key(e)) != 0;
}

void WorldRound::pollMasters(std::uint64_t now, bool& changed) {
    for (auto& m : masters_) {
        switch (m.phase) {
            case Phase::LookingUp: {
                std::uint32_t address = 0;
                const auto state = network_.lookup(m.lookup, address);
                if (state == platform::LookupState::Found && !unreachable(address)) {
                    m.at = {address, m.address.port};
                    m.asked = now;
                    m.phase = Phase::Asked;
                    network_.send(m.at, serversRequest());
                } else if (state != platform::LookupState::Pending || now - m.started >= kMasterGiveUpMs) {
                    m.phase = Phase::Silent;
                    changed = true;
                }
                break;
            }
            case Phase::Asked:
                if (now - m.asked >= kMasterGiveUpMs) {
                    m.phase = Phase::Silent;
                    changed = true;
                } else if (!m.resent && now - m.asked >= kMasterResendMs) {
                    m.resent = true;
                    network_.send(m.at, serversRequest());
                }
                break;
            case Phase::Listing:
                if (now - m.lastData >= kMasterQuietMs) {
                    m.phase = Phase::Done;
                    changed = true;
                }
                break;
            case Phase::Done:
            case Phase::Silent:
                break;
        }
    }
}

void WorldRound::pollBlockList(std::uint64_t now) {
    if (!block_.lookingUp) return;
    std::uint32_t address = 0;
    const auto state = network_.lookup(block_.lookup, address);
    if (state == platform::LookupState::Pending && now - *block_.asked < kBlockAnswerMs) return;
    block_.lookingUp = false;
    if (state != platform::LookupState::Found || unreachable(address)) return;
    block_.at = {address, block_.master->port};
    // The 4 s for the answer run from the request itself.
    block_.asked = now;
    network_.send(block_.at, blockedRequest());
}

bool WorldRound::poll(std::uint64_t now) {
    if (!running_ || !socketOpen_) return false;
    bool changed = false;
    pollMasters(now, changed);
    pollBlockList(now);
    for (int n = 0; n < kDatagramsPerPoll; ++n) {
        const auto datagram = network_.receive();
        if (!datagram) break;
        changed = received(*datagram, now) || changed;
    }

    // Resends first, so that a slow server's second chance is on time; then the
    // servers not asked yet, as long as the pace allows.
    nextSendAt_ = std::max(nextSendAt_, paceIdle_ || now < kPaceCatchUpMs ? now : now - kPaceCatchUpMs);
    for (std::size_t i = 0; i < nextToAsk_; ++i) {
        ServerRow& row = rows_[i];
        Query& q = queries_[i];
        if (row.state != State::Asking || !q.sent) continue;
        if (now - q.firstSent >= kAnswerMs) {
            row.state = State::NoAnswer;
            changed = true;
        } else if (!q.resent && now - q.firstSent >= kResendMs && nextSendAt_ <= now) {
            q.resent = true;
            network_.send(q.to, statusRequest(q.challenge));
            ++requests_;
            nextSendAt_ += kPaceMs;
        }
    }
    while (nextToAsk_ < rows_.size() && nextSendAt_ <= now) {
        sendStatus(nextToAsk_++, now);
        nextSendAt_ += kPaceMs;
    }
    paceIdle_ = nextToAsk_ == rows_.size();

    if (!finishedAt_ && mastersSettled() && nextToAsk_ == rows_.size() &&
        std::none_of(rows_.begin(), rows_.end(), [](const ServerRow& r) { return r.busy(); })) {
        finishedAt_ = now;
        changed = true;
    }
    return changed;
}

bool WorldRound::ask(std::size_t i, std::uint64_t now) {
    if (!running_ || !socketOpen_ || i >= rows_.size() || !queries_[i].sent || rows_[i].busy() ||
        now - queries_[i].firstSent < kMinAskMs)
        return false;
    if (rows_[i].state == State::Answered) --answered_;
    queries_[i].resent = false;
    sendStatus(i, now);
    rows_[i].state = State::Asking;
    return true;
}

std::optional<std::uint64_t> WorldRound::lastAsked(std::size_t i) const {
    if (i >= queries_.size() || !queries_[i].sent) return std::nullopt;
    return queries_[i].firstSent;
}

void WorldRound::sendStatus(std::size_t i, std::uint64_t now) {
    Query& q = queries_[i];
    q.challenge = makeChallenge();
    if (!acceptableChallenge(q.challenge)) q.challenge = randomChallenge();
    q.firstSent = now;
    q.sent = true;
    network_.send(q.to, statusRequest(q.challenge));
    ++requests_;
}

bool WorldRound::received(const platform::Datagram& d, std::uint64_t now) {
    // A reply counts only from where the request went.
    if (block_.asked && block_.at.port != 0 && d.from == block_.at && now - *block_.asked < kBlockAnswerMs) {
        if (const auto reply = parseListReply(d.bytes, kBlockedResponse, d.from.address)) {
            // A new list replaces the one before; its further datagrams add to it.
            if (!block_.received || *block_.received < *block_.asked) block_.servers.clear();
            block_.received = now;
            for (const auto& e : reply->entries) block_.servers.insert(ServerSet::key(e));
            applyBlockList(now);
            return true;
        }
    }
    for (auto& m : masters_) {
        if (m.phase == Phase::LookingUp || m.phase == Phase::Silent || !(d.from == m.at)) continue;
        if (finishedAt_) return false;  // the round is over: a late list waits for the next one
        const auto reply = parseListReply(d.bytes, kServersResponse, m.at.address, listed_.room());
        if (!reply) continue;
        listed(m, *reply, now);
        return true;
    }
    const auto found = rowOf_.find(ServerSet::key(d.from));
    if (found == rowOf_.end()) return false;
    ServerRow& row = rows_[found->second];
    const Query& q = queries_[found->second];
    if (row.state != State::Asking || !q.sent) return false;
    const auto reply = parseStatusReply(d.bytes, q.challenge);
    if (!reply) return false;
    // From the first request: a resend that is answered does not hide the time lost.
    row.pingMs = static_cast<int>(now - q.firstSent);
    answer(row, *reply);
    ++answered_;
    return true;
}

void WorldRound::listed(MasterState& m, const ListReply& reply, std::uint64_t now) {
    if (!firstListAt_) firstListAt_ = now;
    m.lastData = now;
    m.phase = reply.endOfList ? Phase::Done : Phase::Listing;
    std::vector<platform::Endpoint> fresh;
    for (const auto& e : reply.entries)
        if (!blocked(e, now)) fresh.push_back(e);
    for (const auto& e : listed_.add(fresh)) {
        ServerRow row;
        row.address.host = dotted(e.address);
        row.address.port = e.port;
        row.address.shown = endpointText(e);
        row.state = State::Asking;
        rowOf_[ServerSet::key(e)] = rows_.size();
        rows_.push_back(std::move(row));
        Query q;
        q.to = e;
        queries_.push_back(std::move(q));
        ++m.servers;
    }
}

void WorldRound::applyBlockList(std::uint64_t now) {
    std::vector<ServerRow> rows;
    std::vector<Query> queries;
    std::size_t nextToAsk = 0;
    rowOf_.clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (blocked(queries_[i].to, now)) {
            if (rows_[i].state == State::Answered) --answered_;
            continue;
        }
        if (i < nextToAsk_) ++nextToAsk;
        rowOf_[ServerSet::key(queries_[i].to)] = rows.size();
        rows.push_back(std::move(rows_[i]));
        queries.push_back(std::move(queries_[i]));
    }
    rows_ = std::move(rows);
    queries_ = std::move(queries);
    nextToAsk_ = nextToAsk;
}

bool WorldRound::mapInstalled(const std::string& folder, const std::string& map) {
    const std::string key = util::asciiLowerCase(folder + "|" + map);
    const auto it = mapSeen_.find(key);
    if (it != mapSeen_.end()) return it->second;
    const bool has = maps_.has(gameDir_ + "\\" + folder, map);
    mapSeen_[key] = has;
    return has;
}

void WorldRound::answer(ServerRow& row, const StatusReply& reply) {
    row.state = State::Answered;
    row.hasFacts = true;
    row.facts = factsOf(reply);
    row.mapInstalled = true;
    if (!row.facts.map.empty())
        row.mapInstalled = mapInstalled("etmain", row.facts.map) ||
                           (!row.facts.modFolder.empty() && mapInstalled(row.facts.modFolder, row.facts.map));
}

}  // namespace vexal::servers
