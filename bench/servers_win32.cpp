// Server-list figures, measured under Wine on the real Vexal.exe with fake game
// servers on 127.0.0.1 (the end-to-end harness drives it from this process):
//   join    <short>  Enter on a row to the stub et.exe started, median of 10 (2 short)
//   wait    <short>  a wait on a full server: a slot frees, the game starts; 3 rounds (1 short)
//   all     <short>  the three in one run
//   refresh <short>  the list with 20 servers of 64 players each: how long the window thread
//                    is held while the answers come in and the list is rebuilt, and how many
//                    messages wait over 16 ms, over two refreshes (one round short)
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "e2e/fake_game_server.h"
#include "e2e/harness.h"
#include "platform/win32/win32_services.h"
#include "settings/config.h"
#include "ui/application.h"
#include "window/window_backend.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::string info(const std::string& challenge) {
    return "\\sv_hostname\\^1Bench ^7Server\\mapname\\oasis\\sv_maxclients\\64\\gamename\\etmain\\challenge\\" +
           challenge;
}

// `n` players; `round` moves their scores and pings, as a game does between two looks.
std::string players(int n, int round = 0) {
    std::string lines;
    for (int i = 0; i < n; ++i)
        lines += std::to_string(i * 3 + round) + " " + std::to_string(20 + (i + round) % 50) + " \"^" +
                 std::to_string(i % 10) + "Player^7" + std::to_string(i) + "\"\n";
    return lines;
}

void layOut(e2e::Sandbox& box, const std::vector<const e2e::FakeGameServer*>& servers) {
    std::string list;
    for (const auto* s : servers) list += "+connect 127.0.0.1:" + std::to_string(s->port()) + "\r\n";
    box.write(box.program + "VexalParam.dat", list);
    box.writeSettings();
}

bool openList(e2e::Vexal& vexal, std::size_t servers) {
    if (!vexal.waitShown()) return false;
    // Away from the pointer, whose hint would stand in the status line.
    SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const std::string done = " " + std::to_string(servers) + " of " + std::to_string(servers) +
                             (servers == 1 ? " server answered" : " servers answered");
    // On a machine busy with other work a reply may miss its 800 ms: F5 asks again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        vexal.command(vexal::Cmd::ServerStatus);
        // With the pointer over the list the status line shows its hint: the same words and the close hint.
        if (e2e::waitFor([&] { return vexal.text("stInfo").rfind(done, 0) == 0; }, 10s)) return true;
        const auto box = vexal.waitBox(100ms);
        std::printf("  (the status line says \"%s\"%s%s; asking again)\n", vexal.text("stInfo").c_str(),
                    box ? ", a box says: " : "", box ? box->c_str() : "");
    }
    return false;
}

int join(bool isShort) {
    e2e::FakeGameServer server([](const std::string& c) { return e2e::FakeGameServer::reply(info(c), players(8)); });
    e2e::Sandbox box;
    layOut(box, {&server});
    e2e::Vexal vexal(box);
    if (!openList(vexal, 1)) return std::puts("join: the list did not show the server"), 1;
    std::vector<double> times;
    for (int i = 0; i < (isShort ? 2 : 10); ++i) {
        const std::size_t before = box.launches().size();
        const auto t = Clock::now();
        vexal.key("lvServers", VK_RETURN);
        while (box.launches().size() == before && Clock::now() - t < 10s) Sleep(1);
        if (box.launches().size() == before) return std::puts("join: no start"), 1;
        times.push_back(ms(Clock::now() - t));
        Sleep(200);
    }
    std::printf("join from the list to et.exe started: median %.0f ms, longest %.0f ms (%zu joins)\n", median(times),
                *std::max_element(times.begin(), times.end()), times.size());
    return 0;
}

int wait(bool isShort) {
    std::atomic<int> playing{64};
    e2e::FakeGameServer server(
        [&](const std::string& c) { return e2e::FakeGameServer::reply(info(c), players(playing)); });
    e2e::Sandbox box;
    layOut(box, {&server});
    e2e::Vexal vexal(box);
    if (!openList(vexal, 1)) return std::puts("wait: the list did not show the server"), 1;
    std::vector<double> seconds;
    for (int round = 0; round < (isShort ? 1 : 3); ++round) {
        playing = 64;
        // The row shows full again before the next wait.
        if (!e2e::waitFor(
                [&] {
                    const auto rows = vexal.rows("lvServers");
                    return !rows.empty() && rows[0].size() > 3 && rows[0][3] == "64/64 full";
                },
                15s))
            return std::puts("wait: the row never showed full"), 1;
        const std::size_t before = box.launches().size();
        vexal.command(vexal::Cmd::WaitForSlot);
        if (!e2e::waitFor([&] { return vexal.text("stInfo").rfind("Waiting for a free slot", 0) == 0; }, 5s))
            return std::puts("wait: no wait began"), 1;
        Sleep(static_cast<DWORD>(700 + 1300 * round));  // the slot frees at another moment of the 5 s each round
        const auto t = Clock::now();
        playing = 63;
        while (box.launches().size() == before && Clock::now() - t < 15s) Sleep(5);
        if (box.launches().size() == before) return std::puts("wait: no start"), 1;
        seconds.push_back(ms(Clock::now() - t) / 1000);
    }
    std::printf("the wait's launch after a slot frees: median %.1f s, longest %.1f s (%zu rounds, asked every 5 s)\n",
                median(seconds), *std::max_element(seconds.begin(), seconds.end()), seconds.size());
    return 0;
}

// The same window in this process, its work timed: each round F5 asks the twenty
// servers; the time the window thread spends on the round (polls, the lists
// rebuilt and painted) is summed, the waits between polls left out.
void refreshOnTheWindowThread(bool isShort, const std::vector<const e2e::FakeGameServer*>& list) {
    e2e::Sandbox box;
    layOut(box, list);
    vexal::platform::win32::Win32Services svc;
    vexal::platform::Services s = svc.services();
    vexal::settings::Config config(s.fs, box.program + "Vexal.ini");
    vexal::ui::Application app;
    vexal::TfrmVexal form(s, config, app);
    form.programDir = box.program;
    form.gameDir = box.game;
    form.params.load();
    vexal::window::WindowBackend backend(
        form.windowModel([](const std::string& m) { std::printf("error: %s\n", m.c_str()); }));
    backend.create();
    backend.start(false);
    const HWND main = backend.mainWindow();
    auto pump = [] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    };
    pump();
    std::vector<double> rounds, steps;
    double opening = 0;
    for (int round = 0; round < (isShort ? 3 : 30); ++round) {
        double work = 0;
        auto t = Clock::now();
        form.onCommand(vexal::Cmd::ServerStatus);
        pump();
        RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        work += ms(Clock::now() - t);
        steps.push_back(work);
        const auto start = Clock::now();
        while (form.serverStatus.status().busy() && Clock::now() - start < 2s) {
            Sleep(2);
            t = Clock::now();
            form.serverStatus.poll();
            pump();
            // What the lists changed is drawn now, inside the step.
            RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            const double step = ms(Clock::now() - t);
            steps.push_back(step);
            work += step;
        }
        if (round == 0) {
            opening = work;  // the first also makes the lists' windows
            steps.clear();
        } else if (form.serverStatus.status().answered() == 20) {
            rounds.push_back(work);
        }
    }
    std::printf(
        "the list with 20 servers of 64 players, one round of answers on the window thread: median %.1f ms, "
        "longest %.1f ms (%zu of %d rounds complete), the longest single step %.1f ms; the first opening, "
        "which makes the lists, %.0f ms%s\n",
        median(rounds), rounds.empty() ? 0.0 : *std::max_element(rounds.begin(), rounds.end()), rounds.size(),
        isShort ? 2 : 29, *std::max_element(steps.begin(), steps.end()), opening,
        IsWindowVisible(main) ? "" : " (NOT on screen: nothing drawn)");
    backend.destroy();
}

int refresh(bool isShort) {
    std::vector<std::unique_ptr<e2e::FakeGameServer>> servers;
    std::vector<const e2e::FakeGameServer*> list;
    for (int i = 0; i < 20; ++i) {
        auto asked = std::make_shared<std::atomic<int>>(0);
        servers.push_back(std::make_unique<e2e::FakeGameServer>(
            [asked](const std::string& c) { return e2e::FakeGameServer::reply(info(c), players(64, ++*asked)); }));
        list.push_back(servers.back().get());
    }
    refreshOnTheWindowThread(isShort, list);
    e2e::Sandbox box;
    layOut(box, list);
    e2e::Vexal vexal(box);
    if (!openList(vexal, 20)) return std::puts("refresh: the list did not show 20 answers"), 1;
    // Each message's wait is the window thread's longest stretch of work before it;
    // F5 every 2.5 s besides the refresh of every 10 s: each round rebuilds the list.
    const auto span = isShort ? 3s : 22s;
    const auto start = Clock::now();
    auto nextF5 = start;
    std::vector<double> waits;
    std::string slowAt;  // when the slow ones came, after the last F5
    auto lastF5 = start;
    int rounds = 0;
    while (Clock::now() - start < span) {
        if (Clock::now() >= nextF5) {
            vexal.command(vexal::Cmd::ServerStatus);
            lastF5 = Clock::now();
            ++rounds;
            nextF5 += 2500ms;
        }
        const auto t = Clock::now();
        DWORD_PTR result = 0;
        SendMessageTimeoutA(vexal.main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
        waits.push_back(ms(Clock::now() - t));
        if (waits.back() > 16)
            slowAt += " " + std::to_string(static_cast<int>(waits.back())) + " ms at +" +
                      std::to_string(static_cast<int>(ms(t - lastF5))) + " ms;";
        Sleep(2);
    }
    const auto slow = std::count_if(waits.begin(), waits.end(), [](double w) { return w > 16; });
    std::printf(
        "the list with 20 servers of 64 players, %d rounds of answers: the window thread held at most "
        "%.1f ms (median message wait %.2f ms); %lld of %zu messages waited over 16 ms\n",
        rounds, *std::max_element(waits.begin(), waits.end()), median(waits), static_cast<long long>(slow),
        waits.size());
    if (!slowAt.empty()) std::printf("  the slow ones, after the last F5:%s\n", slowAt.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::puts("usage: servers_win32 join|wait|refresh|all [short]");
        return 2;
    }
    const std::string what = argv[1];
    const bool isShort = argc > 2 && std::string(argv[2]) == "short";
    try {
        if (what == "join") return join(isShort);
        if (what == "wait") return wait(isShort);
        if (what == "refresh") return refresh(isShort);
        // One start of Wine for the three.
        if (what == "all") return join(isShort) | wait(isShort) | refresh(isShort);
    } catch (const std::exception& e) {
        std::printf("%s: %s\n", what.c_str(), e.what());
        return 1;
    }
    std::puts("unknown figure");
    return 2;
}
