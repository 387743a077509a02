#include "util/command_line.h"

namespace vexal::util {

std::vector<std::string> splitCommandLine(const std::string& line) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    auto blank = [&](std::size_t at) { return line[at] == ' ' || line[at] == '\t'; };
    // The program name knows no escapes: up to the closing quote, or to the first blank.
    if (i < n && line[i] == '"') {
        ++i;
        while (i < n && line[i] != '"') ++i;
        if (i < n) ++i;
    } else {
        while (i < n && !blank(i)) ++i;
    }
    std::vector<std::string> args;
    for (;;) {
        while (i < n && blank(i)) ++i;
        if (i >= n) break;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !blank(i))) {
            if (line[i] == '\\') {
                std::size_t slashes = 0;
                while (i < n && line[i] == '\\') ++slashes, ++i;
                if (i < n && line[i] == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(slashes, '\\');
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += line[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace vexal::util
