// The window on a screen at 150%: Vexal reads the screen's DPI at start and every
// size grows with it (the window, the controls, the fonts); its texts are drawn at
// that size, not stretched as a bitmap.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "app/layout.h"
#include "e2e/harness.h"

using namespace std::chrono_literals;
using e2e::Sandbox;
using e2e::Vexal;

namespace {

// The screen's DPI as Wine reads it when a program starts (HKCU\Control Panel\Desktop,
// LogPixels); the value that stood there before comes back afterwards.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof old_, type = 0;
        had_ = RegQueryValueExA(key_, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) ==
                   ERROR_SUCCESS &&
               type == REG_DWORD;
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScreenDpi() {
        if (had_)
            RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
        else
            RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

private:
    HKEY key_ = nullptr;
    DWORD old_ = 96;
    bool had_ = false;
};

// This test program reads the other window's sizes as they are on the screen: as a
// program unaware of DPI it would be handed them scaled back to 96 dpi.
class PhysicalPixels {
public:
    PhysicalPixels() {
        const auto set = reinterpret_cast<SetContext>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
        if (set) before_ = set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3)));  // per-monitor aware
    }
    ~PhysicalPixels() {
        const auto set = reinterpret_cast<SetContext>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
        if (set && before_) set(before_);
    }
    PhysicalPixels(const PhysicalPixels&) = delete;
    PhysicalPixels& operator=(const PhysicalPixels&) = delete;

private:
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    HANDLE before_ = nullptr;
};

std::string captionText(std::string caption) {
    // "&&" shows one "&", a single "&" underlines the next letter and takes no room.
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

// Width of a text in the look a layout row gives its control, at `height` pixels.
int textWidth(const vexal::layout::FontLook& look, int height, const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-height, 0, 0, 0, look.bold ? FW_BOLD : FW_NORMAL, look.italic, 0, 0, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             static_cast<DWORD>((look.fixedPitch ? FIXED_PITCH : DEFAULT_PITCH) | FF_DONTCARE),
                             look.name ? look.name : "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return size.cx;
}

// Room a control of this class keeps beside its caption at 96 dpi: a button's
// edges, a check box's box and gap.
int frameRoom(const std::string& cls, LONG style) {
    if (cls != "Button") return 0;
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) return 17;
    if (type == BS_GROUPBOX) return 12;
    return 6;
}

struct Seen {
    RECT client{};
    std::map<std::string, RECT> where;  // visible controls only
    std::map<std::string, std::string> text;
    std::map<std::string, std::string> cls;
    std::map<std::string, LONG> style;
    int dateInkRows = 0;  // rows of the date field that show text
};

Seen look(const Sandbox& box, const char* shot) {
    Seen seen;
    Vexal vexal(box);
    EXPECT_TRUE(vexal.waitShown());
    // The date field is written by its first timer tick.
    e2e::waitFor([&] { return !vexal.text("stDate").empty(); }, 5s);
    GetClientRect(vexal.main(), &seen.client);
    for (const auto& row : vexal::layout::controls()) {
        HWND h = vexal.control(row.name);
        if (!h || !IsWindowVisible(h)) continue;
        seen.where[row.name] = vexal.clientRect(row.name);
        char cls[32] = {};
        GetClassNameA(h, cls, sizeof cls);
        seen.cls[row.name] = cls;
        seen.style[row.name] = GetWindowLongA(h, GWL_STYLE);
        seen.text[row.name] = vexal.text(row.name);
    }
    if (const char* artifacts = getenv("VEXAL_ARTIFACTS_WIN")) vexal.screenshot(std::string(artifacts) + shot);
    int w = 0, h = 0;
    const auto pixels = e2e::windowPixels(vexal.control("stDate"), w, h);
    for (int y = 0; y < h; ++y) {
        int dark = 0;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * w + x];
            if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 96) ++dark;
        }
        if (dark > 0 && y > 1 && y < h - 2) ++seen.dateInkRows;  // the sunken edge is not text
    }
    return seen;
}

int width(const RECT& r) { return r.right - r.left; }
int height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

TEST(HighDpi, AtOneHundredFiftyPercentTheWindowGrowsAndEveryCaptionThatFitsStillFits) {
    const PhysicalPixels physical;
    Sandbox box;
    box.writeSettings();
    const Seen at96 = look(box, "\\main-window-96dpi.bmp");
    Seen at144;
    {
        const ScreenDpi dpi(144);
        at144 = look(box, "\\main-window-144dpi.bmp");
    }
    std::printf("[ figure ] client area %dx%d at 96 dpi, %dx%d at 144; the date's text %d rows high, then %d\n",
                width(at96.client), height(at96.client), width(at144.client), height(at144.client), at96.dateInkRows,
                at144.dateInkRows);
    ASSERT_EQ(width(at96.client), vexal::layout::kClientWidth);
    EXPECT_NEAR(width(at144.client), vexal::layout::kClientWidth * 3 / 2, 1);
    EXPECT_NEAR(height(at144.client), vexal::layout::kClientHeight * 3 / 2, 1);
    EXPECT_EQ(at144.where.size(), at96.where.size());

    for (const auto& row : vexal::layout::controls()) {
        const auto small = at96.where.find(row.name);
        const auto large = at144.where.find(row.name);
        if (small == at96.where.end() || large == at144.where.end()) continue;
        SCOPED_TRACE(row.name);
        const RECT& r = large->second;
        // Inside the client area, where the design puts it at 1.5 times the size.
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, at144.client.right);
        EXPECT_LE(r.bottom, at144.client.bottom);
        EXPECT_NEAR(r.left, small->second.left * 3 / 2, 1);
        EXPECT_NEAR(width(r), width(small->second) * 3 / 2, 2);
        // A caption that fits at 96 dpi fits at 144.
        const std::string& cls = at144.cls.at(row.name);
        if (cls != "Button" && cls != "Static") continue;
        const std::string text = captionText(at144.text.at(row.name));
        if (text.empty() || text.find('\n') != std::string::npos) continue;
        const int room = frameRoom(cls, at144.style.at(row.name));
        const int fontHeight = row.font.height;
        if (textWidth(row.font, fontHeight, text) + room > width(small->second)) continue;
        EXPECT_LE(textWidth(row.font, fontHeight * 3 / 2, text) + room * 3 / 2, width(r)) << text;
    }

    // The status line and the date field: as tall as their text, the date drawn large.
    for (const char* name : {"stInfo", "stDate"}) {
        SCOPED_TRACE(name);
        const auto* row = [&]() -> const vexal::layout::ControlRow* {
            for (const auto& r : vexal::layout::controls())
                if (std::strcmp(r.name, name) == 0) return &r;
            return nullptr;
        }();
        ASSERT_NE(row, nullptr);
        ASSERT_TRUE(at144.where.count(name));
        EXPECT_GE(height(at144.where.at(name)), row->font.height * 3 / 2);
    }
    const auto& dateRow = *[&]() -> const vexal::layout::ControlRow* {
        for (const auto& r : vexal::layout::controls())
            if (std::strcmp(r.name, "stDate") == 0) return &r;
        return nullptr;
    }();
    EXPECT_LE(textWidth(dateRow.font, dateRow.font.height * 3 / 2, at144.text.at("stDate")),
              width(at144.where.at("stDate")));
    EXPECT_GT(at96.dateInkRows, 0);
    EXPECT_GE(at144.dateInkRows * 10, at96.dateInkRows * 13) << at96.dateInkRows << " rows at 96 dpi";
}
