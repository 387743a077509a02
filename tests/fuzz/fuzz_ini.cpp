// The settings document: whatever a file holds, saving it and loading the saved
// text gives the same values, and a value the program writes reads back as written.
#include "fuzz/fuzz_input.h"
#include "settings/ini_document.h"

using vexal::fuzz::check;
using vexal::fuzz::shown;
using vexal::settings::IniDocument;

namespace {

// Every key of `expected` reads the same, as text and as a number, from `actual`.
void sameValues(const IniDocument& expected, const IniDocument& actual, const std::string& what) {
    for (const auto& section : expected.sections()) {
        for (const auto& line : section.lines) {
            const std::size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            const std::string key = line.substr(0, eq);
            const std::string where = what + ": [" + shown(section.name) + "] " + shown(key);
            check(actual.readString(section.name, key, "\x01-") == expected.readString(section.name, key, "\x01-"),
                  where + " reads as \"" + shown(expected.readString(section.name, key, "")) + "\" before and \"" +
                      shown(actual.readString(section.name, key, "")) + "\" after");
            check(actual.readInteger(section.name, key, 4711) == expected.readInteger(section.name, key, 4711),
                  where + " as a number");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto piece = vexal::fuzz::pieces(data, size, 2);
    const std::string& fileText = piece[0];
    const std::string& value = piece[1];

    const IniDocument loaded(fileText);
    const std::string saved = loaded.serialize();
    const IniDocument reloaded(saved);
    check(reloaded.sections().size() == loaded.sections().size(), "a save and a load keep the sections");
    sameValues(loaded, reloaded, "a save and a load");
    check(reloaded.serialize() == saved, "a loaded saved document saves the same bytes");

    // The program writes a value (a nickname, a parameter line) into that document.
    IniDocument changed(fileText);
    changed.writeString("ET-Nickname", "nick", value);
    std::string expected = value;
    for (char& c : expected)
        if (c == '\r' || c == '\n') c = ' ';  // a value is one line
    check(changed.readString("ET-Nickname", "nick", "\x01-") == expected, "the written value is there");
    const IniDocument afterSave(changed.serialize());
    check(afterSave.readString("ET-Nickname", "nick", "\x01-") == expected,
          "the value \"" + shown(expected) + "\" reads back as \"" +
              shown(afterSave.readString("ET-Nickname", "nick", "")) + "\" after a save and a load");
    sameValues(changed, afterSave, "after writing a value");
    return 0;
}
