#include "platform/win32/lazy_api.h"

#include <wininet.h>

namespace vexal::platform::win32::lazy {

namespace {

template <typename F>
F load(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) module = LoadLibraryA(library);
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// What the real function answers when it fails.
template <typename R>
R unavailable(R answer) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return answer;
}

}  // namespace

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info) {
    enterComApartment();
    static const auto f = load<decltype(&::ShellExecuteExA)>("shell32.dll", "ShellExecuteExA");
    return f ? f(info) : unavailable(FALSE);
}

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
    static const auto f = load<decltype(&::Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
    return f ? f(message, data) : unavailable(FALSE);
}

PIDLIST_ABSOLUTE SHBrowseForFolderA(BROWSEINFOA* info) {
    enterComApartment();
    static const auto f = load<decltype(&::SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    return f ? f(info) : unavailable(PIDLIST_ABSOLUTE{});
}

BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path) {
    static const auto f = load<decltype(&::SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    return f ? f(list, path) : unavailable(FALSE);
}

HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path) {
    static const auto f = load<decltype(&::SHGetFolderPathA)>("shell32.dll", "SHGetFolderPathA");
    return f ? f(owner, folder, token, flags, path) : unavailable(E_FAIL);
}

void CoTaskMemFree(void* memory) {
    static const auto f = load<decltype(&::CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    if (f) f(memory);
}

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog) {
    enterComApartment();
    static const auto f = load<decltype(&::GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    return f ? f(dialog) : unavailable(FALSE);
}

DWORD CommDlgExtendedError() {
    static const auto f = load<decltype(&::CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError");
    return f ? f() : unavailable(DWORD{0});
}

BOOL InternetGetConnectedState(DWORD* flags, DWORD reserved) {
    static const auto f = load<decltype(&::InternetGetConnectedState)>("wininet.dll", "InternetGetConnectedState");
    return f ? f(flags, reserved) : unavailable(FALSE);
}

MCIERROR mciSendStringA(LPCSTR command, LPSTR answer, UINT answerLength, HWND callback) {
    static const auto f = load<decltype(&::mciSendStringA)>("winmm.dll", "mciSendStringA");
    return f ? f(command, answer, answerLength, callback) : unavailable(MCIERROR{MCIERR_CANNOT_LOAD_DRIVER});
}

BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT length) {
    static const auto f = load<decltype(&::mciGetErrorStringA)>("winmm.dll", "mciGetErrorStringA");
    return f ? f(error, text, length) : unavailable(FALSE);
}

void enterComApartment() {
    static const bool entered = [] {
        const auto init = load<decltype(&::CoInitializeEx)>("ole32.dll", "CoInitializeEx");
        return init && SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }();
    (void)entered;
}

}  // namespace vexal::platform::win32::lazy
