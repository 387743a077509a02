#pragma once
// A second copy of the program, started with a link while the first one runs,
// hands the link over instead of opening it itself.
#include <string>

namespace vexal::window {

// Finds the running copy's main window (waiting a few seconds for a copy that is
// still starting) and sends it the link. False when no copy took it.
bool handLinkToRunningCopy(const std::string& link);

}  // namespace vexal::window
