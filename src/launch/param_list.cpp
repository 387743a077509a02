// The parameter list: the line to launch in edtParam, the collection in lboxParam,
// kept in VexalParam.dat beside the program.
#include "app/main_window.h"
#include "launch/launch_rules.h"
#include "settings/paths.h"
#include "util/error.h"
#include "util/utilities.h"

namespace vexal {

void TfrmVexal::saveParamList() {
    if (config.frozen()) return;  // a restore put another list on disk
    services.fs.writeFileAtomic(programDir + settings::kParamFile, util::joinLines(lboxParam.items().all()));
}

void TfrmVexal::loadParamList() {
    const std::string file = programDir + settings::kParamFile;
    if (!services.fs.fileExists(file)) {
        // Written in their own order, then loaded back, so the list shows them sorted.
        const auto& lines = launch::predefinedParameterLines();
        for (std::size_t i = 0; i < lines.size(); ++i) lboxParam.putItem(i, lines[i]);
        saveParamList();
        const auto text = services.fs.readFile(file);
        lboxParam.setItems(util::splitLines(text.value_or("")));
        edtParam.setText(lines[0]);
        return;
    }
    const auto text = services.fs.readFile(file);
    if (!text) throw Error("Cannot read " + file);
    lboxParam.setItems(util::splitLines(*text));
}

void TfrmVexal::edtParamChange() {
    util::SetListExtent(services.screen, &lboxParam, 0);
    const bool selected = lboxParam.itemIndex() >= 0;
    mnuCopyEntry->setEnabled(selected);
    mnuDelete->setEnabled(selected);
    btnDelParam.setEnabled(selected);
    config.doc().writeString("ET-Param", "ETParam", edtParam.text());
    config.updateFile();
    currentParam = edtParam.text();
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
    config.doc().writeString("ET-Param", "ETParam", currentParam);
    config.updateFile();
    setFocus(&edtParam);
}

void TfrmVexal::lboxParamDblClick() {
    util::SetListExtent(services.screen, &lboxParam, 120);
    const int index = lboxParam.itemIndex();
    lboxParam.setItemIndex(-1);
    lboxParam.setItemIndex(index);
}

void TfrmVexal::mnuCopyEntryClick() { util::ListToClipboard(services.clipboard, &lboxParam, false); }
void TfrmVexal::mnuCopyClick() { util::ListToClipboard(services.clipboard, &lboxParam, true); }

void TfrmVexal::mnuPasteClick() {
    util::ClipboardToList(services.clipboard, &lboxParam);
    saveParamList();
}

}  // namespace vexal
