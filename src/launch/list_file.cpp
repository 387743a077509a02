#include "launch/list_file.h"

#include "util/file_facts.h"
#include "util/lines.h"

namespace vexal::launch {

void ListFile::write(const std::string& path, const std::vector<std::string>& lines) {
    // A list file that could not be read holds entries this window never saw:
    // writing the list shown would put them out of existence.
    if (unreadable_) return;
    const std::string bytes = util::joinLines(lines);
    if (written_ == bytes && fs_.fileExists(path)) return;
    try {
        fs_.writeFileAtomic(path, bytes);
        written_ = bytes;
        reported_ = false;
    } catch (const std::exception&) {
        written_.reset();
        if (reported_) return;
        reported_ = true;
        dialogs_.errorBox(util::cannotCreateFileText(path));
    }
}

std::optional<std::vector<std::string>> ListFile::read(const std::string& path) {
    const auto text = fs_.readFile(path);
    unreadable_ = !text;
    if (!text) {
        dialogs_.errorBox(util::cannotOpenFileText(path));
        return std::nullopt;
    }
    return util::splitLines(*text);
}

}  // namespace vexal::launch
