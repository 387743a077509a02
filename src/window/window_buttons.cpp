// Push buttons and check boxes, made as the system's buttons: a button's picture
// as an image list, a click (or the check box's toggle) to the model.
#include "window/window_backend.h"
#include "window/window_text.h"

namespace vexal::window {

const WindowBackend::KindHandler WindowBackend::kButtonKind{
    .windowClass = WC_BUTTONA,
    .style = BS_PUSHBUTTON | WS_TABSTOP,
    .text = captionOf,
    .command = &WindowBackend::buttonCommand,
};

const WindowBackend::KindHandler WindowBackend::kBitButtonKind{
    .windowClass = WC_BUTTONA,
    .style = BS_PUSHBUTTON | WS_TABSTOP,
    .text = captionOf,
    .created = &WindowBackend::applyPicture,
    .command = &WindowBackend::buttonCommand,
};

// Not an auto check box: the model toggles the state and the window follows.
const WindowBackend::KindHandler WindowBackend::kCheckBoxKind{
    .windowClass = WC_BUTTONA,
    .style = BS_CHECKBOX | WS_TABSTOP,
    .text = captionOf,
    .apply = &WindowBackend::applyCheckBox,
    .command = &WindowBackend::checkBoxCommand,
};

void WindowBackend::applyPicture(ControlWindow& cw) {
    const auto& button = static_cast<const ui::Button&>(*cw.control);
    if (button.picture < 0) return;
    cw.images = buttonImages(button);
    if (!cw.images) return;
    BUTTON_IMAGELIST bil{};
    bil.himl = cw.images;
    bil.uAlign = button.pictureRight ? BUTTON_IMAGELIST_ALIGN_RIGHT : BUTTON_IMAGELIST_ALIGN_LEFT;
    // The spacing is the gap between picture and caption.
    if (button.pictureRight)
        bil.margin = {px(button.spacing), 0, px(3), 0};
    else
        bil.margin = {px(3), 0, px(button.spacing), 0};
    SendMessageA(cw.hwnd, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
}

bool WindowBackend::applyCheckBox(ControlWindow& cw, ui::Property property) {
    if (property != ui::Property::Checked) return false;
    const auto& box = static_cast<const ui::CheckBox&>(*cw.control);
    SendMessageA(cw.hwnd, BM_SETCHECK, box.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

void WindowBackend::buttonCommand(ControlWindow& cw, UINT code) {
    if (code == BN_CLICKED) guarded([&cw] { cw.control->click(); });
}

void WindowBackend::checkBoxCommand(ControlWindow& cw, UINT code) {
    auto& box = static_cast<ui::CheckBox&>(*cw.control);
    if (code == BN_CLICKED) guarded([&box] { box.toggleByUser(); });
}

}  // namespace vexal::window
