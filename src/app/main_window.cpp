#include "app/main_window.h"

#include <stdexcept>

#include "app/layout.h"

namespace vexal {

TfrmVexal::TfrmVexal(platform::Services& services_, settings::Config& config_, ui::Application& application_)
    : MainView(services_, config_, application_), startTime_(services_.clock.now()) {
    buildLayout();
    buildMenus();
    wireEvents();
}

void TfrmVexal::buildLayout() {
    for (const auto& row : layout::controls()) controls_.push_back(&row.member(*this));
    for (const auto& row : layout::controls()) {
        ui::Control& c = row.member(*this);
        if (row.parent) c.setParent(control(row.parent));
        c.setBounds(row.bounds);
        c.setTabOrder(row.tab);
        c.setHint(row.hint);
        c.setVisible(row.visible);
        c.setEnabled(row.enabled);
        c.setColour(row.colour);
        c.setBackground(row.background);
        c.setShowHintTooltip(row.tooltip);
        if (const auto& f = row.font; f.name) c.setFont({f.name, f.height, f.bold, f.italic, f.fixedPitch});
        if (row.command != Cmd::None) c.onClick = [this, command = row.command] { onCommand(command); };
        if (auto* cap = ui::as<ui::CaptionControl>(c)) cap->setCaption(row.caption);
        if (auto* edit = ui::as<ui::Edit>(c)) {
            edit->setText(row.caption);
            edit->setReadOnly(row.readOnly);
        }
        if (auto* list = ui::as<ui::ListControl>(c)) list->setSorted(row.sorted);
        auto* combo = ui::as<ui::ComboBox>(c);
        if (combo && row.dropDownCount) combo->dropDownCount = row.dropDownCount;
        if (auto* image = ui::as<ui::PictureBox>(c)) image->designPicture = row.picture;
        if (auto* button = ui::as<ui::Button>(c)) {
            button->picture = row.picture;
            button->pictureRight = row.pictureRight;
            button->spacing = row.spacing;
            button->flat = c.kind() == ui::Kind::FlatButton;
        }
    }

    memLaunchInfo.scrollBar = false;
    stInfo.sunken = true;
    stDate.rightAligned = true;
    stDate.cursor = ui::Cursor::HandPoint;
    cbxHotKey.maxLength = 1;
    cbxHotKey.upperCase = true;
    cbxHotKey.setText("Z");
    tmDate.interval = 1;
    tmTime.interval = 1;
    ctrayIcon.minimizeToTray = true;
    ctrayIcon.popupMenu = &popTray;
    tmServers.setEnabled(false);
    tmWorld.setEnabled(false);
}

void TfrmVexal::buildMenus() {
    menuIndex_ = {{"mnuMain", &mnuMain},       {"popLBox", &popLBox},   {"popTray", &popTray},
                  {"popServers", &popServers}, {"popWorld", &popWorld}, {"popPlayers", &popPlayers}};
    for (const auto& row : layout::menus()) {
        ui::MenuItem& item = menuIndex_.at(row.parent)->add(row.name, row.caption);
        item.shortcut = row.key;
        item.picture = row.picture;
        item.setHint(row.hint);
        item.manualAccel = row.manualAccel;
        item.isDefault = row.isDefault;
        if (row.command != Cmd::None) {
            item.command = static_cast<int>(row.command);
            item.onClick = [this, command = row.command] { onCommand(command); };
        }
        if (row.member) this->*row.member = &item;
        menuIndex_[row.name] = &item;
    }
    // The tray menu's first item is drawn checked, marking the window it brings back.
    popVexal->setChecked(true);
}

namespace {

[[noreturn]] void miswired(const Wire& wire, const char* why) {
    throw std::logic_error(std::string("wiring: ") + wire.name + ": " + why);
}

template <typename F>
F handlerOf(const Wire& wire) {
    if (const auto* f = std::get_if<F>(&wire.handler)) return *f;
    miswired(wire, "handler does not fit the event");
}

}  // namespace

void TfrmVexal::wire(const Wire& w) {
    using Plain = void (*)(TfrmVexal&);
    auto plain = [this, &w] {
        const Plain h = handlerOf<Plain>(w);
        return std::function<void()>([this, h] { h(*this); });
    };
    if (ui::Timer* t = timer(w.name)) {
        if (w.event != On::Timer) miswired(w, "a timer only ticks");
        t->onTimer = plain();
        return;
    }
    if (std::string(w.name) == "ctrayIcon") {
        if (w.event != On::DblClick) miswired(w, "the tray icon only has a double click");
        ctrayIcon.onDblClick = plain();
        return;
    }
    ui::Control* c = control(w.name);
    if (!c) miswired(w, "no control or timer of that name");
    switch (w.event) {
        case On::Click:
            c->onClick = plain();
            break;
        case On::DblClick:
            c->onDblClick = plain();
            break;
        case On::Change:
            c->onChange = plain();
            break;
        case On::Enter:
            c->onEnter = plain();
            break;
        case On::Exit:
            c->onExit = plain();
            break;
        case On::MouseMove:
            c->onMouseMove = plain();
            break;
        case On::MouseDown: {
            const auto h = handlerOf<void (*)(TfrmVexal&, ui::MouseButton)>(w);
            c->onMouseDown = [this, h](ui::MouseButton b) { h(*this, b); };
            break;
        }
        case On::KeyPress: {
            const auto h = handlerOf<void (*)(TfrmVexal&, char&)>(w);
            c->onKeyPress = [this, h](char& key) { h(*this, key); };
            break;
        }
        case On::KeyDown: {
            const auto h = handlerOf<void (*)(TfrmVexal&, int&)>(w);
            c->onKeyDown = [this, h](int& key) { h(*this, key); };
            break;
        }
        case On::Timer:
            miswired(w, "only a timer ticks");
    }
}

ui::WindowModel TfrmVexal::windowModel(std::function<void(const std::string&)> showError) {
    ui::WindowModel model;
    model.form = this;
    model.application = &application;
    model.controls = controls();
    model.mainMenu = &mnuMain;
    model.contextMenus = {
        {&lboxParam, &popLBox}, {&lvServers, &popServers}, {&lvWorld, &popWorld}, {&lvPlayers, &popPlayers}};
    model.timers = {&tmDate, &tmTime, &tmServers, &tmWorld, &tmBuddies};
    model.tray = &ctrayIcon;
    model.clientWidth = layout::kClientWidth;
    model.clientHeight = layout::kClientHeight;
    model.onDestroy = [this] { FormDestroy(); };
    model.onMenuOpen = [this] { updateMenus(); };
    model.onHotkey = [this](int id) { hotkeys.pressed(id); };
    model.onLink = [this](const std::string& link) { links.open(link); };
    model.showError = std::move(showError);
    return model;
}

void TfrmVexal::wireEvents() {
    for (const Wire& w : eventWires()) wire(w);
    onShow = [this] { FormShow(); };
    // A header click has no row in the event table: it carries the column.
    lvServers.onColumnClick = [this](int column) { serverStatus.columnClick(column); };
    lvWorld.onColumnClick = [this](int column) { world.columnClick(column); };
    launcher.launching = [this] {
        serverStatus.launching();
        world.launching();
    };
    ctrayIcon.onBalloonClick = [this] { buddyWatcher.balloonClicked(); };
    buddyWatcher.plug(servers::BuddyWatch::Source::World, world.watchSource());
}

}  // namespace vexal
