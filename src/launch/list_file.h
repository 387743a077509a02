#pragma once
// One list file beside the program (the parameter list, the map list): a line per
// entry, and what this window knows about the file since it last touched it.
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::launch {

class ListFile {
public:
    ListFile(platform::FileSystem& fs, platform::Dialogs& dialogs) : fs_(fs), dialogs_(dialogs) {}

    // Writes the lines. A file that cannot be written is said once, not at every
    // keystroke, and the caller goes on with the list as shown. Typing in the map
    // field rewrites the same list again and again: an unchanged list is not
    // written twice.
    void write(const std::string& path, const std::vector<std::string>& lines);
    // The lines of the file, or nothing (said in an error box) when it cannot be read.
    [[nodiscard]] std::optional<std::vector<std::string>> read(const std::string& path);

private:
    platform::FileSystem& fs_;
    platform::Dialogs& dialogs_;
    std::optional<std::string> written_;  // what the file holds since our last write
    bool reported_ = false;               // its failure has been said
    bool unreadable_ = false;             // could not be read: never written over
};

}  // namespace vexal::launch
