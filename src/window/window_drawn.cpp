// The controls drawn here: the flat button and the picture box, two small
// window classes of our own.
#include "window/window_backend.h"
#include "window/window_messages.h"
#include "window/window_text.h"

namespace vexal::window {

const WindowBackend::KindHandler WindowBackend::kFlatButtonKind{
    .windowClass = kFlatButtonClass,
    .text = captionOf,
    .apply = &WindowBackend::applyFlatButton,
    .message = &WindowBackend::onFlatButtonMessage,
};

const WindowBackend::KindHandler WindowBackend::kPictureKind{
    .windowClass = kPictureClass,
    .apply = &WindowBackend::applyPictureBox,
    .message = &WindowBackend::onPictureMessage,
};

// Both window classes: the backend comes with the creation, the body by the control's kind.
LRESULT CALLBACK WindowBackend::drawnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<WindowBackend*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    ControlWindow* cw = self ? self->byHwnd(hwnd) : nullptr;
    const auto body = cw ? handlerOf(cw->control->kind()).message : nullptr;
    if (!body) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->shielded([&] { return (self->*body)(*cw, hwnd, msg, wParam, lParam); }, 0);
}

bool WindowBackend::applyFlatButton(ControlWindow& cw, ui::Property property) {
    if (property != ui::Property::Text && property != ui::Property::Caption) return false;
    applyText(cw);
    InvalidateRect(cw.hwnd, nullptr, TRUE);
    return true;
}

namespace {
bool pointerInside(HWND hwnd, LPARAM lParam) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&rc, p) != FALSE;
}
}  // namespace

// The custom controls press on the mouse and click on release inside.
std::optional<LRESULT> WindowBackend::onPressable(ControlWindow& cw, HWND hwnd, UINT msg, LPARAM lParam,
                                                  void (WindowBackend::*paint)(ControlWindow&, HDC)) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            (this->*paint)(cw, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            cw.pressed = true;
            SetCapture(hwnd);
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_LBUTTONUP:
            if (cw.pressed) {
                cw.pressed = false;
                ReleaseCapture();
                InvalidateRect(hwnd, nullptr, FALSE);
                if (pointerInside(hwnd, lParam)) guarded([&cw] { cw.control->click(); });
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (cw.pressed) {
                cw.pressed = false;
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
        default:
            return std::nullopt;
    }
}

// A flat button never takes the focus and shows a raised edge only while the
// pointer is over it.
LRESULT WindowBackend::onFlatButtonMessage(ControlWindow& cw, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (const auto result = onPressable(cw, hwnd, msg, lParam, &WindowBackend::paintFlatButton)) return *result;
    switch (msg) {
        case WM_MOUSEMOVE: {
            const bool inside = pointerInside(hwnd, lParam);
            if (inside != cw.hot) {
                cw.hot = inside;
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            if (cw.hot) {
                cw.hot = false;
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
        case BM_CLICK:
            if (IsWindowEnabled(hwnd)) guarded([&cw] { cw.control->click(); });
            return 0;
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_SETTEXT: {
            const LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            return r;
        }
        case WM_GETDLGCODE:
            return DLGC_BUTTON;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void WindowBackend::paintFlatButton(ControlWindow& cw, HDC dc) {
    const auto& button = static_cast<const ui::Button&>(*cw.control);
    RECT rc{};
    GetClientRect(cw.hwnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const bool enabled = IsWindowEnabled(cw.hwnd) != FALSE;
    const bool down = enabled && cw.pressed && cw.hot;
    if (down)
        DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    else if (enabled && (cw.hot || cw.pressed))
        DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);

    const Picture* pic = picture(button.picture);
    const std::string& caption = button.caption();
    ScopedSelection selectFont(dc, font(button.font()));
    SIZE text{0, 0};
    if (!caption.empty()) {
        RECT measure{0, 0, 0, 0};
        DrawTextA(dc, caption.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
        text = {measure.right - measure.left, measure.bottom - measure.top};
    }
    const int picWidth = pic ? pic->width : 0;
    const int gap = pic && !caption.empty() ? px(button.spacing) : 0;
    const int block = picWidth + gap + text.cx;
    const int shift = down ? 1 : 0;
    int x = (rc.right - block) / 2 + shift;
    const int mid = rc.bottom / 2 + shift;
    auto drawPic = [&] {
        if (!pic) return;
        drawPicture(dc, enabled ? pic->normal.get() : pic->disabled.get(), x, mid - pic->height / 2, pic->width,
                    pic->height);
        x += pic->width + gap;
    };
    auto drawCaption = [&] {
        if (caption.empty()) return;
        RECT tr{x, mid - text.cy / 2, x + text.cx, mid - text.cy / 2 + text.cy};
        SetBkMode(dc, TRANSPARENT);
        if (enabled) {
            SetTextColor(dc, button.colour() != ui::kClDefault ? resolve(button.colour()) : GetSysColor(COLOR_BTNTEXT));
            DrawTextA(dc, caption.c_str(), -1, &tr, DT_SINGLELINE);
        } else {
            // Disabled captions are engraved: a light copy one pixel down and right.
            RECT light = tr;
            OffsetRect(&light, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextA(dc, caption.c_str(), -1, &light, DT_SINGLELINE);
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
            DrawTextA(dc, caption.c_str(), -1, &tr, DT_SINGLELINE);
        }
        x += text.cx + gap;
    };
    if (button.pictureRight) {
        drawCaption();
        drawPic();
    } else {
        drawPic();
        drawCaption();
    }
}

bool WindowBackend::applyPictureBox(ControlWindow& cw, ui::Property property) {
    if (property != ui::Property::Picture) return false;
    cw.shownImage = {};
    InvalidateRect(cw.hwnd, nullptr, TRUE);
    return true;
}

LRESULT WindowBackend::onPictureMessage(ControlWindow& cw, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (const auto result = onPressable(cw, hwnd, msg, lParam, &WindowBackend::paintPicture)) return *result;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void WindowBackend::paintPicture(ControlWindow& cw, HDC dc) {
    const auto& box = static_cast<const ui::PictureBox&>(*cw.control);
    RECT rc{};
    GetClientRect(cw.hwnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const ui::Image& image = box.image();
    if (!image.empty() && image.pixels.size() >= static_cast<std::size_t>(image.width) * image.height) {
        // Centred and cut to the box; scaled smoothly with the screen's DPI, once.
        ui::Image& shown = cw.shownImage;
        if (shown.empty()) {
            shown.width = image.width;
            shown.height = image.height;
            shown.pixels = scaledPixels(image.pixels, shown.width, shown.height);
        }
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = shown.width;
        bi.bmiHeader.biHeight = -shown.height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        const int x = (rc.right - shown.width) / 2, y = (rc.bottom - shown.height) / 2;
        StretchDIBits(dc, x, y, shown.width, shown.height, 0, 0, shown.width, shown.height, shown.pixels.data(), &bi,
                      DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    if (const Picture* pic = picture(box.designPicture))
        drawPicture(dc, pic->normal.get(), (rc.right - pic->width) / 2, (rc.bottom - pic->height) / 2, pic->width,
                    pic->height);
}

}  // namespace vexal::window
