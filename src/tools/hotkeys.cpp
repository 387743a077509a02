#include "tools/hotkeys.h"

#include "settings/keys.h"
#include "tools/texts.h"

namespace vexal::tools {

namespace {

// Only digits and capital letters name a key of their own: any other character
// would register some other virtual key ("-" is Insert) for every program.
bool isHotkeyChar(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

// The box is red for the letters that the game itself binds by default.
ui::Colour hotkeyColour(char c) {
    const bool red = c >= 'A' && c <= 'U' && c != 'C' && c != 'G' && c != 'O' && c != 'T';
    return red ? ui::kClRed : ui::kClAqua;
}

std::string hotkeysTakenText(char c) {
    const std::string k(1, c);
    return " Hotkey Alt+" + k + ", Ctrl+" + k + " or Ctrl+Alt+End is held by another program";
}

constexpr int kIdAlt = 0, kIdCtrl = 1, kIdQuit = 2;
constexpr unsigned kVkEnd = 0x23;

// The Run hint, long form (start-up, refresh, mouse over Run) and short form
// (right after the hotkey character changed).
std::string runHintLong(char k) {
    const std::string c(1, k);
    return " Run ET.exe -- (press Alt+" + c + " or Ctrl+" + c + " into ET for minimize ET or " +
           "use Ctrl+End for quit ET.exe";
}
std::string runHintShort(char k) {
    const std::string c(1, k);
    return " Run ET.exe -- (press Alt+" + c + " or Ctrl+" + c + " into ET for minimize ET and" + " return to Desktop)";
}
}  // namespace

char hotkeyCharOf(const std::string& text, char previous) {
    if (text.empty()) return 'Z';
    char c = text[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return isHotkeyChar(c) ? c : previous;
}

KeyVerdict filterHotkeyKey(char c) {
    if (c == '\r') return KeyVerdict::NextControl;
    if (c == '\b' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) return KeyVerdict::Pass;
    return KeyVerdict::Refuse;
}

std::string Hotkeys::runHint() const { return runHintLong(key_); }

void Hotkeys::registerCharKeys() {
    auto& hotkeys = v.services.hotkeys;
    const auto key = static_cast<unsigned char>(key_);
    bool ok = hotkeys.registerHotkey(kIdAlt, platform::kModAlt, key);
    ok = hotkeys.registerHotkey(kIdCtrl, platform::kModControl, key) && ok;
    refused_ = !ok;
}

void Hotkeys::registerAll() {
    registerCharKeys();
    if (!v.services.hotkeys.registerHotkey(kIdQuit, platform::kModControl | platform::kModAlt, kVkEnd)) refused_ = true;
    if (!refused_ || reported_) return;
    reported_ = true;
    v.setStatus(hotkeysTakenText(key_));
}

void Hotkeys::unregisterAll() {
    for (int id : {kIdAlt, kIdCtrl, kIdQuit}) v.services.hotkeys.unregisterHotkey(id);
}

void Hotkeys::pressed(int id) {
    if (!gameStarted_()) return;
    if (id == kIdAlt || id == kIdCtrl)
        minimizeGame();
    else if (id == kIdQuit)
        v.services.hotkeys.quitForeground();
}

void Hotkeys::minimizeGame() {
    // Minimizes the game, brings this window forward and always lets go of the
    // game's input again, even when the game does not answer.
    v.services.hotkeys.minimizeForeground();
    if (v.cbMinimize.checked()) v.application.minimize();
}

void Hotkeys::fillBox() {
    auto& box = v.cbxHotKey;
    box.setColour(hotkeyColour(key_));
    // Refilled in one go: the list control is mirrored once, not once per character.
    std::vector<std::string> keys;
    for (char c = '0'; c <= '9'; ++c) keys.emplace_back(1, c);
    for (char c = 'A'; c <= 'Z'; ++c) keys.emplace_back(1, c);
    box.setItems(keys);
    box.setText(std::string(1, key_));
}

void Hotkeys::boxChange() {
    const char c = hotkeyCharOf(v.cbxHotKey.text(), '\0');
    if (c == '\0') {
        // A pasted or otherwise foreign character: the box goes back to the key in use.
        v.cbxHotKey.setText(std::string(1, key_));
        return;
    }
    v.cbxHotKey.setColour(hotkeyColour(c));
    settings::write(v.config.doc(), settings::key::hotkey, std::string(1, c));
    v.saveSettings();
    // The old character's keys are given back before the new ones are taken.
    key_ = c;
    v.services.hotkeys.unregisterHotkey(kIdAlt);
    v.services.hotkeys.unregisterHotkey(kIdCtrl);
    registerCharKeys();
    v.bitbtnRun.setHint(runHintShort(c));
    v.mnuRunET->setHint(v.bitbtnRun.hint());
}

void Hotkeys::boxKeyPress(char& key) {
    switch (filterHotkeyKey(key)) {
        case KeyVerdict::Pass:
            return;
        case KeyVerdict::NextControl:
            key = 0;
            v.focusNext();
            return;
        case KeyVerdict::Refuse:
            key = 0;
            v.services.dialogs.messageBox(texts::kHotkeyInvalid, platform::BoxKind::Warning, platform::BoxButtons::Cancel);
            return;
    }
}

void Hotkeys::boxExit() {
    if (v.cbxHotKey.text().empty()) v.cbxHotKey.setText("z");
}

}  // namespace vexal::tools
