// Window-shell stories: the minimizer hotkeys, the quit hotkey, the tray and the
// status line, against the real window and the stub game.
#include <gtest/gtest.h>

#include "e2e/harness.h"
#include "window/window_messages.h"

using namespace std::chrono_literals;
using e2e::Sandbox;
using e2e::Vexal;

namespace {

// Keys as the keyboard sends them: the system, not the window, turns them into
// WM_HOTKEY for whoever registered the combination.
void pressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        if (k == VK_END) i.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
        in.push_back(i);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--it;
        i.ki.dwFlags = KEYEVENTF_KEYUP | (*it == VK_END ? KEYEVENTF_EXTENDEDKEY : 0);
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

struct FoundStub {
    std::vector<HWND> windows;
};
BOOL CALLBACK findStub(HWND hwnd, LPARAM lp) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) == "VexalDemoStub" && IsWindowVisible(hwnd))
        reinterpret_cast<FoundStub*>(lp)->windows.push_back(hwnd);
    return TRUE;
}
HWND stubGameWindow() {
    FoundStub f;
    EnumWindows(findStub, reinterpret_cast<LPARAM>(&f));
    return f.windows.empty() ? nullptr : f.windows.front();
}

// The stub game stays up with its window for these stories.
struct GameStaysUp {
    GameStaysUp() { Vexal::setStubsStay(true); }
    ~GameStaysUp() { Vexal::setStubsStay(false); }
};

void launchAndWaitForTheGame(Sandbox& box, Vexal& vexal, HWND& game) {
    vexal.click("bitbtnRun");
    ASSERT_TRUE(e2e::waitFor([&] { return !box.launches().empty(); }));
    ASSERT_TRUE(e2e::waitFor([&] { return (game = stubGameWindow()) != nullptr; }));
    SetForegroundWindow(game);
    ASSERT_TRUE(e2e::waitFor([&] { return GetForegroundWindow() == game; }, 5s));
}

}  // namespace

TEST(Hotkeys, AltCharacterMinimizesTheGameOnlyAfterALaunchAndCtrlAltEndEndsIt) {
    Sandbox box;
    box.writeSettings("[ET-Param]\r\nETParam=+map\r\n\r\n[Minimize]\r\nET-Minimize=k\r\n\r\n");
    box.write(box.program + "VexalParam.dat", "+map\r\n");
    GameStaysUp stays;
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());

    // Before any launch the hotkey leaves the window in front alone.
    SetForegroundWindow(vexal.main());
    pressChord({VK_MENU, 'K'});
    Sleep(500);
    EXPECT_FALSE(IsIconic(vexal.main()));

    HWND game = nullptr;
    launchAndWaitForTheGame(box, vexal, game);
    pressChord({VK_MENU, 'K'});
    EXPECT_TRUE(e2e::waitFor([&] { return IsIconic(game) != FALSE; }, 5s)) << "the game was not minimized";
    EXPECT_TRUE(e2e::waitFor([&] { return GetForegroundWindow() == vexal.main(); }, 5s))
        << "the launcher did not come forward";

    // The game in front again: Ctrl+Alt+End asks it to quit.
    ShowWindow(game, SW_RESTORE);
    SetForegroundWindow(game);
    ASSERT_TRUE(e2e::waitFor([&] { return GetForegroundWindow() == game; }, 5s));
    pressChord({VK_CONTROL, VK_MENU, VK_END});
    EXPECT_TRUE(e2e::waitFor([&] { return !IsWindow(game); }, 5s)) << "the game did not end";
    EXPECT_TRUE(vexal.running());

    // Vexal itself in front, the hotkeys still armed: the same keys end Vexal.
    SetForegroundWindow(vexal.main());
    ASSERT_TRUE(e2e::waitFor([&] { return GetForegroundWindow() == vexal.main(); }, 5s));
    pressChord({VK_CONTROL, VK_MENU, VK_END});
    EXPECT_TRUE(vexal.waitExit(10s)) << "Vexal in front did not end";
}

TEST(StatusLine, TheDemoButtonNamesItsCountOnceThePointerMovesOverIt) {
    Sandbox box;
    box.writeSettings();
    box.makeDir(box.game + "\\etmain\\demos");
    for (int i = 0; i < 3; ++i) box.write(box.game + "\\etmain\\demos\\d" + std::to_string(i) + ".dm_84", "x");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    HWND demo = vexal.control("bitbtnDemo");
    const std::string expected = " 3 demo files in " + box.game + "\\etmain\\demos available";
    // The pointer keeps moving over the button, as a hand does, until the count shows.
    int x = 5;
    EXPECT_TRUE(e2e::waitFor(
        [&] {
            PostMessageA(demo, WM_MOUSEMOVE, 0, MAKELPARAM(x++ % 40 + 5, 5));
            Sleep(50);
            return vexal.text("stInfo") == expected;
        },
        5s))
        << vexal.text("stInfo");
}

// The map picture's statistics come as a tooltip where the pointer rests: the
// window hands the pointer's moves to the tooltip itself.
TEST(StatusLine, ThePointerRestingOnTheMapPictureShowsItsStatisticsInATooltip) {
    Sandbox box;
    box.writeSettings();
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    HWND picture = vexal.control("imgAbout");
    RECT r{};
    GetWindowRect(picture, &r);
    // The tooltip checks that the pointer is still over its control when its delay is up.
    // The other stories expect the pointer where Xvfb keeps it: it goes back there after.
    POINT before{};
    GetCursorPos(&before);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    std::string tip;
    int x = 5;
    EXPECT_TRUE(e2e::waitFor(
        [&] {
            if (x < 20) {
                INPUT in{};
                in.type = INPUT_MOUSE;
                in.mi.dx = ((r.left + r.right) / 2 + (x++ % 3)) * 65535 / GetSystemMetrics(SM_CXSCREEN);
                in.mi.dy = (r.top + r.bottom) / 2 * 65535 / GetSystemMetrics(SM_CYSCREEN);
                in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
                SendInput(1, &in, sizeof in);
            }
            Sleep(50);
            (void)e2e::topWindow("tooltips_class32", [&](HWND h, DWORD pid) {
                char text[512] = {};
                if (pid != vexal.pid() || !IsWindowVisible(h)) return false;
                DWORD_PTR got = 0;  // another process's window: its caption is not its text
                SendMessageTimeoutA(h, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                                    &got);
                tip = text;
                return true;
            });
            return tip.find(" Number of Images: ") != std::string::npos;
        },
        5s))
        << "tooltip: \"" << tip << "\"";
    SetCursorPos(before.x, before.y);
}

// The main menu and the tray menu hold items of the same command; the one the menu
// highlights names itself in the status line, and leaving the menu empties it.
TEST(StatusLine, AHighlightedMenuItemShowsItsOwnHint) {
    Sandbox box;
    box.writeSettings();
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    const HMENU bar = GetMenu(vexal.main());
    ASSERT_TRUE(bar);
    // A pointer over a control would put that control's hint in the status line as
    // it moves; off the window, only the menu speaks. It goes back where it was after.
    POINT before{};
    GetCursorPos(&before);
    SetCursorPos(0, 0);
    Sleep(100);
    auto highlight = [&](vexal::Cmd cmd) {
        SendMessageA(vexal.main(), WM_MENUSELECT, MAKEWPARAM(static_cast<int>(cmd), MF_HILITE),
                     reinterpret_cast<LPARAM>(bar));
        return vexal.text("stInfo");
    };
    EXPECT_EQ(highlight(vexal::Cmd::Demo), " Select your ET demo map (*.dm83)");
    EXPECT_EQ(highlight(vexal::Cmd::Ase), " No program configured! Press ASE Button");
    SendMessageA(vexal.main(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(vexal.text("stInfo"), "");
    SetCursorPos(before.x, before.y);
}

// Runs inside a Wine virtual desktop, whose taskbar has a notification area.
TEST(TrayDesktop, MinimizingGoesToTheTrayAndTheTrayMenuBringsTheWindowBack) {
    Sandbox box;
    box.writeSettings("[Minimize]\r\nTrayIcon=1\r\n\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    EXPECT_TRUE(vexal.checked("cbTray"));
    HWND owner = GetWindow(vexal.main(), GW_OWNER);
    PostMessageA(vexal.main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(e2e::waitFor([&] { return !IsWindowVisible(vexal.main()); }, 5s));
    // The window goes first, its taskbar button right after, within the same message.
    EXPECT_TRUE(e2e::waitFor([&] { return !IsWindowVisible(owner); }, 5s))
        << "no taskbar button while the tray icon is there";
    vexal.command(vexal::Cmd::ShowWindow);
    EXPECT_TRUE(e2e::waitFor([&] { return IsWindowVisible(vexal.main()) != FALSE; }, 5s));

    // Switched off from the menu: minimizing keeps a taskbar button.
    vexal.command(vexal::Cmd::Tray);
    ASSERT_TRUE(e2e::waitFor([&] { return !vexal.checked("cbTray"); }, 5s));
    PostMessageA(vexal.main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(e2e::waitFor([&] { return IsIconic(owner) != FALSE; }, 5s));
    EXPECT_TRUE(IsWindowVisible(owner));
    const auto ini = box.read(box.program + "Vexal.ini");
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("TrayIcon=0"), std::string::npos);
}

// Without a shell there is no notification area: the window must not vanish into it.
TEST(NoTray, MinimizingWithTheTrayOptionButNoTrayKeepsTheTaskbarButton) {
    Sandbox box;
    box.writeSettings("[Minimize]\r\nTrayIcon=1\r\n\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    HWND owner = GetWindow(vexal.main(), GW_OWNER);
    PostMessageA(vexal.main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(e2e::waitFor([&] { return IsIconic(owner) != FALSE; }, 5s));
    EXPECT_TRUE(IsWindowVisible(owner)) << "the taskbar button is the only way back";
    ShowWindow(owner, SW_RESTORE);
    EXPECT_TRUE(e2e::waitFor([&] { return IsWindowVisible(vexal.main()) != FALSE; }, 5s));
}

// The readme opened from the tray, the tray icon switched off, the readme closed:
// the window has no icon to come back from, so it goes to the taskbar.
TEST(TrayDesktop, ClosingTheTrayReadmeWithoutTheIconLeavesATaskbarButton) {
    Sandbox box;
    box.writeSettings("[Minimize]\r\nTrayIcon=1\r\n\r\n");
    box.write(box.program + "readme-vexal.txt", "Vexal readme\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    HWND owner = GetWindow(vexal.main(), GW_OWNER);
    vexal.command(vexal::Cmd::TrayReadme);
    ASSERT_TRUE(e2e::waitFor([&] { return IsWindowVisible(vexal.control("memReadme")) != FALSE; }, 5s));
    vexal.command(vexal::Cmd::Tray);
    ASSERT_TRUE(e2e::waitFor([&] { return !vexal.checked("cbTray"); }, 5s));
    vexal.key("memReadme", VK_ESCAPE);
    ASSERT_TRUE(e2e::waitFor([&] { return IsIconic(owner) != FALSE || !IsWindowVisible(vexal.main()); }, 5s));
    EXPECT_TRUE(IsWindowVisible(owner)) << "no tray icon and no taskbar button: the window is out of reach";
    ShowWindow(owner, SW_RESTORE);
    EXPECT_TRUE(e2e::waitFor([&] { return IsWindowVisible(vexal.main()) != FALSE; }, 5s));
}

// The tray menu: its bold first item whole, no picture on a black square.
TEST(TrayDesktop, TheTrayMenuShowsItsFirstItemWholeAndItsPicturesWithoutBackground) {
    Sandbox box;
    box.writeSettings("[Minimize]\r\nTrayIcon=1\r\n\r\n");
    Vexal vexal(box);
    ASSERT_TRUE(vexal.waitShown());
    // The menu opens at the pointer, which Xvfb keeps at the screen's centre: the
    // window moves out of its way, as it stands away from a tray icon.
    SetWindowPos(vexal.main(), nullptr, -400, 450, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(vexal.main(), vexal::window::kMsgTray, 0, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(e2e::waitFor(
        [&] {
            menu = e2e::topWindow("#32768", [&](HWND, DWORD pid) { return pid == vexal.pid(); });
            return menu != nullptr;
        },
        5s));
    Sleep(800);  // painted
    int w = 0, h = 0;
    const auto pixels = e2e::windowPixels(menu, w, h);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_GT(w, 40);
    ASSERT_GT(h, 40);
    auto dark = [&](int x, int y, unsigned limit) {
        const std::uint32_t p = pixels[static_cast<std::size_t>(y) * w + x];
        return ((p >> 16) & 0xFF) <= limit && ((p >> 8) & 0xFF) <= limit && (p & 0xFF) <= limit;
    };
    // Text and outlines are thin; a solid black block is a picture's transparent part.
    int blackBlocks = 0;
    for (int y = 2; y + 6 <= h - 2; ++y)
        for (int x = 2; x + 6 <= w - 2; ++x) {
            bool all = true;
            for (int dy = 0; dy < 6 && all; ++dy)
                for (int dx = 0; dx < 6 && all; ++dx) all = dark(x + dx, y + dy, 8);
            blackBlocks += all;
        }
    EXPECT_EQ(blackBlocks, 0) << "pictures stand on black";
    // The bold "Show Vexal (...)" is the widest item. Whole, it ends a character and
    // the submenu arrow's room before the margin; cut, it runs up to that room.
    int textAtEdge = 0;
    for (int y = 4; y < 18; ++y)
        for (int x = w - 15; x < w - 3; ++x) textAtEdge += dark(x, y, 90);
    EXPECT_EQ(textAtEdge, 0) << "the first item is cut at the menu's right edge";
}
