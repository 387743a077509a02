#include "launch/list_file.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_file_system.h"
#include "util/file_facts.h"

using vexal::launch::ListFile;
using vexal::platform::fake::FakeDialogs;
using vexal::platform::fake::FakeFileSystem;

namespace {

constexpr const char* kList = "C:\\Games\\Vexal\\VexalMap.dat";

struct Fixture {
    FakeFileSystem fs;
    FakeDialogs dialogs;
    ListFile list{fs, dialogs};
    Fixture() { fs.addDirectory("C:\\Games\\Vexal"); }
};

}  // namespace

// A disk that fills up while the user types, and frees again.
TEST(ListFile, AFailureIsSaidOnceUntilAWriteGetsThroughAndAnUnchangedListIsNotWrittenAgain) {
    Fixture f;
    const struct {
        bool diskFull;
        std::vector<std::string> lines;
        std::size_t errorsSaid, writesTried;
        const char* onDisk;
    } steps[] = {
        {false, {"oasis"}, 0, 1, "oasis\r\n"},
        {true, {"oasis"}, 0, 1, "oasis\r\n"},  // unchanged: not even tried
        {true, {"oasis", "radar"}, 1, 1, "oasis\r\n"},
        {true, {"oasis", "radar", "fueldump"}, 1, 1, "oasis\r\n"},  // said once
        {false, {"oasis", "radar"}, 1, 2, "oasis\r\nradar\r\n"},
        {true, {"goldrush"}, 2, 2, "oasis\r\nradar\r\n"},  // a write got through since: said again
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const auto& step = steps[i];
        f.fs.setDiskFull(step.diskFull);
        f.list.write(kList, step.lines);
        EXPECT_EQ(f.dialogs.errors.size(), step.errorsSaid) << "step " << i;
        EXPECT_EQ(f.fs.writes.size(), step.writesTried) << "step " << i;
        EXPECT_EQ(f.fs.contents(kList), step.onDisk) << "step " << i;
    }
    EXPECT_EQ(f.dialogs.errors.front(), "Datei C:\\Games\\Vexal\\VexalMap.dat kann nicht erstellt werden");

    // Deleted behind the window's back, the same list is written again.
    f.fs.setDiskFull(false);
    f.list.write(kList, {"oasis", "radar"});
    ASSERT_TRUE(f.fs.deleteFile(kList));
    f.list.write(kList, {"oasis", "radar"});
    EXPECT_EQ(f.fs.contents(kList), "oasis\r\nradar\r\n");
}

TEST(ListFile, AFileThatCouldNotBeReadIsNotWrittenOverUntilItIsReadAgain) {
    Fixture f;
    f.fs.addFile(kList, "oasis\r\nradar\r\n");
    f.fs.lockFile(kList);
    EXPECT_FALSE(f.list.read(kList));
    EXPECT_EQ(f.dialogs.errors, std::vector<std::string>{vexal::util::cannotOpenFileText(kList)});
    f.fs.unlockFile(kList);
    f.list.write(kList, {"fueldump"});
    EXPECT_EQ(f.fs.contents(kList), "oasis\r\nradar\r\n");

    EXPECT_EQ(f.list.read(kList), (std::vector<std::string>{"oasis", "radar"}));
    f.list.write(kList, {"fueldump", "oasis", "radar"});
    EXPECT_EQ(f.fs.contents(kList), "fueldump\r\noasis\r\nradar\r\n");
}
