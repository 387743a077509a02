#include "viewers/viewers.h"

#include "settings/keys.h"
#include "settings/paths.h"
#include "util/error.h"
#include "util/file_facts.h"
#include "util/utilities.h"
#include "viewers/viewer_rules.h"

namespace vexal::viewers {

namespace {

constexpr ui::Colour kNavy = 0x800000, kMaroon = 0x000080, kGreen = 0x008000;
const ui::Font kCourier{"courier", 13, false, false, true};
const ui::Font kFixedsys{"fixedsys", 11, false, false, true};

}  // namespace

// Fills a shown viewer; a file that cannot be read leaves its earlier text.
// `intact`: the viewer holds the whole file, and all of it, so writing the text
// back loses nothing. A NUL byte would end the text box's text early.
std::size_t Viewers::load(ui::Memo& memo, const std::string& path, bool end, bool* intact, const std::string& header) {
    bool all = false;
    const auto text = readViewerText(v_.services.fs, path, end, all);
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

void Viewers::readme() {
    auto& v = v_;
    v.playClick();
    const std::string path = v.programDir + settings::kReadmeFile;
    if (!v.services.fs.fileExists(path)) return;
    writable(File::Readme) = false;
    v.showViewer(v.memReadme, kCourier, kNavy);
    v.setFocus(&v.memReadme);
    bool whole = false;
    const auto lines = load(v.memReadme, path, false, &whole);
    writable(File::Readme) = whole && v.switches.editable;
    v.memReadme.setReadOnly(!writable(File::Readme));
    v.memReadme.setHint(viewerHint(settings::kReadmeFile, lines));
}

void Viewers::readmeFromTray() {
    openedFromTray();
    v_.show();
    readme();
}

void Viewers::changes() {
    auto& v = v_;
    const std::string path = v.programDir + settings::kChangesFile;
    if (!v.services.fs.fileExists(path)) {
        v.services.dialogs.messageBox(kChangesMissing, platform::BoxKind::Information, platform::BoxButtons::Ok);
        return;
    }
    writable(File::Changes) = false;
    v.showViewer(v.memChanges, {"Courier", 13, false, false, true}, kMaroon);
    v.setFocus(&v.memChanges);
    bool whole = false;
    const auto lines = load(v.memChanges, path, false, &whole);
    writable(File::Changes) = whole && v.switches.editable;
    v.memChanges.setReadOnly(!writable(File::Changes));
    v.memChanges.setHint(viewerHint(settings::kChangesFile, lines));
    v.playClick();
}

// The path of `name` in `folder`, which becomes the current folder; nothing, after
// saying so, when the file is not there.
std::optional<std::string> Viewers::find(const std::string& folder, const std::string& name, const char* missing) {
    util::enterFolder(v_.services.fs, folder);
    std::string path = folder + "\\" + name;
    if (v_.services.fs.fileExists(path)) return path;
    v_.services.dialogs.messageBox(missing, platform::BoxKind::Information, platform::BoxButtons::Ok);
    return std::nullopt;
}

// A log, shown from its end: the latest lines are the ones wanted.
void Viewers::showLog(ui::Memo& memo, const ui::Font& font, const std::string& path, const std::string& name) {
    v_.showViewer(memo, font, kGreen);
    const auto lines = load(memo, path, true);
    memo.setTopLine(static_cast<int>(lines) - 1);
    v_.setFocus(&memo);
    memo.setHint(viewerHint(name, lines));
}

void Viewers::consoleLog() {
    auto& v = v_;
    v.playClick();
    const auto path =
        find(settings::configFolder(v.gameProgram, v.gameDir, v.playerFolders()), "etconsole.log", kConsoleLogMissing);
    if (!path) return;
    v.memETLog.horizontalScrollBar = true;
    showLog(v.memETLog, kCourier, *path, "etconsole.log");

    // The first line of the log itself, not of the part shown.
    const std::string head = v.services.fs.readFilePart(*path, 0, 4096).value_or("");
    const auto first = util::splitLines(head);
    v.lastLog = lastLogText(first.empty() ? std::string() : first.front());
    settings::write(v.config.doc(), settings::key::lastlog, v.lastLog);
    v.saveSettings();
}

std::string Viewers::browserFolder() const {
    const std::string folder = settings::extractFilePath(v_.eyePath);
    return folder.size() > 1 && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

void Viewers::buddyLog() {
    const auto path = find(browserFolder(), "buddylog.txt", kBuddyLogMissing);
    if (!path) return;
    showLog(v_.memASE, kFixedsys, *path, "buddylog.txt");
    v_.playClick();
}

void Viewers::launchInfo() {
    auto& v = v_;
    const auto path = find(browserFolder(), "launchinfo.txt", kLaunchInfoMissing);
    if (!path) return;
    v.showViewer(v.memLaunchInfo, kFixedsys, kGreen);
    const std::string header = kLaunchInfoHeader + util::FileDateText(v.services.fs, v.services.clock, *path) + "\r\n" +
                               std::string(50, '-') + "\r\n";
    const auto lines = load(v.memLaunchInfo, *path, false, nullptr, header);
    v.setFocus(&v.memLaunchInfo);
    v.memLaunchInfo.setHint(viewerHint("launchinfo.txt", lines));
    v.playClick();
}

void Viewers::keyDown(int& key) {
    if (key == 27) close();
}

// Editable mode: what the user changes goes to the file at once, atomically, and
// only from a viewer that holds all of the file it loaded. A file that cannot be
// written is said once, not at every keystroke: the viewer keeps the text but
// takes no more input until it is opened again.
void Viewers::writeBack(ui::Memo& memo, File file, const std::string& path) {
    if (!memo.modified || !writable(file)) return;
    try {
        v_.services.fs.writeFileAtomic(path, memo.text());
    } catch (const std::exception& e) {
        writable(file) = false;
        memo.setReadOnly(true);
        throw Error(util::cannotCreateFileText(path) + "\n\r" + e.what() + kWriteBackStopped);
    }
}

void Viewers::readmeChanged() { writeBack(v_.memReadme, File::Readme, v_.programDir + settings::kReadmeFile); }

void Viewers::changesChanged() { writeBack(v_.memChanges, File::Changes, v_.programDir + settings::kChangesFile); }

void Viewers::close() {
    auto& v = v_;
    v.playClick();
    for (ui::Memo* memo : {&v.memReadme, &v.memChanges, &v.memASE, &v.memLaunchInfo, &v.memETLog})
        memo->setVisible(false);
    closeOthers_();
    v.setCaption(v.standardCaption);
    if (trayOpened_) v.hideToTray();
    forgetTray();
    v.setStatus(kDefaultStatus);
}

// The start switches open their viewer once, when the window first shows.
void Viewers::openOnRequest() {
    auto& switches = v_.switches;
    if (switches.readme) {
        switches.readme = false;
        readme();
    }
    if (switches.log) {
        switches.log = false;
        consoleLog();
    }
}

}  // namespace vexal::viewers
