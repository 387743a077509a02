#include "platform/win32/svc_clock.h"

#include <windows.h>

#include "platform/win32/svc_time.h"

namespace vexal::platform::win32 {
namespace {

char localeChar(LCTYPE type, char fallback) {
    char value[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, value, sizeof value) < 2) return fallback;
    return value[0];
}

}  // namespace

DateTime Win32Clock::now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return dateTimeOf(st);
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
