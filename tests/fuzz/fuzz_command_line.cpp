// The command-line splitter: arguments quoted as Windows programs quote them split
// back to themselves, and so do the file names the program hands to an editor.
#include "fuzz/fuzz_input.h"
#include "tools/tool_rules.h"
#include "util/command_line.h"

using vexal::fuzz::check;
using vexal::fuzz::shown;

namespace {

// Quoting as the C runtime's argument rules need it: a quote is escaped, and the
// backslashes in front of a quote (or of the closing quote) are doubled.
std::string quoted(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string out = "\"";
    std::size_t slashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++slashes;
            continue;
        }
        out.append(c == '"' ? slashes * 2 + 1 : slashes, '\\');
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, '\\');
    return out + "\"";
}

std::string listed(const std::vector<std::string>& args) {
    std::string out;
    for (const auto& a : args) out += "[" + shown(a) + "]";
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args = vexal::fuzz::pieces(data, size, 8);
    while (!args.empty() && args.back().empty()) args.pop_back();
    // The program's own name knows no escapes; one with a blank comes in quotes.
    for (const std::string program : {"Vexal.exe", "\"C:\\Program Files\\Vexal\\Vexal.exe\""}) {
        std::string line = program;
        for (const auto& a : args) line += " " + quoted(a);
        const auto split = vexal::util::splitCommandLine(line);
        check(split == args, "\"" + shown(line) + "\" splits into " + listed(split) + ", not " + listed(args));
    }

    // File names handed to the user's editor: no quotes in them, and no file name ends with a backslash.
    std::vector<std::string> files;
    for (const auto& a : args)
        if (!a.empty() && a.find('"') == std::string::npos && a.back() != '\\') files.push_back(a);
    const std::string line = "notepad.exe " + vexal::tools::quotedArguments(files);
    const auto split = vexal::util::splitCommandLine(line);
    check(split == files, "\"" + shown(line) + "\" splits into " + listed(split) + ", not " + listed(files));
    return 0;
}
