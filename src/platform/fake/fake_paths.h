#pragma once
// Name rules of the Windows file system, shared by the fakes.
#include <string>

#include "util/case_fold.h"

namespace vexal::platform::fake {

// File names compare as the program's own code folds them: "ä" names the same file as "Ä".
using util::foldCase;
using util::foldChar;
using util::lowerCase;
// Whether `name` matches a FindFirstFile mask such as "*.*", "*.pk3" or "profile.pid".
[[nodiscard]] bool matchesMask(const std::string& name, const std::string& mask);

}  // namespace vexal::platform::fake
