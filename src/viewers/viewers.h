#pragma once
// What the in-window text viewers remember while they are open.
#include <utility>

namespace vexal::viewers {

class Viewers {
public:
    // The viewers that may write their file back.
    enum class File { Readme, Changes };

    // Not writable while its file loads: a file that cannot be read leaves the
    // earlier text, which is not what the file holds.
    void loading(File file) { writable_[index(file)] = false; }
    // Editable mode: writable when the viewer holds all of its file and the
    // "editable" switch asked for it. Returns whether it is.
    bool loaded(File file, bool wholeFile, bool editable) { return writable_[index(file)] = wholeFile && editable; }
    // Until it is opened again, once a write back has failed.
    [[nodiscard]] bool writable(File file) const { return writable_[index(file)]; }
    void writeFailed(File file) { writable_[index(file)] = false; }

    // Opened from the tray menu: closing the viewers sends the window back there.
    void openedFromTray() { trayOpened_ = true; }
    [[nodiscard]] bool trayOpened() const { return trayOpened_; }
    void forgetTray() { trayOpened_ = false; }

private:
    static int index(File file) { return file == File::Readme ? 0 : 1; }
    bool writable_[2]{};
    bool trayOpened_ = false;
};

}  // namespace vexal::viewers
