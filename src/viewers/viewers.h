#pragma once
// The five text viewers laid over the window: the readme, the change log, the
// game's console log and the server browser's buddy log and launch information.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "view/main_view.h"

namespace vexal::viewers {

class Viewers {
public:
    // `closeOthers` closes the viewers another part of the program lays over the
    // window, which close with these.
    Viewers(view::MainView& view, std::function<void()> closeOthers) : v_(view), closeOthers_(std::move(closeOthers)) {}

    void readme();
    void readmeFromTray();
    void changes();
    void consoleLog();
    void buddyLog();
    void launchInfo();
    void keyDown(int& key);  // Escape in any viewer closes them all
    void readmeChanged();
    void changesChanged();
    void close();
    void openOnRequest();  // the show step of the "readme" and "log" switches

    // Opened from the tray menu: closing the viewers sends the window back there.
    void openedFromTray() { trayOpened_ = true; }
    [[nodiscard]] bool trayOpened() const { return trayOpened_; }
    void forgetTray() { trayOpened_ = false; }

private:
    // The viewers that may write their file back.
    enum class File { Readme, Changes };

    std::size_t load(ui::Memo& memo, const std::string& path, bool end, bool* intact = nullptr,
                     const std::string& header = {});
    [[nodiscard]] std::string browserFolder() const;
    std::optional<std::string> find(const std::string& folder, const std::string& name, const char* missing);
    void showLog(ui::Memo& memo, const ui::Font& font, const std::string& path, const std::string& name);
    void writeBack(ui::Memo& memo, File file, const std::string& path);

    bool& writable(File file) { return writable_[file == File::Readme ? 0 : 1]; }

    view::MainView& v_;
    std::function<void()> closeOthers_;
    // Writable in editable mode, while the viewer holds all of its file; not while
    // its file loads (a file that cannot be read leaves the earlier text, which is
    // not what the file holds), nor once a write back has failed, until it is
    // opened again.
    bool writable_[2]{};
    bool trayOpened_ = false;
};

}  // namespace vexal::viewers
