#pragma once
#include "platform/platform.h"

namespace vexal::platform::win32 {

class Win32Sound final : public Sound {
public:
    Win32Sound() = default;
    ~Win32Sound() override;
    Win32Sound(const Win32Sound&) = delete;
    Win32Sound& operator=(const Win32Sound&) = delete;

    void play(const std::string& path, bool wait) override;
    void close() override;
};

}  // namespace vexal::platform::win32
