// The main menu and the pop-up menus, built from the model's menu trees, and the
// accelerator table of their shortcuts.
#include <algorithm>
#include <cctype>
#include <set>
#include <tuple>

#include "window/window_backend.h"

namespace vexal::window {

// Items without a command (submenus, separators) are numbered depth first, main
// menu first, then the pop-ups.
void WindowBackend::numberMenu(ui::MenuItem& root) {
    for (ui::MenuItem* child : root.children()) {
        if (child->command == 0) child->command = static_cast<int>(nextMenuCommand_++);
        numberMenu(*child);
    }
}

// The menu bar is made before the main window, which is born with it: given to the
// window afterwards, it would change the client area and have the window laid out
// again, which Wine does at some cost.
HMENU WindowBackend::buildMenuBar() {
    if (!model_.mainMenu) return nullptr;
    numberMenu(*model_.mainMenu);
    return buildMenu(*model_.mainMenu, true, false);
}

void WindowBackend::buildPopupMenus() {
    std::vector<ui::MenuItem*> popupRoots;
    for (const auto& [control, menu] : model_.contextMenus) popupRoots.push_back(menu);
    if (model_.tray && model_.tray->popupMenu) popupRoots.push_back(model_.tray->popupMenu);
    for (ui::MenuItem* root : popupRoots) {
        if (popups_.count(root)) continue;
        numberMenu(*root);
        // The toolkit gives the items of pop-up menus their accelerator letters.
        HMENU menu = buildMenu(*root, false, true);
        ownedMenus_.emplace_back(menu);
        popups_[root] = menu;
        prepareAutoAccelerators(menu);
    }
}

HMENU WindowBackend::buildMenu(ui::MenuItem& root, bool bar, bool autoAccel) {
    HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
    UINT position = 0;
    for (ui::MenuItem* item : root.children()) {
        MenuEntry entry;
        entry.item = item;
        entry.owner = menu;
        entry.position = position;
        entry.autoAccel = autoAccel;
        if (!item->children().empty()) entry.submenu = buildMenu(*item, false, autoAccel);
        ++position;
        insertMenuItem(entry);
        item->setObserver(this);
        auto& stored = menus_[item] = entry;
        applyMenuItem(stored);
    }
    for (ui::MenuItem* item : root.children())
        if (!item->visible()) placeMenuItem(menus_[item]);
    return menu;
}

void WindowBackend::insertMenuItem(MenuEntry& entry) {
    ui::MenuItem* item = entry.item;
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_DATA | (entry.submenu ? MIIM_SUBMENU : 0);
    mii.fType = item->isSeparator() ? MFT_SEPARATOR : MFT_STRING;
    mii.wID = static_cast<UINT>(item->command);
    mii.hSubMenu = entry.submenu;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    std::string text = item->caption();
    mii.dwTypeData = text.data();
    InsertMenuItemA(entry.owner, entry.position, TRUE, &mii);
}

// A menu has no hidden items: a hidden one leaves it, and those after it move up a
// place; shown again, it goes back among its siblings in the model's order.
void WindowBackend::placeMenuItem(MenuEntry& entry) {
    const bool show = entry.item->visible();
    if (show == entry.shown || !entry.item->parent()) return;
    UINT at = 0;
    for (ui::MenuItem* sibling : entry.item->parent()->children()) {
        if (sibling == entry.item) break;
        const auto it = menus_.find(sibling);
        if (it != menus_.end() && it->second.shown) ++at;
    }
    for (auto& [item, other] : menus_)
        if (&other != &entry && other.owner == entry.owner && other.shown && other.position >= at)
            other.position = show ? other.position + 1 : other.position - 1;
    entry.position = at;
    entry.shown = show;
    if (show) {
        insertMenuItem(entry);
        applyMenuItem(entry);
    } else {
        RemoveMenu(entry.owner, at, MF_BYPOSITION);
    }
}

std::string WindowBackend::menuText(const MenuEntry& entry) const {
    std::string text = entry.autoAccel && !entry.display.empty() ? entry.display : entry.item->caption();
    if (!entry.item->shortcut.empty()) text += "\t" + entry.item->shortcut.text();
    return text;
}

void WindowBackend::applyMenuItem(MenuEntry& entry) {
    const ui::MenuItem& item = *entry.item;
    if (item.isSeparator() || !entry.shown) return;
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING | MIIM_STATE;
    std::string text = menuText(entry);
    mii.dwTypeData = text.data();
    mii.fState = (item.checked() ? MFS_CHECKED : MFS_UNCHECKED) | (item.enabled() ? MFS_ENABLED : MFS_DISABLED) |
                 (item.isDefault ? MFS_DEFAULT : 0);
    const bool inBar = model_.mainMenu && item.parent() == model_.mainMenu;
    if (!inBar) {
        // The menu asks for the picture's size and has it drawn (measureMenuPicture),
        // so the pictures are read when a menu first opens, not before the window shows.
        mii.fMask |= MIIM_BITMAP;
        mii.hbmpItem = item.picture >= 0 ? HBMMENU_CALLBACK : nullptr;
    }
    SetMenuItemInfoA(entry.owner, entry.position, TRUE, &mii);
    if (inBar && main_) DrawMenuBar(main_);
}

// Menu pictures are drawn here rather than handed to the menu as bitmaps: the
// menu would copy them without their alpha (Wine shows every transparent pixel
// black), and it places every item's text after the widest picture while sizing
// each item by its own, which cuts off the longest text beside a smaller picture.
// So every picture of one menu gets a cell of the same width, a little wider than
// the widest; each item keeps the height of its own picture.
bool WindowBackend::measureMenuPicture(MEASUREITEMSTRUCT& measure) {
    const MenuEntry* entry = menuByData(measure.itemData, measure.itemID);
    if (!entry) return false;
    int width = 0;
    for (const auto& [item, other] : menus_) {
        if (other.owner != entry->owner) continue;
        if (const Picture* pic = picture(other.item->picture)) width = std::max(width, pic->width);
    }
    const Picture* own = picture(entry->item->picture);
    // A little room on either side: the menu sets the text right after the cell.
    measure.itemWidth = static_cast<UINT>(width + px(4));
    measure.itemHeight = static_cast<UINT>(own ? own->height : 0);
    return true;
}

bool WindowBackend::drawMenuPicture(const DRAWITEMSTRUCT& draw) {
    const MenuEntry* entry = menuByData(draw.itemData, draw.itemID);
    if (!entry) return false;
    const ui::MenuItem& item = *entry->item;
    const Picture* pic = picture(item.picture);
    if (!pic) return true;
    const RECT& cell = draw.rcItem;
    const int x = cell.left + (cell.right - cell.left - pic->width) / 2;
    const int y = cell.top + (cell.bottom - cell.top - pic->height) / 2;
    const bool grey = !item.enabled() || (draw.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    drawPicture(draw.hDC, grey ? pic->disabled.get() : pic->normal.get(), x, y, pic->width, pic->height);
    return true;
}

void WindowBackend::prepareAutoAccelerators(HMENU menu) {
    std::vector<MenuEntry*> entries;
    for (auto& [item, entry] : menus_)
        if (entry.owner == menu) entries.push_back(&entry);
    std::sort(entries.begin(), entries.end(),
              [](const MenuEntry* a, const MenuEntry* b) { return a->position < b->position; });
    // Items marked manual keep their letter; the others share out what is left.
    std::string used;
    for (MenuEntry* e : entries) {
        if (!e->item->manualAccel || e->item->isSeparator()) continue;
        const std::string& caption = e->item->caption();
        const auto amp = caption.find('&');
        if (amp != std::string::npos && amp + 1 < caption.size())
            used += static_cast<char>(std::toupper(static_cast<unsigned char>(caption[amp + 1])));
    }
    for (MenuEntry* e : entries) {
        if (e->item->isSeparator()) continue;
        e->display = e->item->manualAccel ? e->item->caption() : ui::autoAccelerated(e->item->caption(), used);
        applyMenuItem(*e);
    }
}

void WindowBackend::buildAccelerators() {
    std::vector<ACCEL> table;
    std::set<std::tuple<unsigned, bool, bool, bool>> seen;
    // The first item with a shortcut owns it: F4 is both the Preferences menu's
    // toggle and the list menu's, and one press must run the toggle once.
    auto collect = [&](auto&& self, const ui::MenuItem& root) -> void {
        for (const ui::MenuItem* item : root.children()) {
            const ui::Shortcut& s = item->shortcut;
            if (!s.empty() && seen.insert({s.key, s.ctrl, s.alt, s.shift}).second) {
                ACCEL a{};
                a.fVirt =
                    static_cast<BYTE>(FVIRTKEY | (s.ctrl ? FCONTROL : 0) | (s.alt ? FALT : 0) | (s.shift ? FSHIFT : 0));
                a.key = static_cast<WORD>(s.key);
                a.cmd = static_cast<WORD>(item->command);
                table.push_back(a);
            }
            self(self, *item);
        }
    };
    if (model_.mainMenu) collect(collect, *model_.mainMenu);
    for (const auto& [control, menu] : model_.contextMenus) collect(collect, *menu);
    if (!table.empty()) accelerators_ = CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

WindowBackend::MenuEntry* WindowBackend::menuByCommand(UINT command, HMENU menu) {
    for (auto& [item, entry] : menus_)
        if (static_cast<UINT>(item->command) == command && (!menu || entry.owner == menu)) return &entry;
    return nullptr;
}

WindowBackend::MenuEntry* WindowBackend::menuByData(ULONG_PTR data, UINT command) {
    const auto it = menus_.find(reinterpret_cast<const ui::MenuItem*>(data));
    return it != menus_.end() ? &it->second : menuByCommand(command);
}

void WindowBackend::menuOpening() {
    if (model_.onMenuOpen) guarded(model_.onMenuOpen);
}

HMENU WindowBackend::popupMenuOf(ui::MenuItem* item) {
    const auto it = popups_.find(item);
    return it == popups_.end() ? nullptr : it->second;
}

ui::MenuItem* WindowBackend::contextMenuOf(const ui::Control* control) const {
    for (const auto& [c, menu] : model_.contextMenus)
        if (c == control) return menu;
    return nullptr;
}

void WindowBackend::popup(ui::MenuItem& menu, POINT screenPoint) {
    HMENU h = popupMenuOf(&menu);
    if (!h || !main_) return;
    prepareAutoAccelerators(h);
    // Without the foreground a tray menu would not close when clicked beside.
    SetForegroundWindow(main_);
    const UINT command =
        static_cast<UINT>(TrackPopupMenuEx(h, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                           screenPoint.x, screenPoint.y, main_, nullptr));
    PostMessageA(main_, WM_NULL, 0, 0);
    if (command == 0) return;
    if (MenuEntry* entry = menuByCommand(command, h)) guarded([entry] { entry->item->click(); });
}

LRESULT WindowBackend::onMenuSelect(HWND, UINT, WPARAM wParam, LPARAM lParam) {
    if (!model_.application) return 0;
    const UINT flags = HIWORD(wParam);
    auto menu = reinterpret_cast<HMENU>(lParam);
    const ui::MenuItem* item = nullptr;
    if (!(flags == 0xFFFF && !menu) && !(flags & MF_SYSMENU) && !(flags & MF_SEPARATOR)) {
        // A submenu's entry is reported by position, any other item by its id.
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_DATA;
        if (GetMenuItemInfoA(menu, LOWORD(wParam), (flags & MF_POPUP) != 0, &mii))
            if (MenuEntry* entry = menuByData(mii.dwItemData, 0)) item = entry->item;
    }
    guarded([this, item] { model_.application->highlight(item); });
    return 0;
}

LRESULT WindowBackend::onInitMenuPopup(HWND, UINT, WPARAM, LPARAM) {
    menuOpening();
    return 0;
}

LRESULT WindowBackend::menuCommand(UINT command) {
    // A menu item or an accelerator; posted by another program, it finds the
    // item's enabled state as a menu would show it now.
    menuOpening();
    if (MenuEntry* entry = menuByCommand(command)) guarded([entry] { entry->item->click(); });
    return 0;
}

}  // namespace vexal::window
