#pragma once
// A report list: columns with a header, rows of cells drawn in colours.
#include <functional>
#include <string>
#include <vector>

#include "ui/control_base.h"

namespace vexal::ui {

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
    // Stored rows are set whole and diffed by the window; virtual rows are made by
    // a function only when the window draws or reads them, so that thousands cost
    // nothing until shown.
    enum class Rows { Stored, Virtual };
    explicit ListView(std::string name, Rows rows = Rows::Stored)
        : Control(std::move(name), Kind::ListView), virtual_(rows == Rows::Virtual) {}
    [[nodiscard]] bool virtualRows() const { return virtual_; }
    // A virtual list's rows: `count` of them, row i made by `rowAt(i)`. Every call
    // redraws what is on show.
    void setVirtualRows(std::size_t count, std::function<ListRow(std::size_t)> rowAt);
    [[nodiscard]] std::size_t rowCount() const { return virtual_ ? virtualCount_ : rows_.size(); }
    [[nodiscard]] ListRow rowAt(std::size_t row) const;
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
    bool virtual_ = false;
    std::size_t virtualCount_ = 0;
    std::function<ListRow(std::size_t)> rowAt_;
};

}  // namespace vexal::ui
