#pragma once
// What the text viewers say and the rules they follow, apart from the window.
#include <cstddef>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace vexal::viewers {

inline constexpr const char* kDefaultStatus = " <Please move your mouse over the objects to show hints>";
inline constexpr const char* kChangesMissing = "Sorry, changes-vexal.txt does not exists";
inline constexpr const char* kConsoleLogMissing = "Sorry, etconsole.log does not exists";
inline constexpr const char* kBuddyLogMissing = "Sorry, buddylog.txt not found\n\rCheck your ASE Preferences!";
inline constexpr const char* kLaunchInfoMissing = "Sorry, launchinfo.txt not found\n\rCheck your ASE Preferences!";
inline constexpr const char* kLaunchInfoHeader = "Last ET Game started with ASE: ";
// Follows the file system's message when an edited readme or change log cannot be saved.
inline constexpr const char* kWriteBackStopped =
    "\n\rYour text stays on screen, but further changes are not saved.\n\rOpen the viewer again to edit the file.";

// A log of hundreds of megabytes would stall the window while a text box takes it
// in (under Wine 128 KB take a quarter of a second, 1 MB nearly two): a viewer
// holds at most this much of a file, the end of a log, the start of anything
// else, always cut at a line start. Some 1,700 lines of a console log.
inline constexpr std::size_t kViewerBytes = 128 * 1024;

// " <file> (Lines: <n>)   <click on the status line or press ESC for close>"
[[nodiscard]] std::string viewerHint(const std::string& fileName, std::size_t lines);

// What a viewer holds of the file at `path`: all of it when it has at most `limit`
// bytes (`whole` is then true), else the whole lines that lie within its last
// (`end`) or its first `limit` bytes. Nothing when the file cannot be read.
[[nodiscard]] std::optional<std::string> readViewerText(platform::FileSystem& fs, const std::string& path, bool end,
                                                        bool& whole, std::size_t limit = kViewerBytes);

// The whole lines of `tail`, a piece read from the end of a bigger file whose
// first byte lies before the cut: only that byte tells whether the line after the
// cut starts there. A piece without a line end is one line, shown from the cut.
[[nodiscard]] std::string fromFirstLineStart(const std::string& tail);
// The whole lines within the first `limit` bytes of `head`, a piece read from the
// start of a bigger file with one byte beyond the cut: only that byte tells
// whether the last line before the cut ends there.
[[nodiscard]] std::string toLastLineEnd(const std::string& head, std::size_t limit);

// The console log's first line as the status line shows it later: at most 255
// characters, control characters (a stray tab, an escape code) as blanks.
[[nodiscard]] std::string lastLogText(const std::string& firstLine);

}  // namespace vexal::viewers
