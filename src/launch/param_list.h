#pragma once
// The parameter list: the line to launch in edtParam, the collection in lboxParam,
// kept in VexalParam.dat beside the program.
#include "launch/list_file.h"
#include "launch/map_list.h"
#include "view/main_view.h"

namespace vexal::launch {

class ParamList {
public:
    ParamList(view::MainView& view, MapList& maps)
        : v(view), maps_(maps), file_(view.services.fs, view.services.dialogs) {}

    void change();  // the line changed, or the list was left
    void keyPress(char& key);
    void enter();      // the line or the list takes the focus
    void leave();      // the line loses it
    void add();        // the line joins the list, once
    // `line` joins the list and the file, the parameter field left alone; false
    // when the list has it already.
    bool keep(const std::string& line);
    void remove();     // the selected entry
    void clear();      // every entry, after asking
    void pick();       // a click on the list takes its entry into the line
    void widen();      // a double click: room for long entries
    void copyEntry();  // to the clipboard
    void copyAll();
    void paste();

    void save();
    void load();  // the start-up step: load the file, or lay out the predefined lines

private:
    view::MainView& v;
    MapList& maps_;
    ListFile file_;
};

}  // namespace vexal::launch
