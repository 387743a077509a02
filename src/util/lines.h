#pragma once
// Text files as lines.
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::util {

// Replaces every line whose lower-cased form contains the lower-cased search text
// by `replacement`. Each line keeps its own line end (CR LF, LF, CR or none) and
// every other byte stays; the file is put back in one piece, and only when a line
// changed. Throws vexal::Error when the file cannot be read or written.
void ReplaceMatchingLines(platform::FileSystem& fs, platform::Clock& clock, const std::string& path,
                          const std::string& search, const std::string& replacement);

// A line that contains `search` becomes `replacement`.
struct LineRule {
    std::string search, replacement;
};
// The same for several rules in one pass: each line is compared with the file as
// it was read, and the first rule it matches decides its new text. A line that
// one rule wrote is never looked at by the next.
void ReplaceMatchingLines(platform::FileSystem& fs, platform::Clock& clock, const std::string& path,
                          const std::vector<LineRule>& rules);

// Lines of a text: a line ends at CR LF, a lone CR or a lone LF; the last needs no end.
[[nodiscard]] std::vector<std::string> splitLines(const std::string& text);
// Each line followed by CR LF.
[[nodiscard]] std::string joinLines(const std::vector<std::string>& lines);

}  // namespace vexal::util
