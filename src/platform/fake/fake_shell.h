#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::platform::fake {

struct ShellCall {
    std::string file, params, directory;
    ShowCmd show = ShowCmd::Normal;
    bool withOwner = false;
    friend bool operator==(const ShellCall&, const ShellCall&) = default;
};

class FakeShell final : public Shell {
public:
    // Records the call; a scripted failure throws vexal::Error with its message.
    void open(const std::string& file, const std::string& params, const std::string& directory, ShowCmd show,
              bool withOwner) override;
    void failNext(const std::string& message) { failures.push_back(message); }

    std::vector<ShellCall> calls;

private:
    std::deque<std::string> failures;
};

}  // namespace vexal::platform::fake
