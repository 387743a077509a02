#pragma once
// The bitness of a Windows program, read from the first bytes of its file: the
// same etl.exe name stands for a 32-bit and a 64-bit build.
#include <optional>
#include <string_view>

namespace vexal::util {

// How many bytes from the start of a program file peBits looks at, at most.
inline constexpr std::size_t kPeHeadBytes = 4096;

// 32 or 64 from the optional header's magic of a PE file; nothing when the bytes
// are no PE file (no MZ, a header offset outside them, no PE signature, another magic).
[[nodiscard]] std::optional<int> peBits(std::string_view head);

}  // namespace vexal::util
