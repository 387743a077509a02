// Buddy stories: the real window and fake game servers on 127.0.0.1, with the
// watch's rounds shortened to a second through the variable the program reads for tests.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "e2e/fake_game_server.h"
#include "e2e/harness.h"

using namespace std::chrono_literals;
using e2e::FakeGameServer;
using e2e::Sandbox;
using e2e::Vexal;

namespace {

// A status reply as an ET:Legacy server sends it, with its usual keys.
std::string info(const std::string& challenge, const std::string& host) {
    return "\\sv_hostname\\" + host +
           "\\mapname\\oasis\\sv_maxclients\\20\\sv_privateClients\\0\\g_needpass\\0\\gamename\\legacy"
           "\\g_gametype\\4\\version\\ET Legacy v2.83.1 linux-x86_64\\protocol\\84\\sv_floodProtect\\1"
           "\\sv_maxPing\\0\\sv_minPing\\0\\sv_maxRate\\45000\\sv_minguidcheck\\0\\sv_allowAnonymous\\0"
           "\\g_antilag\\1\\g_balancedteams\\1\\g_bluelimbotime\\30000\\g_redlimbotime\\30000\\g_friendlyFire\\1"
           "\\g_heavyWeaponRestriction\\100\\g_maxlives\\0\\g_maxlivesRespawnPenalty\\0\\g_alliedmaxlives\\0"
           "\\g_axismaxlives\\0\\g_voteFlags\\0\\g_medicChargeTime\\45000\\g_engineerChargeTime\\30000"
           "\\g_LTChargeTime\\40000\\g_soldierChargeTime\\20000\\g_covertopsChargeTime\\30000\\g_minGameClients\\8"
           "\\g_needpass\\0\\g_oss\\15\\mod_version\\v2.83.1\\mod_url\\https://www.etlegacy.com\\sv_uptime\\13d 02h"
           "\\P\\-11-22-12-21\\Players_Axis\\(None)\\Players_Allies\\(None)\\campaign_maps\\\\C\\0,0\\timelimit\\20"
           "\\g_spectatorAllowed\\1\\challenge\\" +
           challenge;
}

std::string players(int n, const std::string& last = "") {
    std::string lines;  // scores from 10 up: a last player of score 1 is the last row
    for (int i = 0; i < n; ++i)
        lines += std::to_string(10 + i) + " " + std::to_string(30 + i) + " \"^3Player^7" + std::to_string(i) + "\"\n";
    if (!last.empty()) lines += "1 45 \"" + last + "\"\n";
    return lines;
}

std::string address(const FakeGameServer& s) { return "127.0.0.1:" + std::to_string(s.port()); }

int rowIndex(const Vexal& vexal, const FakeGameServer& s) {
    const auto rows = vexal.rows("lvServers");
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].empty() && rows[i][0].rfind(address(s), 0) == 0) return static_cast<int>(i);
    return -1;
}

// The variable is set for the copy this process starts, and taken back after.
struct ShortRounds {
    explicit ShortRounds(const char* ms) { SetEnvironmentVariableA("VEXAL_TEST_WATCH_MS", ms); }
    ~ShortRounds() { SetEnvironmentVariableA("VEXAL_TEST_WATCH_MS", nullptr); }
};

}  // namespace

// A player is added from the players list, their server gets its star and stays
// alone under Only With Buddies; with the watch on, a buddy who joins a server
// between two rounds is named in the status line.
TEST(Buddies, AddedFromThePlayersListStarredFilteredAndWatched) {
    ShortRounds rounds("1000");
    std::mutex lock;
    std::string secondPlayers = players(3);
    std::atomic<long long> replyBytes{0}, requestBytes{0};
    FakeGameServer first([&](const std::string& c) {
        const std::string r = FakeGameServer::reply(info(c, "^1Red ^7Base"), players(19, "^1Big^7Bob"));
        replyBytes += static_cast<long long>(r.size());
        requestBytes += static_cast<long long>(14 + c.size());
        return r;
    });
    FakeGameServer second([&](const std::string& c) {
        std::lock_guard<std::mutex> hold(lock);
        const std::string r = FakeGameServer::reply(info(c, "^4Blue ^7Yard"), secondPlayers);
        replyBytes += static_cast<long long>(r.size());
        requestBytes += static_cast<long long>(14 + c.size());
        return r;
    });
    Sandbox box;
    box.write(box.program + "VexalParam.dat",
              "+connect " + address(first) + "\r\n+connect " + address(second) + "\r\n");
    box.writeSettings();
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    // Away from the pointer, whose hint would stand in the status line.
    SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    vexal.shortcut(VK_F5, false);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " 2 of 2 servers answered"; }, 5s))
        << vexal.text("stInfo");
    const int row = rowIndex(vexal, first);
    vexal.key("lvServers", VK_HOME);
    for (int i = 0; i < row; ++i) vexal.key("lvServers", VK_DOWN);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.selectedRow("lvServers") == row; }, 5s));
    // Big Bob, the lowest score, is the last of 20 players.
    vexal.key("lvServers", VK_TAB);
    vexal.key("lvPlayers", VK_END);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.selectedRow("lvPlayers") == 19; }, 5s));
    vexal.key("lvPlayers", VK_INSERT);
    ASSERT_TRUE(e2e::waitFor([&] { return box.read(box.program + "VexalBuddies.dat") == "BigBob\r\n"; }, 5s))
        << box.read(box.program + "VexalBuddies.dat").value_or("<none>");
    EXPECT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " BigBob is a buddy now"; }, 5s));
    ASSERT_TRUE(
        e2e::waitFor([&] { return vexal.rows("lvServers")[static_cast<std::size_t>(row)][1] == "* Red Base"; }, 5s))
        << vexal.rows("lvServers")[static_cast<std::size_t>(row)][1];

    vexal.command(vexal::Cmd::OnlyWithBuddies);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.rows("lvServers").size() == 1; }, 5s));
    EXPECT_EQ(vexal.rows("lvServers")[0][0], address(first));
    EXPECT_NE(box.read(box.program + "Vexal.ini").value_or("").find("OnlyWithBuddies=1"), std::string::npos);
    vexal.key("lvServers", VK_ESCAPE);
    ASSERT_TRUE(e2e::waitFor([&] { return !IsWindowVisible(vexal.control("lvServers")); }, 5s));

    // The watch: Ann is a buddy too; the first round sees Bob and says nothing.
    box.write(box.program + "VexalBuddies.dat", "BigBob\r\nAnn\r\nBea\r\nCid\r\n");
    const int before = first.requests();
    requestBytes = 0;
    replyBytes = 0;
    vexal.command(vexal::Cmd::WatchBuddies);
    ASSERT_TRUE(e2e::waitFor([&] { return first.requests() > before && second.requests() > 0; }, 5s));
    Sleep(300);
    const long long roundOut = requestBytes, roundIn = replyBytes;
    std::printf(
        "[ figure ] one watch round of 2 saved servers (20 and 3 players): %lld bytes sent, %lld received "
        "(UDP payload)\n",
        roundOut, roundIn);
    Sleep(1500);
    EXPECT_EQ(vexal.text("stInfo").find("playing"), std::string::npos) << vexal.text("stInfo");

    // Three buddies join the second server one after another, each at some moment of the round.
    const char* const arriving[] = {"^2Ann", "Bea", "^5C^7id"};
    const char* const said[] = {" Ann is playing on Blue Yard (oasis, 4/20)",
                                " Bea is playing on Blue Yard (oasis, 5/20)",
                                " Cid is playing on Blue Yard (oasis, 6/20)"};
    std::string joinedSoFar;
    for (int i = 0; i < 3; ++i) {
        Sleep(static_cast<DWORD>(300 * i + 200));
        const auto joined = std::chrono::steady_clock::now();
        {
            std::lock_guard<std::mutex> hold(lock);
            joinedSoFar += "1 45 \"" + std::string(arriving[i]) + "\"\n";
            secondPlayers = players(3) + joinedSoFar;
        }
        ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == said[i]; }, 5s)) << vexal.text("stInfo");
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - joined).count();
        std::printf(
            "[ figure ] a buddy's arrival to the status line: %lld ms (rounds every 1,000 ms, polled every "
            "50 ms)\n",
            static_cast<long long>(took));
        EXPECT_LE(took, 2500);
    }

    // The game in front: not one request while it stays there, asked again once it goes.
    SetEnvironmentVariableA("VEXAL_STUB_EXIT", nullptr);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION game{};
    std::string cmd = "\"" + box.game + "\\et.exe\"";
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, box.game.c_str(), &si, &game));
    auto gameInFront = [&] {
        DWORD owner = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &owner);
        return owner == game.dwProcessId;
    };
    const bool inFront = e2e::waitFor(gameInFront, 10s);
    if (inFront) {
        Sleep(1200);  // a round under way ends at the next tick
        const int whilePlaying = first.requests() + second.requests();
        Sleep(3000);
        EXPECT_EQ(first.requests() + second.requests(), whilePlaying) << "nothing sent while the game is in front";
    }
    TerminateProcess(game.hProcess, 0);
    WaitForSingleObject(game.hProcess, 5000);
    CloseHandle(game.hThread);
    CloseHandle(game.hProcess);
    ASSERT_TRUE(inFront) << "the stub game never came to the front";
    const int afterGame = second.requests();
    EXPECT_TRUE(e2e::waitFor([&] { return second.requests() > afterGame; }, 5s)) << "asked again after the game";

    vexal.command(vexal::Cmd::WatchBuddies);
    Sleep(300);
    const int asked = second.requests();
    Sleep(2500);
    EXPECT_EQ(second.requests(), asked) << "switched off, the watch asks nobody";
    EXPECT_NE(box.read(box.program + "Vexal.ini").value_or("").find("Watch=0"), std::string::npos);
}

namespace {

// The text of a balloon another process (the notification area) shows, if one holds `text`.
std::string balloonHolding(const std::string& text, DWORD notOf) {
    std::string found;
    (void)e2e::topWindow("tooltips_class32", [&](HWND h, DWORD pid) {
        char tip[512] = {};
        DWORD_PTR got = 0;
        if (pid == notOf ||
            !SendMessageTimeoutA(h, WM_GETTEXT, sizeof tip, reinterpret_cast<LPARAM>(tip), SMTO_ABORTIFHUNG, 1000, &got) ||
            std::string(tip).find(text) == std::string::npos)
            return false;
        found = tip;
        return true;
    });
    return found;
}

}  // namespace

// Runs inside a Wine virtual desktop, whose taskbar has a notification area: with the
// tray icon on, a buddy's arrival is a balloon of the icon as well as the status line.
TEST(TrayDesktop, ABuddyArrivingIsSaidInABalloonOfTheTrayIcon) {
    ShortRounds rounds("1000");
    std::mutex lock;
    std::string onServer = players(3);
    FakeGameServer server([&](const std::string& c) {
        std::lock_guard<std::mutex> hold(lock);
        return FakeGameServer::reply(info(c, "^4Blue ^7Yard"), onServer);
    });
    Sandbox box;
    box.write(box.program + "VexalParam.dat", "+connect " + address(server) + "\r\n");
    box.write(box.program + "VexalBuddies.dat", "Ann\r\n");
    box.writeSettings("[Minimize]\r\nTrayIcon=1\r\n\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    vexal.command(vexal::Cmd::WatchBuddies);
    ASSERT_TRUE(e2e::waitFor([&] { return server.requests() > 0; }, 5s));
    Sleep(1500);  // the first round sees who is there and says nothing
    {
        std::lock_guard<std::mutex> hold(lock);
        onServer = players(3) + "1 45 \"^2Ann\"\n";
    }
    const std::string said = "Ann is playing on Blue Yard (oasis, 4/20)";
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " " + said; }, 5s)) << vexal.text("stInfo");
    std::string balloon;
    EXPECT_TRUE(e2e::waitFor([&] { return !(balloon = balloonHolding(said, vexal.pid())).empty(); }, 5s))
        << "no balloon of the tray icon says it";
    vexal.command(vexal::Cmd::WatchBuddies);
}
