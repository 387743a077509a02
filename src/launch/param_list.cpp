#include "launch/param_list.h"
#include "launch/texts.h"

#include "launch/launch_rules.h"
#include "settings/paths.h"
#include "ui/list_transfer.h"

namespace vexal::launch {

void ParamList::save() {
    if (v.config.frozen()) return;  // a restore put another list on disk
    file_.write(v.programDir + settings::kParamFile, v.lboxParam.items().all());
}

void ParamList::load() {
    const std::string file = v.programDir + settings::kParamFile;
    if (!v.services.fs.fileExists(file)) {
        // Put over the first entries in their own order and written so; the list then shows them sorted.
        const auto& lines = predefinedParameterLines();
        for (std::size_t i = 0; i < lines.size(); ++i) v.lboxParam.putItem(i, lines[i]);
        const auto all = v.lboxParam.items().all();
        file_.write(file, all);
        v.lboxParam.setItems(all);
        v.edtParam.setText(lines[0]);
        return;
    }
    if (const auto lines = file_.read(file)) v.lboxParam.setItems(*lines);
}

void ParamList::change() {
    ui::SetListExtent(v.services.screen, &v.lboxParam, 0);
    const bool selected = v.lboxParam.itemIndex() >= 0;
    v.btnDelParam.setEnabled(selected);
    v.currentParam = v.edtParam.text();
    settings::write(v.config.doc(), settings::key::etParam, v.edtParam.text());
    v.saveSettings();
    if (v.edtParam.text().find("+connect") != std::string::npos) v.application.setTitle(maps_.longName());
    v.setStatus(" ET directory: " + v.gameDir);
}

void ParamList::keyPress(char& key) {
    if (key != '\r') return;
    key = 0;  // Enter adds the line; it must not beep or launch
    add();
}

void ParamList::enter() { v.setStatus(v.edtParam.text()); }
void ParamList::leave() { v.setStatus(" ET directory: " + v.gameDir); }

void ParamList::add() {
    v.playClick();
    if (v.lboxParam.items().indexOf(v.edtParam.text()) >= 0) {
        v.services.dialogs.messageBox("Sorry, parameter is already present in the list", platform::BoxKind::Information,
                                      platform::BoxButtons::Ok);
        return;
    }
    v.lboxParam.addItem(v.edtParam.text());
    save();
}

bool ParamList::keep(const std::string& line) {
    if (v.lboxParam.items().indexOf(line) >= 0) return false;
    v.lboxParam.addItem(line);
    save();
    return true;
}

void ParamList::remove() {
    v.playClick();
    if (v.lboxParam.itemIndex() >= 0) v.lboxParam.deleteItem(static_cast<std::size_t>(v.lboxParam.itemIndex()));
    save();
}

void ParamList::clear() {
    const auto answer =
        v.services.dialogs.messageBox(text::kClearParams, platform::BoxKind::Warning, platform::BoxButtons::YesNo);
    if (answer != platform::BoxResult::Yes) return;
    v.lboxParam.clearItems();
    save();
}

void ParamList::pick() {
    v.playClick();
    if (v.lboxParam.itemIndex() < 0) return;
    v.currentParam = v.lboxParam.items()[static_cast<std::size_t>(v.lboxParam.itemIndex())];
    v.edtParam.setText(v.currentParam);
    settings::write(v.config.doc(), settings::key::etParam, v.currentParam);
    v.saveSettings();
    v.setFocus(&v.edtParam);
}

void ParamList::widen() {
    ui::SetListExtent(v.services.screen, &v.lboxParam, 120);
    const int index = v.lboxParam.itemIndex();
    v.lboxParam.setItemIndex(-1);
    v.lboxParam.setItemIndex(index);
}

void ParamList::copyEntry() { ui::ListToClipboard(v.services.clipboard, &v.lboxParam, false); }
void ParamList::copyAll() { ui::ListToClipboard(v.services.clipboard, &v.lboxParam, true); }

void ParamList::paste() {
    ui::ClipboardToList(v.services.clipboard, &v.lboxParam);
    save();
}

}  // namespace vexal::launch
