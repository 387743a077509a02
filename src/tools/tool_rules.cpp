#include "tools/tool_rules.h"

#include "settings/keys.h"
#include "settings/paths.h"
#include "tools/texts.h"

namespace vexal::tools {

std::string quotedArguments(const std::vector<std::string>& paths) {
    std::string out;
    for (const auto& path : paths) out += util::quotedArgument(path) + " ";
    return out;
}

std::string editHint(const std::string& lastCfg) {
    if (!settings::isSet(lastCfg)) return texts::kEditHint;
    return texts::kEditHintRecent + settings::extractFileName(lastCfg) + ")";
}

bool nicknameAcceptable(const std::string& nick) { return nick.find_first_of("\";\r\n") == std::string::npos; }

std::string nicknameLine(const std::string& word, const std::string& nick) { return word + " \"" + nick + "\""; }

std::string aboutText(const std::string& version) {
    const std::string br = "\n\r";
    return "           V e x a l  - (Version " + version + " final)" + br + br +
           "A Map/Program-Tool and a desktop Minimizer" + br + "for the great Freeware Game Enemy Territory" + br + br +
           "Download main program (as zip or exe file):" + br + texts::kAboutExeAddress + br + texts::kAboutZipAddress +
           br + br + "Download mp3 file and the Highlighting file:" + br + texts::kAboutTuneAddress + br +
           texts::kAboutHighlightAddress + br + br + texts::kAboutCredit1 + br + texts::kAboutCredit2;
}

}  // namespace vexal::tools
