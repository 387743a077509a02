#pragma once
#include "platform/platform.h"

namespace vexal::platform::win32 {

class Win32Connectivity final : public Connectivity {
public:
    [[nodiscard]] bool connected() override;
};

}  // namespace vexal::platform::win32
