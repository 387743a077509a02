// The round of every server, measured under Wine on the real sockets: the service
// the All Servers list runs, against a fake world on 127.0.0.1 (demo/servers.py).
//   world_win32 round <master port> [runs]
// Polls as the window's timer does (every 10 ms) and prints, per run, the time from
// the master's first datagram to the round's end, the servers listed and answered,
// the requests sent, and the longest poll (time the window thread would be held).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/svc_file_system.h"
#include "platform/win32/svc_network.h"
#include "servers/world_round.h"

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
    vexal::servers::WorldRound world(network, fs);
    vexal::servers::MasterSettings masters;
    masters.masters.push_back(*vexal::servers::masterAddress("127.0.0.1:" + std::to_string(port)));
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        const double start = msNow();
        world.start(masters, "C:\\nowhere", static_cast<std::uint64_t>(msNow()));
        double longestPoll = 0;
        while (!world.finished() && msNow() - start < 30000) {
            Sleep(10);
            const double before = msNow();
            world.poll(static_cast<std::uint64_t>(before));
            longestPoll = std::max(longestPoll, msNow() - before);
        }
        if (!world.finished() || !world.firstListAt()) {
            std::printf("Vexal: the round did not end within 30 s (%zu servers listed)\n", world.rows().size());
            ++failures;
            continue;
        }
        std::printf(
            "Vexal: %zu servers, %zu answered, %zu requests: %llu ms from the master's first datagram to "
            "the round's end (longest poll %.1f ms)\n",
            world.rows().size(), world.answered(), world.requests(),
            static_cast<unsigned long long>(*world.finishedAt() - *world.firstListAt()), longestPoll);
    }
    world.stop();
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "round")
        return round(std::atoi(argv[2]), argc >= 4 ? std::atoi(argv[3]) : 1);
    std::fprintf(stderr, "usage: world_win32 round <master port> [runs]\n");
    return 2;
}
