#pragma once
// The command line split into arguments by the rules Windows programs share.
#include <string>
#include <vector>

namespace vexal::util {

// Arguments after the program name: blanks and tabs separate them, double quotes
// group, 2n backslashes before a quote give n and the quote groups, 2n+1 give n and
// a literal quote, other backslashes are literal; "" inside quotes is one quote.
[[nodiscard]] std::vector<std::string> splitCommandLine(const std::string& commandLine);

// One file argument for a program started through the shell: in double quotes,
// so a path with blanks arrives as one argument.
[[nodiscard]] inline std::string quotedArgument(const std::string& path) { return "\"" + path + "\""; }

}  // namespace vexal::util
