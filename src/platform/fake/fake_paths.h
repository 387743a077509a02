#pragma once
// Name rules of the Windows file system, shared by the fakes.
#include <string>

namespace vexal::platform::fake {

// Upper case in Windows-1252, as file names compare: "ä" names the same file as "Ä".
[[nodiscard]] char foldChar(char c);
[[nodiscard]] std::string foldCase(const std::string& text);
// Lower case in Windows-1252.
[[nodiscard]] std::string lowerCase(const std::string& text);
// Whether `name` matches a FindFirstFile mask such as "*.*", "*.pk3" or "profile.pid".
[[nodiscard]] bool matchesMask(const std::string& name, const std::string& mask);

}  // namespace vexal::platform::fake
