#pragma once
#include "platform/platform.h"

namespace vexal::backup {

// The last step of the program entry after a restore: this copy's window, hotkeys,
// tray icon and mutex are gone, so the new copy is neither turned away by the
// single-instance guard nor overwritten by anything this one still does. A start
// the shell refuses is reported; nothing is written either way.
void startRestoredCopy(platform::Services& services);

}  // namespace vexal::backup
