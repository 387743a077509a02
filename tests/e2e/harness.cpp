#include "e2e/harness.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/layout.h"

namespace e2e {

namespace {

std::string windowText(HWND h) {
    char buf[4096] = {};
    SendMessageTimeoutA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, nullptr);
    return buf;
}

std::string className(HWND h) {
    char buf[256] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

struct Found {
    DWORD pid;
    std::string cls;
    HWND hwnd = nullptr;
};

BOOL CALLBACK findTop(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == f->pid && className(h) == f->cls && (f->cls != "#32770" || IsWindowVisible(h))) {
        f->hwnd = h;
        return FALSE;
    }
    return TRUE;
}

HWND topWindow(DWORD pid, const std::string& cls) {
    Found f{pid, cls};
    EnumWindows(findTop, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}

void copyOrFail(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy " + from + " to " + to);
}

}  // namespace

void removeTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = dir + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string buildDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::chrono::milliseconds scaled(std::chrono::milliseconds limit) {
    static const int scale = [] {
        const char* text = std::getenv("VEXAL_E2E_TIME_SCALE");
        return text && std::atoi(text) > 1 ? std::atoi(text) : 1;
    }();
    return limit * scale;
}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + scaled(limit);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

Sandbox::Sandbox() {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    root = std::string(temp) + "vexal-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    removeTree(root);
    CreateDirectoryA(root.c_str(), nullptr);
    program = root + "\\program\\";
    game = root + "\\game";
    CreateDirectoryA(program.c_str(), nullptr);
    CreateDirectoryA(game.c_str(), nullptr);
    copyOrFail(buildDir() + "Vexal.exe", program + "Vexal.exe");
    copyOrFail(buildDir() + "et.exe", game + "\\et.exe");
    makeDir(game + "\\etmain");
}

Sandbox::~Sandbox() { removeTree(root); }

void Sandbox::write(const std::string& path, const std::string& content) const {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::optional<std::string> Sandbox::read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool Sandbox::exists(const std::string& path) const {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Sandbox::makeDir(const std::string& path) const {
    // Creates every missing level.
    for (std::size_t i = 3; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

void Sandbox::writeSettings(const std::string& extra) const {
    // No story asks a real master: without masters of its own (on 127.0.0.1), the
    // slots are left free, which leaves none.
    const std::string masters = extra.find("[Masters]") == std::string::npos ? "[Masters]\r\nMaster1=\r\n\r\n" : "";
    write(program + "Vexal.ini", "[Paths]\r\netPath=" + game + "\r\n\r\n" + extra + masters);
}

std::vector<std::string> Sandbox::launches() const {
    std::vector<std::string> out;
    const auto text = read(game + "\\et-launch.log");
    if (!text) return out;
    std::istringstream in(*text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) out.push_back(line);
    }
    return out;
}

Vexal::Vexal(const Sandbox& box, const std::string& args, const std::string& exeName) {
    SetEnvironmentVariableA("VEXAL_STUB_EXIT", stubsStay_ ? nullptr : "1");
    std::string cmd = "\"" + box.program + exeName + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    // Once under a loaded Wine the start of a program just copied into place failed at
    // once; a second try, and the reason if that fails too.
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, box.program.c_str(), &si, &info_))
            return;
        const DWORD error = GetLastError();
        if (attempt == 1) throw std::runtime_error("cannot start " + cmd + ": error " + std::to_string(error));
        Sleep(500);
    }
}

namespace {

struct Other {
    DWORD exceptPid;
    DWORD pid = 0;
};

BOOL CALLBACK findOther(HWND h, LPARAM lp) {
    auto* o = reinterpret_cast<Other*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != o->exceptPid && className(h) == "TfrmVexal") {
        o->pid = pid;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::unique_ptr<Vexal> Vexal::adopt(DWORD exceptPid, std::chrono::milliseconds limit) {
    Other other{exceptPid};
    waitFor(
        [&] {
            EnumWindows(findOther, reinterpret_cast<LPARAM>(&other));
            return other.pid != 0;
        },
        limit);
    if (other.pid == 0) return nullptr;
    std::unique_ptr<Vexal> v(new Vexal());
    v->info_.dwProcessId = other.pid;
    v->info_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, other.pid);
    if (!v->info_.hProcess) return nullptr;
    return v;
}

Vexal::~Vexal() {
    if (running()) {
        if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
        if (!waitExit(std::chrono::seconds(3))) TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    if (info_.hThread) CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Vexal::running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool Vexal::waitExit(std::chrono::milliseconds limit) {
    return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(scaled(limit).count())) == WAIT_OBJECT_0;
}

DWORD Vexal::exitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND Vexal::waitMain(std::chrono::milliseconds limit) {
    waitFor([&] { return (main_ = topWindow(pid(), "TfrmVexal")) != nullptr || !running(); }, limit);
    return main_;
}

bool Vexal::waitShown(std::chrono::milliseconds limit) {
    return waitMain(limit) && waitFor([&] { return IsWindowVisible(main_) != FALSE; }, limit);
}

std::string Vexal::caption() const { return windowText(main_); }

std::string Vexal::appTitle() const { return windowText(GetWindow(main_, GW_OWNER)); }

HWND Vexal::control(const std::string& name) const {
    const int id = vexal::layout::controlId(name.c_str());
    return id ? GetDlgItem(main_, id) : nullptr;
}

std::string Vexal::text(const std::string& name) const { return windowText(control(name)); }

std::vector<std::string> Vexal::items(const std::string& name) const {
    HWND h = control(name);
    const bool combo = className(h) == "ComboBox";
    const UINT countMsg = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT textMsg = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::string> out;
    const auto n = SendMessageA(h, countMsg, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        // Asked for wide text: a subclassed list answers its narrow twin with the wide bytes.
        std::wstring w(8192, L'\0');
        SendMessageW(h, textMsg, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.data()));
        w.resize(wcslen(w.c_str()));
        std::string s(w.size() * 2 + 1, '\0');
        const int len = WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), s.data(),
                                            static_cast<int>(s.size()), nullptr, nullptr);
        s.resize(static_cast<std::size_t>(len));
        out.push_back(s);
    }
    return out;
}

bool Vexal::checked(const std::string& name) const {
    return SendMessageA(control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Vexal::enabled(const std::string& name) const { return IsWindowEnabled(control(name)) != FALSE; }

void Vexal::setText(const std::string& name, const std::string& text) const {
    SendMessageA(control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Vexal::click(const std::string& name) const { PostMessageA(control(name), BM_CLICK, 0, 0); }

void Vexal::selectItem(const std::string& name, int index) const {
    HWND h = control(name);
    SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), LBN_SELCHANGE), reinterpret_cast<LPARAM>(h));
}

std::vector<std::vector<std::string>> Vexal::rows(const std::string& name) const {
    std::vector<std::vector<std::string>> out;
    HWND h = control(name);
    if (!h) return out;
    HWND header = reinterpret_cast<HWND>(SendMessageA(h, LVM_GETHEADER, 0, 0));
    const auto columns = header ? SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    const auto count = SendMessageA(h, LVM_GETITEMCOUNT, 0, 0);
    // The item and its text buffer must lie in the list's own process.
    constexpr std::size_t kText = 1024;
    char* remote = static_cast<char*>(
        VirtualAllocEx(info_.hProcess, nullptr, sizeof(LVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
    if (!remote) return out;
    for (LRESULT r = 0; r < count; ++r) {
        std::vector<std::string> cells;
        for (LRESULT c = 0; c < columns; ++c) {
            LVITEMA item{};
            item.iSubItem = static_cast<int>(c);
            item.pszText = remote + sizeof(LVITEMA);
            item.cchTextMax = static_cast<int>(kText);
            SIZE_T done = 0;
            WriteProcessMemory(info_.hProcess, remote, &item, sizeof item, &done);
            const auto length =
                SendMessageA(h, LVM_GETITEMTEXTA, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(remote));
            std::string text(kText, '\0');
            ReadProcessMemory(info_.hProcess, remote + sizeof(LVITEMA), text.data(), kText, &done);
            text.resize(std::min<std::size_t>(static_cast<std::size_t>(std::max<LRESULT>(length, 0)), kText));
            cells.push_back(text);
        }
        out.push_back(cells);
    }
    VirtualFreeEx(info_.hProcess, remote, 0, MEM_RELEASE);
    return out;
}

int Vexal::selectedRow(const std::string& name) const {
    return static_cast<int>(SendMessageA(control(name), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Vexal::key(const std::string& name, WORD vk, char ch) const {
    HWND h = control(name);
    if (className(h) == "ComboBox") {
        if (HWND edit = FindWindowExA(h, nullptr, "Edit", nullptr)) h = edit;
    }
    PostMessageA(h, WM_KEYDOWN, vk, 1);
    if (ch) PostMessageA(h, WM_CHAR, static_cast<unsigned char>(ch), 1);
    PostMessageA(h, WM_KEYUP, vk, 0xC0000001);
}

void Vexal::postKey(WORD vk, bool ctrl) const {
    // Posted key messages pass the message loop's accelerator translation like real ones.
    HWND target = control("btnAdd");  // which has the focus after showing
    if (ctrl) PostMessageA(target, WM_KEYDOWN, VK_CONTROL, 1);
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
    if (ctrl) PostMessageA(target, WM_KEYUP, VK_CONTROL, 0xC0000001);
}

void Vexal::command(vexal::Cmd command) const {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(static_cast<int>(command), 0), 0);
}

std::optional<std::string> Vexal::waitBox(std::chrono::milliseconds limit) {
    box_ = nullptr;
    waitFor([&] { return (box_ = topWindow(pid(), "#32770")) != nullptr; }, limit);
    if (!box_) return std::nullopt;
    // The message text is the static control with id 0xFFFF.
    std::string text = windowText(GetDlgItem(box_, 0xFFFF));
    return text;
}

std::string Vexal::boxCaption() const { return box_ ? windowText(box_) : std::string(); }

std::vector<std::string> Vexal::boxButtons() const {
    std::vector<std::string> out;
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND b = box_ ? GetDlgItem(box_, id) : nullptr;
        if (b && IsWindowVisible(b)) out.push_back(windowText(b));
    }
    return out;
}

bool Vexal::answerBox(int buttonId) {
    if (!box_) return false;
    HWND closing = box_;
    box_ = nullptr;
    Sleep(300);  // a dialog can be visible a moment before it answers
    // A dialog still filling itself (the folder browser walks the shell) may miss the first press.
    for (int attempt = 0; attempt < 5; ++attempt) {
        HWND button = GetDlgItem(closing, buttonId);
        if (button)
            PostMessageA(closing, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        else if (buttonId == IDCANCEL)
            PostMessageA(closing, WM_CLOSE, 0, 0);
        if (waitFor([&] { return !IsWindow(closing) || !IsWindowVisible(closing); }, std::chrono::seconds(2)))
            return true;
    }
    return false;
}

bool Vexal::chooseFile(const std::string& path) {
    if (!box_) return false;
    // The name field is an edit inside the combo box cmb13 (0x47C), itself inside a
    // ComboBoxEx on Wine; the older dialog has the plain edit edt1 (0x480).
    HWND name = nullptr;
    for (HWND h = GetDlgItem(box_, 0x47C); h && !name; h = FindWindowExA(h, nullptr, "ComboBox", nullptr))
        name = FindWindowExA(h, nullptr, "Edit", nullptr);
    if (!name) name = GetDlgItem(box_, 0x480);
    if (!name) return false;
    Sleep(300);  // the dialog fills its list before it takes the name
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return answerBox(IDOK);
}

void Vexal::shortcut(WORD vk, bool ctrl, bool shift) const {
    // Real key strokes: the window's accelerators read the modifier state, which
    // posted messages do not set.
    // Keys go to the window in front: wait until it is this one.
    SetForegroundWindow(main_);
    waitFor([&] { return GetForegroundWindow() == main_; }, std::chrono::seconds(3));
    std::vector<INPUT> keys;
    auto add = [&](WORD key, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        keys.push_back(in);
    };
    if (ctrl) add(VK_CONTROL, false);
    if (shift) add(VK_SHIFT, false);
    add(vk, false);
    add(vk, true);
    if (shift) add(VK_SHIFT, true);
    if (ctrl) add(VK_CONTROL, true);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

RECT Vexal::clientRect(const std::string& name) const {
    RECT r{};
    GetWindowRect(control(name), &r);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

namespace {
struct TopWindowSearch {
    const std::string& cls;
    const std::function<bool(HWND, DWORD)>& take;
    HWND found = nullptr;
};
BOOL CALLBACK topWindowOf(HWND h, LPARAM p) {
    auto& s = *reinterpret_cast<TopWindowSearch*>(p);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (IsWindowVisible(h) && s.cls == cls && s.take(h, pid)) s.found = h;
    return s.found == nullptr;
}
}  // namespace

HWND topWindow(const std::string& cls, const std::function<bool(HWND, DWORD pid)>& take) {
    TopWindowSearch search{cls, take};
    EnumWindows(topWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::uint32_t> windowPixels(HWND hwnd, int& width, int& height) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    GetDIBits(mem, bmp, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool Vexal::screenshot(const std::string& bmpPath) const {
    int w = 0, h = 0;
    const auto pixels = windowPixels(main_, w, h);
    if (pixels.empty()) return false;
    const int stride = ((w * 3 + 3) / 4) * 4;
    std::vector<char> rows(static_cast<std::size_t>(stride) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            std::memcpy(&rows[static_cast<std::size_t>(y) * stride + x * 3],
                        &pixels[static_cast<std::size_t>(y) * w + x], 3);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = -h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof info;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(rows.size());
    std::ofstream out(bmpPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
    return static_cast<bool>(out);
}

}  // namespace e2e
