#include "ui/menu.h"

#include <cctype>

namespace vexal::ui {

std::string Shortcut::text() const {
    if (key == 0) return {};
    std::string s;
    if (ctrl) s += "Ctrl+";
    if (alt) s += "Alt+";
    if (shift) s += "Shift+";
    if (key >= 0x70 && key <= 0x87) return s + "F" + std::to_string(key - 0x70 + 1);
    if (key == 0x23) return s + "End";
    return s + static_cast<char>(key);
}

void MenuItem::setCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    notify();
}

void MenuItem::setChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    notify();
}

void MenuItem::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    notify();
}

void MenuItem::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    notify();
}

void MenuItem::click() {
    if (!enabled_) return;
    if (onClick) onClick();
}

MenuItem& MenuItem::add(std::string name, std::string caption) {
    children_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
    children_.back()->parent_ = this;
    return *children_.back();
}

std::vector<MenuItem*> MenuItem::children() const {
    std::vector<MenuItem*> out;
    out.reserve(children_.size());
    for (const auto& c : children_) out.push_back(c.get());
    return out;
}

std::string autoAccelerated(const std::string& caption, std::string& used) {
    auto isUsed = [&](char c) {
        return used.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c)))) != std::string::npos;
    };
    auto take = [&](char c) { used += static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
    const auto amp = caption.find('&');
    if (amp != std::string::npos && amp + 1 < caption.size() && caption[amp + 1] != '&') {
        if (!isUsed(caption[amp + 1])) {
            take(caption[amp + 1]);
            return caption;
        }
    }
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] != '&') continue;
        plain += caption[i];
    }
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto c = static_cast<unsigned char>(plain[i]);
        if (std::isalnum(c) && !isUsed(plain[i])) {
            take(plain[i]);
            return plain.substr(0, i) + "&" + plain.substr(i);
        }
    }
    return plain;
}

}  // namespace vexal::ui
