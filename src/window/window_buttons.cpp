// Push buttons and check boxes: a button's picture as an image list.
#include "window/window_backend.h"

namespace vexal::window {

void WindowBackend::applyPicture(ControlWindow& cw) {
    const auto* button = dynamic_cast<const ui::Button*>(cw.control);
    if (!button || cw.control->kind() != ui::Kind::BitButton || button->picture < 0) return;
    cw.images = buttonImages(*button);
    if (!cw.images) return;
    BUTTON_IMAGELIST bil{};
    bil.himl = cw.images;
    bil.uAlign = button->pictureRight ? BUTTON_IMAGELIST_ALIGN_RIGHT : BUTTON_IMAGELIST_ALIGN_LEFT;
    // The spacing is the gap between picture and caption.
    if (button->pictureRight)
        bil.margin = {button->spacing, 0, 3, 0};
    else
        bil.margin = {3, 0, button->spacing, 0};
    SendMessageA(cw.hwnd, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
}

}  // namespace vexal::window
