#include "platform/win32/svc_clock.h"

#include <windows.h>

namespace vexal::platform::win32 {
namespace {

SYSTEMTIME systemTimeOf(const DateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

char localeChar(LCTYPE type, char fallback) {
    char value[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, value, sizeof value) < 2) return fallback;
    return value[0];
}

}  // namespace

DateTime Win32Clock::now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Win32Clock::dateTimeText(const DateTime& t) { return shortDateText(t) + " " + longTimeText(t); }

std::string Win32Clock::shortDateText(const DateTime& t) {
    const SYSTEMTIME st = systemTimeOf(t);
    char text[128] = {};
    const int length = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, sizeof text);
    return length > 0 ? std::string(text) : std::string();
}

std::string Win32Clock::longTimeText(const DateTime& t) {
    const SYSTEMTIME st = systemTimeOf(t);
    char text[128] = {};
    const int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, sizeof text);
    return length > 0 ? std::string(text) : std::string();
}

NumberFormat Win32Clock::numberFormat() {
    NumberFormat format;
    format.thousands = localeChar(LOCALE_STHOUSAND, format.thousands);
    format.decimal = localeChar(LOCALE_SDECIMAL, format.decimal);
    return format;
}

std::string Win32Clock::lower(const std::string& text) {
    std::string copy = text;
    if (!copy.empty()) CharLowerBuffA(copy.data(), static_cast<DWORD>(copy.size()));
    return copy;
}

}  // namespace vexal::platform::win32
