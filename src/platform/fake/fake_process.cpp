#include "platform/fake/fake_process.h"

#include "platform/fake/fake_paths.h"

namespace vexal::platform::fake {

bool FakeProcess::createMutex(const std::string& name) {
    const bool existed = others.count(name) || held.count(name);
    held.insert(name);
    return !existed;
}

std::optional<FileVersion> FakeProcess::fileVersion(const std::string& file) {
    const auto it = versions.find(foldCase(file));
    if (it == versions.end()) return std::nullopt;
    return it->second;
}

std::string FakeProcess::environment(const std::string& name) {
    const auto it = variables.find(foldCase(name));
    return it == variables.end() ? std::string() : it->second;
}

void FakeProcess::setFileVersion(const std::string& file, FileVersion version) { versions[foldCase(file)] = version; }

void FakeProcess::setEnvironment(const std::string& name, const std::string& value) {
    variables[foldCase(name)] = value;
}

}  // namespace vexal::platform::fake
