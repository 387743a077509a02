#pragma once
#include <functional>
#include <string>

namespace vexal::ui {

// The one place where a handler's failure is caught: the rest of that handler is
// skipped, the message goes to `showError`, and the program carries on. No
// exception ever crosses into the window system.
void runHandler(const std::function<void()>& handler, const std::function<void(const std::string&)>& showError);

}  // namespace vexal::ui
