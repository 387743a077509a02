#pragma once
// Small stand-alone routines that several parts of the program share. None keeps state.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/control.h"

namespace vexal::util {

// Error texts of the file routines, exactly as the standard error box shows them.
inline constexpr const char* kNoVersionInfoText = "Keine Versionsinformationen vorhanden";
[[nodiscard]] std::string cannotOpenFileText(const std::string& path);    // "Datei <path> kann nicht geöffnet werden"
[[nodiscard]] std::string cannotCreateFileText(const std::string& path);  // "Datei <path> kann nicht erstellt werden"

// File name without folder and without its last extension: C:\ET\etmain\oasis.pk3 gives oasis.
[[nodiscard]] std::string FileBaseName(const std::string& path);

// "major.minor.release" of a file version; the build number is not shown.
[[nodiscard]] std::string versionText(const platform::FileVersion& version);
// The running executable's version text. Throws vexal::Error "Keine Versionsinformationen
// vorhanden" when it carries no version resource.
[[nodiscard]] std::string GetVersionText(platform::Process& process);

// All entries (or the selected one), each followed by CR LF, onto the clipboard.
void ListToClipboard(platform::Clipboard& clipboard, const ui::ListBox* list, bool all);
// Replaces the entries by the clipboard's lines; nothing changes when it holds no text.
void ClipboardToList(platform::Clipboard& clipboard, ui::ListBox* list);

[[nodiscard]] bool InternetConnected(platform::Connectivity& connectivity);

// Files below `folder`, at any depth, hidden ones included; folders are not counted.
[[nodiscard]] std::int32_t CountFilesInTree(platform::FileSystem& fs, const std::string& folder);

// Horizontal extent of a list box: 0 removes the scroll bar; otherwise the widest
// entry (at least minWidth) plus a dialog frame.
void SetListExtent(platform::Screen& screen, ui::ListBox* list, int minWidth);

// Size of a file (low 32 bits), 0 when it does not exist.
[[nodiscard]] std::uint32_t FileSizeOf(platform::FileSystem& fs, const std::string& path);

// "1,023 Bytes", "1.00 KB", "1,024.00 KB", "1.00 MB", "4.00 GB" with the locale's separators.
[[nodiscard]] std::string FormatByteSize(std::uint32_t bytes, const platform::NumberFormat& format);

// Last change of a file as short date and long time text.
[[nodiscard]] std::string FileDateText(platform::FileSystem& fs, platform::Clock& clock, const std::string& path);

// Replaces every line whose lower-cased form contains the lower-cased search text
// by `replacement`. Each line keeps its own line end (CR LF, LF, CR or none) and
// every other byte stays; the file is put back in one piece, and only when a line
// changed. Throws vexal::Error when the file cannot be read or written.
void ReplaceMatchingLines(platform::FileSystem& fs, platform::Clock& clock, const std::string& path,
                          const std::string& search, const std::string& replacement);

// Lines of a text: a line ends at CR LF, a lone CR or a lone LF; the last needs no end.
[[nodiscard]] std::vector<std::string> splitLines(const std::string& text);
// Each line followed by CR LF.
[[nodiscard]] std::string joinLines(const std::vector<std::string>& lines);

}  // namespace vexal::util
