// Backup and restore on the headless window, and the archive engine's reader
// against archives built to hurt it.
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <random>

#include "backup/backup_files.h"
#include "backup/backup_texts.h"
#include "backup/restore_swap.h"
#include "backup/zip_archive.h"
#include "unit/window_fixture.h"
#include "util/error.h"

namespace vexal::testing {
namespace {

using backup::verifyZip;
using backup::ZipEntry;
using backup::ZipWriter;
using platform::BoxKind;
using platform::BoxResult;
using platform::fake::FakeFileSystem;

const std::string kArchive = std::string(kProgram) + "backup\\Vexal-backup.zip";
constexpr platform::DateTime kStamp{2023, 5, 6, 7, 8, 10};

std::string archiveOf(const std::vector<std::pair<std::string, std::string>>& files) {
    ZipWriter zip;
    for (const auto& [name, data] : files) zip.add(name, data, platform::kAttrArchive, kStamp);
    return zip.finish();
}

std::vector<std::string> namesIn(const std::string& archive) {
    std::vector<std::string> names;
    for (const auto& e : verifyZip(archive)) names.push_back(e.name);
    return names;
}

std::uint32_t le32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
    return v;
}
void put32(std::string& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
// Offset of the first central header of an archive without a comment.
std::size_t centralOf(const std::string& b) { return le32(b, b.size() - 22 + 16); }

// Every file and folder below `dir` but the backup folder: name, contents, attributes.
std::map<std::string, std::string> folderState(const FakeFileSystem& fs, const std::string& dir) {
    std::map<std::string, std::string> state;
    for (const auto& path : fs.paths(dir))
        if (path.rfind(dir + "backup", 0) != 0)
            state[path] =
                fs.contents(path).value_or("<folder>") + "|" + std::to_string(fs.attributes(path).value_or(0));
    return state;
}

class WatchClose : public ui::FormObserver {
public:
    bool closed = false;
    void captionChanged() override {}
    void focusChanged(ui::Control*) override {}
    void closeRequested() override { closed = true; }
    void showRequested() override {}
};

class BackupTest : public WindowTest {
protected:
    WatchClose watch;

    void SetUp() override {
        WindowTest::SetUp();
        settingsFile("[Logs]\r\nlastbackup=\r\n");
        const std::string p = kProgram;
        fake.fs.addFile(p + "VexalParam.dat", "+set r_mode 4\r\n", platform::kAttrHidden | platform::kAttrReadOnly);
        fake.fs.addFile(p + "VexalMap.dat", "oasis\r\n");
        fake.fs.addFile(p + "readme-vexal.txt", std::string(5000, 'r'));
        fake.fs.addFile(p + "headshot.wav", "RIFF");
        fake.fs.addFile(p + "mapinfos\\oasis.txt", "Oasis facts");
        fake.fs.addFile(p + "mapinfos\\hidden.txt", "x", platform::kAttrHidden);
        fake.fs.addFile(p + "mapinfos\\old\\radar.txt", "Radar facts");
        fake.fs.addFile(p + "mappics\\oasis.jpg", std::string(3000, '\xFF'));
        fake.fs.addDirectory(p + "mappics\\linked", platform::kAttrReparsePoint);
        fake.fs.addFile(p + "mappics\\linked\\elsewhere.jpg", "not ours");
        fake.fs.addFile(p + "tools\\VexalMap.dat", "an old copy");
        start();
        form->setFormObserver(&watch);
    }
    void TearDown() override {
        if (form) form->setFormObserver(nullptr);
    }

    void backupNow() {
        run([&] { form->sbtnBackup.click(); });
    }
    void restoreNow(BoxResult answer = BoxResult::Yes) {
        fake.dialogs.answerNextBox(answer);
        run([&] { form->sbtnRestore.click(); });
    }
    [[nodiscard]] std::string archive() const { return fake.fs.contents(kArchive).value_or(""); }
};

// ---- Backup ---------------------------------------------------------------------------

TEST_F(BackupTest, TheFirstBackupArchivesTheProgramsOwnFilesAndSaysSo) {
    backupNow();
    ASSERT_TRUE(errors.empty()) << errors[0];
    // Folders first, with their subfolders but without hidden files or linked
    // folders; then the named files, also from subfolders; never the sound or the exe.
    EXPECT_EQ(namesIn(archive()),
              (std::vector<std::string>{"mapinfos/", "mapinfos/oasis.txt", "mapinfos/old/", "mapinfos/old/radar.txt",
                                        "mappics/", "mappics/oasis.jpg", "VexalParam.dat", "VexalMap.dat",
                                        "tools/VexalMap.dat", "Vexal.ini", "readme-vexal.txt"}));
    for (const auto& e : verifyZip(archive())) {
        if (!e.isFolder()) {
            EXPECT_EQ(e.method, 8) << e.name;
        }
        if (e.name == "VexalParam.dat") {
            EXPECT_EQ(e.attributes, platform::kAttrHidden | platform::kAttrReadOnly);
        }
        if (e.name == "readme-vexal.txt") {
            EXPECT_LT(e.compressedSize, 100u);
        }
    }
    ASSERT_FALSE(fake.dialogs.boxes.empty());
    const auto& box = fake.dialogs.boxes.back();
    EXPECT_EQ(box.kind, BoxKind::Information);
    EXPECT_EQ(box.text.substr(0, 45), "8 files successfully archived\n\r\n\rVexal-backup");
    EXPECT_NE(box.text.find(".zip saved ("), std::string::npos);
    EXPECT_GE(form->lastBackup.size(), 2u);
    EXPECT_NE(file("Vexal.ini").find("lastbackup=" + form->lastBackup), std::string::npos);
    EXPECT_EQ(form->sbtnBackup.colour(), ui::kClWindowText);
    EXPECT_TRUE(form->sbtnRestore.enabled());
    EXPECT_FALSE(form->pb1.visible());
    EXPECT_TRUE(form->stDate.visible());
    EXPECT_EQ(form->pb1.maximum(), 100);
    EXPECT_EQ(form->pb1.position(), 100);
    EXPECT_FALSE(fake.fs.exists(kArchive + ".tmp"));
}

TEST_F(BackupTest, ASecondBackupReplacesTheArchiveCompletely) {
    backupNow();
    ASSERT_TRUE(fake.fs.deleteFile(std::string(kProgram) + "mapinfos\\oasis.txt"));
    backupNow();
    ASSERT_TRUE(errors.empty());
    const auto names = namesIn(archive());
    EXPECT_EQ(std::count(names.begin(), names.end(), "mapinfos/oasis.txt"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "mapinfos/old/radar.txt"), 1);
}

TEST_F(BackupTest, ARenamedProgramArchivesItsOwnSettingsFile) {
    form->setFormObserver(nullptr);
    fake.process.path = std::string(kProgram) + "MyLauncher.exe";
    fake.fs.addFile(std::string(kProgram) + "MyLauncher.ini", "[Paths]\r\n");
    settings::Config renamed(fake.fs, std::string(kProgram) + "MyLauncher.ini");
    TfrmVexal other(services, renamed, app);
    run([&] { other.FormCreate(); });
    run([&] { other.backupCommands.backup(); });
    const auto names = namesIn(archive());
    EXPECT_EQ(std::count(names.begin(), names.end(), "MyLauncher.ini"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Vexal.ini"), 0);
}

TEST_F(BackupTest, BackupOnQuitWritesTheArchiveWithoutABoxAndCloses) {
    form->onCommand(Cmd::BackupOnQuit);
    EXPECT_NE(file("Vexal.ini").find("BackupOnQuit=1"), std::string::npos);
    const auto boxes = fake.dialogs.boxes.size();
    run([&] { form->bitbtnQuit.click(); });
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(fake.fs.exists(kArchive));
    EXPECT_EQ(fake.dialogs.boxes.size(), boxes);
    EXPECT_TRUE(watch.closed);
}

TEST_F(BackupTest, QuittingFromTheTrayOrWithTheOptionOffWritesNoArchive) {
    run([&] { form->bitbtnQuit.click(); });
    form->onCommand(Cmd::BackupOnQuit);
    run([&] { form->onCommand(Cmd::TrayQuit); });
    EXPECT_FALSE(fake.fs.exists(kArchive));
    EXPECT_TRUE(watch.closed);
}

// Every way a backup can fail leaves the previous archive as it was, no temporary
// file, no new time stamp, and the bar and date as before.
TEST_F(BackupTest, AFailedBackupKeepsThePreviousArchive) {
    backupNow();
    const std::string previous = archive();
    const std::string stamp = form->lastBackup;
    fake.fs.addFile(std::string(kProgram) + "mapinfos\\new.txt", "new");
    struct Case {
        const char* what;
        std::function<void()> breakIt, mendIt;
    };
    const std::vector<Case> cases = {
        {"full disk", [&] { fake.fs.setDiskFull(true); }, [&] { fake.fs.setDiskFull(false); }},
        {"archive locked", [&] { fake.fs.lockFile(kArchive); }, [&] { fake.fs.unlockFile(kArchive); }},
        {"source locked", [&] { fake.fs.lockFile(std::string(kProgram) + "VexalMap.dat"); },
         [&] { fake.fs.unlockFile(std::string(kProgram) + "VexalMap.dat"); }},
        {"folder read-only", [&] { fake.fs.failWritesUnder(std::string(kProgram) + "backup"); }, [] {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        errors.clear();
        c.breakIt();
        backupNow();
        c.mendIt();
        if (std::string(c.what) == "source locked" && errors.empty()) continue;  // a lock that still lets us read
        EXPECT_EQ(errors.size(), 1u);
        EXPECT_EQ(archive(), previous);
        EXPECT_FALSE(fake.fs.exists(kArchive + ".tmp"));
        EXPECT_EQ(form->lastBackup, stamp);
        EXPECT_FALSE(form->pb1.visible());
        EXPECT_TRUE(form->stDate.visible());
    }
}

TEST_F(BackupTest, ABackupFolderThatCannotBeCreatedIsReported) {
    fake.fs.failWritesUnder(kProgram);
    backupNow();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("backup"), std::string::npos);
}

// ---- Restore --------------------------------------------------------------------------

TEST_F(BackupTest, ARestorePutsTheFilesBackAndStartsAgainWithoutWritingAnythingAfter) {
    // The archive holds the settings as they were before the backup stamped its time.
    const std::string ini = file("Vexal.ini");
    backupNow();
    const std::string p = kProgram;
    fake.fs.setAttributes(p + "VexalParam.dat", platform::kAttrNormal);
    ASSERT_TRUE(fake.fs.deleteFile(p + "VexalParam.dat"));
    fake.fs.addFile(p + "Vexal.ini", "[Paths]\r\netPath=C:\\Elsewhere\r\n");
    fake.fs.addFile(p + "mapinfos\\oasis.txt", "changed", platform::kAttrReadOnly);
    fake.fs.addFile(p + "mapinfos\\extra.txt", "not in the backup");
    fake.fs.setAttributes(p + "readme-vexal.txt", platform::kAttrReadOnly);  // the same bytes, other marks

    const auto before = fake.fs.writes.size();
    restoreNow();
    ASSERT_TRUE(errors.empty()) << errors[0];
    EXPECT_EQ(fake.dialogs.boxes[fake.dialogs.boxes.size() - 2].text, backup::text::kRestoreQuestion);
    EXPECT_EQ(fake.dialogs.boxes.back().text,
              "Vexal-backup.zip restore successfull\n\r\n\rVexal.exe will now start again...");
    EXPECT_EQ(file("VexalParam.dat"), "+set r_mode 4\r\n");
    EXPECT_EQ(fake.fs.attributes(p + "VexalParam.dat"), platform::kAttrHidden | platform::kAttrReadOnly);
    EXPECT_EQ(file("Vexal.ini"), ini);
    EXPECT_EQ(file("mapinfos\\oasis.txt"), "Oasis facts");
    EXPECT_EQ(file("mapinfos\\extra.txt"), "not in the backup");
    EXPECT_EQ(fake.fs.attributes(p + "readme-vexal.txt").value_or(0) & platform::kAttrReadOnly, 0u);
    // What already stood there as the archive has it is not written again.
    std::string written;
    for (auto w = fake.fs.writes.begin() + static_cast<std::ptrdiff_t>(before); w != fake.fs.writes.end(); ++w)
        written += *w + "\n";
    EXPECT_EQ(written.find("VexalMap.dat"), std::string::npos) << written;
    EXPECT_EQ(written.find("oasis.jpg"), std::string::npos) << written;
    EXPECT_NE(written.find("oasis.txt"), std::string::npos) << written;
    EXPECT_NE(written.find("readme-vexal.txt"), std::string::npos) << written;
    EXPECT_TRUE(form->backupCommands.restartRequested());
    EXPECT_TRUE(watch.closed);
    EXPECT_TRUE(fake.shell.calls.empty());  // the program entry starts the new copy

    // This copy's settings and lists are the old ones: nothing of them reaches the disk.
    const auto writes = fake.fs.writes.size();
    run([&] { form->onCommand(Cmd::BackupOnQuit); });
    run([&] { form->btnAdd.click(); });
    run([&] { form->params.change(); });
    EXPECT_EQ(fake.fs.writes.size(), writes);
    EXPECT_EQ(file("Vexal.ini"), ini);
}

TEST_F(BackupTest, DecliningTheRestoreChangesNothing) {
    backupNow();
    fake.fs.addFile(std::string(kProgram) + "VexalMap.dat", "changed\r\n");
    const auto writes = fake.fs.writes.size();
    restoreNow(BoxResult::No);
    EXPECT_EQ(fake.dialogs.boxes.back().kind, BoxKind::Warning);
    EXPECT_EQ(fake.fs.writes.size(), writes);
    EXPECT_EQ(file("VexalMap.dat"), "changed\r\n");
    EXPECT_FALSE(form->backupCommands.restartRequested());
}

TEST_F(BackupTest, AMissingArchiveIsReportedAndNothingRestarts) {
    restoreNow();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Vexal-backup.zip was not found"), std::string::npos);
    EXPECT_FALSE(form->backupCommands.restartRequested());
    EXPECT_FALSE(watch.closed);
    EXPECT_TRUE(form->stDate.visible());
    EXPECT_FALSE(form->pb1.visible());
}

// A restore that cannot put one file in place puts none in place: the user learns
// which file and that nothing changed, and the window saves settings as before.
TEST_F(BackupTest, ARestoreThatFailsHalfWayChangesNothingAndTheWindowKeepsSaving) {
    backupNow();
    const std::string p = kProgram;
    fake.fs.addFile(p + "VexalMap.dat", "changed\r\n");
    fake.fs.addFile(p + "mapinfos\\oasis.txt", "changed", platform::kAttrReadOnly);
    // Changed too, so that the restore has to write and replace them.
    fake.fs.addFile(p + "mappics\\oasis.jpg", "changed picture");
    fake.fs.addFile(p + "readme-vexal.txt", "changed readme");
    fake.fs.setAttributes(p + "VexalParam.dat", platform::kAttrNormal);
    ASSERT_TRUE(fake.fs.deleteFile(p + "VexalParam.dat"));
    struct Case {
        const char* what;
        std::function<void()> breakIt, mendIt;
        const char* named;
    };
    // The readme is the archive's last entry: every other file is swapped before it fails.
    const std::vector<Case> cases = {
        {"another program holds a file", [&] { fake.fs.lockFile(p + "readme-vexal.txt"); },
         [&] { fake.fs.unlockFile(p + "readme-vexal.txt"); }, "readme-vexal.txt could not be replaced"},
        {"the disk is full", [&] { fake.fs.setDiskFull(true); }, [&] { fake.fs.setDiskFull(false); },
         "not enough space"},
        {"a folder without write rights", [&] { fake.fs.failWritesUnder(p + "mappics"); }, [] {},
         "mappics\\oasis.jpg could not be written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = folderState(fake.fs, p);
        errors.clear();
        c.breakIt();
        restoreNow();
        c.mendIt();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(c.named), std::string::npos) << errors[0];
        EXPECT_NE(errors[0].find("nothing was changed"), std::string::npos) << errors[0];
        EXPECT_EQ(folderState(fake.fs, p), before);  // no temporary file, no journal either
        EXPECT_FALSE(form->backupCommands.restartRequested());
        EXPECT_FALSE(watch.closed);
        const std::string ini = file("Vexal.ini");
        run([&] { form->onCommand(Cmd::BackupOnQuit); });
        EXPECT_NE(file("Vexal.ini"), ini);
    }
}

TEST_F(BackupTest, OneCopyAtATimeWorksOnTheProgramFolder) {
    backupNow();
    const std::string p = kProgram;
    fake.process.heldByOtherInstance(backup::kRestoreLock);
    restoreNow();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], backup::text::kRestoreBusy);
    EXPECT_FALSE(form->backupCommands.restartRequested());
    // Nor does a start touch the journal of a copy that is restoring.
    fake.fs.addFile(p + backup::kRestoreJournal, "Vexal restore journal\r\nstaging\r\nfile VexalMap.dat\r\n");
    fake.fs.addFile(p + "VexalMap.dat.vexal-new", "staged");
    EXPECT_TRUE(backup::repairAtStart(services).carryOn);
    EXPECT_TRUE(fake.fs.exists(p + "VexalMap.dat.vexal-new"));
}

TEST_F(BackupTest, AFileWhoseNameCannotBeRestoredIsLeftOutAndNamedAndTheRestRestores) {
    const std::string longName = "mapinfos/" + std::string(215, 'n') + ".txt";  // 228 characters
    fake.fs.addFile(std::string(kProgram) + "mapinfos\\" + longName.substr(9), "long");
    backupNow();
    ASSERT_TRUE(errors.empty()) << errors[0];
    const auto names = namesIn(archive());
    EXPECT_EQ(std::count(names.begin(), names.end(), longName), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "mapinfos/oasis.txt"), 1);
    ASSERT_GE(fake.dialogs.boxes.size(), 2u);
    EXPECT_EQ(fake.dialogs.boxes.back().kind, BoxKind::Warning);
    EXPECT_NE(fake.dialogs.boxes.back().text.find(longName + " (is too long)"), std::string::npos);
    EXPECT_EQ(fake.dialogs.boxes[fake.dialogs.boxes.size() - 2].text.substr(0, 29), "8 files successfully archived");

    restoreNow();
    EXPECT_TRUE(errors.empty()) << errors[0];
    EXPECT_TRUE(form->backupCommands.restartRequested());
}

TEST_F(BackupTest, TheRestoreSwitchIsServedOnceWhenTheWindowShows) {
    backupNow();
    form->switches.restore = true;
    fake.dialogs.answerNextBox(BoxResult::No);
    run([&] { form->FormShow(); });
    EXPECT_EQ(fake.dialogs.boxes.back().text, backup::text::kRestoreQuestion);
    const auto boxes = fake.dialogs.boxes.size();
    run([&] { form->FormShow(); });
    EXPECT_EQ(fake.dialogs.boxes.size(), boxes);
}

// ---- Hostile archives -----------------------------------------------------------------

std::string hostileName(const std::string& name) { return archiveOf({{"VexalMap.dat", "fine"}, {name, "evil"}}); }

struct Hostile {
    const char* story;
    std::function<std::string()> build;
    const char* named;  // what the message must name
};

std::vector<Hostile> hostileArchives() {
    std::vector<Hostile> rows;
    for (const char* name : {"/abs.txt",
                             "\\abs.txt",
                             "C:/x.txt",
                             "C:x.txt",
                             "\\\\server\\share\\x.txt",
                             "//server/share/x.txt",
                             "../x.txt",
                             "..\\x.txt",
                             "mapinfos/../../x.txt",
                             "mapinfos\\..\\..\\x.txt",
                             "x.txt.",
                             "x.txt ",
                             "mapinfos./a.txt",
                             "Vexal.ini:hidden",
                             "con",
                             "aux.txt",
                             "NUL",
                             "mapinfos/com1.txt",
                             "lpt1/a.txt",
                             "Vexal.exe",
                             "VEXAL.EXE",
                             "a|b.txt",
                             "LPT7",
                             "lpt9.txt",
                             "COM0",
                             "lpt0.log",
                             "com\xB9",
                             "LPT\xB3.txt",
                             "mappics/Com\xB2.jpg",
                             "com1.txt",
                             "nul .txt",
                             "con. ",
                             "mapinfos/a.txt.vexal-new",
                             "Vexal-restore.journal"})
        rows.push_back({name, [n = std::string(name)] { return hostileName(n); }, name});
    rows.push_back({"truncated",
                    [] {
                        auto b = archiveOf({{"VexalMap.dat", std::string(4000, 'm')}});
                        return b.substr(0, b.size() - 10);
                    },
                    "cut off"});
    rows.push_back({"bad CRC",
                    [] {
                        auto b = archiveOf({{"VexalMap.dat", std::string(4000, 'm')}});
                        const auto cd = centralOf(b);
                        put32(b, 14, le32(b, 14) ^ 1);
                        put32(b, cd + 16, le32(b, cd + 16) ^ 1);
                        return b;
                    },
                    "VexalMap.dat"});
    rows.push_back({"central size disagrees with the local header",
                    [] {
                        auto b = archiveOf({{"VexalMap.dat", std::string(4000, 'm')}});
                        put32(b, centralOf(b) + 24, 4001);
                        return b;
                    },
                    "VexalMap.dat"});
    rows.push_back({"local name differs",
                    [] {
                        auto b = archiveOf({{"VexalMap.dat", "m"}});
                        b[30] = 'W';
                        return b;
                    },
                    "VexalMap.dat"});
    rows.push_back({"duplicate name",
                    [] {
                        return archiveOf({{"VexalMap.dat", "a"}, {"vexalmap.DAT", "b"}});
                    },
                    "twice"});
    rows.push_back({"zip bomb that declares its size",
                    [] {
                        auto b = archiveOf({{"VexalMap.dat", std::string(4000, 'm')}});
                        put32(b, 22, 0x7FFFFFFF);
                        put32(b, centralOf(b) + 24, 0x7FFFFFFF);
                        return b;
                    },
                    "MB"});
    rows.push_back({"names that differ only in a letter Windows folds",
                    [] {
                        return archiveOf({{"mapinfos/\xE4.txt", "a"}, {"mapinfos/\xC4.txt", "b"}});
                    },
                    "twice"});
    rows.push_back({"a file where a later entry needs a folder",
                    [] {
                        return archiveOf({{"mapinfos/x", "file"}, {"mapinfos/X/y.txt", "below it"}});
                    },
                    "\"mapinfos/x\" is a file where another entry needs a folder"});
    rows.push_back({"a file where an earlier entry needs a folder",
                    [] {
                        return archiveOf({{"sample/x/y.txt", "below it"}, {"sample/x", "file"}});
                    },
                    "\"sample/x\" is a file where another entry needs a folder"});
    rows.push_back({"a tiny entry that claims 511 MB",
                    [] {
                        auto b = archiveOf({{"VexalMap.dat", std::string(4000, 'm')}});
                        put32(b, 22, 511u << 20);
                        put32(b, centralOf(b) + 24, 511u << 20);
                        return b;
                    },
                    "VexalMap.dat claims to unpack to more than its packed data can hold"});
    rows.push_back({"zip bomb that lies about its size",
                    [] {
                        auto b = archiveOf({{"VexalMap.dat", std::string(1 << 20, '\0')}});
                        put32(b, 22, 100);
                        put32(b, centralOf(b) + 24, 100);
                        return b;
                    },
                    "VexalMap.dat"});
    rows.push_back({"not a ZIP archive", [] { return std::string(1000, 'x'); }, "cut off"});
    return rows;
}

TEST_F(BackupTest, HostileArchivesAreRefusedWithNothingWritten) {
    for (const auto& row : hostileArchives()) {
        SCOPED_TRACE(row.story);
        fake.fs.addFile(kArchive, row.build());
        fake.fs.addFile(std::string(kProgram) + "VexalMap.dat", "untouched");
        const auto before = fake.fs.paths();
        const auto writes = fake.fs.writes.size();
        errors.clear();
        restoreNow();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(row.named), std::string::npos) << errors[0];
        EXPECT_NE(errors[0].find("nothing was changed"), std::string::npos) << errors[0];
        EXPECT_EQ(fake.fs.writes.size(), writes);
        EXPECT_EQ(fake.fs.paths(), before);
        EXPECT_EQ(file("VexalMap.dat"), "untouched");
        EXPECT_FALSE(form->backupCommands.restartRequested());
        EXPECT_FALSE(config.frozen());
    }
}

TEST_F(BackupTest, ARestoreNeverWritesThroughALinkedFolder) {
    fake.fs.addFile(kArchive, archiveOf({{"mappics/linked/elsewhere.jpg", "overwritten"}}));
    restoreNow();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("linked folder"), std::string::npos);
    EXPECT_EQ(file("mappics\\linked\\elsewhere.jpg"), "not ours");
}

// ---- Killed restores ----------------------------------------------------------------

constexpr const char* kKillDir = "C:\\Games\\Vexal\\";
const std::string kKillArchive = std::string(kKillDir) + "backup\\Vexal-backup.zip";

// The folder before the restore: older contents, a read-only file, a file the
// backup does not hold; the archive adds a file and a folder.
std::unique_ptr<FakeFileSystem> folderBeforeRestore() {
    static const std::string archive = [] {
        ZipWriter zip;
        zip.add("mapinfos/", {}, platform::kAttrDirectory, kStamp);
        zip.add("mapinfos/oasis.txt", "new oasis", platform::kAttrArchive, kStamp);
        zip.add("mapinfos/same.txt", "as it stands", platform::kAttrArchive, kStamp);  // left alone
        zip.add("mapinfos/new/", {}, platform::kAttrDirectory, kStamp);
        zip.add("mapinfos/new/radar.txt", "new radar", platform::kAttrArchive, kStamp);
        zip.add("VexalParam.dat", "+set new 1\r\n", platform::kAttrHidden | platform::kAttrReadOnly, kStamp);
        zip.add("VexalMap.dat", "new map\r\n", platform::kAttrArchive, kStamp);
        zip.add("Vexal.ini", "[Paths]\r\netPath=C:\\New\r\n", platform::kAttrArchive, kStamp);
        return zip.finish();
    }();
    auto fs = std::make_unique<FakeFileSystem>();
    const std::string d = kKillDir;
    fs->addFile(d + "Vexal.exe", "MZ");
    fs->addFile(d + "Vexal.ini", "[Paths]\r\netPath=C:\\Old\r\n");
    fs->addFile(d + "VexalMap.dat", "old map\r\n", platform::kAttrReadOnly);
    fs->addFile(d + "mapinfos\\oasis.txt", "old oasis");
    fs->addFile(d + "mapinfos\\extra.txt", "not in the backup");
    fs->addFile(d + "mapinfos\\same.txt", "as it stands", platform::kAttrArchive);
    fs->addFile(kKillArchive, archive);
    return fs;
}

// The program is killed at every change the restore makes, in turn, and then again
// at every change of the start's repair: afterwards the folder is exactly as
// before the restore or exactly as after it, with no temporary file or journal.
TEST(RestoreKilled, AtAnyStepAStartLeavesTheFolderAllOldOrAllNew) {
    auto done = folderBeforeRestore();
    backup::restoreBackup(*done, kKillDir, "Vexal.exe", kKillArchive, {});
    const auto oldState = folderState(*folderBeforeRestore(), kKillDir), newState = folderState(*done, kKillDir);
    ASSERT_NE(oldState, newState);
    for (const bool held : {false, true}) {  // held: the restore fails and undoes its swaps
        std::size_t kills = 0, completed = 0;
        for (std::size_t n = 1;; ++n) {
            auto killed = folderBeforeRestore();
            if (held) killed->lockFile(std::string(kKillDir) + "Vexal.ini");
            killed->killAtChange(n);
            try {
                backup::restoreBackup(*killed, kKillDir, "Vexal.exe", kKillArchive, {});
            } catch (const FakeFileSystem::SimulatedKill&) {
            } catch (const Error&) {
                EXPECT_TRUE(held);
            }
            if (!killed->wasKilled()) break;
            ++kills;
            for (std::size_t m = 1;; ++m) {
                FakeFileSystem start = *killed;
                start.revive();
                start.killAtChange(m);
                try {
                    (void)backup::repairInterruptedRestore(start, kKillDir);
                } catch (const FakeFileSystem::SimulatedKill&) {
                }
                const bool killedAgain = start.wasKilled();
                start.revive();
                (void)backup::repairInterruptedRestore(start, kKillDir);
                if (held) start.unlockFile(std::string(kKillDir) + "Vexal.ini");
                const auto state = folderState(start, kKillDir);
                EXPECT_TRUE(state == oldState || state == newState)
                    << (held ? "held, " : "") << "killed at change " << n << ", then at " << m << [&] {
                           std::string d;
                           for (const auto& [k, v] : state) d += "\n" + k + " = " + v;
                           return d;
                       }();
                completed += state == newState;
                if (!killedAgain) break;
            }
        }
        EXPECT_GT(kills, 20u);
        if (!held) {
            EXPECT_GT(completed, 0u);  // a kill after the journal said "swapping" is rolled forward
        }
    }
}

// ---- Backup and restore agree ---------------------------------------------------------

// Random folders of random names and sizes: whatever the backup writes, the restore
// takes; what it refuses, it refuses for its size, before writing anything.
TEST(BackupRoundTrip, WhatTheBackupWritesTheRestoreAccepts) {
    std::mt19937 random(20240607);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const std::string alphabet = "aZ09 ._-~\xE4\xC4\xDF\xB9";
    const std::array<const char*, 4> folders = {"mapinfos\\", "sample\\", "mappics\\deep\\", "mappics\\"};
    constexpr std::uint64_t kLimit = 1 << 20;
    const std::string dir = "C:\\V\\", archive = dir + "backup\\Vexal-backup.zip";
    std::string noise(1 << 20, '\0');
    for (std::size_t k = 0; k < noise.size(); k += 4) {
        const auto r = static_cast<std::uint32_t>(random());
        std::memcpy(noise.data() + k, &r, 4);
    }
    int written = 0, refused = 0;
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        FakeFileSystem fs;
        fs.addFile(dir + "Vexal.exe", "MZ");
        fs.addDirectory(dir + "backup");
        fs.addFile(dir + "Vexal.ini", "[Paths]\r\n");
        for (std::size_t i = 0, files = pick(14); i < files; ++i) {
            std::string name;
            for (std::size_t k = 0, length = 1 + pick(i % 4 == 0 ? 230 : 16); k < length; ++k)
                name += alphabet[pick(alphabet.size())];
            // Every third file does not pack at all.
            const std::size_t size = pick(i % 3 == 0 ? 900000 : 3000);
            const std::string data =
                i % 3 == 0 ? noise.substr(pick(noise.size() - size), size) : std::string(size, 'x');
            if (name != "." && name != "..") fs.addFile(dir + folders[pick(folders.size())] + name, data);
        }
        try {
            (void)backup::writeBackup(fs, dir, "Vexal.ini", archive, {}, kLimit);
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("would hold more than 1 MB"), std::string::npos) << e.what();
            EXPECT_FALSE(fs.exists(archive));
            ++refused;
            continue;
        }
        ++written;
        EXPECT_NO_THROW(backup::restoreBackup(fs, dir, "Vexal.exe", archive, {}, kLimit));
    }
    EXPECT_GT(written, 10);
    EXPECT_GT(refused, 10);
}

// ---- The engine itself ------------------------------------------------------------------

TEST(ZipEngine, WhatIsWrittenReadsBackEntryForEntry) {
    std::string binary;
    for (int i = 0; i < 70000; ++i) binary += static_cast<char>((i * 7919) >> 3);
    ZipWriter zip;
    zip.add("maps/", {}, platform::kAttrDirectory, kStamp);
    zip.add("maps/a.bin", binary, platform::kAttrReadOnly | platform::kAttrArchive, kStamp);
    zip.add("empty.txt", "", platform::kAttrArchive, kStamp);
    const std::string bytes = zip.finish();
    const auto entries = verifyZip(bytes);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries[0].isFolder());
    EXPECT_EQ(backup::inflateEntry(bytes, entries[1]), binary);
    EXPECT_EQ(entries[1].attributes, platform::kAttrReadOnly | platform::kAttrArchive);
    EXPECT_EQ(entries[1].crc,
              crc32(0, reinterpret_cast<const Bytef*>(binary.data()), static_cast<uInt>(binary.size())));
    EXPECT_EQ(backup::inflateEntry(bytes, entries[2]), "");
}

TEST(ZipEngine, CompressesAsDeflateDoesAtItsBestLevel) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "map " + std::to_string(i * 37 % 101) + " oasis radar fueldump\r\n";
    const auto e = verifyZip(archiveOf({{"a.txt", text}})).at(0);
    auto rawDeflate = [&](int level) {
        z_stream z{};
        EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY), Z_OK);
        std::string out(deflateBound(&z, text.size()), '\0');
        z.next_in = reinterpret_cast<Bytef*>(text.data());
        z.avail_in = static_cast<uInt>(text.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
        const auto size = z.total_out;
        deflateEnd(&z);
        return size;
    };
    EXPECT_EQ(e.compressedSize, rawDeflate(9));
    EXPECT_LT(e.compressedSize, rawDeflate(1));
}

TEST(ZipEngine, EntriesBeyondWhatAPlainZipHoldsEndWithAClearError) {
    ZipWriter zip;
    for (std::size_t i = 0; i < backup::kMaxZipEntries; ++i) zip.add("d" + std::to_string(i) + "/", {}, 0x10, kStamp);
    try {
        zip.add("one-too-many.txt", "x", 0x20, kStamp);
        FAIL() << "accepted entry 65,536";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("65,535"), std::string::npos);
    }
}

TEST(ZipEngine, AnInflatedSizeOverTheCapIsRefusedBeforeInflating) {
    const std::string bytes = archiveOf({{"a.bin", std::string(4 << 20, '\0')}, {"b.bin", "b"}});
    EXPECT_NO_THROW((void)verifyZip(bytes));
    EXPECT_THROW((void)verifyZip(bytes, {backup::kMaxZipEntries, 1 << 20, true}), Error);
    EXPECT_THROW((void)verifyZip(bytes, {1, 64ull << 20, true}), Error);
}

TEST(ZipNames, PlainRelativeNamesAreAccepted) {
    for (const char* name : {"Vexal.ini", "mapinfos/", "mapinfos/oasis.txt", "mappics\\radar.jpg", "sample/a b/c.d.txt",
                             "console.log", "aux-maps/x.txt", ".hidden"})
        EXPECT_EQ(backup::entryNameFault(name), std::nullopt) << name;
}

}  // namespace
}  // namespace vexal::testing
