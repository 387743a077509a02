#include "ui/list_transfer.h"

#include <algorithm>

#include "util/lines.h"

namespace vexal::ui {

void ListToClipboard(platform::Clipboard& clipboard, const ListBox* list, bool all) {
    if (!list) return;
    std::string text;
    if (all) {
        text = util::joinLines(list->items().all());
    } else if (list->itemIndex() >= 0) {  // a single-selection list: at most one entry
        text = list->items()[static_cast<std::size_t>(list->itemIndex())] + "\r\n";
    }
    clipboard.setText(text);
}

void ClipboardToList(platform::Clipboard& clipboard, ListBox* list) {
    if (!list) return;
    const auto text = clipboard.text();
    if (!text) return;
    list->setItems(util::splitLines(*text));
}

void SetListExtent(platform::Screen& screen, ListBox* list, int minWidth) {
    if (!list) return;
    if (minWidth == 0) {
        list->setHorizontalExtent(0);
        return;
    }
    const Font& font = list->font();
    int widest = minWidth;
    for (const auto& item : list->items().all())
        widest = std::max(widest, screen.textWidth(font.name, font.height, font.bold, item));
    list->setHorizontalExtent(widest + screen.dialogFrameWidth());
}

}  // namespace vexal::ui
