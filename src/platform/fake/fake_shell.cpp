#include "platform/fake/fake_shell.h"

#include "util/error.h"

namespace vexal::platform::fake {

void FakeShell::open(const std::string& file, const std::string& params, const std::string& directory, ShowCmd show,
                     bool withOwner) {
    calls.push_back({file, params, directory, show, withOwner});
    if (!failures.empty()) {
        const std::string message = failures.front();
        failures.pop_front();
        throw Error(message);
    }
}

}  // namespace vexal::platform::fake
