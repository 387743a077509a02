// The player's in-game name: kept in the settings, passed at every start, and
// written into the game's own autoexec.cfg on request.
#include "settings/paths.h"
#include "tools/texts.h"
#include "tools/tool_rules.h"
#include "tools/toolbox.h"
#include "util/utilities.h"

namespace vexal::tools {

void Toolbox::editNickname() {
    v.playFeedback(v.programDir + settings::kClickSound);
    const auto answer = v.services.dialogs.inputBox(texts::kNickCaption, texts::kNickPrompt, v.nickname);
    // An empty answer is a choice too: it clears the name.
    if (!answer) return;
    if (!nicknameAcceptable(*answer)) {
        v.services.dialogs.messageBox(texts::kNickRefused, platform::BoxKind::Warning, platform::BoxButtons::Ok);
        return;
    }
    v.nickname = *answer;
    settings::write(v.config.doc(), settings::key::nick, v.nickname);
    v.saveSettings();
    v.mnuNick->setHint(texts::kNickHint + v.nickname);

    // The one the game reads: ET:Legacy looks in four places, the others in etmain.
    const std::string script = v.autoexecFile();
    if (script.empty()) {
        v.services.dialogs.messageBox(texts::kAutoexecMissing, platform::BoxKind::Warning,
                                      platform::BoxButtons::Cancel);
        return;
    }
    if (v.services.dialogs.messageBox(texts::kReplaceNick, platform::BoxKind::Confirmation,
                                      platform::BoxButtons::YesNo) != platform::BoxResult::Yes)
        return;
    const auto entry = v.services.fs.stat(script);
    if (entry && (entry->attributes & platform::kAttrReadOnly) != 0) {
        v.services.dialogs.messageBox(script + texts::kAutoexecReadOnly, platform::BoxKind::Warning,
                                      platform::BoxButtons::Ok);
        return;
    }
    // One pass, each line judged as the user wrote it: a name such as "I set name"
    // inside a freshly written seta line must not turn that line into a set line.
    // A line with both words keeps the seta command, the one the game stores.
    util::ReplaceMatchingLines(
        v.services.fs, v.services.clock, script,
        {{"seta name", nicknameLine("seta name", v.nickname)}, {"set name", nicknameLine("set name", v.nickname)}});
}

}  // namespace vexal::tools
