// The five text viewers laid over the window: the readme, the change log, the
// game's console log and the server browser's buddy log and launch information.
#include "app/main_window.h"
#include "app/wiring.h"
#include "settings/keys.h"
#include "settings/paths.h"
#include "util/error.h"
#include "util/file_facts.h"
#include "util/utilities.h"
#include "viewers/viewer_rules.h"

namespace vexal {

namespace {

constexpr ui::Colour kNavy = 0x800000, kMaroon = 0x000080, kGreen = 0x008000;
const ui::Font kCourier{"courier", 13, false, false, true};
const ui::Font kFixedsys{"fixedsys", 11, false, false, true};
using File = viewers::Viewers::File;

}  // namespace

void TfrmVexal::enterViewerFolder(const std::string& folder) { util::enterFolder(services.fs, folder); }

void TfrmVexal::showViewer(ui::Memo& memo, const ui::Font& font, ui::Colour colour) {
    memo.setFont(font);
    memo.setColour(colour);
    memo.setVisible(true);
    memo.bringToFront();
}

// Fills a shown viewer; a file that cannot be read leaves its earlier text.
// `intact`: the viewer holds the whole file, and all of it, so writing the text
// back loses nothing. A NUL byte would end the text box's text early.
std::size_t TfrmVexal::loadViewer(ui::Memo& memo, const std::string& path, bool end, bool* intact,
                                  const std::string& header) {
    bool all = false;
    const auto text = viewers::readViewerText(services.fs, path, end, all);
    if (!text) throw Error(util::cannotOpenFileText(path));
    if (intact) *intact = all && text->find('\0') == std::string::npos;
    // The text box breaks lines only at CR LF; the game ends its log lines with a
    // bare LF, and other files may use a bare CR.
    const auto lines = util::splitLines(header + *text);
    memo.modified = false;
    memo.setText(util::joinLines(lines));
    memo.setTopLine(0);
    return lines.size();
}

void TfrmVexal::sbtnReadmeClick() {
    playClick();
    const std::string path = programDir + settings::kReadmeFile;
    if (!services.fs.fileExists(path)) return;
    viewerState.loading(File::Readme);
    showViewer(memReadme, kCourier, kNavy);
    setFocus(&memReadme);
    bool whole = false;
    const auto lines = loadViewer(memReadme, path, false, &whole);
    memReadme.setReadOnly(!viewerState.loaded(File::Readme, whole, switches.editable));
    memReadme.setHint(viewers::viewerHint(settings::kReadmeFile, lines));
}

void TfrmVexal::popReadmeClick() {
    viewerState.openedFromTray();
    show();
    sbtnReadmeClick();
}

void TfrmVexal::mnuChangesClick() {
    const std::string path = programDir + settings::kChangesFile;
    if (!services.fs.fileExists(path)) {
        services.dialogs.messageBox(viewers::kChangesMissing, platform::BoxKind::Information, platform::BoxButtons::Ok);
        return;
    }
    viewerState.loading(File::Changes);
    showViewer(memChanges, {"Courier", 13, false, false, true}, kMaroon);
    setFocus(&memChanges);
    bool whole = false;
    const auto lines = loadViewer(memChanges, path, false, &whole);
    memChanges.setReadOnly(!viewerState.loaded(File::Changes, whole, switches.editable));
    memChanges.setHint(viewers::viewerHint(settings::kChangesFile, lines));
    playClick();
}

void TfrmVexal::bitbtnLogClick() {
    playClick();
    const std::string folder = gameDir + settings::kEtMain;
    enterViewerFolder(folder);
    const std::string path = folder + "\\etconsole.log";
    if (!services.fs.fileExists(path)) {
        services.dialogs.messageBox(viewers::kConsoleLogMissing, platform::BoxKind::Information,
                                    platform::BoxButtons::Ok);
        return;
    }
    memETLog.horizontalScrollBar = true;
    showViewer(memETLog, kCourier, kGreen);
    const auto lines = loadViewer(memETLog, path, true);
    memETLog.setTopLine(static_cast<int>(lines) - 1);
    setFocus(&memETLog);
    memETLog.setHint(viewers::viewerHint("etconsole.log", lines));

    // The first line of the log itself, not of the part shown.
    const std::string head = services.fs.readFilePart(path, 0, 4096).value_or("");
    const auto first = util::splitLines(head);
    lastLog = viewers::lastLogText(first.empty() ? std::string() : first.front());
    settings::write(config.doc(), settings::key::lastlog, lastLog);
    saveSettings();
}

std::string TfrmVexal::browserFolder() const {
    const std::string folder = settings::extractFilePath(eyePath);
    return folder.size() > 1 && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

void TfrmVexal::mnuASELogClick() {
    const std::string folder = browserFolder();
    enterViewerFolder(folder);
    const std::string path = folder + "\\buddylog.txt";
    if (!services.fs.fileExists(path)) {
        services.dialogs.messageBox(viewers::kBuddyLogMissing, platform::BoxKind::Information,
                                    platform::BoxButtons::Ok);
        return;
    }
    showViewer(memASE, kFixedsys, kGreen);
    const auto lines = loadViewer(memASE, path, true);
    memASE.setTopLine(static_cast<int>(lines) - 1);
    setFocus(&memASE);
    memASE.setHint(viewers::viewerHint("buddylog.txt", lines));
    playClick();
}

void TfrmVexal::mnuLaunchInfoClick() {
    const std::string folder = browserFolder();
    enterViewerFolder(folder);
    const std::string path = folder + "\\launchinfo.txt";
    if (!services.fs.fileExists(path)) {
        services.dialogs.messageBox(viewers::kLaunchInfoMissing, platform::BoxKind::Information,
                                    platform::BoxButtons::Ok);
        return;
    }
    showViewer(memLaunchInfo, kFixedsys, kGreen);
    const std::string header = viewers::kLaunchInfoHeader + util::FileDateText(services.fs, services.clock, path) +
                               "\r\n" + std::string(50, '-') + "\r\n";
    const auto lines = loadViewer(memLaunchInfo, path, false, nullptr, header);
    setFocus(&memLaunchInfo);
    memLaunchInfo.setHint(viewers::viewerHint("launchinfo.txt", lines));
    playClick();
}

void TfrmVexal::memReadmeKeyDown(int& key) {
    if (key == 27) stInfoClick();
}

// Editable mode: what the user changes goes to the file at once, atomically, and
// only from a viewer that holds all of the file it loaded. A file that cannot be
// written is said once, not at every keystroke: the viewer keeps the text but
// takes no more input until it is opened again.
void TfrmVexal::writeViewerBack(ui::Memo& memo, File file, const std::string& path) {
    if (!memo.modified || !viewerState.writable(file)) return;
    try {
        services.fs.writeFileAtomic(path, memo.text());
    } catch (const std::exception& e) {
        viewerState.writeFailed(file);
        memo.setReadOnly(true);
        throw Error(util::cannotCreateFileText(path) + "\n\r" + e.what() + viewers::kWriteBackStopped);
    }
}

void TfrmVexal::memReadmeChange() { writeViewerBack(memReadme, File::Readme, programDir + settings::kReadmeFile); }

void TfrmVexal::memChangesChange() { writeViewerBack(memChanges, File::Changes, programDir + settings::kChangesFile); }

void TfrmVexal::stInfoClick() {
    playClick();
    for (ui::Memo* memo : {&memReadme, &memChanges, &memASE, &memLaunchInfo, &memETLog}) memo->setVisible(false);
    closeServerStatus();
    setCaption(standardCaption);
    if (viewerState.trayOpened()) hideToTray();
    viewerState.forgetTray();
    setStatus(viewers::kDefaultStatus);
}

// The start switches open their viewer once, when the window first shows.
void TfrmVexal::openViewersOnRequest() {
    if (switches.readme) {
        switches.readme = false;
        sbtnReadmeClick();
    }
    if (switches.log) {
        switches.log = false;
        bitbtnLogClick();
    }
}


}  // namespace vexal
