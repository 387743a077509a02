// The parameter list: the line to launch in edtParam, the collection in lboxParam,
// kept in VexalParam.dat beside the program.
#include "app/main_window.h"
#include "launch/launch_rules.h"
#include "settings/paths.h"
#include "ui/list_transfer.h"
#include "util/error.h"
#include "util/utilities.h"

namespace vexal {

// A list file that cannot be written is said once, not at every keystroke, and the
// handler goes on with the list as shown. Typing in the map field rewrites the
// same list again and again: an unchanged list is not written twice.
void TfrmVexal::writeListFile(ListFile& state, const std::string& path, const std::vector<std::string>& lines) {
    // A list file that could not be read holds entries this window never saw:
    // writing the list shown would put them out of existence.
    if (state.unreadable) return;
    const std::string bytes = util::joinLines(lines);
    if (state.written == bytes && services.fs.fileExists(path)) return;
    try {
        services.fs.writeFileAtomic(path, bytes);
        state.written = bytes;
        state.reported = false;
    } catch (const std::exception&) {
        state.written.reset();
        if (state.reported) return;
        state.reported = true;
        services.dialogs.errorBox(util::cannotCreateFileText(path));
    }
}

std::optional<std::vector<std::string>> TfrmVexal::readListFile(ListFile& state, const std::string& path) {
    const auto text = services.fs.readFile(path);
    state.unreadable = !text;
    if (!text) {
        services.dialogs.errorBox(util::cannotOpenFileText(path));
        return std::nullopt;
    }
    return util::splitLines(*text);
}

void TfrmVexal::saveParamList() {
    if (config.frozen()) return;  // a restore put another list on disk
    writeListFile(paramFile_, programDir + settings::kParamFile, lboxParam.items().all());
}

void TfrmVexal::loadParamList() {
    const std::string file = programDir + settings::kParamFile;
    if (!services.fs.fileExists(file)) {
        // Put over the first entries in their own order and written so; the list then shows them sorted.
        const auto& lines = launch::predefinedParameterLines();
        for (std::size_t i = 0; i < lines.size(); ++i) lboxParam.putItem(i, lines[i]);
        const auto all = lboxParam.items().all();
        writeListFile(paramFile_, file, all);
        lboxParam.setItems(all);
        edtParam.setText(lines[0]);
        return;
    }
    if (const auto lines = readListFile(paramFile_, file)) lboxParam.setItems(*lines);
}

void TfrmVexal::edtParamChange() {
    ui::SetListExtent(services.screen, &lboxParam, 0);
    const bool selected = lboxParam.itemIndex() >= 0;
    btnDelParam.setEnabled(selected);
    currentParam = edtParam.text();
    settings::write(config.doc(), settings::key::etParam, edtParam.text());
    saveSettings();
    if (edtParam.text().find("+connect") != std::string::npos) application.setTitle(longMapName());
    setStatus(" ET directory: " + gameDir);
}

void TfrmVexal::edtParamKeyPress(char& key) {
    if (key != '\r') return;
    key = 0;  // Enter adds the line; it must not beep or launch
    btnAddClick();
}

void TfrmVexal::edtParamEnter() { setStatus(edtParam.text()); }
void TfrmVexal::edtParamExit() { setStatus(" ET directory: " + gameDir); }
void TfrmVexal::lboxParamEnter() { setStatus(edtParam.text()); }

void TfrmVexal::btnAddClick() {
    playClick();
    if (lboxParam.items().indexOf(edtParam.text()) >= 0) {
        services.dialogs.messageBox("Sorry, parameter is already present in the list", platform::BoxKind::Information,
                                    platform::BoxButtons::Ok);
        return;
    }
    lboxParam.addItem(edtParam.text());
    saveParamList();
}

void TfrmVexal::btnDelParamClick() {
    playClick();
    if (lboxParam.itemIndex() >= 0) lboxParam.deleteItem(static_cast<std::size_t>(lboxParam.itemIndex()));
    saveParamList();
}

void TfrmVexal::btnDelParamListClick() {
    const auto answer = services.dialogs.messageBox(
        "Are yo sure to clear ALL Entries from your param list?\n\r\n\rYou can restore predefined params if you "
        "delete the file\n\rVexalParam.dat from your Vexal-directory!",
        platform::BoxKind::Warning, platform::BoxButtons::YesNo);
    if (answer != platform::BoxResult::Yes) return;
    lboxParam.clearItems();
    saveParamList();
}

void TfrmVexal::lboxParamClick() {
    playClick();
    if (lboxParam.itemIndex() < 0) return;
    currentParam = lboxParam.items()[static_cast<std::size_t>(lboxParam.itemIndex())];
    edtParam.setText(currentParam);
    settings::write(config.doc(), settings::key::etParam, currentParam);
    saveSettings();
    setFocus(&edtParam);
}

void TfrmVexal::lboxParamDblClick() {
    ui::SetListExtent(services.screen, &lboxParam, 120);
    const int index = lboxParam.itemIndex();
    lboxParam.setItemIndex(-1);
    lboxParam.setItemIndex(index);
}

void TfrmVexal::mnuCopyEntryClick() { ui::ListToClipboard(services.clipboard, &lboxParam, false); }
void TfrmVexal::mnuCopyClick() { ui::ListToClipboard(services.clipboard, &lboxParam, true); }

void TfrmVexal::mnuPasteClick() {
    ui::ClipboardToList(services.clipboard, &lboxParam);
    saveParamList();
}

}  // namespace vexal
