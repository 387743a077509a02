// The map field and its list (VexalMap.dat), with what the program knows of the
// current map: picture, long name, information file and statistics.
#include "app/main_window.h"
#include "launch/launch_rules.h"
#include "settings/paths.h"
#include "tools/tool_rules.h"
#include "util/error.h"
#include "util/jpeg.h"
#include "util/utilities.h"

namespace vexal {

namespace {

// The program folder ends with a backslash and the folder name is joined with one
// more; Windows reads the doubled one as one.
std::string mapCountFolder(const std::string& programDir, const char* name) { return programDir + "\\" + name; }
}  // namespace

// Every folder the status line and the map statistics count, for the current game
// folder, whichever mod the parameter line starts.
void TfrmVexal::keepFolderCounts() {
    std::vector<std::string> folders;
    for (const char* line : {"", "set fs_game etpro"})
        for (const char* kind : {"demos", "screenshots"}) folders.push_back(tools::modFolder(gameDir, line, kind));
    folders.push_back(mapCountFolder(programDir, "mappics"));
    folders.push_back(mapCountFolder(programDir, "mapinfos"));
    folderCounts.keepOnly(folders);
}

std::string TfrmVexal::mapInfoFile() { return programDir + settings::kMapInfoFolder + cbxMap.text() + ".txt"; }
std::string TfrmVexal::mapPictureFile() { return programDir + settings::kMapPicFolder + cbxMap.text() + ".jpg"; }

std::string TfrmVexal::longMapName() {
    const std::string info = mapInfoFile();
    std::optional<std::string> text;
    if (services.fs.fileExists(info)) text = services.fs.readFile(info).value_or("");
    return launch::longMapNameFrom(text, cbxMap.text());
}

void TfrmVexal::updateMapInfoEnabled() {
    const bool exists = services.fs.fileExists(mapInfoFile());
    BitBtnInfo.setEnabled(exists);
}

void TfrmVexal::saveMapList() {
    if (config.frozen()) return;  // a restore put another list on disk
    mapFile.write(programDir + settings::kMapFile, cbxMap.items().all());
}

void TfrmVexal::loadMapList() {
    if (const auto lines = mapFile.read(programDir + settings::kMapFile)) cbxMap.setItems(*lines);
}

void TfrmVexal::loadPicture(const std::string& path) {
    // A picture that cannot be read is reported, and the previous picture stays.
    // It does not stop the handler: at start-up that would leave the window half
    // set up, without its lists and captions, for the sake of one picture.
    try {
        const auto bytes = services.fs.readFile(path);
        if (!bytes) throw Error("Cannot open " + path);
        imgAbout.setImage(util::decodeJpeg(*bytes));
    } catch (const std::exception& e) {
        services.dialogs.errorBox(e.what());
    }
}

void TfrmVexal::showMapPicture() {
    const std::string picture = mapPictureFile();
    const std::string logo = programDir + settings::kLogoPicture;
    if (services.fs.fileExists(picture))
        loadPicture(picture);
    else if (services.fs.fileExists(logo))
        loadPicture(logo);
}

void TfrmVexal::mapStatistics() {
    auto& fs = services.fs;
    launch::MapFacts f;
    f.mapField = cbxMap.text();
    const std::string info = mapInfoFile();
    if (fs.fileExists(info)) {
        f.infoText = fs.readFile(info).value_or("");
        f.infoSize = util::FileSizeOf(fs, info);
    }
    const std::string picture = programDir + "\\" + settings::kMapPicFolder + cbxMap.text() + ".jpg";
    f.pictureExists = fs.fileExists(picture);
    if (f.pictureExists) f.pictureSize = util::FileSizeOf(fs, picture);
    f.images = folderCounts.count(mapCountFolder(programDir, "mappics"));
    f.infoFiles = folderCounts.count(mapCountFolder(programDir, "mapinfos"));
    f.maps = cbxMap.items().size();
    const std::string package = gameDir + "\\etmain\\" + cbxMap.text() + ".pk3";
    f.packageExists = fs.fileExists(package);
    if (f.packageExists) {
        f.packageSize = util::FileSizeOf(fs, package);
        f.packageDate = util::FileDateText(fs, services.clock, package);
    }
    const auto stats = launch::mapStatistics(f, services.clock.numberFormat());
    imgAbout.setHint(stats.pictureHint);
    application.hintChanged(imgAbout);
    cbxMap.setHint(" Select or input a map without extension *.pk3  (" + stats.line2 + ")");
}

void TfrmVexal::cbxMapChange() {
    btnDelMap.setEnabled(cbxMap.itemIndex() >= 0);
    updateMapInfoEnabled();
    saveMapList();
    settings::write(config.doc(), settings::key::map, cbxMap.text());
    saveSettings();

    const std::string longName = longMapName();
    const std::string target = settings::isSet(cbxMap.text()) ? longName : edtParam.text();
    application.setTitle(launch::runTitle(target));
    mnuRunET->setCaption(launch::runMenuCaption(target, true));
    ctrayIcon.setHint(launch::trayHint(cbxMap.text(), longName));
    popRunET->setCaption(launch::trayRunCaption(longName));
    mapStatistics();
    showMapPicture();
}

void TfrmVexal::cbxMapKeyDown(int& key) {
    if (key != 13) return;
    if (cbxMap.items().indexOf(cbxMap.text()) < 0) {
        cbxMap.addItem(cbxMap.text());
        cbxMapChange();  // the new entry reaches the list file now, not at some later focus change
    }
}

void TfrmVexal::cbxMapKeyPress(char& key) {
    if (key == '\r') key = 0;  // Enter neither beeps nor launches
}

void TfrmVexal::btnDelMapClick() {
    playClick();
    const auto answer = services.dialogs.messageBox("Are yo sure to delete " + cbxMap.text() + " from your map list?",
                                                    platform::BoxKind::Warning, platform::BoxButtons::YesNo);
    if (answer != platform::BoxResult::Yes) return;
    if (cbxMap.itemIndex() >= 0) cbxMap.deleteItem(static_cast<std::size_t>(cbxMap.itemIndex()));
    saveMapList();
    loadMapList();
    cbxMap.setText(cbxMap.items().empty() ? std::string() : cbxMap.items()[0]);
    setFocus(&cbxMap);
}

void TfrmVexal::btnDelMapListClick() {
    const auto answer = services.dialogs.messageBox("Are yo sure to clear ALL Entries from your map list?",
                                                    platform::BoxKind::Warning, platform::BoxButtons::YesNo);
    if (answer != platform::BoxResult::Yes) return;
    cbxMap.clearItems();
    cbxMap.setText("");
    saveMapList();
}

void TfrmVexal::bitbtnSelMapClick() {
    playClick();
    platform::OpenFileRequest request;
    request.initialDir = gameDir + settings::kEtMain;
    request.filter = "Map files (*.pk3)|*.pk3";
    request.title = "Select your Enemy Territory map";
    if (const auto files = services.dialogs.openFile(request)) {
        const std::string base = util::FileBaseName(files->front());
        cbxMap.setText(base);
        if (cbxMap.items().indexOf(base) < 0) {
            cbxMap.setText("");
            cbxMap.addItem(base);
        } else {
            services.dialogs.messageBox("Map is already present in the map list!", platform::BoxKind::Information,
                                        platform::BoxButtons::Ok);
        }
        cbxMap.setText(base);
        setFocus(&cbxMap);
        // Kept at once, whether the pick came by the button, the menu or Ctrl+M.
        cbxMapChange();
        return;
    }
    mapStatistics();
    application.setTitle(launch::runTitle(settings::isSet(cbxMap.text()) ? cbxMap.text() : edtParam.text()));
    ctrayIcon.setHint(launch::trayHint(cbxMap.text(), longMapName()));
}

void TfrmVexal::mnuMapInfoClick() {
    playClick();
    const std::string info = mapInfoFile();
    if (!services.fs.fileExists(info)) {
        mnuAboutClick();
        return;
    }
    if (!EditorExists()) return;  // no editor chosen: nothing to open the file with
    // Quoted: the program folder may well have blanks in its path.
    if (services.fs.fileExists(info))
        services.shell.open(editorPath, tools::quotedArgument(info), "", platform::ShowCmd::Normal, false);
}

}  // namespace vexal
