#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace vexal::platform::win32 {

class Win32FileSystem final : public FileSystem {
public:
    [[nodiscard]] bool fileExists(const std::string& path) override;
    [[nodiscard]] bool directoryExists(const std::string& path) override;
    [[nodiscard]] std::optional<std::string> readFile(const std::string& path) override;
    [[nodiscard]] std::optional<std::string> readFilePart(const std::string& path, std::uint64_t offset,
                                                          std::size_t length) override;
    void writeFileAtomic(const std::string& path, const std::string& bytes) override;
    [[nodiscard]] bool alreadyHolds(const std::string& path, const std::string& bytes) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    void writeFileUnflushed(const std::string& path, const std::string& bytes) override;
    void flushFile(const std::string& path) override;
    [[nodiscard]] bool deleteFile(const std::string& path) override;
    [[nodiscard]] bool createDirectory(const std::string& path) override;
    [[nodiscard]] bool removeDirectory(const std::string& path) override;
    [[nodiscard]] std::vector<DirEntry> list(const std::string& folder, const std::string& mask) override;
    [[nodiscard]] std::optional<DirEntry> stat(const std::string& path) override;
    [[nodiscard]] bool setCurrentDirectory(const std::string& path) override;
    [[nodiscard]] std::string currentDirectory() override;
    bool setAttributes(const std::string& path, std::uint32_t attributes) override;
    void replaceFile(const std::string& from, const std::string& to) override;

    // Beyond the interface, for tools and tests that prepare folders.
    bool setLastWrite(const std::string& path, const DateTime& localTime);
};

// "C:\a\\b" names C:\a\b. The two backslashes that open a network path stay.
[[nodiscard]] std::string collapseBackslashes(const std::string& path);

}  // namespace vexal::platform::win32
