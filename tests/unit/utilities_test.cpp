#include "util/utilities.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_folder_watch.h"
#include "platform/fake/fake_process.h"
#include "ui/list_transfer.h"
#include "util/error.h"
#include "util/file_count.h"
#include "util/resample.h"

namespace vexal::util {
namespace {

using namespace std::string_literals;
using platform::DateTime;
using platform::DirEntry;
using ui::ClipboardToList;
using ui::ListToClipboard;
using ui::SetListExtent;
using Lines = std::vector<std::string>;

// ---- Small doubles of the services these routines use ----------------------------

// A listing and a stat answered from a script, for what a real tree cannot hold
// in a test: a folder that contains itself, a file beyond 4 GB.
class ScriptedFileSystem : public platform::FileSystem {
public:
    std::vector<DirEntry> listing;
    std::optional<DirEntry> entry;
    bool fileExists(const std::string&) override { return entry.has_value(); }
    bool directoryExists(const std::string&) override { return true; }
    std::optional<std::string> readFile(const std::string&) override { return std::nullopt; }
    std::optional<std::string> readFilePart(const std::string&, std::uint64_t, std::size_t) override {
        return std::nullopt;
    }
    void writeFileAtomic(const std::string&, const std::string&) override {}
    bool alreadyHolds(const std::string&, const std::string&) override { return false; }
    void writeFile(const std::string&, const std::string&) override {}
    void writeFileUnflushed(const std::string&, const std::string&) override {}
    void flushFile(const std::string&) override {}
    bool deleteFile(const std::string&) override { return false; }
    bool createDirectory(const std::string&) override { return false; }
    bool removeDirectory(const std::string&) override { return false; }
    std::vector<DirEntry> list(const std::string&, const std::string&) override { return listing; }
    std::optional<DirEntry> stat(const std::string&) override { return entry; }
    bool setCurrentDirectory(const std::string&) override { return false; }
    std::string currentDirectory() override { return "C:\\"; }
    bool setAttributes(const std::string&, std::uint32_t) override { return false; }
    void replaceFile(const std::string&, const std::string&) override {}
};

// Every character 6 pixels wide, 8 when bold; remembers the font it was asked for.
class TestScreen : public platform::Screen {
public:
    std::string lastFont;
    int textWidth(const std::string& fontName, int height, bool bold, const std::string& text) override {
        lastFont = fontName + "/" + std::to_string(height);
        return static_cast<int>(text.size()) * (bold ? 8 : 6);
    }
    int dialogFrameWidth() override { return 3; }
};

// Controls cannot be copied or moved, so each test owns its list box.
std::unique_ptr<ui::ListBox> listOf(const Lines& items) {
    auto list = std::make_unique<ui::ListBox>("lboxParam");
    for (const auto& i : items) list->addItem(i);
    return list;
}

// ---- Names and version ------------------------------------------------------------

TEST(UtilFileBaseName, DropsFolderAndOnlyTheLastExtension) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\ET\\etmain\\oasis.pk3", "oasis"}, {"a.b.pk3", "a.b"}, {"oasis", "oasis"}, {"C:\\dir.v2\\radar", "radar"},
        {"C:goldrush.pk3", "goldrush"},         {"D:\\demos\\", ""}};
    for (const auto& [path, base] : cases) EXPECT_EQ(FileBaseName(path), base) << path;
}

TEST(UtilVersion, ShowsMajorMinorReleaseOfTheRunningExecutable) {
    EXPECT_EQ(versionText({0x0002000A, 0x0003002C}), "2.10.3");
    EXPECT_EQ(versionText({0xFFFFFFFF, 0xFFFFFFFF}), "65535.65535.65535");
    platform::fake::FakeProcess process;
    process.path = "C:\\Games\\Vexal\\Vexal.exe";
    process.setFileVersion("C:\\Games\\Vexal\\Vexal.exe", {0x00010000, 0x00000006});
    EXPECT_EQ(GetVersionText(process), "1.0.0");
}

TEST(UtilVersion, NoVersionResourceIsAnError) {
    platform::fake::FakeProcess process;
    process.setFileVersion("C:\\Other\\et.exe", {0x00020000, 0});  // some other file has one
    try {
        (void)GetVersionText(process);
        FAIL() << "no version resource must be an error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Keine Versionsinformationen vorhanden");
    }
}

// ---- Clipboard ---------------------------------------------------------------------

TEST(UtilClipboard, CopiesAllEntriesOrTheSelectedOneEachWithCrLf) {
    auto list = listOf({"+map oasis", "+connect 1.2.3.4", ""});
    platform::fake::FakeClipboard clipboard;
    ListToClipboard(clipboard, list.get(), true);
    EXPECT_EQ(clipboard.content, "+map oasis\r\n+connect 1.2.3.4\r\n\r\n");
    ListToClipboard(clipboard, list.get(), false);
    EXPECT_EQ(clipboard.content, "") << "nothing selected copies an empty text";
    list->setItemIndex(1);
    ListToClipboard(clipboard, list.get(), false);
    EXPECT_EQ(clipboard.content, "+connect 1.2.3.4\r\n");

    auto empty = listOf({});
    clipboard.content = "old";
    ListToClipboard(clipboard, empty.get(), true);
    EXPECT_EQ(clipboard.content, "");
}

TEST(UtilClipboard, NoListOrNoTextChangesNothing) {
    platform::fake::FakeClipboard clipboard;
    ListToClipboard(clipboard, nullptr, true);
    ClipboardToList(clipboard, nullptr);
    EXPECT_EQ(clipboard.content, std::nullopt);
    auto list = listOf({"keep"});
    ClipboardToList(clipboard, list.get());
    EXPECT_EQ(list->items().all(), Lines{"keep"});
}

struct PasteCase {
    const char* what;
    std::string text;
    Lines entries;
};
void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.what; }

class UtilPaste : public testing::TestWithParam<PasteCase> {};

TEST_P(UtilPaste, ClipboardLinesReplaceTheEntries) {
    const auto& c = GetParam();
    auto list = listOf({"old entry"});
    platform::fake::FakeClipboard clipboard;
    clipboard.content = c.text;
    ClipboardToList(clipboard, list.get());
    EXPECT_EQ(list->items().all(), c.entries) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Util, UtilPaste,
                         testing::Values(PasteCase{"trailing CR LF adds no empty entry", "a\r\nb\r\n", {"a", "b"}},
                                         PasteCase{"last line needs no end", "a\r\nb", {"a", "b"}},
                                         PasteCase{"lone CR and lone LF end lines", "a\rb\nc", {"a", "b", "c"}},
                                         PasteCase{"LF then CR is two line ends", "a\n\rb", {"a", "", "b"}},
                                         PasteCase{"empty line between two ends", "a\r\n\r\nb", {"a", "", "b"}},
                                         PasteCase{"a lone line end is one empty entry", "\r\n", {""}},
                                         PasteCase{"empty text empties the list", "", {}},
                                         PasteCase{"NUL bytes are text", "a\0b\r\n"s, {"a\0b"s}}));

TEST(UtilClipboard, PastedEntriesTakeASortedListsOrder) {
    auto list = listOf({});
    list->setSorted(true);
    platform::fake::FakeClipboard clipboard;
    clipboard.content = "b\r\nC\r\na\r\n";
    ClipboardToList(clipboard, list.get());
    EXPECT_EQ(list->items().all(), (Lines{"a", "b", "C"}));
}

// ---- File facts ----------------------------------------------------------------------

TEST(UtilCountFiles, CountsFilesAtAnyDepthIncludingHiddenButNotFolders) {
    platform::fake::FakeFileSystem fs;
    const std::string demos = "C:\\ET\\etmain\\demos";
    fs.addFile(demos + "\\a.dm_84");
    fs.addFile(demos + "\\b.dm_84", "", platform::kAttrHidden | platform::kAttrSystem);
    fs.addFile(demos + "\\c.dm_84", "", platform::kAttrReadOnly);
    fs.addDirectory(demos + "\\cup", platform::kAttrHidden);
    fs.addFile(demos + "\\cup\\final.dm_84");
    fs.addFile(demos + "\\cup\\round 2\\x.dm_84", "", platform::kAttrHidden);
    fs.addDirectory(demos + "\\empty");

    EXPECT_EQ(CountFilesInTree(fs, demos), 5);
    EXPECT_EQ(CountFilesInTree(fs, demos + "\\"), 5);
    EXPECT_EQ(CountFilesInTree(fs, "C:\\ET\\\\etmain\\DEMOS"), 5) << "a doubled backslash still names the folder";
    EXPECT_EQ(CountFilesInTree(fs, demos + "\\empty"), 0);
    EXPECT_EQ(CountFilesInTree(fs, "C:\\ET\\etpro\\demos"), 0);
    EXPECT_EQ(CountFilesInTree(fs, ""), 0);
}

// A junction that points back at its own folder lists itself without end: linked
// folders are not walked at all, and plain folders only to a finite depth.
TEST(UtilCountFiles, LinkedFoldersAreSkippedAndDepthIsBounded) {
    ScriptedFileSystem fs;
    fs.listing = {{"loop", platform::kAttrDirectory | platform::kAttrReparsePoint, 0, {}}, {"f.txt", 0, 1, {}}};
    EXPECT_EQ(CountFilesInTree(fs, "C:\\x"), 1);
    fs.listing = {{"again", platform::kAttrDirectory, 0, {}}, {"f.txt", 0, 1, {}}};
    const auto count = CountFilesInTree(fs, "C:\\x");
    EXPECT_GT(count, 1);
    EXPECT_LT(count, 1000);
}

// The one walk behind the counts, the profile.pid clean-up and the backup: what
// each of its options leaves out, and the order in which entries come.
TEST(UtilTreeWalk, OptionsDecideWhatIsVisitedAndInWhichOrder) {
    platform::fake::FakeFileSystem fs;
    for (const char* file : {"a.txt", "z.txt", ".git\\d.txt", "sub\\b.txt", "sub\\deep\\c.txt"})
        fs.addFile("C:\\t\\"s + file);
    fs.addDirectory("C:\\t\\link", platform::kAttrReparsePoint);
    fs.addFile("C:\\t\\link\\e.txt");
    std::atomic<bool> stopped{true};

    const struct {
        const char* what;
        TreeWalk how;
        Lines visited;
    } rows[] = {
        {"subfolders as met",
         {},
         {".git", ".git\\d.txt", "a.txt", "sub", "sub\\b.txt", "sub\\deep", "sub\\deep\\c.txt", "z.txt"}},
        {"a folder's entries first",
         {.entriesBeforeSubfolders = true},
         {".git", "a.txt", "sub", "z.txt", ".git\\d.txt", "sub\\b.txt", "sub\\deep", "sub\\deep\\c.txt"}},
        {"dot folders left alone",
         {.skipDotFolders = true, .entriesBeforeSubfolders = true},
         {"a.txt", "sub", "z.txt", "sub\\b.txt", "sub\\deep", "sub\\deep\\c.txt"}},
        {"one level down",
         {.maxDepth = 1},
         {".git", ".git\\d.txt", "a.txt", "sub", "sub\\b.txt", "sub\\deep", "z.txt"}},
        {"the folder itself only", {.maxDepth = 0}, {".git", "a.txt", "sub", "z.txt"}},
        {"stopped before it began", {.stop = &stopped}, {}},
    };
    for (const auto& row : rows) {
        Lines visited;
        walkTree(fs, "C:\\T", row.how,
                 [&](const std::string& dir, const DirEntry& entry) { visited.push_back(dir.substr(5) + entry.name); });
        EXPECT_EQ(visited, row.visited) << row.what;
    }
}

TEST(UtilEnterFolder, ChangesTheCurrentFolderOrSaysWhichFolderItCouldNot) {
    platform::fake::FakeFileSystem fs;
    fs.addDirectory("C:\\ET\\pb");
    enterFolder(fs, "C:\\ET\\pb");
    EXPECT_EQ(fs.currentDirectory(), "C:\\ET\\pb");

    const struct {
        std::string folder;
        const char* what;
        std::string message;
    } refused[] = {
        {"C:\\ET\\gone", "folder",
         "Cannot change to the folder \"C:\\ET\\gone\": it does not exist or is not accessible."},
        {"", "game directory", "Cannot change to the game directory \"\": it does not exist or is not accessible."},
    };
    for (const auto& row : refused) {
        try {
            enterFolder(fs, row.folder, row.what);
            ADD_FAILURE() << "no error for " << row.folder;
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), row.message);
        }
        EXPECT_EQ(fs.currentDirectory(), "C:\\ET\\pb") << "a refused change leaves the current folder";
    }
}

TEST(UtilFileFacts, SizeAndDateOfAFileAndNothingForOthers) {
    platform::fake::FakeFileSystem fs;
    platform::fake::FakeClock clock;
    fs.addFile("C:\\ET\\etmain\\oasis.pk3", std::string(12345, 'z'), platform::kAttrArchive,
               DateTime{2023, 12, 31, 23, 59, 58});

    EXPECT_EQ(FileSizeOf(fs, "C:\\ET\\\\etmain\\OASIS.pk3"), 12345u);
    EXPECT_EQ(FileSizeOf(fs, "C:\\ET\\etmain\\missing.pk3"), 0u);
    EXPECT_EQ(FileSizeOf(fs, "C:\\ET\\etmain"), 0u) << "a folder is not a file";
    EXPECT_EQ(FileDateText(fs, clock, "C:\\ET\\etmain\\oasis.pk3"), "31.12.2023 23:59:58");
    EXPECT_EQ(FileDateText(fs, clock, "C:\\ET\\etmain\\gone.pk3"), "");
}

TEST(UtilFileFacts, SizeBeyondFourGigabytesDoesNotWrapAround) {
    ScriptedFileSystem fs;
    fs.entry = DirEntry{"huge.pk3", platform::kAttrArchive, 5ull << 30, {}};
    EXPECT_EQ(FileSizeOf(fs, "C:\\huge.pk3"), 0xFFFFFFFFu);
}

// ---- Byte sizes ---------------------------------------------------------------------

struct SizeCase {
    std::uint32_t bytes;
    const char* english;  // ',' groups thousands, '.' marks decimals
    const char* german;   // the other way round
};
void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.bytes; }

class UtilByteSize : public testing::TestWithParam<SizeCase> {};

TEST_P(UtilByteSize, UsesTheUnitTableAndTheLocaleSeparators) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatByteSize(c.bytes, {',', '.'}), c.english) << c.bytes;
    EXPECT_EQ(FormatByteSize(c.bytes, {'.', ','}), c.german) << c.bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Util, UtilByteSize,
    testing::Values(SizeCase{0, "0 Bytes", "0 Bytes"}, SizeCase{1023, "1,023 Bytes", "1.023 Bytes"},
                    SizeCase{1024, "1.00 KB", "1,00 KB"}, SizeCase{1029, "1.00 KB", "1,00 KB"},
                    SizeCase{1030, "1.01 KB", "1,01 KB"}, SizeCase{1152, "1.13 KB", "1,13 KB"},  // 1.125: half goes up
                    SizeCase{1048575, "1,024.00 KB", "1.024,00 KB"}, SizeCase{1048576, "1.00 MB", "1,00 MB"},
                    SizeCase{1073741823, "1,024.00 MB", "1.024,00 MB"}, SizeCase{1073741824, "1.00 GB", "1,00 GB"},
                    SizeCase{4294967295u, "4.00 GB", "4,00 GB"}));

TEST(UtilByteSize, LocaleWithoutThousandsSeparatorDoesNotGroup) {
    EXPECT_EQ(FormatByteSize(1048575, {'\0', ','}), "1024,00 KB");
}

// ---- List extent ---------------------------------------------------------------------

TEST(UtilListExtent, ZeroRemovesTheScrollBarOtherwiseWidestEntryInItsFontPlusFrame) {
    TestScreen screen;
    auto list = listOf({"short", "a rather long parameter line"});  // 5 and 28 characters
    list->setHorizontalExtent(500);
    SetListExtent(screen, list.get(), 0);
    EXPECT_EQ(list->horizontalExtent(), 0);
    SetListExtent(screen, list.get(), 120);
    EXPECT_EQ(list->horizontalExtent(), 28 * 6 + 3);
    SetListExtent(screen, list.get(), 400);
    EXPECT_EQ(list->horizontalExtent(), 400 + 3) << "the minimum holds when every entry is narrower";

    list->setFont(ui::Font{"Tahoma", 13, true});
    SetListExtent(screen, list.get(), 120);
    EXPECT_EQ(screen.lastFont, "Tahoma/13");
    EXPECT_EQ(list->horizontalExtent(), 28 * 8 + 3);
    SetListExtent(screen, nullptr, 120);
}

// ---- Line replacement ------------------------------------------------------------------

const std::string kCfg = "C:\\ET\\etmain\\autoexec.cfg";

struct ReplaceCase {
    const char* what;
    std::string before, search, after;
};
void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.what; }

class UtilReplaceLines : public testing::TestWithParam<ReplaceCase> {};

TEST_P(UtilReplaceLines, ReplacesMatchingLinesAndKeepsEveryOtherByte) {
    const auto& c = GetParam();
    platform::fake::FakeFileSystem fs;
    platform::fake::FakeClock clock;
    fs.addFile(kCfg, c.before);
    ReplaceMatchingLines(fs, clock, kCfg, c.search, "seta name \"^1new\"");
    EXPECT_EQ(fs.contents(kCfg), c.after) << c.what;
    // Nothing to replace: the file is not even rewritten.
    if (c.before == c.after) {
        EXPECT_TRUE(fs.writes.empty()) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Util, UtilReplaceLines,
    testing::Values(ReplaceCase{"every line matching in any case, the last one without line end kept so",
                                "seta name \"old\"\r\nbind x kill\r\n  SETA NAME \"older\"\r\nseta rate 25000",
                                "seta name",
                                "seta name \"^1new\"\r\nbind x kill\r\nseta name \"^1new\"\r\nseta rate 25000"},
                    ReplaceCase{"the locale lower-cases umlauts", "// SPIELER \xC4NDERN\r\n", "spieler \xE4ndern",
                                "seta name \"^1new\"\r\n"},
                    ReplaceCase{"each line keeps its own end: LF, LF CR as two ends, lone CR, none",
                                "a\nseta name x\n\rSeta Name y\rb\n\nseta name z", "seta name",
                                "a\nseta name \"^1new\"\n\rseta name \"^1new\"\rb\n\nseta name \"^1new\""},
                    ReplaceCase{"no match leaves LF line ends alone", "bind a +attack\n\nvid_restart\r", "seta name",
                                "bind a +attack\n\nvid_restart\r"},
                    ReplaceCase{"an empty search text matches no line", "bind a +attack\n", "", "bind a +attack\n"}));

TEST(UtilReplaceLines, EmptyFileIsLeftUntouched) {
    platform::fake::FakeFileSystem fs;
    platform::fake::FakeClock clock;
    fs.addFile(kCfg, "");
    ReplaceMatchingLines(fs, clock, kCfg, "seta name", "seta name \"x\"");
    EXPECT_TRUE(fs.writes.empty());
}

TEST(UtilReplaceLines, MissingOrUnwritableFileIsAnError) {
    platform::fake::FakeFileSystem fs;
    platform::fake::FakeClock clock;
    try {
        ReplaceMatchingLines(fs, clock, kCfg, "seta name", "x");
        FAIL() << "a missing file must be reported";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(),
                     "Datei C:\\ET\\etmain\\autoexec.cfg kann nicht ge\xF6"
                     "ffnet werden");
    }
    fs.addFile(kCfg, "seta name \"old\"\r\n", platform::kAttrReadOnly);
    try {
        ReplaceMatchingLines(fs, clock, kCfg, "seta name", "x");
        FAIL() << "a failed write must be reported";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Datei C:\\ET\\etmain\\autoexec.cfg kann nicht erstellt werden");
    }
    EXPECT_EQ(fs.contents(kCfg), "seta name \"old\"\r\n");
}

}  // namespace
}  // namespace vexal::util

namespace vexal::util {

// The counts a mouse move or a keystroke reads: taken when a folder is first kept
// and after each change the watch reports, never on the reader's way.
TEST(UtilFolderCounts, FollowTheWatchedFoldersAndCountOnDemandWhenAWatchIsRefused) {
    platform::fake::FakeFileSystem fs;
    platform::fake::FakeFolderWatch watch(&fs);
    const std::string pics = "C:\\P\\mappics", demos = "C:\\ET\\etmain\\demos";
    fs.addFile(pics + "\\a.jpg", "x");
    fs.addFile(pics + "\\sub\\b.jpg", "x");
    fs.addDirectory("C:\\ET\\etmain");
    FolderCounts counts(watch, fs);
    counts.keepOnly({pics, demos});
    EXPECT_EQ(counts.current(pics), 2);
    EXPECT_EQ(counts.current(demos), 0) << "a folder that is not there yet counts nothing";

    // A change deep below counts again; until the watch says so, the number stands.
    fs.addFile(pics + "\\sub\\c.jpg", "x");
    EXPECT_EQ(counts.count(pics), 2);
    watch.holdResults = true;
    watch.changed(pics + "\\sub\\c.jpg");
    EXPECT_EQ(counts.current(pics), 2) << "counted, but not yet handed to the window";
    watch.deliver();
    EXPECT_EQ(counts.current(pics), 3);
    watch.holdResults = false;

    // The game makes its demos folder with the first recording.
    fs.addFile(demos + "\\first.dm_84", "x");
    watch.changed(demos);
    EXPECT_EQ(counts.current(demos), 1);

    const int before = watch.counts;
    for (int i = 0; i < 100; ++i) (void)counts.count(pics);
    EXPECT_EQ(watch.counts, before) << "reading never counts";

    // Letting a folder go ends its watch; asking for it again keeps it anew.
    counts.keepOnly({demos});
    EXPECT_EQ(watch.watched(), std::vector<std::string>{demos});
    EXPECT_EQ(counts.current(pics), std::nullopt);
    EXPECT_EQ(counts.count(pics), 3);
    EXPECT_EQ(watch.watched().size(), 2u);

    // A refused watch: every question is answered by counting, so it is never stale.
    watch.failing = true;
    const std::string shots = "C:\\ET\\etmain\\screenshots";
    fs.addFile(shots + "\\s1.jpg", "x");
    EXPECT_EQ(counts.count(shots), 1);
    EXPECT_EQ(counts.current(shots), std::nullopt);
    fs.addFile(shots + "\\s2.jpg", "x");
    EXPECT_EQ(counts.count(shots), 2);

    // The window ends: nothing is watched and nothing more is kept.
    counts.stop();
    EXPECT_TRUE(watch.watched().empty());
    counts.keep(demos);
    EXPECT_TRUE(watch.watched().empty());
    EXPECT_EQ(counts.count(demos), 1);
}

// Pictures drawn for 96 dpi, resized for the screen: whole-number factors repeat
// pixels exactly (pixel art stays sharp), other factors blend only the pixels that
// fall between two, and transparency (premultiplied) averages with the colour.
TEST(Resample, WholeFactorsRepeatPixelsAndOthersBlendOnlyTheEdgesBetween) {
    struct Case {
        const char* what;
        std::vector<std::uint32_t> pixels;
        int width, height, newWidth, newHeight;
        std::vector<std::uint32_t> expected;
    };
    const std::vector<Case> cases = {
        {"same size", {1, 2, 3, 4}, 2, 2, 2, 2, {1, 2, 3, 4}},
        {"twice",
         {0xFF000000, 0xFFFFFFFF},
         2,
         1,
         4,
         2,
         {0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF}},
        {"150%: the middle pixel is half of each",
         {0xFF000000, 0xFFFFFFFF},
         2,
         1,
         3,
         1,
         {0xFF000000, 0xFF808080, 0xFFFFFFFF}},
        {"half: four pixels averaged", {0x04040404, 0x08080808, 0x0C0C0C0C, 0x10101010}, 2, 2, 1, 1, {0x0A0A0A0A}},
        {"transparent beside opaque", {0x00000000, 0xFF202020}, 2, 1, 3, 1, {0x00000000, 0x80101010, 0xFF202020}},
        {"too few pixels", {1, 2, 3}, 2, 2, 3, 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(resampleArea(c.pixels, c.width, c.height, c.newWidth, c.newHeight), c.expected);
    }
}

}  // namespace vexal::util
