#include "ui/control.h"

#include <algorithm>

#include "util/case_fold.h"

namespace vexal::ui {

namespace {
// An entry is one line: a list file stores one entry per line, and a line break
// would split the entry in two on the next load (and reach the game's command line
// with it). A break that slipped in (a paste into the field) becomes a blank.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}
}  // namespace

int compareText(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        // Letters fold to lower case, as the list controls sort them.
        const auto x = static_cast<unsigned char>(util::lowerChar(a[i]));
        const auto y = static_cast<unsigned char>(util::lowerChar(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

void Control::notify(Property property) {
    if (observer_ && !echoing_) observer_->changed(*this, property);
}

void Control::setHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    notify(Property::Hint);
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    notify(Property::Enabled);
}

void Control::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    notify(Property::Visible);
}

void Control::setBounds(const Rect& bounds) {
    if (bounds == bounds_) return;
    bounds_ = bounds;
    notify(Property::Bounds);
}

void Control::setFont(const Font& font) {
    if (font == font_) return;
    font_ = font;
    notify(Property::Font);
}

void Control::setColour(Colour colour) {
    if (colour == colour_) return;
    colour_ = colour;
    notify(Property::Colour);
}

void Control::setBackground(Colour colour) {
    if (colour == background_) return;
    background_ = colour;
    notify(Property::Colour);
}

void CaptionControl::setCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    notify(Property::Caption);
}

void CheckBox::setChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    notify(Property::Checked);
    fire(onClick);
}

void Edit::setText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    notify(Property::Text);
    fire(onChange);
}

void Edit::setReadOnly(bool readOnly) {
    if (readOnly == readOnly_) return;
    readOnly_ = readOnly;
    notify(Property::ReadOnly);
}

int StringList::indexOf(const std::string& text) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (compareText(items_[i], text) == 0) return static_cast<int>(i);
    return -1;
}

int StringList::add(const std::string& line) {
    const std::string text = oneLine(line);
    if (!sorted) {
        items_.push_back(text);
        return static_cast<int>(items_.size() - 1);
    }
    // After the last entry that does not sort behind it, so equal entries keep their order.
    const auto at = std::upper_bound(items_.begin(), items_.end(), text,
                                     [](const std::string& a, const std::string& b) { return compareText(a, b) < 0; });
    const auto index = at - items_.begin();
    items_.insert(at, text);
    return static_cast<int>(index);
}

void StringList::put(std::size_t index, const std::string& line) {
    const std::string text = oneLine(line);
    if (index >= items_.size())
        items_.push_back(text);
    else
        items_[index] = text;
}

void StringList::erase(std::size_t index) {
    if (index < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void ListControl::setItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    notify(Property::ItemIndex);
}

int ListControl::addItem(const std::string& text) {
    const int at = items_.add(text);
    if (itemIndex_ >= at) ++itemIndex_;
    notify(Property::Items);
    return at;
}

void ListControl::putItem(std::size_t index, const std::string& text) {
    items_.put(index, text);
    notify(Property::Items);
}

void ListControl::deleteItem(std::size_t index) {
    if (index >= items_.size()) return;
    items_.erase(index);
    if (itemIndex_ == static_cast<int>(index))
        itemIndex_ = -1;
    else if (itemIndex_ > static_cast<int>(index))
        --itemIndex_;
    notify(Property::Items);
}

void ListControl::clearItems() {
    items_.clear();
    itemIndex_ = -1;
    notify(Property::Items);
}

void ListControl::setItems(const std::vector<std::string>& lines) {
    items_.clear();
    itemIndex_ = -1;
    for (const auto& line : lines) items_.add(line);
    notify(Property::Items);
}

void ListBox::setHorizontalExtent(int extent) {
    if (extent == extent_) return;
    extent_ = extent;
    notify(Property::Extent);
}

void ComboBox::setText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    notify(Property::Text);
}

void ComboBox::typeText(const std::string& text) {
    if (text == text_) return;
    setText(text);
    fire(onChange);
}

void ComboBox::pick(int index) {
    if (index < 0 || index >= static_cast<int>(items().size())) return;
    setItemIndex(index);
    typeText(items()[static_cast<std::size_t>(index)]);
}

void Memo::setTopLine(int line) {
    topLine_ = line;
    notify(Property::TopLine);
}

void PictureBox::setImage(Image image) {
    image_ = std::move(image);
    notify(Property::Picture);
}

void ProgressBar::setRange(int minimum, int maximum) {
    if (minimum == minimum_ && maximum == maximum_) return;
    minimum_ = minimum;
    maximum_ = maximum;
    notify(Property::Progress);
}

void ProgressBar::setPosition(int position) {
    if (position == position_) return;
    position_ = position;
    notify(Property::Progress);
}

void ListView::setColumns(std::vector<ListColumn> columns) {
    if (columns == columns_) return;
    columns_ = std::move(columns);
    notify(Property::Items);
}

void ListView::setRows(std::vector<ListRow> rows) {
    if (rows == rows_) return;
    rows_ = std::move(rows);
    if (itemIndex_ >= static_cast<int>(rows_.size())) itemIndex_ = -1;
    notify(Property::Items);
}

void ListView::setItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(rows_.size())) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    notify(Property::ItemIndex);
}

std::string ListView::rowText(std::size_t row) const {
    std::string out;
    if (row >= rows_.size()) return out;
    for (const ListCell& cell : rows_[row]) {
        if (!out.empty()) out += "  ";
        out += cell.text;
    }
    return out;
}

}  // namespace vexal::ui
