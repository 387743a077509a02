// The four options that exist twice (check box and menu item), the tray icon and
// the parameter list's maximize toggle.
#include "app/layout.h"
#include "app/main_window.h"
#include "settings/keys.h"

namespace vexal {

// The check box holds the state; its menu item mirrors it and the key stores it.
void TfrmVexal::storeOption(const ui::CheckBox& box, const settings::BoolKey& key) {
    settings::write(config.doc(), key, box.checked());
    saveSettings();
}

// Minimize and Close after start exclude each other: with the window closed
// there is nothing left to minimize, and no hotkey to bring it back.
void TfrmVexal::cbMinimizeClick() {
    if (cbMinimize.checked()) cbClose.setChecked(false);
    storeOption(cbMinimize, settings::key::minimize);
}

void TfrmVexal::cbCloseClick() {
    if (cbClose.checked()) cbMinimize.setChecked(false);
    // A closed launcher receives no hotkey.
    lbMinET.setEnabled(!cbClose.checked());
    cbxHotKey.setEnabled(!cbClose.checked());
    storeOption(cbClose, settings::key::close);
}

void TfrmVexal::cbTrayClick() {
    ctrayIcon.minimizeToTray = cbTray.checked();
    ctrayIcon.setVisible(cbTray.checked());
    storeOption(cbTray, settings::key::trayIcon);
}

void TfrmVexal::optionMouseDown(ui::MouseButton button) {
    if (button == ui::MouseButton::Left) playClick();
}

void TfrmVexal::mnuMinimizeClick() {
    playClick();
    cbMinimize.setChecked(!cbMinimize.checked());
}

void TfrmVexal::mnuCloseClick() {
    playClick();
    cbClose.setChecked(!cbClose.checked());
}

void TfrmVexal::mnuTasktrayClick() {
    playClick();
    cbTray.setChecked(!cbTray.checked());
}

// The direction follows the list's real position, not the stored flag, so a
// hand-edited geometry is put right by the first F4.
void TfrmVexal::mnuMaxClick() {
    constexpr int w = layout::kClientWidth;
    playClick();
    if (lboxParam.bounds().left == w - 378) {
        setFocus(&btnAdd);
        edtParam.setLeft(w - 545);
        edtParam.setWidth(w - 105);
        lboxParam.setLeft(w - 545);
        lboxParam.setWidth(w - 32);
        listMaximized = true;
        bitbtnSelDir.setVisible(false);
    } else {
        edtParam.setLeft(w - 378);
        edtParam.setWidth(w - 272);
        lboxParam.setLeft(w - 378);
        lboxParam.setWidth(w - 199);
        listMaximized = false;
        bitbtnSelDir.setVisible(true);
    }
    auto& doc = config.doc();
    settings::write(doc, settings::key::maxListbox, listMaximized);
    settings::write(doc, settings::key::paramLeft, lboxParam.bounds().left);
    settings::write(doc, settings::key::paramWidth, lboxParam.bounds().width);
    settings::write(doc, settings::key::editLeft, edtParam.bounds().left);
    settings::write(doc, settings::key::editWidth, edtParam.bounds().width);
    saveSettings();
}

void TfrmVexal::ctrayIconDblClick() { show(); }

// A hidden window comes back only through its tray icon: with none standing it
// goes to the taskbar instead, or the program would live on out of reach, still
// holding the single-instance mutex that turns every later start away.
// Start-up and refresh: stored options into the boxes, in this order; each change
// runs the box's own click handler, which also writes the value back.
void TfrmVexal::loadOptions() {
    const auto& doc = config.doc();
    cbClose.setChecked(settings::read(doc, settings::key::close));
    cbMinimize.setChecked(settings::read(doc, settings::key::minimize));
    cbTray.setChecked(settings::read(doc, settings::key::trayIcon));
    cbDelProfile.setChecked(settings::read(doc, settings::key::delProfile));
}

void TfrmVexal::loadWindowState() {
    ctrayIcon.minimizeToTray = cbTray.checked();
    ctrayIcon.setVisible(cbTray.checked());
    bitbtnSelDir.setVisible(!listMaximized);
}

}  // namespace vexal
