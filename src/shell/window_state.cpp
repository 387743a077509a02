// The four options that exist twice (check box and menu item), the sound switch,
// the tray icon and the parameter list's maximize toggle.
#include "settings/keys.h"
#include "shell/shell.h"
#include "shell/texts.h"

namespace vexal::shell {

// The check box holds the state; its menu item mirrors it and the key stores it.
void Options::store(const ui::CheckBox& box, const settings::BoolKey& key) {
    settings::write(v.config.doc(), key, box.checked());
    v.saveSettings();
}

// Minimize and Close after start exclude each other: with the window closed
// there is nothing left to minimize, and no hotkey to bring it back.
void Options::minimizeChanged() {
    if (v.cbMinimize.checked()) v.cbClose.setChecked(false);
    store(v.cbMinimize, settings::key::minimize);
}

void Options::closeChanged() {
    if (v.cbClose.checked()) v.cbMinimize.setChecked(false);
    // A closed launcher receives no hotkey.
    v.lbMinET.setEnabled(!v.cbClose.checked());
    v.cbxHotKey.setEnabled(!v.cbClose.checked());
    store(v.cbClose, settings::key::close);
}

void Options::trayChanged() {
    v.ctrayIcon.minimizeToTray = v.cbTray.checked();
    v.ctrayIcon.setVisible(v.cbTray.checked());
    store(v.cbTray, settings::key::trayIcon);
}

// The menu item turns its check box over, which runs the box's own change.
void Options::toggle(ui::CheckBox& box) {
    v.playClick();
    box.setChecked(!box.checked());
}

void Options::toggleSound() {
    settings::write(v.config.doc(), settings::key::sound, !v.setting(settings::key::sound));
    v.saveSettings();
    v.playClick();  // heard only when sound has just been switched on
    v.mnuSound->setHint(v.setting(settings::key::sound) ? text::kSoundOn : text::kSoundOff);
}

// The direction follows the list's real position, not the stored flag, so a
// hand-edited geometry is put right by the first F4.
void Options::toggleListSize() {
    const int w = clientWidth_;
    v.playClick();
    const bool grow = v.lboxParam.bounds().left == w - 378;
    if (grow) v.setFocus(&v.btnAdd);
    // Both fields share their left edge; the list keeps 73 pixels more width than the field.
    const int left = grow ? w - 545 : w - 378;
    const int fieldWidth = grow ? w - 105 : w - 272;
    v.edtParam.setLeft(left);
    v.edtParam.setWidth(fieldWidth);
    v.lboxParam.setLeft(left);
    v.lboxParam.setWidth(fieldWidth + 73);
    v.listMaximized = grow;
    v.bitbtnSelDir.setVisible(!grow);
    auto& doc = v.config.doc();
    settings::write(doc, settings::key::maxListbox, v.listMaximized);
    settings::write(doc, settings::key::paramLeft, v.lboxParam.bounds().left);
    settings::write(doc, settings::key::paramWidth, v.lboxParam.bounds().width);
    settings::write(doc, settings::key::editLeft, v.edtParam.bounds().left);
    settings::write(doc, settings::key::editWidth, v.edtParam.bounds().width);
    v.saveSettings();
}

// Start-up and refresh: stored options into the boxes, in this order; each change
// runs the box's own click handler, which also writes the value back.
void Options::load() {
    const auto& doc = v.config.doc();
    v.cbClose.setChecked(settings::read(doc, settings::key::close));
    v.cbMinimize.setChecked(settings::read(doc, settings::key::minimize));
    v.cbTray.setChecked(settings::read(doc, settings::key::trayIcon));
    v.cbDelProfile.setChecked(settings::read(doc, settings::key::delProfile));
}

void Options::loadWindowState() {
    v.ctrayIcon.minimizeToTray = v.cbTray.checked();
    v.ctrayIcon.setVisible(v.cbTray.checked());
    v.bitbtnSelDir.setVisible(!v.listMaximized);
}

}  // namespace vexal::shell
