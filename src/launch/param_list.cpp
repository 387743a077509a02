// The parameter list: the line to launch in edtParam, the collection in lboxParam,
// kept in VexalParam.dat beside the program.
#include "app/main_window.h"
#include "launch/launch_rules.h"
#include "settings/paths.h"
#include "ui/list_transfer.h"
#include "util/error.h"
#include "util/utilities.h"

namespace vexal {

void TfrmVexal::saveParamList() {
    if (config.frozen()) return;  // a restore put another list on disk
    paramFile.write(programDir + settings::kParamFile, lboxParam.items().all());
}

void TfrmVexal::loadParamList() {
    const std::string file = programDir + settings::kParamFile;
    if (!services.fs.fileExists(file)) {
        // Put over the first entries in their own order and written so; the list then shows them sorted.
        const auto& lines = launch::predefinedParameterLines();
        for (std::size_t i = 0; i < lines.size(); ++i) lboxParam.putItem(i, lines[i]);
        const auto all = lboxParam.items().all();
        paramFile.write(file, all);
        lboxParam.setItems(all);
        edtParam.setText(lines[0]);
        return;
    }
    if (const auto lines = paramFile.read(file)) lboxParam.setItems(*lines);
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
