#pragma once
// Push buttons (plain, with a picture, flat) and check boxes.
#include <string>

#include "ui/control_base.h"

namespace vexal::ui {

class Button : public CaptionControl {
public:
    explicit Button(std::string name, Kind kind = Kind::Button) : CaptionControl(std::move(name), kind) {}
    [[nodiscard]] static bool holds(Kind kind) {
        return kind == Kind::Button || kind == Kind::BitButton || kind == Kind::FlatButton;
    }
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

}  // namespace vexal::ui
