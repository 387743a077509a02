#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::platform::fake {

// Counts at once, on the caller's thread. Tests say when a folder changed; the
// results reach the caller at once, or when the test lets the window's thread
// take them (holdResults, deliver).
class FakeFolderWatch final : public FolderWatch {
public:
    explicit FakeFolderWatch(FileSystem* fs) : fs_(fs) {}

    int watch(const std::string& folder, Counter counter, Counted counted) override;
    void unwatch(int id) override;
    void stop() override;

    // Something was created, deleted or renamed at `path`: every watch of a folder
    // at or above it counts again, and so does a watch of a folder below it (the
    // folder may have appeared or gone with it).
    void changed(const std::string& path);
    // Hands the results that are in to their callers, in order.
    void deliver();

    bool holdResults = false;  // results wait for deliver()
    bool failing = false;      // the next watches are refused, as the system may refuse one
    bool stopped = false;
    int counts = 0;  // counter runs so far
    [[nodiscard]] std::vector<std::string> watched() const;

private:
    struct Watch {
        int id = 0;
        std::string folder;
        Counter counter;
    };
    struct Result {
        int id = 0;
        std::optional<std::int32_t> count;
    };
    void count(const Watch& watch);

    FileSystem* fs_;
    std::vector<Watch> watches_;
    std::vector<Result> pending_;
    std::vector<std::pair<int, Counted>> receivers_;
    int nextId_ = 1;
    std::atomic<bool> stop_{false};
};

}  // namespace vexal::platform::fake
