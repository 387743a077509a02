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

std::size_t WorldState::humans() const {
    std::size_t n = 0;
    for (const auto& row : rows)
        if (row.state == ServerRow::State::Answered)
            for (const auto& p : row.facts.players)
                if (p.ping != 0) ++n;
    return n;
}

void WorldRound::start(const MasterSettings& settings, const std::string& gameDir, std::uint64_t now,
                       const std::vector<platform::Endpoint>* known) {
    gameDir_ = gameDir;
    mapSeen_.clear();
    listed_.clear();
    queries_.clear();
    busy_.clear();
    rowOf_.clear();
    nextToAsk_ = 0;
    nextSendAt_ = 0;
    paceIdle_ = true;
    const std::uint64_t rounds = s_.rounds + 1;
    s_ = WorldState{};
    s_.rounds = rounds;
    s_.startedAt = now;
    s_.running = true;
    reshaped_ = true;
    touched_.clear();
    if (!socketOpen_) socketOpen_ = network_.open();
    // Whatever is still on its way belongs to the round before.
    if (socketOpen_)
        for (int i = 0; i < kDatagramsPerPoll && network_.receive(); ++i) {
        }
    if (known) {
        for (const auto& e : listed_.add(*known)) addRow(e);
        if (!socketOpen_) {
            for (auto& row : s_.rows) row.state = State::NoAnswer;
            s_.finishedAt = now;
        }
        poll(now);
        return;
    }
    for (const auto& address : settings.masters) {
        MasterState m;
        m.address = address;
        m.started = now;
        if (socketOpen_)
            m.lookup = network_.startLookup(address.host);
        else
            m.phase = Phase::Silent;
        s_.masters.push_back(std::move(m));
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
    s_.running = false;
    if (socketOpen_) network_.close();
    socketOpen_ = false;
    block_.lookingUp = false;
    for (auto& m : s_.masters)
        if (!m.settled()) m.phase = Phase::Silent;
}

bool WorldRound::mastersSettled() const {
    return std::all_of(s_.masters.begin(), s_.masters.end(), [](const MasterState& m) { return m.settled(); });
}

void WorldRound::copyTo(WorldState& copy) {
    if (reshaped_ || copy.rounds != s_.rounds || copy.rows.size() > s_.rows.size()) {
        copy = s_;
    } else {
        for (const std::size_t i : touched_)
            if (i < copy.rows.size()) {
                copy.rows[i] = s_.rows[i];
                copy.asked[i] = s_.asked[i];
            }
        copy.rows.insert(copy.rows.end(), s_.rows.begin() + static_cast<std::ptrdiff_t>(copy.rows.size()),
                         s_.rows.end());
        copy.asked.assign(s_.asked.begin(), s_.asked.end());
        copy.masters = s_.masters;
        copy.answered = s_.answered;
        copy.requests = s_.requests;
        copy.startedAt = s_.startedAt;
        copy.finishedAt = s_.finishedAt;
        copy.firstListAt = s_.firstListAt;
        copy.running = s_.running;
    }
    reshaped_ = false;
    touched_.clear();
}

std::vector<platform::Endpoint> WorldRound::listedServers() const {
    std::vector<platform::Endpoint> out;
    for (const auto& q : queries_) out.push_back(q.to);
    return out;
}

bool WorldRound::blocked(const platform::Endpoint& e, std::uint64_t now) const {
    return block_.received && now - *block_.received < kBlockValidMs && block_.servers.count(ServerSet::key(e)) != 0;
}

void WorldRound::pollMasters(std::uint64_t now, bool& changed) {
    for (auto& m : s_.masters) {
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
    if (!s_.running || !socketOpen_) return false;
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
    // Only the rows being asked are looked at: a round of 4,096 servers is polled
    // every millisecond or two.
    std::erase_if(busy_, [&](std::size_t i) {
        ServerRow& row = s_.rows[i];
        Query& q = queries_[i];
        if (row.state != State::Asking) return true;
        if (now - q.firstSent >= kAnswerMs) {
            row.state = State::NoAnswer;
            touch(i);
            changed = true;
            return true;
        }
        if (!q.resent && now - q.firstSent >= kResendMs && nextSendAt_ <= now) {
            q.resent = true;
            network_.send(q.to, statusRequest(q.challenge));
            ++s_.requests;
            nextSendAt_ += kPaceMs;
        }
        return false;
    });
    while (nextToAsk_ < s_.rows.size() && nextSendAt_ <= now) {
        sendStatus(nextToAsk_++, now);
        nextSendAt_ += kPaceMs;
    }
    paceIdle_ = nextToAsk_ == s_.rows.size();

    if (!s_.finishedAt && mastersSettled() && nextToAsk_ == s_.rows.size() && busy_.empty()) {
        s_.finishedAt = now;
        changed = true;
    }
    return changed;
}

bool WorldRound::ask(std::size_t i, std::uint64_t now) {
    if (!s_.running || !socketOpen_ || i >= s_.rows.size() || !queries_[i].sent || s_.rows[i].busy() ||
        now - queries_[i].firstSent < kMinAskMs)
        return false;
    if (s_.rows[i].state == State::Answered) --s_.answered;
    queries_[i].resent = false;
    sendStatus(i, now);
    s_.rows[i].state = State::Asking;
    return true;
}

void WorldRound::sendStatus(std::size_t i, std::uint64_t now) {
    Query& q = queries_[i];
    q.challenge = makeChallenge();
    if (!acceptableChallenge(q.challenge)) q.challenge = randomChallenge();
    q.firstSent = now;
    q.sent = true;
    s_.asked[i] = now;
    busy_.push_back(i);
    touch(i);
    network_.send(q.to, statusRequest(q.challenge));
    ++s_.requests;
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
    for (auto& m : s_.masters) {
        if (m.phase == Phase::LookingUp || m.phase == Phase::Silent || !(d.from == m.at)) continue;
        if (s_.finishedAt) return false;  // the round is over: a late list waits for the next one
        const auto reply = parseListReply(d.bytes, kServersResponse, m.at.address, listed_.room());
        if (!reply) continue;
        listed(m, *reply, now);
        return true;
    }
    const auto found = rowOf_.find(ServerSet::key(d.from));
    if (found == rowOf_.end()) return false;
    ServerRow& row = s_.rows[found->second];
    const Query& q = queries_[found->second];
    if (row.state != State::Asking || !q.sent) return false;
    const auto reply = parseStatusReply(d.bytes, q.challenge);
    if (!reply) return false;
    // From the first request: a resend that is answered does not hide the time lost.
    row.pingMs = static_cast<int>(now - q.firstSent);
    answer(row, *reply);
    touch(found->second);
    ++s_.answered;
    return true;
}

void WorldRound::listed(MasterState& m, const ListReply& reply, std::uint64_t now) {
    if (!s_.firstListAt) s_.firstListAt = now;
    m.lastData = now;
    m.phase = reply.endOfList ? Phase::Done : Phase::Listing;
    std::vector<platform::Endpoint> fresh;
    for (const auto& e : reply.entries)
        if (!blocked(e, now)) fresh.push_back(e);
    for (const auto& e : listed_.add(fresh)) {
        addRow(e);
        ++m.servers;
    }
}

void WorldRound::addRow(const platform::Endpoint& e) {
    ServerRow row;
    row.address.host = dotted(e.address);
    row.address.port = e.port;
    row.address.shown = endpointText(e);
    row.state = State::Asking;
    rowOf_[ServerSet::key(e)] = s_.rows.size();
    s_.rows.push_back(std::move(row));
    s_.asked.push_back(0);
    Query q;
    q.to = e;
    queries_.push_back(std::move(q));
}

void WorldRound::applyBlockList(std::uint64_t now) {
    std::vector<ServerRow> rows;
    std::vector<std::uint64_t> asked;
    std::vector<Query> queries;
    std::size_t nextToAsk = 0;
    rowOf_.clear();
    busy_.clear();
    for (std::size_t i = 0; i < s_.rows.size(); ++i) {
        if (blocked(queries_[i].to, now)) {
            if (s_.rows[i].state == State::Answered) --s_.answered;
            continue;
        }
        if (i < nextToAsk_) ++nextToAsk;
        if (queries_[i].sent && s_.rows[i].state == State::Asking) busy_.push_back(rows.size());
        rowOf_[ServerSet::key(queries_[i].to)] = rows.size();
        rows.push_back(std::move(s_.rows[i]));
        asked.push_back(s_.asked[i]);
        queries.push_back(std::move(queries_[i]));
    }
    s_.rows = std::move(rows);
    s_.asked = std::move(asked);
    queries_ = std::move(queries);
    nextToAsk_ = nextToAsk;
    reshaped_ = true;
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
