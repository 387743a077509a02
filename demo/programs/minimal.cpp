// The smallest plain Win32 window program, sized like Vexal's main window: the baseline that the
// start-up benchmark measures Vexal against. With VEXAL_BENCH_SHOWN naming a file it writes
// "<QueryPerformanceCounter> <QueryPerformanceFrequency>\n" there as soon as its window is shown
// and painted, and ends.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

// Through a temporary name and a rename, so a benchmark polling for the file never reads half of it.
void writeShownStamp(const std::string& path) {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  char text[64];
  const int n = std::snprintf(text, sizeof text, "%lld %lld\n", static_cast<long long>(counter.QuadPart),
                              static_cast<long long>(frequency.QuadPart));
  const std::string tmp = path + ".tmp";
  HANDLE h = CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, text, static_cast<DWORD>(n), &written, nullptr);
  CloseHandle(h);
  MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "VexalMinimal";
  RegisterClassA(&wc);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r = {0, 0, 553, 339};
  AdjustWindowRect(&r, style, FALSE);
  HWND hwnd = CreateWindowA(wc.lpszClassName, "Minimal", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);

  char stampFile[MAX_PATH * 2] = {};
  const DWORD n = GetEnvironmentVariableA("VEXAL_BENCH_SHOWN", stampFile, sizeof stampFile);
  if (n > 0 && n < sizeof stampFile) {
    writeShownStamp(stampFile);
    DestroyWindow(hwnd);
    return 0;
  }

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
