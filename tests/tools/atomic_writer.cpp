// Rewrites one of the program's files over and over through the program's own
// routines, switching between two complete contents A and B.
// scripts/test-atomic-kill.sh kills it at random moments and checks that the file
// is always one of the two. Like the program, it first removes the temporary files
// that earlier, killed runs left beside the file.
//
//   atomic_writer.exe [kind] <target> [count]    count 0 or missing: forever
//   atomic_writer.exe clean <folder>             only the removal of old temporaries
//
// kind: file (two large texts, the default), settings (the settings accessor),
// params or maps (a list file as the lists write it), autoexec (the nickname's
// line replacement in the game's autoexec.cfg).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "platform/win32/svc_clock.h"
#include "platform/win32/svc_file_system.h"
#include "settings/config.h"
#include "tools/tool_rules.h"
#include "util/error.h"
#include "util/lines.h"
#include "util/temporaries.h"

namespace {

using vexal::platform::win32::Win32Clock;
using vexal::platform::win32::Win32FileSystem;

std::string bigText(char letter) {
    const std::string line = std::string(99, letter) + "\n";
    std::string text;
    while (text.size() < 200 * 1024) text += line;
    return text + "END-" + letter + "\n";
}

std::vector<std::string> listLines(const std::string& stem, char letter) {
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) lines.push_back(stem + std::to_string(i) + " " + std::string(40, letter));
    return lines;
}

// A game's autoexec.cfg: mixed line ends, and a name line every ten lines.
std::string autoexecBase() {
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += i % 10 == 0 ? "seta name \"nobody\""
                            : "bind F" + std::to_string(i % 12) + " \"vsay hi " + std::to_string(i) + "\"";
        text += i % 3 == 0 ? "\n" : "\r\n";
    }
    return text;
}

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

}  // namespace

int main(int argc, char** argv) {
    int at = 1;
    std::string kind = "file";
    for (const char* k : {"file", "settings", "params", "maps", "autoexec", "clean"})
        if (argc > 1 && std::strcmp(argv[1], k) == 0) kind = argv[at++];
    if (argc <= at) {
        std::fprintf(stderr,
                     "usage: atomic_writer [file|settings|params|maps|autoexec] <target> [count]\n"
                     "       atomic_writer clean <folder>\n");
        return 2;
    }
    const std::string target = argv[at];
    const long count = argc > at + 1 ? std::strtol(argv[at + 1], nullptr, 10) : 0;
    Win32FileSystem fs;
    Win32Clock clock;

    const std::string folder = kind == "clean" ? target + "\\" : folderOf(target);
    const std::size_t removed = vexal::util::removeStaleTemporaries(fs, folder, clock.now());
    if (kind == "clean") {
        std::printf("%zu removed\n", removed);
        return 0;
    }

    vexal::settings::Config config(fs, target);
    std::function<void(char)> write;
    if (kind == "file") {
        const std::string contents[2] = {bigText('A'), bigText('B')};
        write = [&, contents](char letter) { fs.writeFileAtomic(target, contents[letter - 'A']); };
    } else if (kind == "settings") {
        write = [&](char letter) {
            config.doc().writeString("ET-Nickname", "nick", std::string(" Pl4yer ") + letter);
            config.doc().writeString("ET-Param", "ETParam", "+map oasis " + std::string(64 * 1024, letter));
            config.updateFile();
        };
    } else if (kind == "params" || kind == "maps") {
        const std::string stem = kind == "params" ? "+sv_pure 1 +g_gametype 2 +map " : "map";
        const std::string contents[2] = {vexal::util::joinLines(listLines(stem, 'A')),
                                         vexal::util::joinLines(listLines(stem, 'B'))};
        write = [&, contents](char letter) { fs.writeFileAtomic(target, contents[letter - 'A']); };
    } else {
        if (!fs.fileExists(target)) fs.writeFileAtomic(target, autoexecBase());
        write = [&](char letter) {
            vexal::util::ReplaceMatchingLines(fs, clock, target, "seta name",
                                              vexal::tools::nicknameLine("seta name", std::string(30, letter)));
        };
    }

    for (long i = 0; count == 0 || i < count; ++i) {
        try {
            write(i % 2 == 0 ? 'A' : 'B');
        } catch (const std::exception& e) {
            std::fprintf(stderr, "write %ld failed: %s\n", i, e.what());
            return 1;
        }
        if (i == 0) {
            std::printf("writing\n");  // the script starts its clock from here
            std::fflush(stdout);
        }
    }
    return 0;
}
