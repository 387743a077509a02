#include "platform/fake/fake_registry.h"

#include "util/case_fold.h"
#include "util/error.h"

namespace vexal::platform::fake {

namespace {

// "Software\\Classes\\et\\" and "software\\classes\\ET" are the same key.
std::string folded(std::string key) {
    while (!key.empty() && key.back() == '\\') key.pop_back();
    return util::foldCase(key);
}

}  // namespace

bool FakeRegistry::keyExists(const std::string& key) { return keys_.count(folded(key)) != 0; }

std::optional<std::string> FakeRegistry::readString(const std::string& key, const std::string& name) {
    const auto k = keys_.find(folded(key));
    if (k == keys_.end()) return std::nullopt;
    const auto v = k->second.find(util::foldCase(name));
    if (v == k->second.end()) return std::nullopt;
    return v->second;
}

void FakeRegistry::failWhenRefused(const std::string& key) const {
    if (refuseChanges) throw Error("Registry key HKEY_CURRENT_USER\\" + key + ": access denied");
}

void FakeRegistry::createKey(const std::string& key) {
    const std::string path = folded(key);
    for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
        keys_[path.substr(0, at)];
    keys_[path];
}

void FakeRegistry::writeString(const std::string& key, const std::string& name, const std::string& value) {
    failWhenRefused(key);
    createKey(key);
    keys_[folded(key)][util::foldCase(name)] = value;
}

void FakeRegistry::deleteTree(const std::string& key) {
    failWhenRefused(key);
    const std::string path = folded(key);
    for (auto it = keys_.begin(); it != keys_.end();) {
        const bool below = it->first.size() > path.size() && it->first.compare(0, path.size(), path) == 0 &&
                           it->first[path.size()] == '\\';
        it = it->first == path || below ? keys_.erase(it) : std::next(it);
    }
}

namespace {
std::string machineKey(const std::string& key, const std::string& name, Registry::View view) {
    return (view == Registry::View::Bits64 ? "64|" : "32|") + folded(key) + "|" + util::foldCase(name);
}
}  // namespace

std::optional<std::string> FakeRegistry::readMachineString(const std::string& key, const std::string& name, View view) {
    const auto it = machine_.find(machineKey(key, name, view));
    if (it == machine_.end()) return std::nullopt;
    return it->second;
}

void FakeRegistry::setMachineString(const std::string& key, const std::string& name, View view,
                                    const std::string& value) {
    machine_[machineKey(key, name, view)] = value;
}

}  // namespace vexal::platform::fake
