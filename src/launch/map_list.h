#pragma once
// The map field and its list (VexalMap.dat), with what the program knows of the
// current map: picture, long name, information file and statistics.
#include <functional>
#include <string>
#include <vector>

#include "launch/list_file.h"
#include "view/main_view.h"

namespace vexal::launch {

class MapList {
public:
    // What the map information command asks of the rest of the program.
    struct Links {
        std::function<bool()> editorExists;  // asks for an editor when none is set; false: none yet
        std::function<void()> showAbout;     // a map without an information file shows the about box
    };
    MapList(view::MainView& view, Links links)
        : v(view), links_(std::move(links)), file_(view.services.fs, view.services.dialogs) {}

    void change();  // the map field changed: kept, and every caption that names it follows
    void keyDown(int& key);
    void keyPress(char& key);
    void remove();  // the current entry, after asking
    void clear();   // every entry, after asking
    void select();  // picks a map package from the game folder
    void openInfo();

    void save();
    void load();
    [[nodiscard]] std::string longName();
    void statistics();
    void showPicture();  // the map's picture, else the logo, else the picture stays
    void loadPicture(const std::string& path);
    [[nodiscard]] std::string infoFile() const;
    [[nodiscard]] std::string pictureFile() const;
    void updateInfoEnabled();
    // The folders of map pictures and information files, which the statistics count.
    [[nodiscard]] std::vector<std::string> countedFolders() const;

private:
    view::MainView& v;
    Links links_;
    ListFile file_;
};

}  // namespace vexal::launch
