// Writes one file over and over through the program's atomic write, switching
// between two large, easily told apart contents. scripts/test-atomic-kill.sh
// kills it at random moments and checks that the file is always one of the two.
//
//   atomic_writer.exe <target> [count]    count 0 or missing: forever
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/svc_file_system.h"
#include "util/error.h"

namespace {

std::string content(char letter) {
    const std::string line = std::string(99, letter) + "\n";
    std::string text;
    while (text.size() < 200 * 1024) text += line;
    return text + "END-" + letter + "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: atomic_writer <target> [count]\n");
        return 2;
    }
    const std::string target = argv[1];
    const long count = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 0;
    const std::string contents[2] = {content('A'), content('B')};
    vexal::platform::win32::Win32FileSystem fs;
    for (long i = 0; count == 0 || i < count; ++i) {
        try {
            fs.writeFileAtomic(target, contents[i % 2]);
        } catch (const vexal::Error& e) {
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
