#include "platform/win32/svc_registry.h"

#include <windows.h>

#include "platform/win32/scoped.h"
#include "platform/win32/svc_error_text.h"
#include "util/error.h"

namespace vexal::platform::win32 {

namespace {

ScopedRegKey openKey(const std::string& key, REGSAM access, HKEY root = HKEY_CURRENT_USER) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, access, &h) != ERROR_SUCCESS) return ScopedRegKey();
    return ScopedRegKey(h);
}

[[noreturn]] void fail(const std::string& key, LONG status) {
    throw Error("HKEY_CURRENT_USER\\" + key + ": " + systemErrorText(static_cast<unsigned long>(status)));
}

std::optional<std::string> readValue(const ScopedRegKey& k, const std::string& name) {
    if (!k) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    // Another program may have changed the value between the two calls: a few tries.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string text(size + 1, '\0');
        DWORD got = size;
        const LONG status =
            RegQueryValueExA(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got);
        if (status == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        // A stored string need not end with its NUL, and may hold one early.
        text.resize(got);
        if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
        return text;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> Win32Registry::readString(const std::string& key, const std::string& name) {
    return readValue(openKey(key, KEY_QUERY_VALUE), name);
}

std::optional<std::string> Win32Registry::readMachineString(const std::string& key, const std::string& name,
                                                            View view) {
    const REGSAM bits = view == View::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    return readValue(openKey(key, KEY_QUERY_VALUE | bits, HKEY_LOCAL_MACHINE), name);
}

bool Win32Registry::keyExists(const std::string& key) { return openKey(key, KEY_READ).valid(); }

void Win32Registry::writeString(const std::string& key, const std::string& name, const std::string& value) {
    HKEY h = nullptr;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                  nullptr, &h, nullptr);
    if (status != ERROR_SUCCESS) fail(key, status);
    const ScopedRegKey k(h);
    status = RegSetValueExA(k.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1));
    if (status != ERROR_SUCCESS) fail(key, status);
}

void Win32Registry::deleteTree(const std::string& key) {
    const LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) fail(key, status);
}

}  // namespace vexal::platform::win32
