#include "ui/application.h"

#include "ui/control.h"
#include "ui/menu.h"

namespace vexal::ui {

void Application::setTitle(const std::string& title) {
    if (title == title_) return;
    title_ = title;
    if (observer_) observer_->titleChanged();
}

void Application::setHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (onHint) onHint(hint_);
}

namespace {
std::string hintOf(const Control* control) {
    for (const Control* c = control; c; c = c->parent())
        if (!c->hint().empty()) return c->hint();
    return {};
}
}  // namespace

void Application::pointAt(const Control* control) {
    pointed_ = control;
    setHint(hintOf(control));
}

void Application::hintChanged(const Control& control) {
    if (pointed_ == &control) setHint(hintOf(pointed_));
}

void Application::highlight(const MenuItem* item) { setHint(item ? item->hint() : std::string()); }

void Application::terminate() {
    terminated_ = true;
    if (observer_) observer_->terminateRequested();
}

void Application::minimize() {
    if (observer_) observer_->minimizeRequested();
}

}  // namespace vexal::ui
