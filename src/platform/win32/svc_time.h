#pragma once
// Between the program's local date-time values and the system's.
#include <windows.h>

#include "platform/platform.h"

namespace vexal::platform::win32 {

inline SYSTEMTIME systemTimeOf(const DateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

inline DateTime dateTimeOf(const SYSTEMTIME& st) {
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

}  // namespace vexal::platform::win32
