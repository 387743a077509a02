#pragma once
// Lists of strings: the list box and the combo box, and the sorted string list they keep.
#include <string>
#include <vector>

#include "ui/control_base.h"

namespace vexal::ui {

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
    [[nodiscard]] static bool holds(Kind kind) { return kind == Kind::ListBox || kind == Kind::ComboBox; }
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
    [[nodiscard]] static bool holds(Kind kind) { return kind == Kind::ComboBox; }
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

}  // namespace vexal::ui
