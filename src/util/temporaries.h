#pragma once
// The temporary files the atomic write leaves when the program is killed or the
// power goes half way through: "~vexal<process>-<n>.tmp" beside the file written.
#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace vexal::util {

inline constexpr const char* kTemporaryPrefix = "~vexal";
inline constexpr const char* kTemporarySuffix = ".tmp";

// True for a name the atomic write makes: the prefix, digits, "-", digits, the suffix.
[[nodiscard]] bool isOwnTemporaryName(const std::string& name);

// Deletes, in `folder` (ending with a backslash or not), the files named like our
// temporaries, and the file `extraName` when given, that were last written before
// `before`. A copy of the program that is writing one now holds it open, so a
// newer one or one in use stays. Returns how many were deleted.
std::size_t removeStaleTemporaries(platform::FileSystem& fs, const std::string& folder,
                                   const platform::DateTime& before, const std::string& extraName = {});

}  // namespace vexal::util
