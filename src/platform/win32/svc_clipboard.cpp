#include "platform/win32/svc_clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/svc_texts.h"
#include "util/error.h"

namespace vexal::platform::win32 {
namespace {

// Clipboard viewers and managers hold the clipboard open for a moment after
// every change, so opening it is retried briefly.
constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenWaitMs = 25;

class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND window) {
        for (int attempt = 0; attempt < kOpenAttempts && !open; ++attempt) {
            if (attempt > 0) Sleep(kOpenWaitMs);
            open = OpenClipboard(window) != FALSE;
        }
    }
    ~OpenClipboardScope() {
        if (open) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    [[nodiscard]] bool isOpen() const { return open; }

private:
    bool open = false;
};

}  // namespace

Win32Clipboard::~Win32Clipboard() {
    if (helperWindow) DestroyWindow(helperWindow);
}

// Data put on the clipboard needs an owning window, otherwise EmptyClipboard
// leaves it without an owner and SetClipboardData may fail. Before the main
// window exists (and in tests) a hidden message-only window stands in.
HWND Win32Clipboard::clipboardWindow() {
    if (owner) return owner;
    if (!helperWindow)
        helperWindow =
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    return helperWindow;
}

void Win32Clipboard::setText(const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) throw Error(texts::kClipboardBusy);
    char* bytes = static_cast<char*>(GlobalLock(memory));
    if (!bytes) {
        GlobalFree(memory);
        throw Error(texts::kClipboardBusy);
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);

    OpenClipboardScope clipboard(clipboardWindow());
    if (!clipboard.isOpen() || !EmptyClipboard() || !SetClipboardData(CF_TEXT, memory)) {
        GlobalFree(memory);
        throw Error(texts::kClipboardBusy);
    }
    // The clipboard owns the memory now.
}

std::optional<std::string> Win32Clipboard::text() {
    OpenClipboardScope clipboard(clipboardWindow());
    if (!clipboard.isOpen()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) return std::nullopt;
    const std::size_t capacity = GlobalSize(data);
    const std::size_t length = strnlen(bytes, capacity);
    std::string result(bytes, length);
    GlobalUnlock(data);
    return result;
}

void Win32Clipboard::clear() {
    OpenClipboardScope clipboard(clipboardWindow());
    if (!clipboard.isOpen() || !EmptyClipboard()) throw Error(texts::kClipboardBusy);
}

}  // namespace vexal::platform::win32
