#pragma once
#include "platform/platform.h"

namespace vexal::platform::win32 {

// HKEY_CURRENT_USER through the ANSI registry calls. A 32-bit program on 64-bit
// Windows sees the same Software\Classes as a 64-bit one: that part is shared.
class Win32Registry final : public Registry {
public:
    [[nodiscard]] bool keyExists(const std::string& key) override;
    [[nodiscard]] std::optional<std::string> readString(const std::string& key, const std::string& name) override;
    void writeString(const std::string& key, const std::string& name, const std::string& value) override;
    void deleteTree(const std::string& key) override;
    [[nodiscard]] std::optional<std::string> readMachineString(const std::string& key, const std::string& name,
                                                               View view) override;
};

}  // namespace vexal::platform::win32
