#pragma once
#include <string>

namespace vexal::platform::win32 {

// The system's own wording for an error code (GetLastError), without the line
// break FormatMessage appends.
[[nodiscard]] std::string systemErrorText(unsigned long code);

}  // namespace vexal::platform::win32
