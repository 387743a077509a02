#include <gtest/gtest.h>

#include "ui/application.h"
#include "ui/control.h"
#include "ui/dispatch.h"
#include "ui/form.h"
#include "ui/menu.h"

using namespace vexal::ui;

namespace {

struct Recorder : ControlObserver {
    std::vector<Property> changes;
    void changed(Control&, Property p) override { changes.push_back(p); }
};

}  // namespace

TEST(ControlModel, CheckBoxSetFromCodeRunsItsClickHandlerOnlyOnAChange) {
    CheckBox box("cb");
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    box.setChecked(false);
    EXPECT_EQ(clicks, 0);
    box.setChecked(true);
    box.setChecked(true);
    EXPECT_EQ(clicks, 1);
    box.toggleByUser();
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(clicks, 2);
}

TEST(ControlModel, AnEditRunsItsChangeHandlerWhenTheTextChangesAlsoFromCode) {
    Edit edit("edt");
    int edits = 0;
    edit.onChange = [&] { ++edits; };
    edit.setText("a");
    edit.setText("a");
    EXPECT_EQ(edits, 1);
}

TEST(ControlModel, AComboRunsItsChangeHandlerOnlyForTypingAndPicking) {
    ComboBox combo("cbx");
    combo.setItems({"x", "y"});
    int combos = 0;
    combo.onChange = [&] { ++combos; };
    combo.setText("b");
    EXPECT_EQ(combos, 0);
    combo.typeText("c");
    combo.typeText("c");
    EXPECT_EQ(combos, 1);
    combo.pick(1);
    EXPECT_EQ(combos, 2);
    EXPECT_EQ(combo.text(), "y");
}

TEST(ControlModel, SortedListKeepsCaseInsensitiveOrderAndLooksUpIgnoringCase) {
    ListBox list("lbox");
    list.setSorted(true);
    for (const char* s : {"delta", "Bravo", "alpha", "charlie", "ALPHA"}) list.addItem(s);
    EXPECT_EQ(list.items().all(), (std::vector<std::string>{"alpha", "ALPHA", "Bravo", "charlie", "delta"}));
    EXPECT_EQ(list.items().indexOf("CHARLIE"), 3);
    EXPECT_EQ(list.items().indexOf("echo"), -1);
}

TEST(ControlModel, SelectionFollowsInsertionsAndDeletions) {
    ListBox list("lbox");
    list.setSorted(true);
    list.setItems({"b", "d"});
    list.setItemIndex(1);  // d
    list.addItem("a");
    EXPECT_EQ(list.itemIndex(), 2);
    list.deleteItem(0);
    EXPECT_EQ(list.itemIndex(), 1);
    list.deleteItem(1);
    EXPECT_EQ(list.itemIndex(), -1);
    list.setItemIndex(7);
    EXPECT_EQ(list.itemIndex(), -1);
}

TEST(ControlModel, PutReplacesWithinTheListAndAppendsBeyondIt) {
    ListBox list("lbox");
    list.setSorted(true);
    list.setItems({"m", "z"});
    list.putItem(0, "q");
    list.putItem(5, "a");
    EXPECT_EQ(list.items().all(), (std::vector<std::string>{"q", "z", "a"}));
}

TEST(ControlModel, ComboPickSelectsAndTakesTheText) {
    ComboBox combo("cbx");
    combo.setItems({"oasis", "radar"});
    std::string seen;
    combo.onChange = [&] { seen = combo.text() + "@" + std::to_string(combo.itemIndex()); };
    combo.pick(1);
    EXPECT_EQ(seen, "radar@1");
}

TEST(ControlModel, ChangesReachTheObserverButNotWhileEchoing) {
    Edit edit("edt");
    Recorder rec;
    edit.setObserver(&rec);
    edit.setText("x");
    {
        Control::EchoGuard guard(edit);
        edit.setText("y");
    }
    edit.setEnabled(false);
    EXPECT_EQ(rec.changes, (std::vector<Property>{Property::Text, Property::Enabled}));
    EXPECT_EQ(edit.text(), "y");
}

TEST(ControlModel, AListViewMirrorsOnlyChangesAndAUsersPickIsAClick) {
    ListView list("lv");
    Recorder rec;
    list.setObserver(&rec);
    int clicks = 0, sortedBy = -1;
    list.onClick = [&] { ++clicks; };
    list.onColumnClick = [&](int column) { sortedBy = column; };
    list.setColumns({{"A", 40}, {"B", 40, true}});
    const std::vector<ListRow> rows = {{{"x", {}}, {"1", {}}}, {{"y", {{kClRed, "y"}}}, {"2", {}}}};
    list.setRows(rows);
    list.setRows(rows);  // the same rows: nothing to mirror
    list.setItemIndex(1);
    EXPECT_EQ(rec.changes, (std::vector<Property>{Property::Items, Property::Items, Property::ItemIndex}));
    EXPECT_EQ(clicks, 0) << "the program's selection is no click";
    list.select(0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.itemIndex(), 0);
    EXPECT_EQ(rec.changes.size(), 3u) << "the user's pick came from the window: not echoed back";
    list.setItemIndex(7);
    EXPECT_EQ(list.itemIndex(), -1) << "out of range selects nothing";
    list.setItemIndex(1);
    list.setRows({rows[0]});
    EXPECT_EQ(list.itemIndex(), -1) << "a selection past the end goes with its row";
    EXPECT_EQ(list.rowText(0), "x  1");
    list.columnClick(1);
    EXPECT_EQ(sortedBy, 1);
}

TEST(Menus, DisabledItemDoesNothing) {
    MenuItem item("m", "x");
    int runs = 0;
    item.onClick = [&] { ++runs; };
    item.setEnabled(false);
    item.click();
    EXPECT_EQ(runs, 0);
}

TEST(Menus, AutomaticAcceleratorsAreDistinctAndKeepFreeLetters) {
    std::string used;
    EXPECT_EQ(autoAccelerated("&Run ET", used), "&Run ET");
    EXPECT_EQ(autoAccelerated("Run ET [oasis]", used), "R&un ET [oasis]");
    EXPECT_EQ(autoAccelerated("&Run it", used), "Ru&n it");
}

TEST(Menus, ShortcutTextNamesModifiersAndKeys) {
    EXPECT_EQ((Shortcut{0x78}).text(), "F9");
    EXPECT_EQ((Shortcut{'B', true, true}).text(), "Ctrl+Alt+B");
    EXPECT_EQ((Shortcut{0x70, false, false, true}).text(), "Shift+F1");
}

TEST(Focus, MovingTheFocusRunsExitOfTheOldControlThenEnterOfTheNew) {
    Form form;
    Edit a("a"), b("b");
    std::vector<std::string> log;
    a.onEnter = [&] { log.push_back("enter a"); };
    a.onExit = [&] { log.push_back("exit a"); };
    b.onEnter = [&] { log.push_back("enter b"); };
    form.setFocus(&a);
    form.focusMovedByUser(&b);
    form.focusMovedByUser(&b);
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "exit a", "enter b"}));
}

TEST(Hints, StatusIsWrittenOnlyWhenTheHintChanges) {
    Application app;
    GroupBox group("grp");
    Button withHint("btn"), without("lst"), same("btn2");
    withHint.setHint(" one");
    same.setHint(" one");
    without.setParent(&group);
    std::vector<std::string> writes;
    app.onHint = [&](const std::string& h) { writes.push_back(h); };
    app.pointAt(&withHint);
    app.pointAt(&withHint);
    app.pointAt(&same);
    app.pointAt(&without);
    app.pointAt(&withHint);
    EXPECT_EQ(writes, (std::vector<std::string>{" one", "", " one"}));
}

TEST(Hints, AControlWithoutHintShowsItsParentsAndAMenuItemShowsItsOwn) {
    Application app;
    GroupBox group("grp");
    group.setHint(" group");
    Button child("child");
    child.setParent(&group);
    MenuItem item("m", "x");
    item.setHint(" item");
    std::string last;
    app.onHint = [&](const std::string& h) { last = h; };
    app.pointAt(&child);
    EXPECT_EQ(last, " group");
    app.highlight(&item);
    EXPECT_EQ(last, " item");
    app.highlight(nullptr);
    EXPECT_EQ(last, "");
}

TEST(Dispatch, AFailingHandlerIsReportedAndStopsThere) {
    std::string shown;
    bool after = false;
    runHandler(
        [&] {
            throw std::runtime_error("Datei x kann nicht erstellt werden");
            after = true;
        },
        [&](const std::string& m) { shown = m; });
    EXPECT_EQ(shown, "Datei x kann nicht erstellt werden");
    EXPECT_FALSE(after);
}
