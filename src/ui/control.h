#pragma once
// The window's controls as plain C++ objects: the state the program reads and
// writes and the events it handles. The Win32 backend mirrors every change into
// a real control through ControlObserver; tests drive the same objects headlessly.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "util/image.h"

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
    Position,
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
    [[nodiscard]] const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

private:
    std::string caption_;
};

class Button : public CaptionControl {
public:
    explicit Button(std::string name, Kind kind = Kind::Button) : CaptionControl(std::move(name), kind) {}
    int picture = -1;           // resource id of the picture, -1 for none
    bool pictureRight = false;  // picture right of the caption
    int spacing = 4;            // pixels between picture and caption
    bool flat = false;
};

class CheckBox : public CaptionControl {
public:
    explicit CheckBox(std::string name) : CaptionControl(std::move(name), Kind::CheckBox) {}
    [[nodiscard]] bool checked() const { return checked_; }
    // Setting the state from the program runs the click handler when it changes,
    // exactly as a user's click does; several behaviours rely on it.
    void setChecked(bool checked);
    // A user's click toggles the box, then runs the click handler.
    void toggleByUser() { setChecked(!checked_); }

private:
    bool checked_ = false;
};

class Label : public CaptionControl {
public:
    explicit Label(std::string name, Kind kind = Kind::Label) : CaptionControl(std::move(name), kind) {}
    bool rightAligned = false;
    bool sunken = false;
};

class GroupBox : public CaptionControl {
public:
    explicit GroupBox(std::string name) : CaptionControl(std::move(name), Kind::GroupBox) {}
};

class Edit : public Control {
public:
    explicit Edit(std::string name, Kind kind = Kind::Edit) : Control(std::move(name), kind) {}
    [[nodiscard]] const std::string& text() const { return text_; }
    // Runs the change handler when the text changes, also when the program sets it.
    void setText(const std::string& text);
    [[nodiscard]] bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    bool scrollBar = true;  // memos: vertical scroll bar
private:
    std::string text_;
    bool readOnly_ = false;
};

// A multi-line text box; the text is kept as one string with CR LF line ends.
class Memo : public Edit {
public:
    explicit Memo(std::string name) : Edit(std::move(name), Kind::Memo) {}
    bool horizontalScrollBar = false;
    // The user changed the text (typing, pasting), as opposed to the program.
    bool modified = false;
    // The first line shown: the window scrolls so that this line is at the top.
    [[nodiscard]] int topLine() const { return topLine_; }
    void setTopLine(int line);
    // Lies in front of every other control of the window.
    void bringToFront() { notify(Property::ZOrder); }

private:
    int topLine_ = 0;
};

// An ordered list of strings, kept sorted case-insensitively when `sorted`.
class StringList {
public:
    bool sorted = false;
    [[nodiscard]] std::size_t size() const { return items_.size(); }
    [[nodiscard]] bool empty() const { return items_.empty(); }
    [[nodiscard]] const std::string& operator[](std::size_t i) const { return items_[i]; }
    [[nodiscard]] const std::vector<std::string>& all() const { return items_; }
    // Index of the entry equal to `text` ignoring letter case, or -1.
    [[nodiscard]] int indexOf(const std::string& text) const;
    // Adds at the sorted place (sorted) or at the end; returns the index.
    int add(const std::string& text);
    // Writes position `index` (appends when it lies beyond the end). A sorted
    // list keeps the entry at the given place, as the list control does.
    void put(std::size_t index, const std::string& text);
    void erase(std::size_t index);
    void clear() { items_.clear(); }

private:
    std::vector<std::string> items_;
};

// Case-insensitive ordering used by the sorted lists.
[[nodiscard]] int compareText(const std::string& a, const std::string& b);

class ListControl : public Control {
public:
    using Control::Control;
    [[nodiscard]] const StringList& items() const { return items_; }
    [[nodiscard]] int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);
    int addItem(const std::string& text);
    void putItem(std::size_t index, const std::string& text);
    void deleteItem(std::size_t index);
    void clearItems();
    void setItems(const std::vector<std::string>& lines);  // clear, then add one by one
    void setSorted(bool sorted) { items_.sorted = sorted; }

private:
    StringList items_;
    int itemIndex_ = -1;
};

class ListBox : public ListControl {
public:
    explicit ListBox(std::string name) : ListControl(std::move(name), Kind::ListBox) {}
    [[nodiscard]] int horizontalExtent() const { return extent_; }
    void setHorizontalExtent(int extent);
    int itemHeight = 13;

private:
    int extent_ = 0;
};

class ComboBox : public ListControl {
public:
    explicit ComboBox(std::string name) : ListControl(std::move(name), Kind::ComboBox) {}
    [[nodiscard]] const std::string& text() const { return text_; }
    // The program sets the text: unlike an edit field, the combo box stays quiet.
    // Its change handler runs for what the user does: typing and picking.
    void setText(const std::string& text);
    // The user typed: the text changes and the change handler runs.
    void typeText(const std::string& text);
    // A pick from the drop-down list: selects the entry, takes its text, runs the change handler.
    void pick(int index);
    int dropDownCount = 8;
    int maxLength = 0;
    bool upperCase = false;

private:
    std::string text_;
};

using util::Image;

class PictureBox : public Control {
public:
    explicit PictureBox(std::string name) : Control(std::move(name), Kind::Picture) {}
    [[nodiscard]] const Image& image() const { return image_; }
    void setImage(Image image);
    int designPicture = -1;  // resource id shown until a picture is loaded
private:
    Image image_;
};

class ProgressBar : public Control {
public:
    explicit ProgressBar(std::string name) : Control(std::move(name), Kind::ProgressBar) {}
    [[nodiscard]] int position() const { return position_; }
    void setPosition(int position);
    [[nodiscard]] int minimum() const { return minimum_; }
    [[nodiscard]] int maximum() const { return maximum_; }
    void setRange(int minimum, int maximum);

private:
    int position_ = 0;
    int minimum_ = 0, maximum_ = 100;
};

// ---- a report list: columns with a header, rows of cells ----------------------

// Keys pressed with Ctrl held reach a list view's key handler with this bit added.
inline constexpr int kCtrlKey = 0x10000;

// Part of a cell drawn in one colour.
struct TextRun {
    Colour colour = kClDefault;  // kClDefault: the list's text colour
    std::string text;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

struct ListCell {
    std::string text;           // what is read and copied
    std::vector<TextRun> runs;  // how it is drawn; none: the text in the list's colour
    // Of a row's first cell: the whole row is drawn bold, and the tip shows while
    // the pointer rests on the row.
    bool bold = false;
    std::string tip = {};
    friend bool operator==(const ListCell&, const ListCell&) = default;
};
using ListRow = std::vector<ListCell>;

struct ListColumn {
    std::string title;
    int width = 60;
    bool rightAligned = false;
    friend bool operator==(const ListColumn&, const ListColumn&) = default;
};

// One row is selected at most. The program sets the rows and the selection; the
// user's choice of a row runs the click handler, a header click onColumnClick.
class ListView : public Control {
public:
    explicit ListView(std::string name) : Control(std::move(name), Kind::ListView) {}
    [[nodiscard]] const std::vector<ListColumn>& columns() const { return columns_; }
    void setColumns(std::vector<ListColumn> columns);
    [[nodiscard]] const std::vector<ListRow>& rows() const { return rows_; }
    // Unchanged rows cost nothing: the window rewrites only the cells that differ.
    void setRows(std::vector<ListRow> rows);
    [[nodiscard]] int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);  // -1: none; also scrolls the row into view
    // The row, its cells' texts joined by two blanks.
    [[nodiscard]] std::string rowText(std::size_t row) const;

    std::function<void(int column)> onColumnClick;

    // What a user's action does, for the backend and for tests.
    void select(int index) {
        {
            EchoGuard guard(*this);
            setItemIndex(index);
        }
        click();
    }
    void columnClick(int column) {
        if (onColumnClick) onColumnClick(column);
    }
    void dblClick() { fire(onDblClick); }

private:
    std::vector<ListColumn> columns_;
    std::vector<ListRow> rows_;
    int itemIndex_ = -1;
};

}  // namespace vexal::ui
