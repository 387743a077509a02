// The list of every server and Quick Join on the headless window, with a scripted
// world on the round's own network.
#include <gtest/gtest.h>

#include "servers/texts.h"
#include "support/zip_directory.h"
#include "unit/fake_world.h"
#include "unit/window_fixture.h"

namespace vexal::testing {

namespace {

constexpr std::uint32_t kLocal = 0x7F000001;

class WorldViewTest : public WindowTest {
protected:
    platform::fake::FakeNetwork& net = fake.worldNetwork;
    FakeWorld world{net};
    const platform::Endpoint master{kLocal, 27950};
    std::vector<platform::Endpoint> servers;

    void SetUp() override {
        WindowTest::SetUp();
        fake.fs.addDirectory(std::string(kGame) + "\\etpro");
        auto& m = world.master(master);
        m.list = world.populate(kLocal, 30000, 5, 20, 20);
        servers = m.list;
        // 0: 3 humans on oasis; 1: 9 humans, a password; 2: full; 3: empty, etpro; 4: jaymod (not here)
        const char* infos[] = {"\\sv_hostname\\^1Red ^7Oasis\\mapname\\oasis\\sv_maxclients\\20\\g_gametype\\2",
                               "\\sv_hostname\\Locked\\mapname\\oasis\\sv_maxclients\\20\\g_needpass\\1",
                               "\\sv_hostname\\Packed\\mapname\\radar\\sv_maxclients\\2",
                               "\\sv_hostname\\Quiet\\mapname\\oasis\\sv_maxclients\\20\\gamename\\etpro",
                               "\\sv_hostname\\Jay\\mapname\\radar\\sv_maxclients\\20\\gamename\\jaymod"};
        const int humans[] = {3, 9, 2, 0, 12};
        for (std::size_t i = 0; i < servers.size(); ++i) {
            world.server(servers[i]).info = infos[i];
            for (int p = 0; p < humans[i]; ++p)
                world.server(servers[i]).players +=
                    "1 " + std::to_string(40 + p) + " \"Player" + std::to_string(p) + "\"\n";
        }
        fake.fs.addFile(std::string(kGame) + "\\etmain\\pak0.pk3", zipWith({"maps/oasis.bsp"}));
        settingsFile("[ET-Nickname]\r\nnick=Tom\r\n\r\n[Masters]\r\nMaster1=127.0.0.1:27950\r\n\r\n");
        start();
    }
    void after(std::uint64_t ms) {
        for (std::uint64_t t = 0; t < ms; t += 10) {
            world.advance(10);
            run([&] { form->world.poll(); });
        }
    }
    [[nodiscard]] std::vector<std::string> hosts() const {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < form->lvWorld.rowCount(); ++r) out.push_back(form->lvWorld.rowAt(r)[1].text);
        return out;
    }
    std::vector<std::string> etStarts() const {
        std::vector<std::string> out;
        for (const auto& call : fake.shell.calls)
            if (call.file == "et.exe") out.push_back(call.params);
        return out;
    }
    void key(int k) {
        run([&] { form->lvWorld.keyDown(k); });
    }
    void type(const std::string& text) {
        for (char c : text) run([&] { form->lvWorld.keyPress(c); });
    }
};

}  // namespace

TEST_F(WorldViewTest, F6ListsTheWorldFiltersKeepTheirSettingsAndF5AsksAgain) {
    EXPECT_TRUE(net.sent.empty()) << "nothing is sent before F6";
    run([&] { form->onCommand(Cmd::AllServers); });
    EXPECT_TRUE(form->lvWorld.visible());
    EXPECT_EQ(form->stInfo.caption(), servers::text::kAskingMasters);
    after(1000);
    EXPECT_EQ(form->stInfo.caption(), " 5 of 5 servers answered, 26 players");
    EXPECT_EQ(hosts(), (std::vector<std::string>{"Red Oasis", "Locked", "Packed", "Quiet", "Jay"}));
    EXPECT_EQ(form->lvWorld.rowAt(0)[3].text, "3/20");
    EXPECT_EQ(form->lvWorld.rowAt(0)[7].text, "Single-Map Objective");
    EXPECT_EQ(form->lvPlayers.rows().size(), 3u) << "the first row's players, a tick after the list filled";

    type("oas");
    EXPECT_EQ(form->stInfo.caption(), " Filter: oas  -  3 of 5 servers") << "host names and maps";
    type(" r");
    EXPECT_EQ(form->stInfo.caption(), " Filter: oasr  -  0 of 5 servers") << "a blank is no filter's";
    key(0x08);
    key(0x1B);
    EXPECT_EQ(hosts().size(), 5u) << "Escape clears the filter";
    EXPECT_TRUE(form->lvWorld.visible());

    run([&] { form->onCommand(Cmd::HideFull); });
    run([&] { form->onCommand(Cmd::OnlyMyMods); });
    EXPECT_EQ(hosts(), (std::vector<std::string>{"Red Oasis", "Locked", "Quiet"}));
    EXPECT_TRUE(shown("popHideFull").checked());
    run([&] { form->lvWorld.columnClick(3); });
    EXPECT_EQ(hosts(), (std::vector<std::string>{"Locked", "Red Oasis", "Quiet"})) << "players: the most first";
    EXPECT_NE(file("Vexal.ini").find("[All-Servers]\r\nHideFull=1\r\n"), std::string::npos) << file("Vexal.ini");
    EXPECT_NE(file("Vexal.ini").find("SortColumn=3"), std::string::npos);

    key(13);
    ASSERT_EQ(etStarts().size(), 1u);
    EXPECT_EQ(etStarts()[0].find("+connect 127.0.0.1:30000"), 0u) << "the selection moved with its server";

    run([&] { form->onCommand(Cmd::ServerStatus); });
    after(100);
    EXPECT_EQ(world.master(master).requests, 2) << "F5 in this list asks the world again";
    EXPECT_FALSE(form->lvServers.visible()) << "the saved list stays closed";
    key(0x1B);
    EXPECT_FALSE(form->lvWorld.visible());
    EXPECT_FALSE(net.isOpen()) << "closing the list closes its socket";

    // The check items and the sort are read back at the next start.
    start();
    run([&] { form->onCommand(Cmd::AllServers); });
    after(1000);
    EXPECT_EQ(hosts(), (std::vector<std::string>{"Locked", "Red Oasis", "Quiet"}));
}

// Buddies in the list of every server: Insert and Delete in its players list, the
// star and the tip of a buddy's server, Only With Buddies kept with its other checks.
TEST_F(WorldViewTest, BuddiesAreAddedFromItsPlayersListStarredAndFiltered) {
    run([&] { form->onCommand(Cmd::AllServers); });
    after(1000);
    run([&] { form->lvWorld.select(1); });  // Locked: Player0 to Player8
    run([&] { form->lvPlayers.select(4); });
    const std::string name = form->lvPlayers.rows()[4][0].text;
    int insert = 0x2D;
    run([&] { form->lvPlayers.keyDown(insert); });
    EXPECT_EQ(file("VexalBuddies.dat"), name + "\r\n");
    EXPECT_TRUE(form->lvPlayers.rows()[4][0].bold);
    EXPECT_EQ(form->lvWorld.rowAt(1)[1].text, "* Locked");
    EXPECT_EQ(form->lvWorld.rowAt(1)[0].tip, servers::text::buddiesTip(name));
    EXPECT_EQ(form->lvWorld.rowAt(0)[1].text, "Red Oasis") << name << " does not play there";
    EXPECT_EQ(form->lvWorld.rowAt(4)[1].text, "* Jay") << "the same name plays there";

    run([&] { form->onCommand(Cmd::OnlyWithBuddies); });
    EXPECT_EQ(hosts(), (std::vector<std::string>{"* Locked", "* Jay"}));
    EXPECT_NE(file("Vexal.ini").find("OnlyWithBuddies=1"), std::string::npos);
    run([&] { form->lvWorld.select(1); });
    run([&] { form->lvPlayers.select(4); });
    int remove = 0x2E;
    run([&] { form->lvPlayers.keyDown(remove); });
    EXPECT_EQ(file("VexalBuddies.dat"), "");
    EXPECT_TRUE(hosts().empty());
}

// The watch asks the world every 5 minutes on the list's socket, closed between
// rounds; its masters every 10, the servers they listed last in between.
TEST_F(WorldViewTest, TheWatchAsksTheWorldEveryFiveMinutesAndItsMastersEveryTen) {
    fake.fs.addFile(std::string(kProgram) + "VexalBuddies.dat", "Zed\r\n");
    const auto watch = [&](std::uint64_t ms) {
        for (std::uint64_t t = 0; t < ms; t += 100) {
            world.advance(100);
            fake.network.now += 100;  // the watch's clock
            run([&] { form->buddyWatcher.tick(); });
        }
    };
    run([&] { form->onCommand(Cmd::WatchBuddies); });
    watch(2000);
    EXPECT_EQ(world.master(master).requests, 1);
    EXPECT_FALSE(net.isOpen()) << "the socket is closed between rounds";
    EXPECT_FALSE(form->lvWorld.visible());
    world.server(servers[3]).players += "1 40 \"^1Zed\"\n";
    watch(5 * 60000);
    EXPECT_EQ(form->stInfo.caption(), " Zed is playing on Quiet (oasis, 1/20)");
    EXPECT_EQ(world.master(master).requests, 1) << "the servers listed last, asked again";
    watch(5 * 60000);
    EXPECT_EQ(world.master(master).requests, 2) << "the masters every 10 minutes";
    EXPECT_FALSE(net.isOpen());
}

TEST_F(WorldViewTest, QuickJoinStartsTheBestServerOrSaysNoneQualifies) {
    run([&] { form->onCommand(Cmd::QuickJoin); });
    EXPECT_TRUE(etStarts().empty()) << "the round decides once it is over";
    after(1000);
    ASSERT_EQ(etStarts().size(), 1u);
    EXPECT_EQ(etStarts()[0].find("+connect 127.0.0.1:30000 "), 0u)
        << "Locked has more humans but a password; Packed is full; Jay's mod is missing";
    EXPECT_EQ(form->stInfo.caption().rfind(" Quick Join: Red Oasis (oasis, 3/20, 2", 0), 0u) << form->stInfo.caption();

    key(0x1B);
    world.advance(30000);
    run([&] { form->onCommand(Cmd::QuickJoin); });
    EXPECT_EQ(etStarts().size(), 2u) << "a round of the last minute serves at once";
    EXPECT_EQ(world.master(master).requests, 1);

    key(0x1B);
    world.advance(31000);
    world.server(servers[0]).info += "\\g_needpass\\1";
    run([&] { form->onCommand(Cmd::TrayQuickJoin); });
    after(1000);
    EXPECT_EQ(world.master(master).requests, 2) << "older than a minute: the world is asked again";
    EXPECT_EQ(etStarts().size(), 3u) << "Quiet: empty, but it qualifies";
    world.server(servers[3]).info += "\\g_needpass\\1";
    run([&] { form->onCommand(Cmd::AllServers); });
    fake.dialogs.answerNextBox(platform::BoxResult::Ok);
    run([&] { form->onCommand(Cmd::QuickJoin); });
    after(1000);
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text, servers::text::kNoQuickJoin);
    EXPECT_EQ(etStarts().size(), 3u) << "nothing starts";
}

}  // namespace vexal::testing
