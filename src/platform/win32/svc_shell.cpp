#include "platform/win32/svc_shell.h"
#include "platform/win32/lazy_api.h"

#include <windows.h>
// windows.h must come before the other system headers.
#include <shellapi.h>

#include "platform/win32/svc_error_text.h"
#include "util/error.h"

namespace vexal::platform::win32 {

void Win32Shell::open(const std::string& file, const std::string& params, const std::string& directory, ShowCmd show,
                      bool withOwner) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // The shell's own error box is suppressed: the failure comes back as an
    // exception, so the user sees the program's one error box and not two.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = withOwner ? owner : nullptr;
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.lpParameters = params.empty() ? nullptr : params.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = static_cast<int>(show);
    if (!lazy::ShellExecuteExA(&info)) throw Error("Cannot start " + file + ": " + systemErrorText(GetLastError()));
}

}  // namespace vexal::platform::win32
