#include "app/main_window.h"
#include "shell/texts.h"

namespace vexal {

void TfrmVexal::mnuSoundClick() {
    settings::write(config.doc(), settings::key::sound, !setting(settings::key::sound));
    saveSettings();
    playClick();  // heard only when sound has just been switched on
    mnuSound->setHint(setting(settings::key::sound) ? shell::text::kSoundOn : shell::text::kSoundOff);
}

}  // namespace vexal
