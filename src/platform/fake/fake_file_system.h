#pragma once
// An in-memory Windows file system for the tests: drive roots, backslash paths,
// doubled backslashes, names that ignore letter case but keep it for listings,
// attributes and time stamps, a current directory and injected failures.
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::platform::fake {

class FakeFileSystem final : public FileSystem {
public:
    static constexpr DateTime kDefaultTime{2024, 1, 15, 10, 30, 0};

    FakeFileSystem();

    // ---- the interface
    [[nodiscard]] bool fileExists(const std::string& path) override;
    [[nodiscard]] bool directoryExists(const std::string& path) override;
    [[nodiscard]] std::optional<std::string> readFile(const std::string& path) override;
    [[nodiscard]] std::optional<std::string> readFilePart(const std::string& path, std::uint64_t offset,
                                                          std::size_t length) override;
    void writeFileAtomic(const std::string& path, const std::string& bytes) override;
    [[nodiscard]] bool alreadyHolds(const std::string& path, const std::string& bytes) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    void writeFileUnflushed(const std::string& path, const std::string& bytes) override;
    void flushFile(const std::string& path) override;
    [[nodiscard]] bool deleteFile(const std::string& path) override;
    [[nodiscard]] bool createDirectory(const std::string& path) override;
    [[nodiscard]] bool removeDirectory(const std::string& path) override;
    [[nodiscard]] std::vector<DirEntry> list(const std::string& folder, const std::string& mask) override;
    [[nodiscard]] std::optional<DirEntry> stat(const std::string& path) override;
    [[nodiscard]] bool setCurrentDirectory(const std::string& path) override;
    [[nodiscard]] std::string currentDirectory() override;
    bool setAttributes(const std::string& path, std::uint32_t attributes) override;
    void replaceFile(const std::string& from, const std::string& to) override;

    // ---- also offered by the Win32 file system
    bool setLastWrite(const std::string& path, const DateTime& time);

    // ---- setting up a test (missing parent folders are created)
    void addFile(const std::string& path, const std::string& content = {}, std::uint32_t attributes = kAttrArchive,
                 const DateTime& time = kDefaultTime);
    // A folder, or a drive root such as "D:\".
    void addDirectory(const std::string& path, std::uint32_t attributes = 0, const DateTime& time = kDefaultTime);

    // ---- looking at the result
    [[nodiscard]] std::optional<std::string> contents(const std::string& path) const;
    [[nodiscard]] std::optional<std::uint32_t> attributes(const std::string& path) const;
    [[nodiscard]] bool exists(const std::string& path) const;  // file or folder
    // Every file and folder below `folder` (all when empty), full paths in original case.
    [[nodiscard]] std::vector<std::string> paths(const std::string& folder = {}) const;
    // Full paths of the files written through writeFileAtomic, in order.
    std::vector<std::string> writes;

    // ---- injected failures
    void failWritesUnder(const std::string& folder);  // writes, deletes and new folders there fail
    void lockFile(const std::string& path);           // opened exclusively by another program
    void unlockFile(const std::string& path);
    void setDiskFull(bool full) { diskFull = full; }
    // The program is killed at the `n`th change from now on (1 = the next one): that
    // change does not happen (a file being written is left half written) and every
    // later one throws SimulatedKill too, until revive().
    struct SimulatedKill {};
    void killAtChange(std::size_t n) { changesLeft = n; }
    void revive() { changesLeft = 0, killed = false; }
    [[nodiscard]] bool wasKilled() const { return killed; }

    // Time stamp for files written from now on; FakeServices ties it to its clock.
    std::function<DateTime()> now = [] { return kDefaultTime; };

private:
    struct Node {
        std::string path;  // full, as first named
        std::uint32_t attributes = 0;
        std::string content;
        DateTime lastWrite;
        bool locked = false;
        [[nodiscard]] bool isDirectory() const { return (attributes & kAttrDirectory) != 0; }
    };

    // Full path with single backslashes and no "." or ".." parts, resolved against
    // the current directory; nothing for a name Windows would reject.
    [[nodiscard]] std::optional<std::string> absolute(const std::string& path) const;
    [[nodiscard]] const Node* find(const std::string& path) const;
    [[nodiscard]] Node* find(const std::string& path);
    [[nodiscard]] bool writeBlocked(const std::string& absolutePath) const;
    // The node a write to `path` replaces (or nothing), with the full path in `full`;
    // throws vexal::Error as Windows fails such a write.
    const Node* writableTarget(const std::string& path, std::string& full) const;
    void ensureParents(const std::string& absolutePath);
    [[nodiscard]] DirEntry entryOf(const Node& node, const std::string& name) const;

    std::map<std::string, Node> nodes;  // by folded full path
    std::string current = "C:\\";
    std::set<std::string> failingFolders;  // folded
    bool diskFull = false;
    std::size_t changesLeft = 0;  // 0: no kill planned
    bool killed = false;
    // Counts one change; throws SimulatedKill when it is the one planned.
    void change();
};

}  // namespace vexal::platform::fake
