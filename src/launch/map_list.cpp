#include "launch/map_list.h"
#include "launch/texts.h"

#include "launch/launch_rules.h"
#include "settings/paths.h"
#include "util/command_line.h"
#include "util/error.h"
#include "util/jpeg.h"
#include "util/utilities.h"

namespace vexal::launch {

namespace {

// The program folder ends with a backslash and the folder name is joined with one
// more; Windows reads the doubled one as one.
std::string mapCountFolder(const std::string& programDir, const char* name) { return programDir + "\\" + name; }
}  // namespace

std::vector<std::string> MapList::countedFolders() const {
    return {mapCountFolder(v.programDir, "mappics"), mapCountFolder(v.programDir, "mapinfos")};
}

std::string MapList::infoFile() const { return v.programDir + settings::kMapInfoFolder + v.cbxMap.text() + ".txt"; }
std::string MapList::pictureFile() const { return v.programDir + settings::kMapPicFolder + v.cbxMap.text() + ".jpg"; }

std::string MapList::longName() {
    const std::string info = infoFile();
    std::optional<std::string> text;
    if (v.services.fs.fileExists(info)) text = v.services.fs.readFile(info).value_or("");
    return longMapNameFrom(text, v.cbxMap.text());
}

void MapList::updateInfoEnabled() { v.BitBtnInfo.setEnabled(v.services.fs.fileExists(infoFile())); }

void MapList::save() {
    if (v.config.frozen()) return;  // a restore put another list on disk
    file_.write(v.programDir + settings::kMapFile, v.cbxMap.items().all());
}

void MapList::load() {
    if (const auto lines = file_.read(v.programDir + settings::kMapFile)) v.cbxMap.setItems(*lines);
}

void MapList::loadPicture(const std::string& path) {
    // A picture that cannot be read is reported, and the previous picture stays.
    // It does not stop the handler: at start-up that would leave the window half
    // set up, without its lists and captions, for the sake of one picture.
    try {
        const auto bytes = v.services.fs.readFile(path);
        if (!bytes) throw Error("Cannot open " + path);
        v.imgAbout.setImage(util::decodeJpeg(*bytes));
    } catch (const std::exception& e) {
        v.services.dialogs.errorBox(e.what());
    }
}

void MapList::showPicture() {
    const std::string picture = pictureFile();
    const std::string logo = v.programDir + settings::kLogoPicture;
    if (v.services.fs.fileExists(picture))
        loadPicture(picture);
    else if (v.services.fs.fileExists(logo))
        loadPicture(logo);
}

void MapList::statistics() {
    auto& fs = v.services.fs;
    MapFacts f;
    f.mapField = v.cbxMap.text();
    const std::string info = infoFile();
    if (fs.fileExists(info)) {
        f.infoText = fs.readFile(info).value_or("");
        f.infoSize = util::FileSizeOf(fs, info);
    }
    const std::string picture = v.programDir + "\\" + settings::kMapPicFolder + v.cbxMap.text() + ".jpg";
    f.pictureExists = fs.fileExists(picture);
    if (f.pictureExists) f.pictureSize = util::FileSizeOf(fs, picture);
    f.images = v.folderCounts.count(mapCountFolder(v.programDir, "mappics"));
    f.infoFiles = v.folderCounts.count(mapCountFolder(v.programDir, "mapinfos"));
    f.maps = v.cbxMap.items().size();
    const std::string package = v.gameDir + "\\etmain\\" + v.cbxMap.text() + ".pk3";
    f.packageExists = fs.fileExists(package);
    if (f.packageExists) {
        f.packageSize = util::FileSizeOf(fs, package);
        f.packageDate = util::FileDateText(fs, v.services.clock, package);
    }
    const auto stats = mapStatistics(f, v.services.clock.numberFormat());
    v.imgAbout.setHint(stats.pictureHint);
    v.application.hintChanged(v.imgAbout);
    v.cbxMap.setHint(" Select or input a map without extension *.pk3  (" + stats.line2 + ")");
}

void MapList::change() {
    v.btnDelMap.setEnabled(v.cbxMap.itemIndex() >= 0);
    updateInfoEnabled();
    save();
    settings::write(v.config.doc(), settings::key::map, v.cbxMap.text());
    v.saveSettings();

    const std::string name = longName();
    const std::string target = settings::isSet(v.cbxMap.text()) ? name : v.edtParam.text();
    v.application.setTitle(runTitle(target));
    v.mnuRunET->setCaption(runMenuCaption(target, true));
    v.ctrayIcon.setHint(trayHint(v.cbxMap.text(), name));
    v.popRunET->setCaption(trayRunCaption(name));
    statistics();
    showPicture();
}

void MapList::keyDown(int& key) {
    if (key != 13) return;
    if (v.cbxMap.items().indexOf(v.cbxMap.text()) < 0) {
        v.cbxMap.addItem(v.cbxMap.text());
        change();  // the new entry reaches the list file now, not at some later focus change
    }
}

void MapList::keyPress(char& key) {
    if (key == '\r') key = 0;  // Enter neither beeps nor launches
}

void MapList::remove() {
    v.playClick();
    const auto answer =
        v.services.dialogs.messageBox(text::deleteMap(v.cbxMap.text()),
                                      platform::BoxKind::Warning, platform::BoxButtons::YesNo);
    if (answer != platform::BoxResult::Yes) return;
    if (v.cbxMap.itemIndex() >= 0) v.cbxMap.deleteItem(static_cast<std::size_t>(v.cbxMap.itemIndex()));
    save();
    load();
    v.cbxMap.setText(v.cbxMap.items().empty() ? std::string() : v.cbxMap.items()[0]);
    v.setFocus(&v.cbxMap);
}

void MapList::clear() {
    const auto answer = v.services.dialogs.messageBox(text::kClearMaps,
                                                      platform::BoxKind::Warning, platform::BoxButtons::YesNo);
    if (answer != platform::BoxResult::Yes) return;
    v.cbxMap.clearItems();
    v.cbxMap.setText("");
    save();
}

void MapList::select() {
    v.playClick();
    platform::OpenFileRequest request;
    request.initialDir = v.gameDir + settings::kEtMain;
    request.filter = text::kMapFilter;
    request.title = text::kMapTitle;
    if (const auto files = v.services.dialogs.openFile(request)) {
        const std::string base = util::FileBaseName(files->front());
        v.cbxMap.setText(base);
        if (v.cbxMap.items().indexOf(base) < 0) {
            v.cbxMap.setText("");
            v.cbxMap.addItem(base);
        } else {
            v.services.dialogs.messageBox(text::kMapPresent, platform::BoxKind::Information,
                                          platform::BoxButtons::Ok);
        }
        v.cbxMap.setText(base);
        v.setFocus(&v.cbxMap);
        // Kept at once, whether the pick came by the button, the menu or Ctrl+M.
        change();
        return;
    }
    statistics();
    v.application.setTitle(runTitle(settings::isSet(v.cbxMap.text()) ? v.cbxMap.text() : v.edtParam.text()));
    v.ctrayIcon.setHint(trayHint(v.cbxMap.text(), longName()));
}

void MapList::openInfo() {
    v.playClick();
    const std::string info = infoFile();
    if (!v.services.fs.fileExists(info)) {
        links_.showAbout();
        return;
    }
    if (!links_.editorExists()) return;  // no editor chosen: nothing to open the file with
    // Quoted: the program folder may well have blanks in its path.
    if (v.services.fs.fileExists(info))
        v.services.shell.open(v.editorPath, util::quotedArgument(info), "", platform::ShowCmd::Normal, false);
}

}  // namespace vexal::launch
