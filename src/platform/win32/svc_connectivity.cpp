#include "platform/win32/svc_connectivity.h"
#include "platform/win32/lazy_api.h"

#include <windows.h>
// windows.h must come before the other system headers.
#include <wininet.h>

namespace vexal::platform::win32 {

bool Win32Connectivity::connected() {
    DWORD flags = 0;
    return lazy::InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace vexal::platform::win32
