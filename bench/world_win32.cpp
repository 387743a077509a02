// The round of every server, measured under Wine on the real sockets: the service
// the All Servers list runs, against a fake world on 127.0.0.1 (demo/servers.py).
//   world_win32 round <master port> [runs]
//   world_win32 list <master port> <servers>
//   world_win32 watch <master port>
// Runs the round as the window does (on the round's own thread, the copy taken every
// 100 ms) and prints, per run, the time from the master's first datagram to the
// round's end, the servers listed and answered, the requests sent, and the longest
// time the window would have waited for its copy. `list` drives the real Vexal.exe
// (the end-to-end harness): All Servers (F6), the longest wait of a message on the
// window thread while the rows fill in, the time to the status line's count, and
// the program's memory before and after. `watch` counts the bytes of the datagrams
// one round of the buddy watch sends and receives on the world: with the masters
// asked, and with the servers they listed last asked again without them.
#include <windows.h>
// windows.h first: psapi.h needs its types.
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/commands.h"
#include "e2e/harness.h"
#include "platform/win32/svc_file_system.h"
#include "platform/win32/svc_network.h"
#include "servers/world_runner.h"

namespace {

double msNow() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int round(int port, int runs) {
    vexal::platform::win32::Win32Network network;
    vexal::platform::win32::Win32FileSystem fs;
    vexal::servers::WorldRunner world(network, fs);
    vexal::servers::MasterSettings masters;
    masters.masters.push_back(*vexal::servers::masterAddress("127.0.0.1:" + std::to_string(port)));
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        const double start = msNow();
        world.start(masters, "C:\\nowhere");
        const auto& round = world.state();
        double longestUpdate = 0;
        while (!round.finished() && msNow() - start < 30000) {
            Sleep(100);
            const double before = msNow();
            world.update();
            longestUpdate = std::max(longestUpdate, msNow() - before);
        }
        if (!round.finished() || !round.firstListAt) {
            std::printf("Vexal: the round did not end within 30 s (%zu servers listed)\n", round.rows.size());
            ++failures;
            continue;
        }
        std::printf(
            "Vexal: %zu servers, %zu answered, %zu requests: %llu ms from the master's first datagram to "
            "the round's end (the window's copy taken in %.1f ms at most)\n",
            round.rows.size(), round.answered, round.requests,
            static_cast<unsigned long long>(*round.finishedAt - *round.firstListAt), longestUpdate);
    }
    world.stop();
    return failures ? 1 : 0;
}

// The program's socket, with every datagram's payload counted on its way.
class CountingNetwork final : public vexal::platform::Network {
public:
    explicit CountingNetwork(vexal::platform::Network& network) : n_(network) {}
    int startLookup(const std::string& host) override { return n_.startLookup(host); }
    vexal::platform::LookupState lookup(int id, std::uint32_t& address) override { return n_.lookup(id, address); }
    bool open() override { return n_.open(); }
    void close() override { n_.close(); }
    bool send(const vexal::platform::Endpoint& to, const std::string& bytes) override {
        sentBytes += static_cast<long long>(bytes.size());
        ++sent;
        return n_.send(to, bytes);
    }
    std::optional<vexal::platform::Datagram> receive() override {
        auto d = n_.receive();
        if (d) {
            receivedBytes += static_cast<long long>(d->bytes.size());
            ++received;
        }
        return d;
    }
    std::uint64_t milliseconds() override { return n_.milliseconds(); }
    bool runsOnAnyThread() const override { return n_.runsOnAnyThread(); }

    std::atomic<long long> sentBytes{0}, receivedBytes{0}, sent{0}, received{0};

private:
    vexal::platform::Network& n_;
};

int watch(int port) {
    vexal::platform::win32::Win32Network socket;
    CountingNetwork network(socket);
    vexal::platform::win32::Win32FileSystem fs;
    vexal::servers::WorldRunner world(network, fs);
    vexal::servers::MasterSettings masters;
    masters.masters.push_back(*vexal::servers::masterAddress("127.0.0.1:" + std::to_string(port)));
    int failures = 0;
    for (const bool reuse : {false, true}) {
        network.sentBytes = network.receivedBytes = network.sent = network.received = 0;
        const double start = msNow();
        world.start(masters, "C:\\nowhere", reuse);
        const auto& round = world.state();
        while (!round.finished() && msNow() - start < 30000) {
            Sleep(20);
            world.update();
        }
        if (!round.finished()) ++failures;
        std::printf(
            "one watch round of the world, %s: %zu servers, %zu answered; %lld bytes sent in %lld datagrams, "
            "%lld bytes received in %lld (UDP payload)\n",
            reuse ? "the servers listed last asked again" : "the masters asked", round.rows.size(), round.answered,
            network.sentBytes.load(), network.sent.load(), network.receivedBytes.load(), network.received.load());
    }
    world.stop();
    return failures ? 1 : 0;
}

double workingSetMb(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    PROCESS_MEMORY_COUNTERS counters{};
    const bool ok = process && K32GetProcessMemoryInfo(process, &counters, sizeof counters);
    if (process) CloseHandle(process);
    return ok ? static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0) : -1;
}

int list(int masterPort, int servers) {
    e2e::Sandbox box;
    box.writeSettings("[Masters]\r\nMaster1=127.0.0.1:" + std::to_string(masterPort) + "\r\nMaster2=\r\n\r\n");
    e2e::Vexal vexal(box);
    if (!vexal.waitShown()) return std::puts("list: the window did not show"), 1;
    SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(500);
    const double before = workingSetMb(vexal.main());
    vexal.command(vexal::Cmd::AllServers);
    const double start = msNow();
    std::vector<double> waits;
    std::string slowAt;  // when each wait over 16 ms began, after F6
    double doneAt = 0;
    // Probes every 2 ms; the status line is read every tenth (a read is itself a message).
    for (int probe = 0; msNow() - start < 60000; ++probe) {
        const double t = msNow();
        DWORD_PTR result = 0;
        SendMessageTimeoutA(vexal.main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
        waits.push_back(msNow() - t);
        if (waits.back() > 16) {
            char at[48];
            std::snprintf(at, sizeof at, " %.0f ms (%.2f s)", waits.back(), (t - start) / 1000.0);
            slowAt += at;
        }
        if (probe % 10 == 0 && vexal.text("stInfo").find("servers answered") != std::string::npos) {
            doneAt = msNow() - start;
            break;
        }
        Sleep(2);
    }
    const std::string status = vexal.text("stInfo");
    const auto rows = vexal.rows("lvWorld").size();
    const double after = workingSetMb(vexal.main());
    std::vector<double> sorted = waits;
    std::sort(sorted.begin(), sorted.end());
    const auto slow = std::count_if(waits.begin(), waits.end(), [](double w) { return w > 16; });
    std::printf(
        "All Servers, %d servers listed by the master: %s %.1f s after F6;%s the window thread held a message at "
        "most %.1f ms (median %.2f ms, 99th percentile %.1f ms), %lld of %zu waited over 16 ms; %zu rows listed; "
        "working set %.1f MB "
        "before F6, %.1f MB after\n",
        servers, doneAt > 0 ? "the count in the status line" : "no count in the status line within 60 s,",
        (doneAt > 0 ? doneAt : msNow() - start) / 1000.0, status.c_str(), sorted.back(), sorted[sorted.size() / 2],
        sorted[sorted.size() * 99 / 100], static_cast<long long>(slow), waits.size(), rows, before, after);
    if (!slowAt.empty()) std::printf("  the waits over 16 ms, and when after F6:%s\n", slowAt.c_str());
    return doneAt > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "round")
        return round(std::atoi(argv[2]), argc >= 4 ? std::atoi(argv[3]) : 1);
    if (argc >= 4 && std::string(argv[1]) == "list") return list(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc >= 3 && std::string(argv[1]) == "watch") return watch(std::atoi(argv[2]));
    std::fprintf(
        stderr,
        "usage: world_win32 round <master port> [runs], list <master port> <servers>, or watch <master port>\n");
    return 2;
}
