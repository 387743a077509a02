#include "platform/win32/svc_process.h"

#include <windows.h>

#include "util/command_line.h"
// windows.h must come before the other system headers.
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/lazy_api.h"
#include "platform/win32/svc_error_text.h"
#include "util/error.h"

namespace vexal::platform::win32 {
namespace {

std::string toSystemCodePage(const wchar_t* text) {
    const int needed = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 1) return {};
    std::string result(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), needed, nullptr, nullptr);
    result.resize(static_cast<std::size_t>(needed - 1));
    return result;
}

}  // namespace

Win32Process::~Win32Process() { releaseMutex(); }

std::string Win32Process::exePath() {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);  // truncated: try again with more room
    }
}

// Split by the shell's own rules (quotes, backslashes before quotes), then
// brought into the system code page the rest of the program works in.
std::vector<std::string> Win32Process::arguments() {
    // Split here rather than by the shell library, which would be loaded for it at every start.
    return util::splitCommandLine(toSystemCodePage(GetCommandLineW()));
}

bool Win32Process::createMutex(const std::string& name) {
    // Taking ownership at creation; a second CreateMutex on the same name, even in
    // this process, only opens the existing one and says so.
    ScopedHandle mutex(CreateMutexA(nullptr, TRUE, name.c_str()));
    const DWORD code = GetLastError();
    if (!mutex) throw Error(systemErrorText(code));
    mutexes.push_back(std::move(mutex));
    return code != ERROR_ALREADY_EXISTS;
}

void Win32Process::releaseMutex() {
    for (auto& mutex : mutexes) ReleaseMutex(mutex.get());  // fails harmlessly where we never owned it
    mutexes.clear();
}

std::optional<FileVersion> Win32Process::fileVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO) || fixed->dwSignature != 0xFEEF04BD)
        return std::nullopt;
    return FileVersion{fixed->dwFileVersionMS, fixed->dwFileVersionLS};
}

std::string Win32Process::environment(const std::string& name) {
    const DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::string value(needed, '\0');
    const DWORD length = GetEnvironmentVariableA(name.c_str(), value.data(), needed);
    value.resize(length < needed ? length : 0);
    return value;
}

std::string Win32Process::personalFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(lazy::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

}  // namespace vexal::platform::win32
