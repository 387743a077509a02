#pragma once
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "settings/ini_document.h"

namespace vexal::settings {

// The accessor of the one settings document. The file is read on the first call
// of doc(); every later call returns the same document, and the file is never
// read again. updateFile() writes the whole document atomically, unless the file
// already holds it.
class Config {
public:
    Config(platform::FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

    IniDocument& doc();
    // Throws vexal::Error "Datei <path> kann nicht erstellt werden" when the file cannot be written.
    void updateFile();
    [[nodiscard]] const std::string& path() const { return path_; }
    // From now on updateFile() writes nothing: a restore has put other settings
    // on disk, and this copy's document must not undo them as it ends.
    void freeze() { frozen_ = true; }
    [[nodiscard]] bool frozen() const { return frozen_; }

private:
    platform::FileSystem& fs_;
    std::string path_;
    std::unique_ptr<IniDocument> doc_;
    std::optional<std::string> onDisk_;  // what the file held when read or last written
    bool unreadable_ = false;  // the file exists but could not be read at load time
    bool frozen_ = false;
};

// The settings file of an executable: its full path with the extension replaced by ".ini".
[[nodiscard]] std::string settingsPathFor(const std::string& exePath);

}  // namespace vexal::settings
