#include "ui/dispatch.h"

#include <exception>

namespace vexal::ui {

void runHandler(const std::function<void()>& handler, const std::function<void(const std::string&)>& showError) {
    if (!handler) return;
    try {
        handler();
    } catch (const std::exception& e) {
        if (showError) showError(e.what());
    } catch (...) {
        if (showError) showError("Unknown error");
    }
}

}  // namespace vexal::ui
