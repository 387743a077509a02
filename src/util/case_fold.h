#pragma once
// Letter case in the system code page (Windows-1252) as Windows compares file
// names: "ä.txt" and "Ä.txt" name one file, and so do "Š" and "š". The letters
// that have no partner in the other case (ß, ÿ's upper case is Ÿ) fold as Windows does.
#include <string>
#include <string_view>

namespace vexal::util {

// Upper case: the key under which two names are the same name.
[[nodiscard]] char foldChar(char c);
[[nodiscard]] std::string foldCase(std::string_view text);
// Lower case of the same letters.
[[nodiscard]] char lowerChar(char c);
[[nodiscard]] std::string lowerCase(std::string_view text);
// Lower case of A to Z only: the game's map names and the network's host names and
// keys know no other letters, and a byte above 127 there is not a letter of ours.
[[nodiscard]] char asciiLowerChar(char c);
[[nodiscard]] std::string asciiLowerCase(std::string_view text);
// Whether two names are one name to the file system.
[[nodiscard]] bool sameName(std::string_view a, std::string_view b);

}  // namespace vexal::util
