#pragma once
// Controls that show and do not take the focus: labels, group boxes, the progress bar.
#include <string>

#include "ui/control_base.h"

namespace vexal::ui {

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

}  // namespace vexal::ui
