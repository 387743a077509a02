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

namespace {
constexpr int kIdAlt = 0, kIdCtrl = 1, kIdQuit = 2;
constexpr unsigned kVkEnd = 0x23;
}  // namespace

void HotkeyMinimizer::registerCharKeys() {
    const auto key = static_cast<unsigned char>(key_);
    bool ok = hotkeys_.registerHotkey(kIdAlt, platform::kModAlt, key);
    ok = hotkeys_.registerHotkey(kIdCtrl, platform::kModControl, key) && ok;
    refused_ = !ok;
}

bool HotkeyMinimizer::registerAll() {
    registerCharKeys();
    if (!hotkeys_.registerHotkey(kIdQuit, platform::kModControl | platform::kModAlt, kVkEnd)) refused_ = true;
    if (!refused_ || reported_) return false;
    reported_ = true;
    return true;
}

void HotkeyMinimizer::unregisterAll() {
    for (int id : {kIdAlt, kIdCtrl, kIdQuit}) hotkeys_.unregisterHotkey(id);
}

void HotkeyMinimizer::changeKey(char c) {
    key_ = c;
    hotkeys_.unregisterHotkey(kIdAlt);
    hotkeys_.unregisterHotkey(kIdCtrl);
    registerCharKeys();
}

bool HotkeyMinimizer::minimizes(int id) const { return id == kIdAlt || id == kIdCtrl; }

bool HotkeyMinimizer::quits(int id) const { return id == kIdQuit; }

}  // namespace tools

void TfrmVexal::registerHotkeys() {
    if (minimizer.registerAll()) setStatus(tools::hotkeysTakenText(minimizer.key()));
}

void TfrmVexal::unregisterHotkeys() { minimizer.unregisterAll(); }

void TfrmVexal::WMHotKey(int id) {
    if (!launcher.gameStarted()) return;
    if (minimizer.minimizes(id))
        MinimizeET();
    else if (minimizer.quits(id))
        services.hotkeys.quitForeground();
}

void TfrmVexal::MinimizeET() {
    // Minimizes the game, brings this window forward and always lets go of the
    // game's input again, even when the game does not answer.
    services.hotkeys.minimizeForeground();
    if (cbMinimize.checked()) application.minimize();
}

void TfrmVexal::fillHotkeyBox() {
    cbxHotKey.setColour(tools::hotkeyColour(minimizer.key()));
    // Refilled in one go: the list control is mirrored once, not once per character.
    std::vector<std::string> keys;
    for (char c = '0'; c <= '9'; ++c) keys.emplace_back(1, c);
    for (char c = 'A'; c <= 'Z'; ++c) keys.emplace_back(1, c);
    cbxHotKey.setItems(keys);
    cbxHotKey.setText(std::string(1, minimizer.key()));
}

void TfrmVexal::cbxHotKeyChange() {
    const char c = tools::hotkeyCharOf(cbxHotKey.text(), '\0');
    if (c == '\0') {
        // A pasted or otherwise foreign character: the box goes back to the key in use.
        cbxHotKey.setText(std::string(1, minimizer.key()));
        return;
    }
    cbxHotKey.setColour(tools::hotkeyColour(c));
    settings::write(config.doc(), settings::key::hotkey, std::string(1, c));
    saveSettings();
    minimizer.changeKey(c);
    bitbtnRun.setHint(shell::text::runHintShort(c));
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
