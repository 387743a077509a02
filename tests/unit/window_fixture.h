#pragma once
// A headless main window on the fake services: the same handlers the real window
// runs, driven by clicks and typing on the control model.
#include <gtest/gtest.h>

#include <memory>

#include "app/main_window.h"
#include "platform/fake/fake_services.h"
#include "ui/dispatch.h"

namespace vexal::testing {

inline constexpr const char* kProgram = "C:\\Games\\Vexal\\";
inline constexpr const char* kIni = "C:\\Games\\Vexal\\Vexal.ini";
inline constexpr const char* kGame = "C:\\Games\\ET";

class WindowTest : public ::testing::Test {
protected:
    platform::fake::FakeServices fake;
    platform::Services services = fake.services();
    settings::Config config{fake.fs, kIni};
    ui::Application app;
    std::unique_ptr<TfrmVexal> form;
    std::vector<std::string> errors;

    void SetUp() override {
        fake.process.path = std::string(kProgram) + "Vexal.exe";
        fake.process.setFileVersion(fake.process.path, platform::FileVersion{0x00010000, 0x00000006});
        fake.fs.addFile(std::string(kProgram) + "Vexal.exe", "MZ");
        fake.fs.addFile(std::string(kGame) + "\\et.exe", "MZ");
        fake.fs.addDirectory(std::string(kGame) + "\\etmain");
    }

    // Settings as they stand in the file before the start.
    void settingsFile(const std::string& extra = "") {
        fake.fs.addFile(kIni, std::string("[Paths]\r\netPath=") + kGame + "\r\n\r\n" + extra);
    }

    void start() {
        form = std::make_unique<TfrmVexal>(services, config, app);
        run([&] { form->FormCreate(); });
    }

    // Runs a handler as the message loop does: a failure is shown, not thrown.
    void run(const std::function<void()>& handler) {
        ui::runHandler(handler, [&](const std::string& m) { errors.push_back(m); });
    }

    // A menu item as the menu shows it when it opens (the window system's hook).
    ui::MenuItem& shown(const std::string& name) {
        form->windowModel({}).onMenuOpen();
        return *form->menuItem(name);
    }

    [[nodiscard]] std::string file(const std::string& name) const {
        return fake.fs.contents(std::string(kProgram) + name).value_or("<missing>");
    }
};

}  // namespace vexal::testing
