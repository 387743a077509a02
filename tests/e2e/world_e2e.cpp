// Every server in the world: a fake master on 127.0.0.1 lists fake game servers on
// 127.0.0.1, named as the only master in the sandbox's Vexal.ini.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "e2e/fake_game_server.h"
#include "e2e/fake_master.h"
#include "e2e/harness.h"
#include "support/zip_directory.h"

using namespace std::chrono_literals;
using e2e::FakeGameServer;
using e2e::FakeMaster;
using e2e::Sandbox;
using e2e::Vexal;

namespace {

FakeGameServer::Reply server(const std::string& host, const std::string& map, const std::string& players,
                             const std::string& extra = "") {
    return [=](const std::string& challenge) {
        return FakeGameServer::reply(extra + "\\sv_hostname\\" + host + "\\mapname\\" + map +
                                         "\\sv_maxclients\\20\\gamename\\etmain\\g_gametype\\4\\challenge\\" +
                                         challenge,
                                     players);
    };
}

std::string humans(int n, int bots = 0) {
    std::string lines;
    for (int i = 0; i < n; ++i)
        lines += std::to_string(i) + " " + std::to_string(30 + i) + " \"Player" + std::to_string(i) + "\"\n";
    for (int i = 0; i < bots; ++i) lines += "1 0 \"[BOT]" + std::to_string(i) + "\"\n";
    return lines;
}

bool shown(const Vexal& vexal, const std::string& name) {
    HWND h = vexal.control(name);
    return h && IsWindowVisible(h);
}

void type(const Vexal& vexal, const std::string& text) {
    // The key alone: the window turns it into its character, as it does for a real key.
    for (const char c : text) vexal.key("lvWorld", static_cast<WORD>(std::toupper(static_cast<unsigned char>(c))));
}

}  // namespace

// F6 lists the world, typing narrows it, Enter joins; F7 then picks the best server
// of the same round and starts it. A buddy's server gets its star and stays alone
// under Only With Buddies; the watch's round of the world names a buddy who joins.
TEST(AllServers, F6ListsTheWorldATypedFilterNarrowsItEnterJoinsAndQuickJoinPicksTheBest) {
    // The watch's rounds shortened: the world's every 5 s, its masters every 10 s.
    SetEnvironmentVariableA("VEXAL_TEST_WATCH_MS", "1000");
    std::mutex lock;
    std::string funPlayers = humans(2);
    FakeGameServer fun([&](const std::string& challenge) {
        std::lock_guard<std::mutex> hold(lock);
        return server("^2Oasis ^7Fun", "oasis", funPlayers)(challenge);
    });
    FakeGameServer crowd(server("Crowded Oasis", "oasis", humans(6, 2)));
    FakeGameServer full(server("Radar Pros", "oasis", humans(4), "\\sv_maxclients\\4"));
    FakeGameServer locked(server("Locked Room", "oasis", humans(10), "\\g_needpass\\1"));
    FakeGameServer missing(server("Gold Diggers", "goldrush", humans(8)));
    FakeGameServer silent(nullptr);
    FakeMaster master({fun.port(), crowd.port(), full.port(), locked.port(), missing.port(), silent.port()});
    Sandbox box;
    box.write(box.game + "\\etmain\\pak0.pk3", vexal::testing::zipWith({"maps/oasis.bsp"}));
    box.writeSettings("[ET-Nickname]\r\nnick=Tom\r\n\r\n[Masters]\r\nMaster1=127.0.0.1:" +
                      std::to_string(master.port()) + "\r\nMaster2=\r\n\r\n");
    Vexal vexal(box);
    SetEnvironmentVariableA("VEXAL_TEST_WATCH_MS", nullptr);
    ASSERT_TRUE(vexal.waitShown());
    SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(master.requests(), 0) << "nothing is sent before F6";

    vexal.shortcut(VK_F6, false);
    ASSERT_TRUE(e2e::waitFor([&] { return shown(vexal, "lvWorld") && shown(vexal, "lvPlayers"); }, 5s));
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " 5 of 6 servers answered, 30 players"; }, 10s))
        << vexal.text("stInfo");
    auto rows = vexal.rows("lvWorld");
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1][1], "Crowded Oasis");
    EXPECT_EQ(rows[1][3], "6+2/20") << "humans+bots/slots";
    EXPECT_EQ(rows[1][7], "Campaign");
    EXPECT_EQ(master.requests(), 1);

    type(vexal, "oasis");
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " Filter: oasis  -  4 of 6 servers"; }, 5s))
        << vexal.text("stInfo");
    rows = vexal.rows("lvWorld");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][1], "Oasis Fun") << "colour codes ignored, the masters' order kept";
    vexal.key("lvWorld", VK_HOME);
    vexal.key("lvWorld", VK_RETURN);
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 1; }, 10s));
    EXPECT_EQ(box.launches()[0], "+connect 127.0.0.1:" + std::to_string(fun.port()) + " +seta name Tom\t" + box.game);

    vexal.key("lvWorld", VK_ESCAPE);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.rows("lvWorld").size() == 6u; }, 5s)) << "Escape clears the filter";
    EXPECT_TRUE(shown(vexal, "lvWorld"));
    vexal.key("lvWorld", VK_ESCAPE);
    ASSERT_TRUE(e2e::waitFor([&] { return !shown(vexal, "lvWorld"); }, 5s)) << "and then closes the list";

    // Within a minute of the round, Quick Join takes it: the most humans among the
    // servers with a free public slot, no password, and the map installed.
    vexal.shortcut(VK_F7, false);
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 2; }, 10s)) << vexal.text("stInfo");
    EXPECT_EQ(box.launches()[1].rfind("+connect 127.0.0.1:" + std::to_string(crowd.port()) + " ", 0), 0u)
        << box.launches()[1];
    EXPECT_EQ(vexal.text("stInfo").rfind(" Quick Join: Crowded Oasis (oasis, 6+2/20, ", 0), 0u) << vexal.text("stInfo");
    EXPECT_EQ(master.requests(), 1) << "the round of a moment ago served";

    // The crowd's second bot is a buddy: its server is starred, and alone under Only With Buddies.
    box.write(box.program + "VexalBuddies.dat", "[bot]1\r\nZed\r\n");
    vexal.shortcut(VK_F6, false);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " 5 of 6 servers answered, 30 players"; }, 10s))
        << vexal.text("stInfo");
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.rows("lvWorld")[1][1] == "* Crowded Oasis"; }, 5s))
        << vexal.rows("lvWorld")[1][1];
    EXPECT_EQ(vexal.rows("lvWorld")[0][1], "Oasis Fun");
    vexal.command(vexal::Cmd::OnlyWithBuddies);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.rows("lvWorld").size() == 1u; }, 5s));
    EXPECT_EQ(vexal.rows("lvWorld")[0][1], "* Crowded Oasis");
    EXPECT_NE(box.read(box.program + "Vexal.ini").value_or("").find("OnlyWithBuddies=1"), std::string::npos);
    vexal.command(vexal::Cmd::OnlyWithBuddies);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.rows("lvWorld").size() == 6u; }, 5s));
    vexal.key("lvWorld", VK_ESCAPE);
    ASSERT_TRUE(e2e::waitFor([&] { return !shown(vexal, "lvWorld"); }, 5s));

    // The watch asks the world on its own; its first round says nothing, then Zed joins Oasis Fun.
    const int asked = master.requests();
    vexal.command(vexal::Cmd::WatchBuddies);
    ASSERT_TRUE(e2e::waitFor([&] { return master.requests() > asked; }, 5s)) << "the watch asks the masters";
    Sleep(1500);
    EXPECT_EQ(vexal.text("stInfo").find("playing"), std::string::npos) << vexal.text("stInfo");
    const auto joined = std::chrono::steady_clock::now();
    {
        std::lock_guard<std::mutex> hold(lock);
        funPlayers = humans(2) + "1 45 \"^3Zed\"\n";
    }
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " Zed is playing on Oasis Fun (oasis, 3/20)"; }, 12s))
        << vexal.text("stInfo");
    std::printf(
        "[ figure ] a buddy's arrival on a server of the world to the status line: %lld ms (world rounds "
        "every 5 s)\n",
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - joined).count()));
    vexal.command(vexal::Cmd::WatchBuddies);
}
