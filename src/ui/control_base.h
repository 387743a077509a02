#pragma once
// What every control has: its kind, place, font, colours, hint and events, and the
// observer the window backend listens through.
#include <cstdint>
#include <functional>
#include <string>

namespace vexal::ui {

enum class Property {
    Text,
    Caption,
    Hint,
    Enabled,
    Visible,
    Checked,
    Items,
    ItemIndex,
    Bounds,
    Font,
    Colour,
    Picture,
    Progress,  // a progress bar's range or position
    TopLine,   // the line a memo shows at its top
    Extent,
    ReadOnly,
    Focus,
    ZOrder
};

class Control;

class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void changed(Control& control, Property property) = 0;
};

// 0x00BBGGRR, or one of the system colours below.
using Colour = std::uint32_t;
constexpr Colour kSystemColour = 0xFF000000;
constexpr Colour kClDefault = 0x1FFFFFFF;            // whatever the control draws by default
constexpr Colour kClBtnFace = kSystemColour | 15;    // COLOR_BTNFACE
constexpr Colour kClGrayText = kSystemColour | 17;   // COLOR_GRAYTEXT
constexpr Colour kClMenuText = kSystemColour | 7;    // COLOR_MENUTEXT
constexpr Colour kClWindowText = kSystemColour | 8;  // COLOR_WINDOWTEXT
constexpr Colour kClBlack = 0x000000;
constexpr Colour kClRed = 0x0000FF;
constexpr Colour kClAqua = 0xFFFF00;

struct Font {
    std::string name = "MS Sans Serif";
    int height = 11;  // character height in pixels
    bool bold = false;
    bool italic = false;
    bool fixedPitch = false;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class Kind {
    Button,
    BitButton,
    FlatButton,
    CheckBox,
    Edit,
    ComboBox,
    ListBox,
    StaticText,
    Label,
    Memo,
    Picture,
    ProgressBar,
    GroupBox,
    ListView
};

enum class MouseButton { Left, Right, Middle };

// The mouse pointer shown over a control.
enum class Cursor { Default, HandPoint };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

class Control {
public:
    Control(std::string name, Kind kind) : name_(std::move(name)), kind_(kind) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] Kind kind() const { return kind_; }

    [[nodiscard]] Control* parent() const { return parent_; }
    void setParent(Control* parent) { parent_ = parent; }

    [[nodiscard]] const std::string& hint() const { return hint_; }
    void setHint(const std::string& hint);
    [[nodiscard]] bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    [[nodiscard]] bool visible() const { return visible_; }
    void setVisible(bool visible);
    [[nodiscard]] const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& bounds);
    void setLeft(int left) { setBounds({left, bounds_.top, bounds_.width, bounds_.height}); }
    void setWidth(int width) { setBounds({bounds_.left, bounds_.top, width, bounds_.height}); }
    [[nodiscard]] const Font& font() const { return font_; }
    void setFont(const Font& font);
    [[nodiscard]] Colour colour() const { return colour_; }  // text colour
    void setColour(Colour colour);
    [[nodiscard]] Colour background() const { return background_; }
    void setBackground(Colour colour);
    [[nodiscard]] bool showHintTooltip() const { return showHint_; }
    void setShowHintTooltip(bool show) { showHint_ = show; }
    [[nodiscard]] int tabOrder() const { return tabOrder_; }  // -1: never takes the focus
    void setTabOrder(int order) { tabOrder_ = order; }

    void setObserver(ControlObserver* observer) { observer_ = observer; }

    Cursor cursor = Cursor::Default;

    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onChange;
    std::function<void()> onEnter;
    std::function<void()> onExit;
    std::function<void()> onMouseMove;
    std::function<void(MouseButton)> onMouseDown;
    std::function<void(int& key)> onKeyDown;    // virtual key; set to 0 to swallow
    std::function<void(char& key)> onKeyPress;  // character; set to 0 to swallow

    // What a user's action does, for the backend and for tests.
    void click() { fire(onClick); }
    void mouseMove() { fire(onMouseMove); }
    void mouseDown(MouseButton button) {
        if (onMouseDown) onMouseDown(button);
    }
    // Returns the key after the handler had its say (0 when swallowed).
    int keyDown(int key) {
        if (onKeyDown) onKeyDown(key);
        return key;
    }
    char keyPress(char key) {
        if (onKeyPress) onKeyPress(key);
        return key;
    }

    // While a change that came from the real control is applied to the model,
    // it must not be echoed back into that control.
    class EchoGuard {
    public:
        explicit EchoGuard(Control& c) : c_(c), was_(c.echoing_) { c_.echoing_ = true; }
        ~EchoGuard() { c_.echoing_ = was_; }
        EchoGuard(const EchoGuard&) = delete;
        EchoGuard& operator=(const EchoGuard&) = delete;

    private:
        Control& c_;
        bool was_;
    };

protected:
    class EchoLift {
    public:
        explicit EchoLift(Control& c) : c_(c), was_(c.echoing_) { c_.echoing_ = false; }
        ~EchoLift() { c_.echoing_ = was_; }
        EchoLift(const EchoLift&) = delete;
        EchoLift& operator=(const EchoLift&) = delete;

    private:
        Control& c_;
        bool was_;
    };

    void notify(Property property);
    // A handler's own changes are the program's, not the window's: even while a
    // change from the real control is being applied, they must reach the control.
    void fire(const std::function<void()>& handler) {
        if (!handler) return;
        EchoLift lift(*this);
        handler();
    }

private:
    std::string name_;
    Kind kind_;
    Control* parent_ = nullptr;
    std::string hint_;
    bool enabled_ = true;
    bool visible_ = true;
    bool showHint_ = false;
    int tabOrder_ = -1;
    Rect bounds_;
    Font font_;
    Colour colour_ = kClDefault;
    Colour background_ = kClDefault;
    ControlObserver* observer_ = nullptr;
    bool echoing_ = false;
};

// Buttons, labels, group boxes, static texts, check boxes: anything with a caption.
class CaptionControl : public Control {
public:
    using Control::Control;
    [[nodiscard]] static bool holds(Kind kind) {
        return kind == Kind::Button || kind == Kind::BitButton || kind == Kind::FlatButton || kind == Kind::CheckBox ||
               kind == Kind::StaticText || kind == Kind::Label || kind == Kind::GroupBox;
    }
    [[nodiscard]] const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

private:
    std::string caption_;
};

// The control as one of its classes when its kind is one of that class's, else
// null: the kind decides, as it does everywhere in the window layer.
template <typename T>
[[nodiscard]] T* as(Control& control) {
    return T::holds(control.kind()) ? static_cast<T*>(&control) : nullptr;
}

}  // namespace vexal::ui
