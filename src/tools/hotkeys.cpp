// The minimizer hotkeys: Alt or Ctrl plus one character leaves the game for the
// desktop, Ctrl+Alt+End asks the program in front to quit.
#include "tools/hotkeys.h"

#include "app/main_window.h"
#include "settings/keys.h"
#include "shell/texts.h"

namespace vexal {

namespace tools {

bool isHotkeyChar(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

char hotkeyCharOf(const std::string& text, char previous) {
    if (text.empty()) return 'Z';
    char c = text[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return isHotkeyChar(c) ? c : previous;
}

ui::Colour hotkeyColour(char c) {
    const bool red = c >= 'A' && c <= 'U' && c != 'C' && c != 'G' && c != 'O' && c != 'T';
    return red ? ui::kClRed : ui::kClAqua;
}

std::string hotkeysTakenText(char c) {
    const std::string k(1, c);
    return " Hotkey Alt+" + k + ", Ctrl+" + k + " or Ctrl+Alt+End is held by another program";
}

KeyVerdict filterHotkeyKey(char c) {
    if (c == '\r') return KeyVerdict::NextControl;
    if (c == '\b' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) return KeyVerdict::Pass;
    return KeyVerdict::Refuse;
}

}  // namespace tools

namespace {
constexpr int kIdAlt = 0, kIdCtrl = 1, kIdQuit = 2;
constexpr unsigned kVkEnd = 0x23;
}  // namespace

void TfrmVexal::registerCharHotkeys() {
    const auto key = static_cast<unsigned>(hotkeyChar);
    bool ok = services.hotkeys.registerHotkey(kIdAlt, platform::kModAlt, key);
    ok = services.hotkeys.registerHotkey(kIdCtrl, platform::kModControl, key) && ok;
    hotkeysRefused_ = !ok;
}

void TfrmVexal::registerHotkeys() {
    registerCharHotkeys();
    if (!services.hotkeys.registerHotkey(kIdQuit, platform::kModControl | platform::kModAlt, kVkEnd))
        hotkeysRefused_ = true;
    // Another program (or another copy of this one) holds a combination: said once,
    // quietly, since the window works without it.
    if (hotkeysRefused_ && !hotkeysReported_) {
        hotkeysReported_ = true;
        setStatus(tools::hotkeysTakenText(hotkeyChar));
    }
}

void TfrmVexal::unregisterHotkeys() {
    for (int id : {kIdAlt, kIdCtrl, kIdQuit}) services.hotkeys.unregisterHotkey(id);
}

void TfrmVexal::WMHotKey(int id) {
    if (!gameStarted) return;
    if (id == kIdAlt || id == kIdCtrl)
        MinimizeET();
    else if (id == kIdQuit)
        services.hotkeys.quitForeground();
}

void TfrmVexal::MinimizeET() {
    // Minimizes the game, brings this window forward and always lets go of the
    // game's input again, even when the game does not answer.
    services.hotkeys.minimizeForeground();
    if (cbMinimize.checked()) application.minimize();
}

void TfrmVexal::fillHotkeyBox() {
    cbxHotKey.setColour(tools::hotkeyColour(hotkeyChar));
    // Refilled in one go: the list control is mirrored once, not once per character.
    std::vector<std::string> keys;
    for (char c = '0'; c <= '9'; ++c) keys.emplace_back(1, c);
    for (char c = 'A'; c <= 'Z'; ++c) keys.emplace_back(1, c);
    cbxHotKey.setItems(keys);
    cbxHotKey.setText(std::string(1, hotkeyChar));
}

void TfrmVexal::cbxHotKeyChange() {
    const char c = tools::hotkeyCharOf(cbxHotKey.text(), '\0');
    if (c == '\0') {
        // A pasted or otherwise foreign character: the box goes back to the key in use.
        cbxHotKey.setText(std::string(1, hotkeyChar));
        return;
    }
    hotkeyChar = c;
    cbxHotKey.setColour(tools::hotkeyColour(hotkeyChar));
    settings::write(config.doc(), settings::key::hotkey, std::string(1, hotkeyChar));
    saveSettings();
    // The old character's keys are given back before the new ones are taken.
    services.hotkeys.unregisterHotkey(kIdAlt);
    services.hotkeys.unregisterHotkey(kIdCtrl);
    registerCharHotkeys();
    bitbtnRun.setHint(shell::text::runHintShort(hotkeyChar));
    mnuRunET->setHint(bitbtnRun.hint());
}

void TfrmVexal::cbxHotKeyKeyPress(char& key) {
    switch (tools::filterHotkeyKey(key)) {
        case tools::KeyVerdict::Pass:
            return;
        case tools::KeyVerdict::NextControl:
            key = 0;
            focusNext();
            return;
        case tools::KeyVerdict::Refuse:
            key = 0;
            services.dialogs.messageBox(tools::kHotkeyInvalidText, platform::BoxKind::Warning,
                                        platform::BoxButtons::Cancel);
            return;
    }
}

void TfrmVexal::cbxHotKeyEnter() { playClick(); }

void TfrmVexal::cbxHotKeyExit() {
    if (cbxHotKey.text().empty()) cbxHotKey.setText("z");
}

}  // namespace vexal
