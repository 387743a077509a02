#include "platform/fake/fake_sound.h"

#include "platform/fake/fake_file_system.h"
#include "util/error.h"

namespace vexal::platform::fake {

void FakeSound::play(const std::string& path, bool wait) {
    close();
    if (unplayable.count(path) || (files && !files->fileExists(path)))
        throw Error("The file cannot be played by any MCI device.");
    played.push_back({path, wait});
}

}  // namespace vexal::platform::fake
