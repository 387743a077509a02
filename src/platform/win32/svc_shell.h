#pragma once
#include "platform/platform.h"

struct HWND__;

namespace vexal::platform::win32 {

class Win32Shell final : public Shell {
public:
    // Throws vexal::Error with the system's reason when nothing could be opened.
    void open(const std::string& file, const std::string& params, const std::string& directory, ShowCmd show,
              bool withOwner) override;
    void setOwner(HWND__* window) { owner = window; }

private:
    HWND__* owner = nullptr;
};

}  // namespace vexal::platform::win32
