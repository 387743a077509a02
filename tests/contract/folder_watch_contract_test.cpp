#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "contract/contract_services.h"
#include "util/file_facts.h"

namespace vexal::contract {
namespace {

using Steady = std::chrono::steady_clock;

class FolderWatchContract : public ::testing::Test {
protected:
    Machine machine;
    TestFileSystem& fs = machine.fs;
    ScratchFolder dir{machine, ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    Watcher watcher{machine};
    std::vector<std::optional<std::int32_t>> seen;

    int watch(const std::string& folder) {
        return watcher.watch.watch(
            folder,
            [](platform::FileSystem& counting, const std::string& f, const std::atomic<bool>& stop) {
                return util::CountFilesInTree(counting, f, &stop);
            },
            [this](std::optional<std::int32_t> count) { seen.push_back(count); });
    }
    [[nodiscard]] std::optional<std::int32_t> last() const { return seen.empty() ? std::nullopt : seen.back(); }
    // The count reaches the window within a second of the change, as the status line promises.
    void expectCountWithinASecond(std::int32_t expected, const std::string& changedPath, const std::string& step) {
        const auto start = Steady::now();
        watcher.changed(changedPath);
        EXPECT_TRUE(watcher.waitUntil([&] { return last() == expected; }, 1000))
            << step << ": last count " << (last() ? std::to_string(*last()) : "none") << " after "
            << std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - start).count() << " ms";
    }
};

TEST_F(FolderWatchContract, AFileAddedOrRemovedAnywhereBelowIsCountedWithinASecond) {
    ASSERT_TRUE(fs.createDirectory(dir / "demos"));
    ASSERT_TRUE(fs.createDirectory(dir / "demos\\sub"));
    fs.writeFileAtomic(dir / "demos\\a.dm_84", "x");
    fs.writeFileAtomic(dir / "demos\\sub\\b.dm_84", "x");
    watch(dir / "demos");
    ASSERT_TRUE(watcher.waitUntil([&] { return last() == 2; }, 1000)) << "the first count";

    fs.writeFileAtomic(dir / "demos\\sub\\c.dm_84", "x");
    expectCountWithinASecond(3, dir / "demos\\sub\\c.dm_84", "a file added in a subfolder");
    ASSERT_TRUE(fs.deleteFile(dir / "demos\\a.dm_84"));
    expectCountWithinASecond(2, dir / "demos\\a.dm_84", "a file removed");
    // A doubled backslash names the same folder, as everywhere else.
    watch(dir.path() + "\\\\demos\\\\sub");
    ASSERT_TRUE(watcher.waitUntil([&] { return last() == 2; }, 1000));
}

TEST_F(FolderWatchContract, AFolderCreatedLaterIsPickedUpAndOneRemovedCountsNothing) {
    const std::string demos = dir / "etpro\\demos";
    watch(demos);
    ASSERT_TRUE(watcher.waitUntil([&] { return last() == 0; }, 1000)) << "nothing there yet";

    // The game makes the mod folder, then its demos folder with the first recording.
    ASSERT_TRUE(fs.createDirectory(dir / "etpro"));
    watcher.changed(dir / "etpro");
    ASSERT_TRUE(fs.createDirectory(demos));
    watcher.changed(demos);
    fs.writeFileAtomic(demos + "\\first.dm_84", "x");
    expectCountWithinASecond(1, demos + "\\first.dm_84", "a demo in the folder that came later");

    removeTree(fs, demos);
    expectCountWithinASecond(0, demos, "the folder removed");
    // The watch lets go of a removed folder, so it can be made anew.
    ASSERT_TRUE(watcher.waitUntil([&] { return fs.createDirectory(demos); }, 1000));
    fs.writeFileAtomic(demos + "\\again.dm_84", "x");
    fs.writeFileAtomic(demos + "\\again2.dm_84", "x");
    expectCountWithinASecond(2, demos, "the folder made anew");
}

TEST_F(FolderWatchContract, NothingArrivesAfterUnwatchOrStop) {
    ASSERT_TRUE(fs.createDirectory(dir / "shots"));
    const int id = watch(dir / "shots");
    ASSERT_TRUE(watcher.waitUntil([&] { return last() == 0; }, 1000));
    watcher.watch.unwatch(id);
    const auto before = seen.size();
    fs.writeFileAtomic(dir / "shots\\a.jpg", "x");
    watcher.changed(dir / "shots\\a.jpg");
    EXPECT_FALSE(watcher.waitUntil([&] { return seen.size() != before; }, 400));

    watch(dir / "shots");
    ASSERT_TRUE(watcher.waitUntil([&] { return last() == 1; }, 1000));
    watcher.watch.stop();
    const auto stopped = seen.size();
    fs.writeFileAtomic(dir / "shots\\b.jpg", "x");
    watcher.changed(dir / "shots\\b.jpg");
    EXPECT_FALSE(watcher.waitUntil([&] { return seen.size() != stopped; }, 400));
    // A watch asked for after the end is refused, and says so.
    watch(dir / "shots");
    EXPECT_TRUE(watcher.waitUntil([&] { return seen.size() == stopped + 1 && !last(); }, 1000));
}

// The watches of a start-up are asked for before the message loop runs, and some are
// let go of at once (another game folder chosen, the program closing on an error).
TEST_F(FolderWatchContract, WatchesLetGoOfBeforeTheLoopRunsLeaveNothingBehind) {
    ASSERT_TRUE(fs.createDirectory(dir / "early"));
    ASSERT_TRUE(fs.createDirectory(dir / "live"));
    fs.writeFileAtomic(dir / "early\\a.jpg", "x");
    fs.writeFileAtomic(dir / "early\\b.jpg", "x");
    watcher.watch.unwatch(watch(dir / "early"));
    const auto before = seen.size();
    {
        Watcher gone{machine};
        gone.watch.watch(
            dir / "early", [](platform::FileSystem&, const std::string&, const std::atomic<bool>&) { return 7; },
            [](std::optional<std::int32_t>) {});
    }
    watch(dir / "live");
    ASSERT_TRUE(watcher.waitUntil([&] { return last() == 0; }, 1000));
    fs.writeFileAtomic(dir / "live\\a.jpg", "x");
    expectCountWithinASecond(1, dir / "live\\a.jpg", "a file added");
    for (auto i = before; i < seen.size(); ++i) EXPECT_NE(seen[i], 2) << "the watch let go of answered";
}

}  // namespace
}  // namespace vexal::contract
