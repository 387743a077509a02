#pragma once
// Owning wrappers for the handles the Win32 code opens. Copying is deleted so a
// handle is closed exactly once; moving hands the ownership on.
#include <windows.h>

#include <utility>

namespace vexal::platform::win32 {

template <typename Traits>
class Scoped {
public:
    using Type = typename Traits::Type;

    Scoped() = default;
    explicit Scoped(Type handle) : value(handle) {}
    ~Scoped() { reset(); }

    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : value(other.release()) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    [[nodiscard]] Type get() const { return value; }
    [[nodiscard]] bool valid() const { return Traits::valid(value); }
    explicit operator bool() const { return valid(); }

    Type release() { return std::exchange(value, Traits::invalid()); }
    void reset(Type handle = Traits::invalid()) {
        if (Traits::valid(value)) Traits::close(value);
        value = handle;
    }

private:
    Type value = Traits::invalid();
};

// Kernel handles: CreateFile reports failure as INVALID_HANDLE_VALUE, most other
// calls as NULL, so both count as "no handle".
struct HandleTraits {
    using Type = HANDLE;
    static Type invalid() { return nullptr; }
    static bool valid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Type h) { CloseHandle(h); }
};

struct FindTraits {
    using Type = HANDLE;
    static Type invalid() { return INVALID_HANDLE_VALUE; }
    static bool valid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Type h) { FindClose(h); }
};

template <typename T>
struct GdiTraits {
    using Type = T;
    static Type invalid() { return nullptr; }
    static bool valid(Type h) { return h != nullptr; }
    static void close(Type h) { DeleteObject(h); }
};

struct MemoryDcTraits {
    using Type = HDC;
    static Type invalid() { return nullptr; }
    static bool valid(Type h) { return h != nullptr; }
    static void close(Type h) { DeleteDC(h); }
};

struct MenuTraits {
    using Type = HMENU;
    static Type invalid() { return nullptr; }
    static bool valid(Type h) { return h != nullptr; }
    static void close(Type h) { DestroyMenu(h); }
};

struct HookTraits {
    using Type = HHOOK;
    static Type invalid() { return nullptr; }
    static bool valid(Type h) { return h != nullptr; }
    static void close(Type h) { UnhookWindowsHookEx(h); }
};

struct RegKeyTraits {
    using Type = HKEY;
    static Type invalid() { return nullptr; }
    static bool valid(Type h) { return h != nullptr; }
    static void close(Type h) { RegCloseKey(h); }
};

using ScopedHandle = Scoped<HandleTraits>;
using ScopedFindHandle = Scoped<FindTraits>;
using ScopedFont = Scoped<GdiTraits<HFONT>>;
using ScopedBrush = Scoped<GdiTraits<HBRUSH>>;
using ScopedBitmap = Scoped<GdiTraits<HBITMAP>>;
using ScopedMemoryDc = Scoped<MemoryDcTraits>;  // from CreateCompatibleDC
using ScopedMenu = Scoped<MenuTraits>;
using ScopedHook = Scoped<HookTraits>;
using ScopedRegKey = Scoped<RegKeyTraits>;

// A window's device context from GetDC, given back with ReleaseDC.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND window) : window(window), dc(GetDC(window)) {}
    ~ScopedWindowDc() {
        if (dc) ReleaseDC(window, dc);
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    [[nodiscard]] HDC get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// Selects a GDI object into a DC and puts the previous one back, so the object
// can be deleted afterwards without leaving the DC pointing at it.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~ScopedSelection() {
        if (previous && previous != HGDI_ERROR) SelectObject(dc, previous);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

}  // namespace vexal::platform::win32
