// Buddies: the list file, the match, who is new since the last round, the balloon's
// words and pace, and the watch's schedule on a clock of the test's own.
#include "servers/buddies.h"

#include <gtest/gtest.h>

#include "servers/buddy_watch.h"
#include "servers/watch_schedule.h"

namespace vexal::testing {

using namespace servers;

namespace {

ServerFacts facts(std::vector<std::string> names, int slots = 20) {
    ServerFacts f;
    f.hostName = "Red Base";
    f.map = "oasis";
    f.maxPlayers = slots;
    for (auto& n : names) f.players.push_back({0, 50, cleanName(n), n});
    return f;
}

Sighting seen(const std::string& server, const std::string& buddy) {
    return {server, buddy, "Red Base", "oasis", "2/20"};
}

}  // namespace

TEST(BuddyFile, LinesAreSkippedAndCountedByTheRules) {
    const std::string longest(64, 'x'), tooLong(65, 'x');
    std::string many;
    for (int i = 0; i < 205; ++i) many += "p" + std::to_string(i) + "\r\n";
    const struct {
        const char* what;
        std::string file;
        std::vector<std::string> patterns;
        std::size_t skipped;
    } cases[] = {
        {"CR LF lines", "Bob\r\n*tom*\r\n", {"Bob", "*tom*"}, 0},
        {"LF, CR and no end on the last line", "a\nb\rc", {"a", "b", "c"}, 0},
        {"an empty line in the middle", "a\r\n\r\nb\r\n", {"a", "b"}, 1},
        {"64 characters is a pattern, 65 is not", longest + "\r\n" + tooLong + "\r\n", {longest}, 1},
        {"a tab or DEL is a control character", "a\tb\r\nc\x7F\r\nd\r\n", {"d"}, 2},
        {"high bytes are letters of the code page", "J\xE4ger\r\n", {"J\xE4ger"}, 0},
        {"a repeat in other letter case is left out, not counted", "Bob\r\nBOB\r\nbob\r\n", {"Bob"}, 0},
        {"the 201st good line on is skipped", many, {}, 5},
        {"an empty file", "", {}, 0},
    };
    for (const auto& c : cases) {
        const BuddyFile f = parseBuddies(c.file);
        if (std::string(c.what) == "the 201st good line on is skipped") {
            EXPECT_EQ(f.patterns.size(), kMaxBuddies) << c.what;
            EXPECT_EQ(f.patterns.back(), "p199") << c.what;
        } else {
            EXPECT_EQ(f.patterns, c.patterns) << c.what;
        }
        EXPECT_EQ(f.skipped, c.skipped) << c.what;
        EXPECT_EQ(parseBuddies(formatBuddies(f.patterns)).patterns, f.patterns) << c.what << ": reads back";
    }
    EXPECT_EQ(formatBuddies({"a", "b"}), "a\r\nb\r\n");
}

TEST(BuddyMatch, ColourCodesAndCaseAreIgnoredAndAStarIsAnyRun) {
    const struct {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        {"Bob", "Bob", true},
        {"Bob", "^1B^7ob", true},
        {"bob", "BOB", true},
        {"^4Bob", "^4Bob", false},  // the pattern is taken as written
        {"Bob", "Bobby", false},
        {"Bob", "xBob", false},
        {"Bob*", "Bobby", true},
        {"*bob", "^2Big^7Bob", true},
        {"*bob*", "the bobcat", true},
        {"b*b", "bb", true},
        {"b*b", "b", false},
        {"*", "anyone", true},
        {"**a**", "a", true},
        {"a*b*c", "axxbyyc", true},
        {"a*b*c", "axxbyy", false},
        {"*ab", "aab", true},
        {"[ABC]*", "[abc]Tom", true},
        {"?", "x", false},  // no other wildcard: a question mark is itself
        {"\xC4rger", "\xE4RGER", true},
        {"", "", false},
        {"^", "^^1", true},  // a caret before a caret is the caret itself
        {"^^", "^^", true},
    };
    for (const auto& c : cases) EXPECT_EQ(buddyMatches(c.pattern, c.name), c.match) << c.pattern << " / " << c.name;
}

TEST(BuddyList, AddingTakesTheCleanNameAndRemovingTakesEveryPatternThatMatches) {
    EXPECT_EQ(withBuddy({}, "^1Big^7Bob"), (std::vector<std::string>{"BigBob"}));
    EXPECT_EQ(withBuddy({"*bob"}, "BigBob"), std::nullopt) << "named already";
    EXPECT_EQ(withBuddy({}, std::string(80, 'x')), (std::vector<std::string>{std::string(63, 'x') + "*"}));
    EXPECT_TRUE(buddyMatches(withBuddy({}, std::string(80, 'x'))->front(), std::string(80, 'x')));
    EXPECT_EQ(withBuddy({}, "^7"), std::nullopt) << "a name with no character left";
    std::vector<std::string> full;
    for (std::size_t i = 0; i < kMaxBuddies; ++i) full.push_back("p" + std::to_string(i));
    EXPECT_EQ(withBuddy(full, "Bob"), std::nullopt) << "at most 200";

    EXPECT_EQ(withoutBuddy({"Bob", "*ob", "Tom", "B*"}, "^3Bob"), (std::vector<std::string>{"Tom"}));
    EXPECT_EQ(withoutBuddy({"Tom"}, "Bob"), std::nullopt);
}

TEST(BuddyArrivals, OnlyWhoIsNewSinceTheLastRoundAndTheBalloonSaysIt) {
    const struct {
        const char* what;
        std::vector<Sighting> before, now;
        std::vector<Sighting> arrived;
    } cases[] = {
        {"nobody new", {seen("a:1", "Bob")}, {seen("a:1", "Bob")}, {}},
        {"one arrives", {}, {seen("a:1", "Bob")}, {seen("a:1", "Bob")}},
        {"moving to another server is arriving there",
         {seen("a:1", "Bob")},
         {seen("b:2", "Bob")},
         {seen("b:2", "Bob")}},
        {"letter case of the name is the same buddy", {seen("a:1", "bob")}, {seen("a:1", "BOB")}, {}},
        {"a name twice on one server arrives once", {}, {seen("a:1", "Bob"), seen("a:1", "Bob")}, {seen("a:1", "Bob")}},
        {"leaving is not said", {seen("a:1", "Bob")}, {}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(arrivals(c.before, c.now), c.arrived) << c.what;

    const auto onServer = sightingsOf({"*bob"}, "Host:27960", facts({"^1Big^7Bob", "Tom", "bob"}));
    ASSERT_EQ(onServer.size(), 2u);
    EXPECT_EQ(onServer[0], (Sighting{"host:27960", "BigBob", "Red Base", "oasis", "3/20"}));
    EXPECT_EQ(arrivalText({onServer[0]}), "BigBob is playing on Red Base (oasis, 3/20)");
    EXPECT_EQ(arrivalText(onServer), "BigBob and 1 more buddy are playing");
    EXPECT_EQ(arrivalText({seen("a:1", "A"), seen("a:1", "B"), seen("b:1", "C")}), "A and 2 more buddies are playing");
    Sighting bare{"10.0.0.1:27960", "Bob", "", "", "1"};
    EXPECT_EQ(arrivalText({bare}), "Bob is playing on 10.0.0.1:27960 (1)");
}

TEST(BuddyBalloons, AtMostOneAMinuteAndWhatWaitedIsSaidTogether) {
    BalloonPacer pacer;
    EXPECT_EQ(pacer.due(0), std::nullopt) << "nothing to say";
    pacer.add({seen("a:1", "Bob")});
    auto first = pacer.due(1000);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, "Bob is playing on Red Base (oasis, 2/20)");
    EXPECT_EQ(first->server, "a:1");
    pacer.add({seen("b:1", "Tom")});
    EXPECT_EQ(pacer.due(30000), std::nullopt) << "within the minute";
    pacer.add({seen("c:1", "Ann"), seen("b:1", "Tom")});
    EXPECT_EQ(pacer.due(60999), std::nullopt);
    const auto second = pacer.due(61000);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->text, "Tom and 1 more buddy are playing") << "held ones together, each once";
    EXPECT_EQ(second->server, "b:1");
    EXPECT_EQ(pacer.due(200000), std::nullopt) << "said once";
}

TEST(WatchSchedule, SavedEveryMinuteWorldEveryFiveMastersEveryTenNothingWhileTheGameIsInFront) {
    using S = WatchSchedule::Source;
    EXPECT_EQ(watchTimes(""), WatchTimes{});
    EXPECT_EQ(watchTimes("2000"), (WatchTimes{2000, 10000, 20000}));
    for (const char* bad : {"50", "60001", "2s", "-1", " 200"}) EXPECT_EQ(watchTimes(bad), WatchTimes{}) << bad;

    WatchSchedule w;
    EXPECT_FALSE(w.due(S::Saved, 0, false)) << "off until switched on";
    w.start(1000);
    EXPECT_TRUE(w.due(S::Saved, 1000, false));
    EXPECT_TRUE(w.due(S::World, 1000, false));
    EXPECT_FALSE(w.due(S::Saved, 1000, true)) << "the game is in front";
    w.begun(S::Saved, 1000);
    w.begun(S::World, 1000);
    EXPECT_TRUE(w.mastersDue(1000));
    w.mastersAsked(1000);
    EXPECT_FALSE(w.finished(S::Saved)) << "the first round says nothing";
    EXPECT_FALSE(w.finished(S::World));
    EXPECT_EQ(w.msUntilDue(S::Saved, 31000), 30000u);
    EXPECT_FALSE(w.due(S::Saved, 60999, false));
    EXPECT_TRUE(w.due(S::Saved, 61000, false));
    w.begun(S::Saved, 61000);
    EXPECT_TRUE(w.finished(S::Saved)) << "the second round speaks";
    EXPECT_FALSE(w.due(S::World, 300999, false));
    EXPECT_TRUE(w.due(S::World, 301000, false));
    EXPECT_FALSE(w.mastersDue(301000)) << "the masters' list of five minutes ago serves";
    EXPECT_TRUE(w.mastersDue(601000));
    w.abandoned(S::World);
    EXPECT_TRUE(w.due(S::World, 301001, false)) << "a round cut short is due again at once";
    w.stop();
    w.start(700000);
    EXPECT_FALSE(w.finished(S::Saved)) << "switched on again: silent again";
}

// A scripted source: each round finishes at the next step with the rows set.
struct ScriptedSource {
    std::vector<std::pair<std::string, std::optional<ServerFacts>>> servers;
    int started = 0, stopped = 0, withMasters = 0;
    bool running = false, slow = false;
    std::vector<WatchRow> rowsOut;
    WatchSource functions() {
        return {.start =
                    [this](bool masters) {
                        ++started;
                        withMasters += masters;
                        running = true;
                    },
                .poll = [this] { return running && !slow; },
                .rows =
                    [this] {
                        running = false;
                        rowsOut.clear();
                        for (auto& [server, f] : servers) rowsOut.push_back({server, f ? &*f : nullptr});
                        return rowsOut;
                    },
                .stop =
                    [this] {
                        ++stopped;
                        running = false;
                    }};
    }
};

TEST(BuddyWatch, ArrivalsBetweenRoundsAreSaidOnceAndTheFirstRoundIsSilent) {
    using S = WatchSchedule::Source;
    const std::vector<std::string> patterns{"Bob", "Ann"};
    ScriptedSource saved, world;
    saved.servers = {{"a:1", facts({"Bob"})}, {"b:1", facts({"Tom"})}};
    world.servers = {{"a:1", facts({"Bob"})}, {"c:1", facts({})}};
    BuddyWatch watch;
    watch.setSource(S::Saved, saved.functions());
    watch.setSource(S::World, world.functions());
    watch.start(0);
    auto said = watch.step(0, false, patterns);
    EXPECT_EQ(said.status, "") << "Bob was there when the watch began";
    EXPECT_FALSE(said.balloon);
    EXPECT_EQ(saved.started, 1);
    EXPECT_EQ(world.withMasters, 1);

    // Ann joins b:1; the saved round a minute later finds her.
    saved.servers[1].second = facts({"Tom", "^1Ann"});
    EXPECT_EQ(watch.step(30000, false, patterns).status, "") << "not due yet";
    said = watch.step(60000, false, patterns);
    EXPECT_EQ(said.status, "Ann is playing on Red Base (oasis, 2/20)");
    ASSERT_TRUE(said.balloon);
    EXPECT_EQ(said.balloon->server, "b:1");

    // A lost answer does not make Bob leave and arrive again.
    saved.servers[0].second.reset();
    EXPECT_EQ(watch.step(120000, false, patterns).status, "");
    saved.servers[0].second = facts({"Bob"});
    EXPECT_EQ(watch.step(180000, false, patterns).status, "");

    // The world's round finds Ann on c:1 too (she moved): said, but the balloon waits out its minute.
    world.servers[1].second = facts({"Ann"});
    said = watch.step(300000, false, patterns);
    EXPECT_EQ(said.status, "Ann is playing on Red Base (oasis, 1/20)");
    EXPECT_EQ(world.withMasters, 1) << "masters at most every ten minutes";
    EXPECT_TRUE(said.balloon) << "a minute after the last balloon";

    // The game comes to the front while a round runs: it stops, and nothing starts until it leaves.
    saved.slow = true;
    watch.step(420000, false, patterns);
    EXPECT_TRUE(watch.running(S::Saved));
    EXPECT_EQ(watch.msUntilStep(420000), 20u) << "replies are read while a round runs";
    watch.step(420100, true, patterns);
    EXPECT_EQ(saved.stopped, 1);
    EXPECT_FALSE(watch.running(S::Saved));
    const int started = saved.started;
    watch.step(600000, true, patterns);
    EXPECT_EQ(saved.started, started) << "nothing sent while the game is in front";
    watch.step(600100, false, patterns);
    EXPECT_EQ(saved.started, started + 1) << "due at once when the game leaves";
}

}  // namespace vexal::testing
