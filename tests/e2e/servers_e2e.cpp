// Server status stories: the real window asks fake game servers on 127.0.0.1,
// each test with a parameter list of its own loopback servers only.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>

#include "app/layout.h"
#include "e2e/fake_game_server.h"
#include "e2e/harness.h"
#include "support/zip_directory.h"

using namespace std::chrono_literals;
using e2e::FakeGameServer;
using e2e::Sandbox;
using e2e::Vexal;

namespace {

std::string info(const std::string& challenge, const std::string& extra) {
    // The first of a repeated key counts: what the test gives goes first.
    return extra + "\\sv_hostname\\^2Loop^7back\\mapname\\oasis\\sv_maxclients\\4\\gamename\\etmain\\challenge\\" +
           challenge;
}

FakeGameServer::Reply answering(const std::string& extra, const std::string& players = "") {
    return [=](const std::string& challenge) { return FakeGameServer::reply(info(challenge, extra), players); };
}

void layOut(Sandbox& box, const std::vector<const FakeGameServer*>& servers, const std::string& extraLines = "") {
    std::string list;
    for (const auto* s : servers) list += "+connect 127.0.0.1:" + std::to_string(s->port()) + "\r\n";
    box.write(box.program + "VexalParam.dat", list + extraLines);
    box.write(box.game + "\\etmain\\pak0.pk3", vexal::testing::zipWith({"maps/oasis.bsp"}));
    box.writeSettings();
}

bool shown(const Vexal& vexal, const std::string& name) {
    HWND h = vexal.control(name);
    return h && IsWindowVisible(h);
}

// The list's rows as lines: "\r\n" before each, its cells joined by one blank.
std::string listText(const Vexal& vexal, const std::string& name = "lvServers") {
    std::string text;
    for (const auto& cells : vexal.rows(name)) {
        std::string row;
        for (const auto& cell : cells)
            if (!cell.empty()) row += (row.empty() ? "" : " ") + cell;
        text += "\r\n" + row;
    }
    return text;
}

std::string rowOf(const std::string& text, std::uint16_t port) {
    const std::string address = "127.0.0.1:" + std::to_string(port);
    const auto at = text.find("\r\n" + address);
    if (at == std::string::npos) return "<no row for " + address + ">";
    const auto end = text.find("\r\n", at + 2);
    return text.substr(at + 2, end == std::string::npos ? std::string::npos : end - at - 2);
}

std::string address(const FakeGameServer& s) { return "127.0.0.1:" + std::to_string(s.port()); }

// The list is in the parameter list's (sorted) order: the row of a server is looked up.
int rowIndex(const Vexal& vexal, const FakeGameServer& s) {
    const auto rows = vexal.rows("lvServers");
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].empty() && rows[i][0].rfind(address(s), 0) == 0) return static_cast<int>(i);
    return -1;
}

// Home, then the down arrow to the row, as a user would.
bool selectRow(const Vexal& vexal, int row) {
    vexal.key("lvServers", VK_HOME);
    for (int i = 0; i < row; ++i) vexal.key("lvServers", VK_DOWN);
    return e2e::waitFor([&] { return vexal.selectedRow("lvServers") == row; }, 5s);
}

}  // namespace

TEST(ServerStatus, F5AsksTheLoopbackServersAndEscapeCloses) {
    FakeGameServer playing(answering("\\g_needpass\\0", "25 40 \"^1Al^7ice\"\n12 60 \"Bob\"\n"));
    FakeGameServer silent(nullptr);
    FakeGameServer liar([](const std::string&) { return FakeGameServer::reply(info("notTheOneAsked", "")); });
    FakeGameServer full(answering("", "1 1 \"a\"\n2 2 \"b\"\n3 3 \"c\"\n4 4 \"d\"\n"));
    FakeGameServer locked(answering("\\g_needpass\\1"));
    FakeGameServer elsewhere(answering("\\mapname\\railgun"));
    Sandbox box;
    layOut(box, {&playing, &silent, &liar, &full, &locked, &elsewhere}, "+connect\r\n+connect 127.0.0.1:70000\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(playing.requests(), 0) << "nothing is sent before the viewer is opened";

    vexal.shortcut(VK_F5, false);
    ASSERT_TRUE(e2e::waitFor([&] { return shown(vexal, "lvServers") && shown(vexal, "lvPlayers"); }, 5s));
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " 4 of 8 servers answered"; }, 5s))
        << vexal.text("stInfo") << "\n"
        << listText(vexal);
    const std::string text = listText(vexal);
    EXPECT_NE(rowOf(text, playing.port()).find("Loopback"), std::string::npos) << text;
    EXPECT_EQ(vexal.selectedRow("lvServers"), 0) << "the first row is selected";
    for (const auto& row : vexal::layout::controls())
        // The two lists this viewer shows; the list of every server is made when first opened.
        if (std::string(row.name) == "lvServers" || std::string(row.name) == "lvPlayers") {
            const RECT r = vexal.clientRect(row.name);
            EXPECT_EQ(r.left, row.bounds.left) << row.name << ": made where the layout puts it";
            EXPECT_EQ(r.top, row.bounds.top) << row.name;
            EXPECT_EQ(r.bottom - r.top, row.bounds.height) << row.name;
        }
    ASSERT_TRUE(selectRow(vexal, rowIndex(vexal, playing)));
    EXPECT_TRUE(e2e::waitFor([&] { return listText(vexal, "lvPlayers") == "\r\nAlice 25 40\r\nBob 12 60"; }, 5s))
        << "the selected server's players, codes gone: " << listText(vexal, "lvPlayers");
    auto focused = [&] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(GetWindowThreadProcessId(vexal.main(), nullptr), &gui);
        return gui.hwndFocus;
    };
    vexal.key("lvServers", VK_TAB);
    EXPECT_TRUE(e2e::waitFor([&] { return focused() == vexal.control("lvPlayers"); }, 5s)) << "Tab: the players";
    vexal.key("lvPlayers", VK_TAB);
    EXPECT_TRUE(e2e::waitFor([&] { return focused() == vexal.control("lvServers"); }, 5s)) << "and back";
    EXPECT_NE(rowOf(text, silent.port()).find("no answer"), std::string::npos) << text;
    EXPECT_NE(rowOf(text, liar.port()).find("no answer"), std::string::npos) << "a wrong challenge is ignored";
    EXPECT_NE(rowOf(text, full.port()).find("4/4 full"), std::string::npos) << text;
    EXPECT_NE(rowOf(text, locked.port()).find(" pw "), std::string::npos) << text;
    EXPECT_NE(rowOf(text, elsewhere.port()).find("railgun (missing)"), std::string::npos) << text;
    EXPECT_NE(rowOf(text, playing.port()).find("oasis "), std::string::npos);
    EXPECT_EQ(rowOf(text, playing.port()).find("(missing)"), std::string::npos);
    EXPECT_NE(text.find("\r\n+connect +connect line with nothing after it"), std::string::npos) << text;
    EXPECT_NE(text.find("70000 port out of range (1 to 65535)"), std::string::npos) << text;
    EXPECT_EQ(silent.requests(), 2) << "one request and one resend";

    vexal.key("lvServers", VK_ESCAPE);
    ASSERT_TRUE(e2e::waitFor([&] { return !shown(vexal, "lvServers") && !shown(vexal, "lvPlayers"); }, 5s));
    EXPECT_EQ(vexal.text("stInfo"), " <Please move your mouse over the objects to show hints>");
    const int asked = playing.requests();
    Sleep(1500);
    EXPECT_EQ(playing.requests(), asked) << "a closed viewer asks nobody";
}

// Twenty servers that answer are shown within a second; with twenty that never
// answer the window stays responsive and the rows say so after 1.2 s.
TEST(ServerStatus, TwentyServersAnsweringOrSilent) {
    for (const bool answer : {true, false}) {
        std::vector<std::unique_ptr<FakeGameServer>> servers;
        std::vector<const FakeGameServer*> list;
        for (int i = 0; i < 20; ++i) {
            servers.push_back(std::make_unique<FakeGameServer>(answer ? answering("", "1 5 \"x\"\n") : nullptr));
            list.push_back(servers.back().get());
        }
        Sandbox box;
        layOut(box, list);
        Vexal vexal(box);
        ASSERT_TRUE(vexal.waitShown());
        SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const std::string done = answer ? " 20 of 20 servers answered" : " 0 of 20 servers answered";
        vexal.shortcut(VK_F5, false);
        const auto start = std::chrono::steady_clock::now();
        // The round starts as the opening handler ends: the viewer is shown then. From
        // there on the window answers a message at once; the longest wait is kept, and
        // apart from it the opening itself, which makes the viewer's window.
        std::optional<std::chrono::steady_clock::time_point> opened;
        auto opening = 0ms, longest = 0ms, longestAt = 0ms;
        int calls = 0, slow = 0;
        bool finished = false;
        while (std::chrono::steady_clock::now() - start < 2000ms) {
            if (!opened && shown(vexal, "lvServers")) opened = std::chrono::steady_clock::now();
            const auto before = std::chrono::steady_clock::now();
            DWORD_PTR result = 0;
            SendMessageTimeoutA(vexal.main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
            const auto waited =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - before);
            if (!opened) {
                opening = std::max(opening, waited);
            } else {
                ++calls;
                if (waited > 16ms) ++slow;
                if (waited > longest) {
                    longest = waited;
                    longestAt = std::chrono::duration_cast<std::chrono::milliseconds>(before - *opened);
                }
                if (!finished && vexal.text("stInfo") == done) {
                    finished = true;
                    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - *opened);
                    std::printf("[ figure ] %s %lld ms after the viewer opened\n", done.c_str(),
                                static_cast<long long>(took.count()));
                    EXPECT_LE(took, answer ? 1000ms : 1200ms) << done;
                }
            }
            Sleep(5);
        }
        EXPECT_TRUE(finished) << vexal.text("stInfo");
        std::printf(
            "[ figure ] %s servers: opening took %lld ms; then %d of %d messages waited over 16 ms, the longest "
            "%lld ms, %lld ms after opening\n",
            answer ? "answering" : "silent", static_cast<long long>(opening.count()), slow, calls,
            static_cast<long long>(longest.count()), static_cast<long long>(longestAt.count()));
        // Waiting on the network would hold the window for the 400 ms of a resend at least; what
        // is left is the drawing of the rows on a machine shared with other work.
        EXPECT_LE(longest, 200ms) << "the window never waits on the network";
    }
}

// Enter on a row starts the game with that row's line; a row that did not answer
// asks first; every server joined is remembered.
TEST(ServerStatus, EnterJoinsTheRowAndARowWithoutAnswerAsksFirst) {
    FakeGameServer playing(answering("", "3 20 \"^4Carol\"\n"));
    FakeGameServer silent(nullptr);
    Sandbox box;
    layOut(box, {&playing, &silent});
    box.writeSettings("[ET-Nickname]\r\nnick=Tom\r\n\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    // Away from the pointer, whose hint would stand in the status line.
    SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    vexal.shortcut(VK_F5, false);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " 1 of 2 servers answered"; }, 5s))
        << vexal.text("stInfo");
    ASSERT_TRUE(selectRow(vexal, rowIndex(vexal, playing)));
    const auto pressed = std::chrono::steady_clock::now();
    vexal.key("lvServers", VK_RETURN);
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 1; }, 10s));
    const auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - pressed).count();
    std::printf("[ figure ] join from the list to et.exe started: %lld ms (polled every 50 ms)\n",
                static_cast<long long>(took));
    EXPECT_EQ(box.launches()[0], "+connect " + address(playing) + " +seta name Tom\t" + box.game);

    ASSERT_TRUE(selectRow(vexal, rowIndex(vexal, silent)));
    vexal.key("lvServers", VK_RETURN);
    const auto question = vexal.waitBox();
    ASSERT_TRUE(question.has_value());
    EXPECT_NE(question->find(address(silent) + " did not answer"), std::string::npos) << *question;
    vexal.answerBox(IDNO);
    Sleep(500);
    EXPECT_EQ(box.launches().size(), 1u) << "No starts nothing";
    vexal.key("lvServers", VK_RETURN);
    ASSERT_TRUE(vexal.waitBox().has_value());
    vexal.answerBox(IDYES);
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 2; }, 10s));
    const auto recent = box.read(box.program + "VexalRecent.dat").value_or("");
    EXPECT_EQ(recent.find(address(silent)), 0u) << recent;
    EXPECT_NE(recent.find(address(playing)), std::string::npos) << recent;
}

// Ctrl+J on a full server waits; the moment the fake server has a free slot the game starts.
TEST(ServerStatus, AWaitOnAFullServerJoinsWhenASlotFrees) {
    std::atomic<int> players{4};
    FakeGameServer full([&](const std::string& challenge) {
        std::string lines;
        for (int i = 0; i < players; ++i) lines += std::to_string(i) + " 9 \"p" + std::to_string(i) + "\"\n";
        return FakeGameServer::reply(info(challenge, ""), lines);
    });
    Sandbox box;
    layOut(box, {&full});
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    // Away from the pointer, whose hint would stand in the status line.
    SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    vexal.shortcut(VK_F5, false);
    ASSERT_TRUE(
        e2e::waitFor([&] { return rowOf(listText(vexal), full.port()).find("4/4 full") != std::string::npos; }, 5s))
        << listText(vexal);
    vexal.shortcut('J', true);
    ASSERT_TRUE(e2e::waitFor(
        [&] { return vexal.text("stInfo").rfind("Waiting for a free slot on Loopback: 0:0", 0) == 0; }, 5s))
        << vexal.text("stInfo");
    Sleep(2000);
    EXPECT_TRUE(box.launches().empty());
    const int before = full.requests();
    const auto freed = std::chrono::steady_clock::now();
    players = 3;
    ASSERT_TRUE(e2e::waitFor([&] { return box.launches().size() == 1; }, 15s)) << vexal.text("stInfo");
    const auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - freed).count();
    std::printf("[ figure ] the wait's launch after a slot frees: %.1f s (asked every 5 s)\n", took / 1000.0);
    EXPECT_LE(took, 6000);
    EXPECT_EQ(box.launches()[0], "+connect " + address(full) + "\t" + box.game);
    EXPECT_LE(full.requests() - before, 3) << "asked every 5 s, not more";
    Sleep(6000);
    EXPECT_EQ(box.launches().size(), 1u) << "once";
}

// A server joined before shows after the saved lines, marked recent; Ctrl+K keeps it.
TEST(ServerStatus, RecentServersShowAndKeepAddsTheirLine) {
    FakeGameServer saved(answering(""));
    FakeGameServer earlier(answering("\\sv_hostname\\^3Earlier"));
    Sandbox box;
    layOut(box, {&saved});
    box.write(box.program + "VexalRecent.dat", address(earlier) + " 2026-12-01\r\n" + address(saved) +
                                                   " 2026-11-30\r\n" + "127.0.0.1:1;quit 2026-11-30\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    // Away from the pointer, whose hint would stand in the status line.
    SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    vexal.shortcut(VK_F5, false);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.text("stInfo") == " 2 of 2 servers answered"; }, 5s))
        << vexal.text("stInfo") << listText(vexal);
    const auto rows = vexal.rows("lvServers");
    ASSERT_EQ(rows.size(), 2u) << listText(vexal);
    EXPECT_EQ(rows[0][0], address(saved));
    EXPECT_EQ(rows[1][0], address(earlier) + "  recent");
    EXPECT_EQ(rows[1][1], "Earlier");
    vexal.key("lvServers", VK_DOWN);
    ASSERT_TRUE(e2e::waitFor([&] { return vexal.selectedRow("lvServers") == 1; }, 5s));
    vexal.shortcut('K', true);
    ASSERT_TRUE(e2e::waitFor(
        [&] {
            return box.read(box.program + "VexalParam.dat").value_or("").find("+connect " + address(earlier)) !=
                   std::string::npos;
        },
        5s));
    ASSERT_TRUE(e2e::waitFor(
        [&] { return vexal.rows("lvServers").size() == 2 && vexal.rows("lvServers")[1][0] == address(earlier); }, 5s))
        << listText(vexal);
}
