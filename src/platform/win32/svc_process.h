#pragma once
#include <vector>

#include "platform/platform.h"
#include "platform/win32/scoped.h"

namespace vexal::platform::win32 {

class Win32Process final : public Process {
public:
    Win32Process() = default;
    ~Win32Process() override;
    Win32Process(const Win32Process&) = delete;
    Win32Process& operator=(const Win32Process&) = delete;

    [[nodiscard]] std::string exePath() override;
    [[nodiscard]] std::vector<std::string> arguments() override;
    // Throws vexal::Error when the mutex can be neither created nor opened.
    [[nodiscard]] bool createMutex(const std::string& name) override;
    void releaseMutex() override;
    [[nodiscard]] std::optional<FileVersion> fileVersion(const std::string& path) override;
    [[nodiscard]] std::string environment(const std::string& name) override;
    [[nodiscard]] std::string personalFolder() override;

private:
    std::vector<ScopedHandle> mutexes;
};

}  // namespace vexal::platform::win32
