#pragma once
// A list box's entries to and from the clipboard, and its scroll width.
#include "platform/platform.h"
#include "ui/control.h"

namespace vexal::ui {

// All entries (or the selected one), each followed by CR LF, onto the clipboard.
void ListToClipboard(platform::Clipboard& clipboard, const ui::ListBox* list, bool all);
// Replaces the entries by the clipboard's lines; nothing changes when it holds no text.
void ClipboardToList(platform::Clipboard& clipboard, ui::ListBox* list);

// Horizontal extent of a list box: 0 removes the scroll bar; otherwise the widest
// entry (at least minWidth) plus a dialog frame.
void SetListExtent(platform::Screen& screen, ui::ListBox* list, int minWidth);

}  // namespace vexal::ui
