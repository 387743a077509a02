#pragma once
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::platform::fake {

class FakeFileSystem;

struct SoundCall {
    std::string path;
    bool wait = false;
    friend bool operator==(const SoundCall&, const SoundCall&) = default;
};

class FakeSound final : public Sound {
public:
    // With a file system, playing a file it does not hold fails as the media layer would.
    explicit FakeSound(FakeFileSystem* files = nullptr) : files(files) {}
    void play(const std::string& path, bool wait) override;
    void close() override { ++closes; }
    void failOpen(const std::string& path) { unplayable.insert(path); }

    std::vector<SoundCall> played;  // the ones that opened
    int closes = 0;

private:
    FakeFileSystem* files;
    std::set<std::string> unplayable;
};

}  // namespace vexal::platform::fake
