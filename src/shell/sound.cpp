#include "app/main_window.h"
#include "shell/texts.h"

namespace vexal {

// Plays a sound file without waiting. The player holds one sound at a time, so a
// new click cuts the previous one off instead of layering them.
void TfrmVexal::PlaySoundFile(const std::string& path, bool wait) {
    if (!setting(settings::key::sound) || !services.fs.fileExists(path)) return;
    // A sound is feedback: a device that refuses it must not stop the action it accompanies.
    try {
        services.sound.play(path, wait);
    } catch (const std::exception&) {
    }
}

void TfrmVexal::mnuSoundClick() {
    settings::write(config.doc(), settings::key::sound, !setting(settings::key::sound));
    saveSettings();
    playClick();  // heard only when sound has just been switched on
    mnuSound->setHint(setting(settings::key::sound) ? shell::text::kSoundOn : shell::text::kSoundOff);
}

}  // namespace vexal
