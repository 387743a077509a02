#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace vexal::util {

// "1,023 Bytes", "1.00 KB", "1,024.00 KB", "1.00 MB", "4.00 GB" with the locale's separators.
[[nodiscard]] std::string FormatByteSize(std::uint32_t bytes, const platform::NumberFormat& format);

}  // namespace vexal::util
