#pragma once
// One-line text fields and multi-line memos.
#include <string>

#include "ui/control_base.h"

namespace vexal::ui {

class Edit : public Control {
public:
    explicit Edit(std::string name, Kind kind = Kind::Edit) : Control(std::move(name), kind) {}
    [[nodiscard]] static bool holds(Kind kind) { return kind == Kind::Edit || kind == Kind::Memo; }
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

}  // namespace vexal::ui
