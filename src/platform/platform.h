#pragma once
// One small interface per outside service. The Win32 implementations live in
// win32/, the scripted fakes used by the tests in fake/.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vexal::platform {

// Windows file attribute bits, kept numerically equal to FILE_ATTRIBUTE_*.
enum Attr : std::uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrNormal = 0x80,
    kAttrReparsePoint = 0x400,
};

// Local wall-clock time as the file system or the clock reports it.
struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

struct DirEntry {
    std::string name;  // name only, as the listing reports it (with "." and "..")
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    DateTime lastWrite;  // local time
    [[nodiscard]] bool isDirectory() const { return (attributes & kAttrDirectory) != 0; }
};

// Paths are Windows paths: backslashes, drive roots such as "D:\", doubled
// backslashes accepted, names compared without regard to letter case.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    [[nodiscard]] virtual bool fileExists(const std::string& path) = 0;
    [[nodiscard]] virtual bool directoryExists(const std::string& path) = 0;
    // The whole file, or nothing when it cannot be opened.
    [[nodiscard]] virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // At most `length` bytes from `offset` on (fewer at the end of the file), or
    // nothing when it cannot be opened: for files too big to read whole.
    [[nodiscard]] virtual std::optional<std::string> readFilePart(const std::string& path, std::uint64_t offset,
                                                                  std::size_t length) = 0;
    // Writes a temporary file beside the target and moves it in place, so a crash
    // leaves the old file or the new one. Throws vexal::Error naming the failure.
    virtual void writeFileAtomic(const std::string& path, const std::string& bytes) = 0;
    // True when the file holds exactly `bytes` and could be replaced now: not read-only,
    // not held by another program. Writing the same bytes again would only cost a flush.
    [[nodiscard]] virtual bool alreadyHolds(const std::string& path, const std::string& bytes) = 0;
    // Creates or overwrites `path` in place, flushed to the disk: for a temporary
    // file whose name the caller keeps track of. Throws vexal::Error naming the failure.
    virtual void writeFile(const std::string& path, const std::string& bytes) = 0;
    // As writeFile, without waiting for the disk: for many files written in a row, each
    // then made sure of with flushFile once all are written, which costs a fraction of
    // one flush after each write.
    virtual void writeFileUnflushed(const std::string& path, const std::string& bytes) = 0;
    // What was written to the file is on the disk; a full disk may only show here.
    // Throws vexal::Error naming the failure.
    virtual void flushFile(const std::string& path) = 0;
    [[nodiscard]] virtual bool deleteFile(const std::string& path) = 0;
    [[nodiscard]] virtual bool createDirectory(const std::string& path) = 0;
    // Only an empty folder.
    [[nodiscard]] virtual bool removeDirectory(const std::string& path) = 0;
    // Entries of `folder` (which ends with a backslash or not) matching the
    // wildcard mask, including hidden, system and read-only ones.
    [[nodiscard]] virtual std::vector<DirEntry> list(const std::string& folder, const std::string& mask) = 0;
    [[nodiscard]] virtual std::optional<DirEntry> stat(const std::string& path) = 0;
    [[nodiscard]] virtual bool setCurrentDirectory(const std::string& path) = 0;
    [[nodiscard]] virtual std::string currentDirectory() = 0;
    // Sets the read-only, hidden, system and archive marks of a file or folder.
    virtual bool setAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // Renames the file `from` over `to` in one step (both in the same folder).
    // Throws vexal::Error naming the failure; a read-only `to` is refused, as Windows does.
    virtual void replaceFile(const std::string& from, const std::string& to) = 0;
};

enum class ShowCmd { Normal = 1, Show = 5 };

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecute with the verb "open". `withOwner` hands the main window as owner.
    virtual void open(const std::string& file, const std::string& params, const std::string& directory, ShowCmd show,
                      bool withOwner) = 0;
};

enum class BoxKind { Plain, Information, Warning, Error, Confirmation };
// YesCancel: the questions that go ahead on "&Ja" and stop on "Abbrechen".
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel, Cancel, YesCancel };
enum class BoxResult { Ok, Cancel, Yes, No };

struct OpenFileRequest {
    std::string title, filter, initialDir, fileName, defaultExt;
    bool multiSelect = true;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual BoxResult messageBox(const std::string& text, BoxKind kind, BoxButtons buttons) = 0;
    // The standard error box of a handler that failed.
    virtual void errorBox(const std::string& message) = 0;
    // The chosen files (at least one), or nothing when cancelled.
    virtual std::optional<std::vector<std::string>> openFile(const OpenFileRequest& request) = 0;
    virtual std::optional<std::string> browseForFolder(const std::string& instruction,
                                                       const std::string& preselect) = 0;
    virtual std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                                const std::string& value) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const std::string& text) = 0;
    [[nodiscard]] virtual std::optional<std::string> text() = 0;  // nothing when it holds no text
};

class Sound {
public:
    virtual ~Sound() = default;
    // Closes whatever is open (cutting it off), opens `path` with the device the
    // media layer picks by type and starts playback. Throws vexal::Error when the
    // file cannot be opened.
    virtual void play(const std::string& path, bool wait) = 0;
    virtual void close() = 0;
};

struct NumberFormat {
    char thousands = ',';
    char decimal = '.';
};

class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual DateTime now() = 0;
    // Short date, a blank, long time, in the user's locale.
    [[nodiscard]] virtual std::string dateTimeText(const DateTime& t) = 0;
    [[nodiscard]] virtual std::string shortDateText(const DateTime& t) = 0;
    [[nodiscard]] virtual std::string longTimeText(const DateTime& t) = 0;
    [[nodiscard]] virtual NumberFormat numberFormat() = 0;
    // Locale-aware lower-casing in the system code page.
    [[nodiscard]] virtual std::string lower(const std::string& text) = 0;
};

class Connectivity {
public:
    virtual ~Connectivity() = default;
    [[nodiscard]] virtual bool connected() = 0;
};

struct FileVersion {
    std::uint32_t msw = 0, lsw = 0;  // dwFileVersionMS, dwFileVersionLS
};

class Process {
public:
    virtual ~Process() = default;
    [[nodiscard]] virtual std::string exePath() = 0;
    [[nodiscard]] virtual std::vector<std::string> arguments() = 0;  // without the program name
    // Creates the named mutex, initially owned. False when one of that name already existed.
    [[nodiscard]] virtual bool createMutex(const std::string& name) = 0;
    virtual void releaseMutex() = 0;
    // Fixed part of the version resource of `path`, or nothing when it has none.
    [[nodiscard]] virtual std::optional<FileVersion> fileVersion(const std::string& path) = 0;
    [[nodiscard]] virtual std::string environment(const std::string& name) = 0;
    // The user's personal folder (Documents), where ET:Legacy keeps the player's
    // files; empty when the system names none.
    [[nodiscard]] virtual std::string personalFolder() = 0;
};

enum HotkeyMod : unsigned { kModAlt = 1, kModControl = 2, kModShift = 4 };

class Hotkeys {
public:
    virtual ~Hotkeys() = default;
    virtual bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual void unregisterHotkey(int id) = 0;
    // Minimizes the window in front (the game) and brings the owner window forward.
    // Never waits for the game, and always lets go of its input again.
    virtual void minimizeForeground() = 0;
    // Posts the quit message to the window in front, this program's own included,
    // unless that is the desktop or the taskbar.
    virtual void quitForeground() = 0;
    // The full path of the program whose window is in front; empty when none or unknown.
    [[nodiscard]] virtual std::string foregroundProgram() = 0;
};

// Measures text as the window draws it.
class Screen {
public:
    virtual ~Screen() = default;
    [[nodiscard]] virtual int textWidth(const std::string& fontName, int height, bool bold,
                                        const std::string& text) = 0;
    [[nodiscard]] virtual int dialogFrameWidth() = 0;  // SM_CXDLGFRAME
};

// An IPv4 address and a UDP port, both in host order (127.0.0.1 is 0x7F000001).
struct Endpoint {
    std::uint32_t address = 0;
    std::uint16_t port = 0;
    friend bool operator==(const Endpoint&, const Endpoint&) = default;
};

struct Datagram {
    Endpoint from;
    std::string bytes;
};

enum class LookupState { Pending, Found, NotFound };

// UDP for asking game servers how they are. Nothing here ever waits: a name is
// looked up in the background and collected later, the socket never blocks, and
// the caller polls.
class Network {
public:
    virtual ~Network() = default;
    // Starts looking up a host name or a dotted address; the number names it later.
    [[nodiscard]] virtual int startLookup(const std::string& host) = 0;
    // Where the lookup stands; `address` is set once it is Found.
    [[nodiscard]] virtual LookupState lookup(int id, std::uint32_t& address) = 0;
    // Opens the socket (any local port). False when the system refuses one.
    [[nodiscard]] virtual bool open() = 0;
    // Closes the socket and forgets every lookup, finished or not.
    virtual void close() = 0;
    virtual bool send(const Endpoint& to, const std::string& bytes) = 0;
    // The next datagram that has arrived (at most 64 KB of it), or nothing.
    [[nodiscard]] virtual std::optional<Datagram> receive() = 0;
    // Milliseconds on a clock that never goes back.
    [[nodiscard]] virtual std::uint64_t milliseconds() = 0;    // Whether the socket, the lookups and the clock may be used from a thread other
    // than the window's (one thread at a time).
    [[nodiscard]] virtual bool runsOnAnyThread() const { return false; }
};

// Keeps folders under watch and counts them on a thread of its own, so that the
// window's thread only ever reads a number that is already there.
class FolderWatch {
public:
    // Counts `folder` through the file system it is handed, off the window's
    // thread: it may refer to nothing of the caller's. Once `stop` is set the
    // watch is ending and the counter may give up early with any number.
    using Counter =
        std::function<std::int32_t(FileSystem& fs, const std::string& folder, const std::atomic<bool>& stop)>;
    // A fresh count, on the window's thread; nothing when the folder cannot be
    // watched (any more): from then on the caller has to count for itself.
    using Counted = std::function<void(std::optional<std::int32_t> count)>;

    virtual ~FolderWatch() = default;
    // Watches `folder` and everything below it, also while it does not exist yet.
    // The counter runs soon after, and again after every change below the folder
    // (a file or folder created, deleted or renamed) and when the folder itself
    // appears or goes; the results reach `counted` in order. The id is for unwatch.
    virtual int watch(const std::string& folder, Counter counter, Counted counted) = 0;
    // No result of this watch reaches its `counted` after this returns.
    virtual void unwatch(int id) = 0;
    // Ends every watch and the thread behind them, waiting for it a bounded time.
    virtual void stop() = 0;
};

// The current user's part of the registry (HKEY_CURRENT_USER): keys are paths
// below it such as "Software\\Classes\\et", value names are compared without
// regard to letter case, and "" names a key's default value. Nothing here needs
// administrator rights.
class Registry {
public:
    virtual ~Registry() = default;
    [[nodiscard]] virtual bool keyExists(const std::string& key) = 0;
    // The text of a string value; nothing when the key or the value is missing or
    // the value holds no text.
    [[nodiscard]] virtual std::optional<std::string> readString(const std::string& key, const std::string& name) = 0;
    // Creates the key (and those above it) as needed and sets the string value.
    // Throws vexal::Error naming the failure.
    virtual void writeString(const std::string& key, const std::string& name, const std::string& value) = 0;
    // Removes the key with its values and every key below it; a missing key is no
    // failure. Throws vexal::Error naming the failure.
    virtual void deleteTree(const std::string& key) = 0;

    // HKEY_LOCAL_MACHINE, only read: where the games' installers note their folder.
    // A 64-bit Windows keeps two views of its Software key, one for 64-bit and one for
    // 32-bit programs; a 32-bit Windows has one, which both names reach.
    enum class View { Bits64, Bits32 };
    [[nodiscard]] virtual std::optional<std::string> readMachineString(const std::string& key, const std::string& name,
                                                                       View view) = 0;
};

// Everything the portable code may ask of the machine, in one bundle.
struct Services {
    FileSystem& fs;
    Shell& shell;
    Dialogs& dialogs;
    Clipboard& clipboard;
    Sound& sound;
    Clock& clock;
    Connectivity& connectivity;
    Process& process;
    Hotkeys& hotkeys;
    Screen& screen;
    Network& network;
    // A socket of its own for asking every server of the masters: the saved list's
    // status and the world's round never read each other's replies.
    Network& worldNetwork;
    FolderWatch& folderWatch;
    Registry& registry;
};

}  // namespace vexal::platform
