#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "contract/contract_services.h"
#include "util/error.h"

namespace vexal::contract {
namespace {

using platform::DateTime;
using platform::DirEntry;
using platform::kAttrDirectory;
using platform::kAttrHidden;
using platform::kAttrNormal;
using platform::kAttrReadOnly;

std::vector<std::string> sortedNames(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

const DirEntry* entryNamed(const std::vector<DirEntry>& entries, const std::string& name) {
    for (const auto& entry : entries) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

// Every byte value, line ends of all kinds and a NUL in the middle.
std::string awkwardBytes() {
    std::string bytes = "line one\r\nline two\nline three\rlast ";
    bytes += std::string("\0", 1);
    for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
    return bytes;
}

class FileSystemContract : public ::testing::Test {
protected:
    Machine machine;
    TestFileSystem& fs = machine.fs;
    ScratchFolder dir{machine, ::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(FileSystemContract, ExistenceTellsFilesFromFolders) {
    ASSERT_TRUE(fs.directoryExists(dir.path()));
    fs.writeFileAtomic(dir / "a.txt", "x");
    ASSERT_TRUE(fs.createDirectory(dir / "sub"));

    EXPECT_TRUE(fs.fileExists(dir / "a.txt"));
    EXPECT_FALSE(fs.fileExists(dir.path() + "\\a.txt\\"));
    EXPECT_EQ(fs.readFile(dir.path() + "\\a.txt\\"), std::nullopt);
    EXPECT_FALSE(fs.directoryExists(dir / "a.txt"));
    EXPECT_TRUE(fs.directoryExists(dir / "sub"));
    EXPECT_TRUE(fs.directoryExists(dir.path() + "\\sub\\"));
    EXPECT_FALSE(fs.fileExists(dir / "sub"));
    EXPECT_FALSE(fs.fileExists(dir / "missing.txt"));
    EXPECT_FALSE(fs.directoryExists(dir / "missing"));
}

TEST_F(FileSystemContract, ReadGivesTheWholeFileOrNothing) {
    const std::string bytes = awkwardBytes();
    fs.writeFileAtomic(dir / "data.bin", bytes);
    EXPECT_EQ(fs.readFile(dir / "data.bin"), bytes);
    // A part: from an offset, cut at the end, empty beyond it, nothing for a missing file.
    EXPECT_EQ(fs.readFilePart(dir / "data.bin", 3, 5), bytes.substr(3, 5));
    EXPECT_EQ(fs.readFilePart(dir / "data.bin", bytes.size() - 2, 100), bytes.substr(bytes.size() - 2));
    EXPECT_EQ(fs.readFilePart(dir / "data.bin", bytes.size() + 10, 4), std::string());
    EXPECT_EQ(fs.readFilePart(dir / "missing.bin", 0, 4), std::nullopt);

    fs.writeFileAtomic(dir / "empty.txt", "");
    EXPECT_EQ(fs.readFile(dir / "empty.txt"), "");

    EXPECT_EQ(fs.readFile(dir / "missing.txt"), std::nullopt);
    ASSERT_TRUE(fs.createDirectory(dir / "sub"));
    EXPECT_EQ(fs.readFile(dir / "sub"), std::nullopt);
}

TEST_F(FileSystemContract, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
    fs.writeFileAtomic(dir / "settings.ini", std::string(100000, 'a'));
    fs.writeFileAtomic(dir / "settings.ini", "short");
    EXPECT_EQ(fs.readFile(dir / "settings.ini"), "short");
    EXPECT_EQ(sortedNames(fs.list(dir.path(), "*.*")), (std::vector<std::string>{".", "..", "settings.ini"}));
}

TEST_F(FileSystemContract, AtomicWriteKeepsAHiddenFileHidden) {
    fs.writeFileAtomic(dir / "profile.dat", "old");
    ASSERT_TRUE(fs.setAttributes(dir / "profile.dat", kAttrHidden));
    fs.writeFileAtomic(dir / "profile.dat", "new");
    const auto facts = fs.stat(dir / "profile.dat");
    ASSERT_TRUE(facts);
    EXPECT_NE(facts->attributes & kAttrHidden, 0u);
    EXPECT_EQ(fs.readFile(dir / "profile.dat"), "new");
}

TEST_F(FileSystemContract, AtomicWriteFailsWhereItCannotReplace) {
    // Into a folder that does not exist.
    EXPECT_THROW(fs.writeFileAtomic(dir.path() + "\\missing\\file.txt", "x"), Error);
    EXPECT_FALSE(fs.directoryExists(dir / "missing"));

    // Over a read-only file: refused, and the old content survives.
    fs.writeFileAtomic(dir / "locked.cfg", "old");
    ASSERT_TRUE(fs.setAttributes(dir / "locked.cfg", kAttrReadOnly));
    EXPECT_THROW(fs.writeFileAtomic(dir / "locked.cfg", "new"), Error);
    EXPECT_EQ(fs.readFile(dir / "locked.cfg"), "old");

    // Over a folder.
    ASSERT_TRUE(fs.createDirectory(dir / "folder"));
    EXPECT_THROW(fs.writeFileAtomic(dir / "folder", "x"), Error);
    EXPECT_TRUE(fs.directoryExists(dir / "folder"));

    // None of the failures leaves a temporary file behind.
    EXPECT_EQ(sortedNames(fs.list(dir.path(), "*.*")), (std::vector<std::string>{".", "..", "folder", "locked.cfg"}));
}

TEST_F(FileSystemContract, AFileAlreadyHoldsOnlyItsOwnBytesAndOnlyWhenItCouldBeReplaced) {
    const std::string bytes = awkwardBytes();
    fs.writeFileAtomic(dir / "same.ini", bytes);
    EXPECT_TRUE(fs.alreadyHolds(dir / "same.ini", bytes));
    EXPECT_FALSE(fs.alreadyHolds(dir / "same.ini", bytes + "x"));
    EXPECT_FALSE(fs.alreadyHolds(dir / "same.ini", bytes.substr(1)));
    EXPECT_FALSE(fs.alreadyHolds(dir / "missing.ini", ""));
    ASSERT_TRUE(fs.createDirectory(dir / "folder"));
    EXPECT_FALSE(fs.alreadyHolds(dir / "folder", ""));
    // Read-only: the same bytes, but a save would fail, and must still be seen to.
    ASSERT_TRUE(fs.setAttributes(dir / "same.ini", kAttrReadOnly));
    EXPECT_FALSE(fs.alreadyHolds(dir / "same.ini", bytes));
    ASSERT_TRUE(fs.setAttributes(dir / "same.ini", kAttrNormal));
}

TEST_F(FileSystemContract, ReplaceRenamesOverTheOldFileButNotOverAReadOnlyOne) {
    fs.writeFileAtomic(dir / "new.tmp", "new");
    fs.writeFileAtomic(dir / "archive.zip", "old");
    fs.replaceFile(dir / "new.tmp", dir / "archive.zip");
    EXPECT_EQ(fs.readFile(dir / "archive.zip"), "new");
    EXPECT_FALSE(fs.fileExists(dir / "new.tmp"));

    fs.writeFileAtomic(dir / "other.tmp", "other");
    ASSERT_TRUE(fs.setAttributes(dir / "archive.zip", kAttrReadOnly));
    EXPECT_THROW(fs.replaceFile(dir / "other.tmp", dir / "archive.zip"), Error);
    EXPECT_EQ(fs.readFile(dir / "archive.zip"), "new");
    EXPECT_THROW(fs.replaceFile(dir / "missing.tmp", dir / "x.zip"), Error);
    EXPECT_FALSE(fs.fileExists(dir / "x.zip"));
    ASSERT_TRUE(fs.setAttributes(dir / "archive.zip", kAttrNormal));
}

// What a restore relies on: a staged file written in place, a read-only original
// renamed aside and back, a folder it made removed again only when empty.
TEST_F(FileSystemContract, PlainWritesRenamesAsideAndEmptyFoldersGo) {
    fs.writeFile(dir / "map.dat.new", awkwardBytes());
    fs.writeFile(dir / "map.dat.new", "staged");
    EXPECT_EQ(fs.readFile(dir / "map.dat.new"), "staged");
    // Many files are written first and flushed together afterwards.
    fs.writeFileUnflushed(dir / "radar.txt.new", awkwardBytes());
    fs.flushFile(dir / "radar.txt.new");
    EXPECT_EQ(fs.readFile(dir / "radar.txt.new"), awkwardBytes());
    EXPECT_THROW(fs.flushFile(dir / "missing.txt.new"), Error);
    ASSERT_TRUE(fs.setAttributes(dir / "radar.txt.new", kAttrReadOnly));
    EXPECT_THROW(fs.flushFile(dir / "radar.txt.new"), Error);
    ASSERT_TRUE(fs.setAttributes(dir / "radar.txt.new", kAttrNormal));
    EXPECT_TRUE(fs.deleteFile(dir / "radar.txt.new"));
    fs.writeFileAtomic(dir / "map.dat", "original");
    ASSERT_TRUE(fs.setAttributes(dir / "map.dat", kAttrReadOnly));
    EXPECT_THROW(fs.writeFile(dir / "map.dat", "x"), Error);
    fs.replaceFile(dir / "map.dat", dir / "map.dat.old");
    fs.replaceFile(dir / "map.dat.new", dir / "map.dat");
    EXPECT_EQ(fs.readFile(dir / "map.dat"), "staged");
    EXPECT_EQ(fs.readFile(dir / "map.dat.old"), "original");
    ASSERT_TRUE(fs.setAttributes(dir / "map.dat.old", kAttrNormal));
    EXPECT_TRUE(fs.deleteFile(dir / "map.dat.old"));

    ASSERT_TRUE(fs.createDirectory(dir / "new"));
    fs.writeFile(dir.path() + "\\new\\radar.txt", "x");
    EXPECT_FALSE(fs.removeDirectory(dir / "new"));
    EXPECT_TRUE(fs.deleteFile(dir.path() + "\\new\\radar.txt"));
    EXPECT_TRUE(fs.removeDirectory(dir / "new"));
    EXPECT_FALSE(fs.directoryExists(dir / "new"));
}

TEST_F(FileSystemContract, DoubledBackslashesNameTheSamePath) {
    ASSERT_TRUE(fs.createDirectory(dir / "sub"));
    const std::string doubled = dir.path() + "\\\\sub\\\\file.txt";
    fs.writeFileAtomic(doubled, "content");
    EXPECT_EQ(fs.readFile(dir.path() + "\\sub\\file.txt"), "content");
    EXPECT_TRUE(fs.fileExists(doubled));
    EXPECT_TRUE(fs.directoryExists(dir.path() + "\\\\sub"));
    EXPECT_EQ(sortedNames(fs.list(dir.path() + "\\\\sub\\\\", "*.txt")), (std::vector<std::string>{"file.txt"}));
    ASSERT_TRUE(fs.stat(doubled));
    EXPECT_EQ(fs.stat(doubled)->size, 7u);
}

TEST_F(FileSystemContract, NamesIgnoreLetterCaseButListingsKeepIt) {
    fs.writeFileAtomic(dir / "Config.INI", "[Vexal]");
    EXPECT_TRUE(fs.fileExists(dir / "config.ini"));
    EXPECT_TRUE(fs.fileExists(dir / "CONFIG.ini"));
    EXPECT_EQ(fs.readFile(dir / "cOnFiG.iNi"), "[Vexal]");
    EXPECT_EQ(sortedNames(fs.list(dir.path(), "*.ini")), (std::vector<std::string>{"Config.INI"}));
    EXPECT_EQ(fs.stat(dir / "config.ini")->name, "Config.INI");

    ASSERT_TRUE(fs.createDirectory(dir / "ETMain"));
    EXPECT_TRUE(fs.directoryExists(dir / "etmain"));
    EXPECT_FALSE(fs.createDirectory(dir / "ETMAIN"));
}

TEST_F(FileSystemContract, ListMatchesMasksLikeFindFirstFile) {
    fs.writeFileAtomic(dir / "pak0.pk3", "1");
    fs.writeFileAtomic(dir / "MAP.PK3", "22");
    fs.writeFileAtomic(dir / "secret.pk3", "333");
    ASSERT_TRUE(fs.setAttributes(dir / "secret.pk3", kAttrHidden));
    fs.writeFileAtomic(dir / "readme", "no extension");
    fs.writeFileAtomic(dir / "profile.pid", "4");
    ASSERT_TRUE(fs.createDirectory(dir / "maps"));

    EXPECT_EQ(sortedNames(fs.list(dir.path(), "*.pk3")),
              (std::vector<std::string>{"MAP.PK3", "pak0.pk3", "secret.pk3"}));
    EXPECT_EQ(
        sortedNames(fs.list(dir.path(), "*.*")),
        (std::vector<std::string>{".", "..", "MAP.PK3", "maps", "pak0.pk3", "profile.pid", "readme", "secret.pk3"}));
    EXPECT_EQ(sortedNames(fs.list(dir.path(), "profile.pid")), (std::vector<std::string>{"profile.pid"}));
    EXPECT_EQ(sortedNames(fs.list(dir.path() + "\\", "PROFILE.PID")), (std::vector<std::string>{"profile.pid"}));
    EXPECT_EQ(sortedNames(fs.list(dir.path(), "p*.p??")), (std::vector<std::string>{"pak0.pk3", "profile.pid"}));
    EXPECT_TRUE(fs.list(dir.path(), "*.cfg").empty());
    EXPECT_TRUE(fs.list(dir / "missing", "*.*").empty());

    const auto all = fs.list(dir.path(), "*.*");
    ASSERT_TRUE(entryNamed(all, "secret.pk3"));
    EXPECT_NE(entryNamed(all, "secret.pk3")->attributes & kAttrHidden, 0u);
    EXPECT_EQ(entryNamed(all, "secret.pk3")->size, 3u);
    EXPECT_TRUE(entryNamed(all, "maps")->isDirectory());
    EXPECT_TRUE(entryNamed(all, ".")->isDirectory());
    EXPECT_TRUE(entryNamed(all, "..")->isDirectory());
    EXPECT_FALSE(entryNamed(all, "pak0.pk3")->isDirectory());
}

TEST_F(FileSystemContract, StatReportsSizeTimeAndAttributes) {
    const DateTime stamp{2021, 3, 4, 5, 6, 8};
    fs.writeFileAtomic(dir / "map.pk3", std::string(1234, 'z'));
    ASSERT_TRUE(fs.setLastWrite(dir / "map.pk3", stamp));
    ASSERT_TRUE(fs.createDirectory(dir / "sub"));

    const auto file = fs.stat(dir / "map.pk3");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->name, "map.pk3");
    EXPECT_EQ(file->size, 1234u);
    EXPECT_EQ(file->lastWrite, stamp);
    EXPECT_FALSE(file->isDirectory());

    const auto listed = fs.list(dir.path(), "map.pk3");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].lastWrite, stamp);
    EXPECT_EQ(listed[0].size, 1234u);

    const auto folder = fs.stat(dir / "sub");
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->isDirectory());
    EXPECT_EQ(fs.stat(dir / "missing.txt"), std::nullopt);
    EXPECT_EQ(fs.stat(dir / "*.pk3"), std::nullopt);

    // A fresh write is stamped with the time of writing, not an old one.
    fs.writeFileAtomic(dir / "map.pk3", "again");
    EXPECT_NE(fs.stat(dir / "map.pk3")->lastWrite, stamp);
}

TEST_F(FileSystemContract, DeleteRemovesFilesOnly) {
    fs.writeFileAtomic(dir / "old.log", "x");
    EXPECT_TRUE(fs.deleteFile(dir / "OLD.LOG"));
    EXPECT_FALSE(fs.fileExists(dir / "old.log"));
    EXPECT_FALSE(fs.deleteFile(dir / "old.log"));

    ASSERT_TRUE(fs.createDirectory(dir / "sub"));
    EXPECT_FALSE(fs.deleteFile(dir / "sub"));
    EXPECT_TRUE(fs.directoryExists(dir / "sub"));

    fs.writeFileAtomic(dir / "keep.txt", "x");
    ASSERT_TRUE(fs.setAttributes(dir / "keep.txt", kAttrReadOnly));
    EXPECT_FALSE(fs.deleteFile(dir / "keep.txt"));
    EXPECT_TRUE(fs.fileExists(dir / "keep.txt"));
}

TEST_F(FileSystemContract, CreateDirectoryMakesOneLevel) {
    EXPECT_TRUE(fs.createDirectory(dir / "backup"));
    EXPECT_TRUE(fs.directoryExists(dir / "backup"));
    EXPECT_FALSE(fs.createDirectory(dir / "backup"));
    EXPECT_FALSE(fs.createDirectory(dir.path() + "\\missing\\deeper"));
    EXPECT_FALSE(fs.directoryExists(dir / "missing"));
    fs.writeFileAtomic(dir / "file", "x");
    EXPECT_FALSE(fs.createDirectory(dir / "file"));
}

TEST_F(FileSystemContract, CurrentDirectoryResolvesRelativeNames) {
    const std::string before = fs.currentDirectory();
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(fs.createDirectory(dir / "game"));
    fs.writeFileAtomic(dir.path() + "\\game\\et.cfg", "seta name x");

    ASSERT_TRUE(fs.setCurrentDirectory(dir / "game"));
    EXPECT_EQ(fs.currentDirectory(), dir / "game");
    EXPECT_EQ(fs.readFile("et.cfg"), "seta name x");
    EXPECT_TRUE(fs.fileExists("..\\game\\et.cfg"));
    fs.writeFileAtomic("relative.txt", "r");
    EXPECT_EQ(fs.readFile(dir.path() + "\\game\\relative.txt"), "r");

    EXPECT_FALSE(fs.setCurrentDirectory(dir / "missing"));
    EXPECT_EQ(fs.currentDirectory(), dir / "game");

    ASSERT_TRUE(fs.setCurrentDirectory(before));
    EXPECT_EQ(fs.currentDirectory(), before);
}

}  // namespace
}  // namespace vexal::contract
