#include "ui/form.h"

namespace vexal::ui {

void Form::setCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    if (formObserver_) formObserver_->captionChanged();
}

void Form::moveFocus(Control* control) {
    Control* old = focused_;
    focused_ = control;
    if (old && old->onExit) old->onExit();
    // The exit handler may have moved the focus on by itself.
    if (focused_ == control && control && control->onEnter) control->onEnter();
}

void Form::setFocus(Control* control) {
    if (control == focused_) return;
    if (formObserver_) formObserver_->focusChanged(control);
    moveFocus(control);
}

void Form::focusMovedByUser(Control* control) {
    if (control == focused_) return;
    moveFocus(control);
}

void Form::close() {
    if (formObserver_) formObserver_->closeRequested();
}

void Form::show() {
    if (formObserver_) formObserver_->showRequested();
}

void Form::hide() {
    if (formObserver_) formObserver_->hideRequested();
}

}  // namespace vexal::ui
