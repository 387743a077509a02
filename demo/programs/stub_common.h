#pragma once
// Shared by the demo's stand-in programs (game, server browser, updater). Each of them is one
// small static exe; this header keeps the record format and the little window identical.

#include <windows.h>

#include <string>
#include <vector>

namespace stub {

// The folder of the running executable, with its trailing backslash.
inline std::string ownFolder() {
  char path[MAX_PATH * 2] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s(path, n);
  const auto slash = s.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : s.substr(0, slash + 1);
}

// The command line exactly as the caller passed it, minus the program's own name and the one
// blank that separates it from the arguments. Blanks beyond that one are part of what the
// caller sent, and the tests that read our record want to see them.
inline std::string argumentsAsReceived() {
  const char* p = GetCommandLineA();
  // The program name ends at the first blank outside quotes, as the C runtime splits argv[0].
  bool quoted = false;
  for (; *p; ++p) {
    if (*p == '"')
      quoted = !quoted;
    else if (!quoted && (*p == ' ' || *p == '\t'))
      break;
  }
  if (*p == ' ' || *p == '\t') ++p;
  return p;
}

inline std::string currentDirectory() {
  const DWORD n = GetCurrentDirectoryA(0, nullptr);
  std::string s(n, '\0');
  const DWORD got = GetCurrentDirectoryA(n, s.data());
  s.resize(got < n ? got : 0);
  return s;
}

// Appends one whole record with a single append-only write, so records of several copies started
// at once never interleave.
inline bool appendRecord(const std::string& path, const std::string& record) {
  HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(h, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == record.size();
}

// "<arguments>\t<current directory>\r\n" into <own folder>\<logName>.
inline void recordLaunch(const char* logName) {
  appendRecord(ownFolder() + logName, argumentsAsReceived() + "\t" + currentDirectory() + "\r\n");
}

// Writes a whole file through a temporary name, so a reader never sees it half written.
inline bool writeWholeFile(const std::string& path, const std::string& text) {
  const std::string tmp = path + ".tmp";
  HANDLE h = CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);
  if (!ok || written != text.size() || !MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(tmp.c_str());
    return false;
  }
  return true;
}

// Tests start the stubs with VEXAL_STUB_EXIT=1: record, then end without a window to close.
inline bool exitRightAway() {
  char value[8] = {};
  const DWORD n = GetEnvironmentVariableA("VEXAL_STUB_EXIT", value, sizeof value);
  return n == 1 && value[0] == '1';
}

struct Row {
  std::string label;
  std::string value;
};

inline LRESULT CALLBACK stubWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  default:
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

// A small fixed window: a heading, then label/value rows. The values are read-only edit boxes, so
// a user can copy them and a test driver can read them back with WM_GETTEXT. Esc or the close box
// ends the program.
inline int runWindow(HINSTANCE instance, const char* title, const std::string& heading, const std::vector<Row>& rows) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = stubWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "VexalDemoStub";
  RegisterClassA(&wc);

  constexpr int kWidth = 520, kLabel = 110, kRow = 26, kMargin = 12;
  const int clientHeight = kMargin + 24 + static_cast<int>(rows.size()) * kRow + kMargin + 20;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r = {0, 0, kWidth, clientHeight};
  AdjustWindowRect(&r, style, FALSE);
  HWND hwnd = CreateWindowA(wc.lpszClassName, title, style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  auto child = [&](const char* cls, const std::string& text, DWORD extra, int x, int y, int w, int h) {
    HWND c = CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | extra, x, y, w, h, hwnd, nullptr, instance,
                             nullptr);
    SendMessageA(c, WM_SETFONT, font, FALSE);
    return c;
  };
  child("STATIC", heading, SS_NOPREFIX, kMargin, kMargin, kWidth - 2 * kMargin, 18);
  int y = kMargin + 24;
  for (const Row& row : rows) {
    child("STATIC", row.label, SS_NOPREFIX, kMargin, y + 3, kLabel - 4, 16);
    child("EDIT", row.value, WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, kMargin + kLabel, y, kWidth - 2 * kMargin - kLabel,
          21);
    y += kRow;
  }
  child("STATIC", "Esc closes this window.", SS_NOPREFIX, kMargin, y + 4, kWidth - 2 * kMargin, 16);

  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  SetFocus(hwnd); // keys reach the message loop as WM_KEYDOWN only while some window has the focus
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    // Esc is caught here because the focus usually sits in one of the edit boxes.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      DestroyWindow(hwnd);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

} // namespace stub
