// Start-up stories: the first start, the caption, one copy at a time, /min, the layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "app/layout.h"
#include "e2e/harness.h"

using namespace std::chrono_literals;
using e2e::Sandbox;
using e2e::Vexal;

TEST(FirstStart, CancellingTheFolderDialogEndsTheProgramWithoutAGameFolder) {
    Sandbox box;
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitBox(20s)) << "the folder dialog did not open";
    ASSERT_TRUE(vexal.answerBox(IDCANCEL));
    const auto message = vexal.waitBox();
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, "et.exe not found! Abort Vexal!");
    EXPECT_EQ(vexal.boxCaption(), "Fehler");
    EXPECT_EQ(vexal.boxButtons(), std::vector<std::string>{"Abbrechen"});
    ASSERT_TRUE(vexal.answerBox(IDCANCEL));
    EXPECT_TRUE(vexal.waitExit(15s));
    EXPECT_FALSE(box.exists(box.program + "Vexal.ini")) << "a refused first start writes nothing";

    // So the next start is a first start again and asks once more.
    Vexal again(box);
    ASSERT_TRUE(again.waitBox(20s)) << "the second start did not ask for the game folder";
    ASSERT_TRUE(again.answerBox(IDCANCEL));
    ASSERT_TRUE(again.waitBox());
    ASSERT_TRUE(again.answerBox(IDCANCEL));
    EXPECT_TRUE(again.waitExit(15s));
}

TEST(Start, ShowsTheVersionAndTheGameFolderInTheCaption) {
    Sandbox box;
    box.writeSettings();
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    EXPECT_EQ(vexal.caption(), "Vexal 1.0.0 final  [" + box.game + "]");
    // The taskbar button carries the launch target, not the caption.
    EXPECT_EQ(vexal.appTitle().rfind("Run ET  [", 0), 0u) << vexal.appTitle();
    RECT client{};
    GetClientRect(vexal.main(), &client);
    EXPECT_EQ(client.right, 553);
    EXPECT_EQ(client.bottom, 339);
    // With no map picture the box shows the built-in logo, an evening sky of many shades,
    // which the program inflates from its resources: a plain box means it failed to.
    int w = 0, h = 0;
    std::set<std::uint32_t> shades;
    e2e::waitFor([&] {
        const auto pixels = e2e::windowPixels(vexal.control("imgAbout"), w, h);
        shades = std::set<std::uint32_t>(pixels.begin(), pixels.end());
        return shades.size() > 100;
    }, 3s);
    EXPECT_GT(shades.size(), 100u) << w << "x" << h;
}

TEST(SingleInstance, ASecondCopyEndsSilentlyWhileMultipleInstancesAreOff) {
    Sandbox box;
    box.writeSettings();
    Vexal first(box);
    ASSERT_TRUE(first.waitMain());
    Vexal second(box);
    EXPECT_TRUE(second.waitExit(15s));
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_FALSE(second.main());
    EXPECT_TRUE(first.running());
}

TEST(SingleInstance, EveryCopyStartsWhileMultipleInstancesAreOn) {
    Sandbox box;
    box.writeSettings("[Window]\r\nInstances=1\r\n\r\n");
    Vexal first(box);
    ASSERT_TRUE(first.waitMain());
    Vexal second(box);
    EXPECT_TRUE(second.waitMain());
    Sleep(500);
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(second.running());
}

TEST(Switches, MinLeavesTheWindowHidden) {
    Sandbox box;
    box.writeSettings();
    Vexal vexal(box, "/MIN");
    ASSERT_TRUE(vexal.waitMain());
    Sleep(1500);
    EXPECT_TRUE(vexal.running());
    EXPECT_FALSE(IsWindowVisible(vexal.main()));
    // No tray icon asked for: the taskbar button is the way back.
    HWND owner = GetWindow(vexal.main(), GW_OWNER);
    EXPECT_TRUE(IsWindowVisible(owner));
    ShowWindow(owner, SW_RESTORE);
    EXPECT_TRUE(e2e::waitFor([&] { return IsWindowVisible(vexal.main()) != FALSE; }, 5s));
}

// The game has no manifest and runs with Windows' file virtualization; an execution
// level in Vexal's manifest would switch it off, and Vexal would look at another
// folder than the game under Program Files.
TEST(Build, TheManifestAsksForCommonControlsButNoExecutionLevel) {
    const std::string exe = e2e::buildDir() + "Vexal.exe";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module) << exe;
    std::string manifest;
    if (HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {  // RT_MANIFEST
        if (HGLOBAL data = LoadResource(module, res))
            manifest.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, res));
    }
    FreeLibrary(module);
    ASSERT_FALSE(manifest.empty()) << "no manifest in " << exe;
    // Comments may name the entry to explain its absence.
    for (auto open = manifest.find("<!--"); open != std::string::npos; open = manifest.find("<!--", open)) {
        const auto close = manifest.find("-->", open);
        manifest.erase(open, close == std::string::npos ? std::string::npos : close + 3 - open);
    }
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("supportedOS"), std::string::npos);
    for (const char* entry : {"requestedExecutionLevel", "requestedPrivileges", "trustInfo"})
        EXPECT_EQ(manifest.find(entry), std::string::npos) << entry << " is back in the manifest";
}

TEST(Switches, TahomaMovesTheMinimizerLabel) {
    Sandbox box;
    box.writeSettings();
    Vexal vexal(box, "-Tahoma");
    ASSERT_TRUE(vexal.waitShown());
    // 387 inside the lower group box, which starts at 8.
    EXPECT_NEAR(vexal.clientRect("lbMinET").left, 8 + 387, 1);
}

TEST(Layout, EveryControlStandsWhereTheLayoutPutsIt) {
    Sandbox box;
    box.writeSettings();
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    Sleep(800);
    const char* artifacts = getenv("VEXAL_ARTIFACTS_WIN");
    if (artifacts) vexal.screenshot(std::string(artifacts) + "\\main-window.bmp");

    for (const auto& row : vexal::layout::controls()) {
        const std::string name = row.name;
        HWND h = vexal.control(name);
        if (name.rfind("mem", 0) == 0 || name.rfind("lv", 0) == 0) {
            EXPECT_FALSE(h) << name << ": a viewer is made when first shown";
            continue;
        }
        ASSERT_TRUE(h) << name;
        int left = row.bounds.left, top = row.bounds.top;
        if (row.parent) {
            for (const auto& p : vexal::layout::controls())
                if (std::string(p.name) == row.parent) left += p.bounds.left, top += p.bounds.top;
        }
        const RECT r = vexal.clientRect(name);
        const int height = static_cast<int>(r.bottom - r.top);
        EXPECT_NEAR(r.left, left, 1) << name;
        EXPECT_NEAR(r.top, top, 1) << name;
        EXPECT_NEAR(r.right - r.left, row.bounds.width, 1) << name;
        // A drop-down combo box sizes its own edit part.
        if (name != "cbxMap" && name != "cbxHotKey") {
            EXPECT_NEAR(height, row.bounds.height, 1) << name;
        }
        EXPECT_EQ(IsWindowVisible(h) != FALSE, row.visible) << name;
    }
    // The hotkey's list drops as many whole rows as the layout asks for, in the font the box was
    // given after it was made.
    HWND hotkey = vexal.control("cbxHotKey");
    SendMessageA(hotkey, CB_SHOWDROPDOWN, TRUE, 0);
    HWND dropped = e2e::topWindow("ComboLBox", [](HWND h, DWORD) { return IsWindowVisible(h) != FALSE; });
    RECT list{};
    GetClientRect(dropped, &list);
    const auto rowHeight = static_cast<int>(SendMessageA(hotkey, CB_GETITEMHEIGHT, 0, 0));
    SendMessageA(hotkey, CB_SHOWDROPDOWN, FALSE, 0);
    ASSERT_TRUE(dropped);
    ASSERT_GT(rowHeight, 0);
    EXPECT_EQ(list.bottom - list.top, 10 * rowHeight);
    EXPECT_FALSE(vexal.enabled("btnDelMap"));
    EXPECT_EQ(vexal.text("bitbtnQuit"), "  &Quit");
    EXPECT_EQ(vexal.text("grpMain"), " ET.exe start parameters ");
}

// A copy's whole life in one story, short enough to run where Wine itself is emulated: the start,
// a launch the stub game records, a second copy turned away, and the Quit command.
TEST(Lifetime, StartsLaunchesTurnsASecondCopyAwayAndQuits) {
    Sandbox box;
    box.writeSettings("[ET-Param]\r\nETParam=+map\r\n\r\n[ET-Map]\r\nMap=oasis\r\n\r\n");
    box.write(box.program + "VexalParam.dat", "+map\r\n");
    Vexal first(box);
    ASSERT_TRUE(first.waitShown());
    first.click("bitbtnRun");
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    EXPECT_EQ(box.launches().front(), "+map oasis\t" + box.game);

    Vexal second(box);
    EXPECT_TRUE(second.waitExit(15s));
    EXPECT_FALSE(second.main());

    first.command(vexal::Cmd::Quit);
    ASSERT_TRUE(first.waitExit());
    EXPECT_EQ(first.exitCode(), 0u);
}
