#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::platform::fake {

class FakeProcess final : public Process {
public:
    [[nodiscard]] std::string exePath() override { return path; }
    [[nodiscard]] std::vector<std::string> arguments() override { return args; }
    // False when another instance holds the name or this one already created it;
    // mutex names, unlike file names, are case-sensitive.
    [[nodiscard]] bool createMutex(const std::string& name) override;
    void releaseMutex() override { held.clear(); }
    [[nodiscard]] std::optional<FileVersion> fileVersion(const std::string& path) override;
    [[nodiscard]] std::string environment(const std::string& name) override;
    [[nodiscard]] std::string personalFolder() override { return documents; }

    void setFileVersion(const std::string& file, FileVersion version);
    void setEnvironment(const std::string& name, const std::string& value);
    // Another running program owns a mutex of this name.
    void heldByOtherInstance(const std::string& name) { others.insert(name); }
    [[nodiscard]] bool holds(const std::string& name) const { return held.count(name) != 0; }

    std::string path = "C:\\Vexal\\Vexal.exe";
    std::vector<std::string> args;
    std::string documents = "C:\\Users\\Player\\Documents";

private:
    std::set<std::string> held, others;
    std::map<std::string, FileVersion> versions;   // by folded path
    std::map<std::string, std::string> variables;  // by folded name
};

}  // namespace vexal::platform::fake
