#pragma once
// Every key of the settings file, declared once with its section and default.
// Sections and keys keep the exact spelling the file has always used.
#include <cstdint>
#include <string>

#include "settings/ini_document.h"

namespace vexal::settings {

struct StringKey {
    const char* section;
    const char* key;
    const char* def;
};
struct BoolKey {
    const char* section;
    const char* key;
    bool def;
};
struct IntKey {
    const char* section;
    const char* key;
};  // the default is the control's current geometry, given by the reader

namespace key {
inline constexpr StringKey etPath{"Paths", "etPath", ""};
// The game program of the folder that Run starts, when the folder holds several.
inline constexpr StringKey etProgram{"Paths", "etProgram", ""};
inline constexpr StringKey eyePath{"Paths", "eyePath", ""};
inline constexpr StringKey editor{"Paths", "editor", ""};
inline constexpr StringKey lastcfg{"Paths", "lastcfg", ""};
inline constexpr StringKey etParam{"ET-Param", "ETParam", ""};
inline constexpr StringKey map{"ET-Map", "Map", ""};
inline constexpr BoolKey close{"CloseVexal", "Close", false};
inline constexpr BoolKey minimize{"Minimize", "Minimize", false};
inline constexpr BoolKey trayIcon{"Minimize", "TrayIcon", false};
inline constexpr StringKey hotkey{"Minimize", "ET-Minimize", "Z"};
inline constexpr BoolKey delProfile{"DEL-PID", "profile.pid", false};
inline constexpr StringKey pblog{"Logs", "pblog", ""};
inline constexpr StringKey lastlog{"Logs", "lastlog", ""};
inline constexpr StringKey lastbackup{"Logs", "lastbackup", ""};
inline constexpr IntKey paramLeft{"Window", "ParamLeft"};
inline constexpr IntKey paramWidth{"Window", "ParamWidth"};
inline constexpr IntKey editLeft{"Window", "EditLeft"};
inline constexpr IntKey editWidth{"Window", "EditWidth"};
inline constexpr BoolKey maxListbox{"Window", "MaxListbox", false};
inline constexpr BoolKey instances{"Window", "Instances", false};
inline constexpr BoolKey timeTimer{"Timer", "time", false};
inline constexpr BoolKey dateTimer{"Timer", "date", true};
inline constexpr BoolKey sound{"Sound", "activ", true};
inline constexpr BoolKey backupOnQuit{"Backup", "BackupOnQuit", false};
inline constexpr StringKey nick{"ET-Nickname", "nick", ""};
// The program that opened et:// links before this one was registered for them,
// given back when the registration is switched off.
inline constexpr BoolKey linkKeyExisted{"ET-Links", "HadHandler", false};
inline constexpr StringKey linkCommand{"ET-Links", "Handler", ""};
// The buddy watch asks servers on its own: off until the player switches it on.
inline constexpr BoolKey watchBuddies{"Buddies", "Watch", false};
inline constexpr BoolKey onlyWithBuddies{"Buddies", "OnlyWithBuddies", false};
}  // namespace key

// A stored path, name or date counts only from two characters on: a lone
// character is what a half-finished edit or a bare drive letter leaves behind.
[[nodiscard]] inline bool isSet(const std::string& value) { return value.size() >= 2; }

inline std::string read(const IniDocument& doc, const StringKey& k) { return doc.readString(k.section, k.key, k.def); }
inline bool read(const IniDocument& doc, const BoolKey& k) { return doc.readBool(k.section, k.key, k.def); }
inline std::int32_t read(const IniDocument& doc, const IntKey& k, std::int32_t def) {
    return doc.readInteger(k.section, k.key, def);
}
inline void write(IniDocument& doc, const StringKey& k, const std::string& v) { doc.writeString(k.section, k.key, v); }
inline void write(IniDocument& doc, const BoolKey& k, bool v) { doc.writeBool(k.section, k.key, v); }
inline void write(IniDocument& doc, const IntKey& k, std::int32_t v) { doc.writeInteger(k.section, k.key, v); }

}  // namespace vexal::settings
