#pragma once
// Functions of libraries that most runs never need, loaded on their first use.
// Every library imported at start costs start-up time (under Wine some tens of
// milliseconds each); the shell, the dialogs, the media layer and the internet
// check are only needed once the user asks for them.
#include <windows.h>
// after windows.h, which they need
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

namespace vexal::platform::win32::lazy {

// Each fails as the real function does when its library cannot be loaded
// (FALSE or nullptr, with ERROR_PROC_NOT_FOUND as the last error).
BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info);
BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data);
PIDLIST_ABSOLUTE SHBrowseForFolderA(BROWSEINFOA* info);
BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path);
HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);
void CoTaskMemFree(void* memory);
BOOL GetOpenFileNameA(OPENFILENAMEA* dialog);
DWORD CommDlgExtendedError();
BOOL InternetGetConnectedState(DWORD* flags, DWORD reserved);
MCIERROR mciSendStringA(LPCSTR command, LPSTR answer, UINT answerLength, HWND callback);
BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT length);

// The folder browser and some shell handlers are COM objects that want a
// single-threaded apartment on this thread: entered once, on first need.
void enterComApartment();

}  // namespace vexal::platform::win32::lazy
