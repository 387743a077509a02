#pragma once
// The server status viewer in the window: opened from the Run menu (F5) or the
// tray menu, polled by its timer while shown, closed with the other viewers.
#include <functional>
#include <string>
#include <utility>

#include "servers/server_status.h"
#include "view/main_view.h"

namespace vexal::servers {

class StatusViewer {
public:
    // What the game gets from a parameter line when it starts with it: the servers
    // asked are the ones that line would connect to.
    using CommandLineOf = std::function<std::string(const std::string& paramLine)>;

    // `openedFromTray` tells the other viewers that closing sends the window back to the tray.
    StatusViewer(view::MainView& view, std::function<void()> openedFromTray, CommandLineOf commandLineOf)
        : v_(view),
          openedFromTray_(std::move(openedFromTray)),
          commandLineOf_(std::move(commandLineOf)),
          status_(view.services.network, view.services.fs) {}

    void open();  // opens the viewer, or asks again while it is open
    void openFromTray();
    void poll();   // the timer's tick
    void close();  // part of close-viewers

private:
    void start();

    view::MainView& v_;
    std::function<void()> openedFromTray_;
    CommandLineOf commandLineOf_;
    ServerStatus status_;
};

}  // namespace vexal::servers
