// The list files, the clipboard and the launch composition: no line break ever
// reaches a list entry or the game's command line, and a list written to its file
// loads back entry for entry.
#include "fuzz/fuzz_input.h"
#include "launch/launch_rules.h"
#include "platform/fake/fake_clipboard.h"
#include "settings/ini_document.h"
#include "ui/control.h"
#include "ui/list_transfer.h"
#include "util/lines.h"

using vexal::fuzz::check;
using vexal::fuzz::hasLineBreak;
using vexal::fuzz::shown;

namespace {

void noBreakIn(const vexal::ui::StringList& items, const std::string& what) {
    for (const auto& item : items.all()) check(!hasLineBreak(item), what + " holds \"" + shown(item) + "\"");
}

// What the list file holds loads back as the same entries.
void loadsBack(const std::vector<std::string>& entries, const std::string& what) {
    check(vexal::util::splitLines(vexal::util::joinLines(entries)) == entries, what + " loads back as written");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto piece = vexal::fuzz::pieces(data, size, 5);
    const std::string& listFile = piece[0];
    const std::string& clipboardText = piece[1];
    const std::string& typedLine = piece[2];
    const std::string& typedMap = piece[3];
    const std::string& nickname = piece[4];

    // A list file as found on disk.
    vexal::ui::ListBox params("lboxParam");
    params.setItems(vexal::util::splitLines(listFile));
    noBreakIn(params.items(), "a list loaded from its file");
    loadsBack(params.items().all(), "a loaded list");

    // A line typed into the parameter field and added; the clipboard pasted.
    params.addItem(typedLine);
    noBreakIn(params.items(), "the list after adding a typed line");
    loadsBack(params.items().all(), "a list with a typed line");
    vexal::platform::fake::FakeClipboard clipboard;
    clipboard.content = clipboardText;
    vexal::ui::ClipboardToList(clipboard, &params);
    noBreakIn(params.items(), "the list after pasting");
    loadsBack(params.items().all(), "a pasted list");
    vexal::ui::ListToClipboard(clipboard, &params, true);
    check(vexal::util::splitLines(clipboard.content.value_or("")) == params.items().all(),
          "the list copied to the clipboard pastes back the same");

    vexal::ui::ComboBox maps("cbxMap");
    maps.setItems(vexal::util::splitLines(listFile));
    maps.addItem(typedMap);
    noBreakIn(maps.items(), "the map list");
    loadsBack(maps.items().all(), "the map list");

    // The nickname as the settings file gives it back.
    vexal::settings::IniDocument settings;
    settings.writeString("ET-Nickname", "nick", nickname);
    const std::string storedNick =
        vexal::settings::IniDocument(settings.serialize()).readString("ET-Nickname", "nick", "");

    // Whatever the lists, the fields and the settings hold, the command line is one line.
    std::vector<std::string> lines = params.items().all();
    lines.push_back(typedLine);
    std::vector<std::string> mapNames = maps.items().all();
    mapNames.push_back(typedMap);
    for (std::size_t i = 0; i < lines.size() && i < 8; ++i) {
        for (std::size_t j = 0; j < mapNames.size() && j < 8; ++j) {
            for (const std::string& nick : {storedNick, nickname}) {
                const std::string command = vexal::launch::composeLaunchParameters(lines[i], mapNames[j], nick);
                check(!hasLineBreak(command), "the command line \"" + shown(command) + "\" breaks");
            }
        }
    }
    return 0;
}
