// The player's in-game name: kept in the settings, passed at every start, and
// written into the game's own autoexec.cfg on request.
#include "app/main_window.h"
#include "settings/paths.h"
#include "tools/texts.h"
#include "tools/tool_rules.h"
#include "util/utilities.h"

namespace vexal {

void TfrmVexal::mnuNickClick() {
    playFeedback(programDir + settings::kClickSound);
    const auto answer = services.dialogs.inputBox(tools::texts::kNickCaption, tools::texts::kNickPrompt, nickname);
    // An empty answer is a choice too: it clears the name.
    if (!answer) return;
    if (!tools::nicknameAcceptable(*answer)) {
        services.dialogs.messageBox(tools::texts::kNickRefused, platform::BoxKind::Warning, platform::BoxButtons::Ok);
        return;
    }
    nickname = *answer;
    settings::write(config.doc(), settings::key::nick, nickname);
    saveSettings();
    mnuNick->setHint(tools::texts::kNickHint + nickname);

    const std::string script = gameDir + settings::kEtMain + "\\autoexec.cfg";
    if (!services.fs.fileExists(script)) {
        services.dialogs.messageBox(tools::texts::kAutoexecMissing, platform::BoxKind::Warning,
                                    platform::BoxButtons::Cancel);
        return;
    }
    if (services.dialogs.messageBox(tools::texts::kReplaceNick, platform::BoxKind::Confirmation,
                                    platform::BoxButtons::YesNo) != platform::BoxResult::Yes)
        return;
    const auto entry = services.fs.stat(script);
    if (entry && (entry->attributes & platform::kAttrReadOnly) != 0) {
        services.dialogs.messageBox(script + tools::texts::kAutoexecReadOnly, platform::BoxKind::Warning,
                                    platform::BoxButtons::Ok);
        return;
    }
    // One pass, each line judged as the user wrote it: a name such as "I set name"
    // inside a freshly written seta line must not turn that line into a set line.
    // A line with both words keeps the seta command, the one the game stores.
    util::ReplaceMatchingLines(services.fs, services.clock, script,
                               {{"seta name", tools::nicknameLine("seta name", nickname)},
                                {"set name", tools::nicknameLine("set name", nickname)}});
}

}  // namespace vexal
