// Viewer stories: each text viewer opened by its key or button and closed with
// Escape, and the log switch opening the console log at the start.
#include <gtest/gtest.h>

#include "e2e/harness.h"

using namespace std::chrono_literals;
using e2e::Sandbox;
using e2e::Vexal;

namespace {

void layOut(Sandbox& box) {
    box.write(box.program + "readme-vexal.txt", "Vexal readme\r\n");
    box.write(box.program + "changes-vexal.txt", "1.0.0\r\n");
    box.write(box.game + "\\etmain\\etconsole.log", "Console opened\r\nsecond line\r\n");
    box.makeDir(box.program + "ase");
    box.write(box.program + "ase\\eye.exe", "MZ");
    box.write(box.program + "ase\\buddylog.txt", "buddy\r\n");
    box.write(box.program + "ase\\launchinfo.txt", "server\r\n");
    box.writeSettings("[Paths]\r\neyePath=" + box.program + "ase\\eye.exe\r\n\r\n");
}

bool shown(const Vexal& vexal, const std::string& name) {
    HWND h = vexal.control(name);
    return h && IsWindowVisible(h);
}

}  // namespace

TEST(Viewers, EachOpensByItsKeyAndEscapeClosesThemAll) {
    Sandbox box;
    layOut(box);
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    // Away from the pointer, which Xvfb keeps at the screen's centre: a closing viewer
    // uncovers the control under the pointer, whose own text would then take the status line.
    SetWindowPos(vexal.main(), nullptr, 600, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(vexal.control("memReadme")) << "a viewer is made when first shown";
    const struct {
        std::function<void()> open;
        const char* memo;
        const char* firstText;
    } rows[] = {
        {[&] { vexal.shortcut(VK_F1, false); }, "memReadme", "Vexal readme"},
        {[&] { vexal.shortcut(VK_F2, false, true); }, "memChanges", "1.0.0"},
        {[&] { vexal.click("bitbtnLog"); }, "memETLog", "Console opened"},
        {[&] { vexal.shortcut('B', true); }, "memASE", "buddy"},
        {[&] { vexal.shortcut('O', true); }, "memLaunchInfo", "Last ET Game started with ASE: "},
    };
    for (const auto& row : rows) {
        row.open();
        ASSERT_TRUE(e2e::waitFor([&] { return shown(vexal, row.memo); }, 5s)) << row.memo;
        EXPECT_EQ(vexal.text(row.memo).rfind(row.firstText, 0), 0u) << vexal.text(row.memo);
        vexal.key(row.memo, VK_ESCAPE);
        ASSERT_TRUE(e2e::waitFor([&] { return !shown(vexal, row.memo); }, 5s)) << row.memo << " stayed open";
        EXPECT_EQ(vexal.text("stInfo"), " <Please move your mouse over the objects to show hints>");
    }
    const auto ini = box.read(box.program + "Vexal.ini");
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("lastlog=Console opened"), std::string::npos);
}

TEST(Viewers, TheLogSwitchOpensTheConsoleLogAtTheStart) {
    Sandbox box;
    layOut(box);
    // The game ends its log lines with a bare LF; the text box breaks lines only at CR LF.
    std::string log, shownText;
    for (int i = 1; i <= 100; ++i) {
        log += "line " + std::to_string(i) + "\n";
        shownText += "line " + std::to_string(i) + "\r\n";
    }
    box.write(box.game + "\\etmain\\etconsole.log", log);
    Vexal vexal(box, "/log");
    ASSERT_TRUE(vexal.waitShown());
    ASSERT_TRUE(e2e::waitFor([&] { return shown(vexal, "memETLog"); }, 5s));
    EXPECT_EQ(vexal.text("memETLog"), shownText);
    EXPECT_EQ(SendMessageA(vexal.control("memETLog"), EM_GETLINECOUNT, 0, 0), 101) << "100 lines and the empty last";
    EXPECT_GE(SendMessageA(vexal.control("memETLog"), EM_GETFIRSTVISIBLELINE, 0, 0), 70)
        << "scrolled to the end of the log, the last line in view";
}

TEST(Viewers, AnEditedReadmeThatCannotBeSavedIsSaidOnceAndKeepsItsText) {
    Sandbox box;
    layOut(box);
    const std::string readme = box.program + "readme-vexal.txt";
    SetFileAttributesA(readme.c_str(), FILE_ATTRIBUTE_READONLY);
    Vexal vexal(box, "/editable");
    ASSERT_TRUE(vexal.waitShown());
    vexal.shortcut(VK_F1, false);
    ASSERT_TRUE(e2e::waitFor([&] { return shown(vexal, "memReadme"); }, 5s));
    vexal.key("memReadme", 'X', 'x');
    const auto message = vexal.waitBox();
    ASSERT_TRUE(message) << "the failed save was not reported";
    EXPECT_NE(message->find(readme), std::string::npos) << *message;
    EXPECT_EQ(vexal.boxCaption(), "Fehler");
    vexal.answerBox(IDOK);
    std::string typed;
    EXPECT_TRUE(e2e::waitFor([&] { return (typed = vexal.text("memReadme")).find('x') != std::string::npos; }, 5s))
        << "the typed text stays on screen: " << typed;
    vexal.key("memReadme", 'Y', 'y');
    EXPECT_FALSE(vexal.waitBox(1500ms)) << "said again at the next keystroke";
    EXPECT_EQ(vexal.text("memReadme"), typed);
    EXPECT_EQ(box.read(readme), std::string("Vexal readme\r\n"));
    SetFileAttributesA(readme.c_str(), FILE_ATTRIBUTE_NORMAL);
}
