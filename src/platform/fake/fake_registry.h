#pragma once
#include <map>
#include <string>

#include "platform/platform.h"

namespace vexal::platform::fake {

// The current user's registry as a map of keys, letter case ignored in key paths
// and value names as Windows does, with an injected failure for every change.
class FakeRegistry final : public Registry {
public:
    [[nodiscard]] bool keyExists(const std::string& key) override;
    [[nodiscard]] std::optional<std::string> readString(const std::string& key, const std::string& name) override;
    void writeString(const std::string& key, const std::string& name, const std::string& value) override;
    void deleteTree(const std::string& key) override;
    [[nodiscard]] std::optional<std::string> readMachineString(const std::string& key, const std::string& name,
                                                               View view) override;
    // A value an installer left in HKEY_LOCAL_MACHINE.
    void setMachineString(const std::string& key, const std::string& name, View view, const std::string& value);

    // From now on every write and deletion fails (a policy that locks the key).
    bool refuseChanges = false;

private:
    void createKey(const std::string& key);
    void failWhenRefused(const std::string& key) const;
    std::map<std::string, std::map<std::string, std::string>> keys_;
    std::map<std::string, std::string>
        machine_;  // by view, folded path and folded name  // by folded path, values by folded name
};

}  // namespace vexal::platform::fake
