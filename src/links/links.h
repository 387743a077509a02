#pragma once
// et:// links: opening one (from the command line or handed over by a second
// copy) joins the server it names; the Preferences item registers this program
// as the one that opens them, for the current user only.
#include <functional>
#include <string>

#include "view/main_view.h"

namespace vexal::links {

// Below HKEY_CURRENT_USER.
inline constexpr const char* kSchemeKey = "Software\\Classes\\et";
inline constexpr const char* kCommandKey = "Software\\Classes\\et\\shell\\open\\command";

// The command a registration writes: the program's full path and the link, each quoted.
[[nodiscard]] std::string openCommandFor(const std::string& exePath);
// True when the command starts exactly that program (letter case ignored), quoted or not.
[[nodiscard]] bool commandRuns(const std::string& command, const std::string& exePath);

class Links {
public:
    struct Hooks {
        // Starts the game with a parameter line, as Run does with the field's line.
        std::function<void(const std::string& paramLine)> join;
    };
    Links(view::MainView& view, Hooks hooks) : v_(view), hooks_(std::move(hooks)) {}

    // The game joins the server the link names; a faulty link starts nothing and a
    // box quotes it and says why.
    void open(const std::string& link);
    // The link of the command line, once, as the window first shows.
    void openOnRequest();

    // Read from the registry each time: another program may have taken the scheme.
    [[nodiscard]] bool registered() const;
    // The Preferences item: registers this program, or gives the links back to the
    // program that had them before.
    void toggleRegistration();

private:
    void registerHandler();
    void restoreHandler();
    view::MainView& v_;
    Hooks hooks_;
};

}  // namespace vexal::links
