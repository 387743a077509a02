#include "app/main_window.h"

namespace vexal {

// Plays a sound file without waiting. The player holds one sound at a time, so a
// new click cuts the previous one off instead of layering them.
void TfrmVexal::PlaySoundFile(const std::string& path, bool wait) {
    if (!mnuSound->checked() || !services.fs.fileExists(path)) return;
    services.sound.play(path, wait);
}

void TfrmVexal::mnuSoundClick() {
    config.doc().writeBool("Sound", "activ", mnuSound->checked());
    config.updateFile();
    playClick();  // heard only when sound has just been switched on
    mnuSound->setHint(mnuSound->checked() ? " Toggle Sound Support [ON]" : " Toggle Sound Support [OFF]");
}

}  // namespace vexal
