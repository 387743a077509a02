#pragma once
// The pure rules behind the companion launchers, the pickers, the nickname editor
// and the about box: no services, so they are tested directly with tables.
#include <string>
#include <vector>

#include "util/command_line.h"

namespace vexal::tools {

// Every file quoted and followed by one blank, in the given order.
[[nodiscard]] std::string quotedArguments(const std::vector<std::string>& paths);

// " Edit Enemy Territory cfg files", with the recent file's name when one is set.
[[nodiscard]] std::string editHint(const std::string& lastCfg);

// A nickname the game's script and command line can carry: no double quote,
// semicolon or line break, which would end the name or the command early.
[[nodiscard]] bool nicknameAcceptable(const std::string& nick);
// `word` (seta or set), a blank, the nickname in double quotes.
[[nodiscard]] std::string nicknameLine(const std::string& word, const std::string& nick);

// The about box's text for the running version.
[[nodiscard]] std::string aboutText(const std::string& version);

}  // namespace vexal::tools
