#include "settings/config.h"

#include "util/error.h"
#include "util/utilities.h"

namespace vexal::settings {

IniDocument& Config::doc() {
    if (!doc_) {
        const auto text = fs_.readFile(path_);
        // An absent file is a first start. A file that is there but cannot be read
        // (locked by a scanner, no permission) must not be overwritten by a document
        // that only holds this run's changes, or every other setting would be lost.
        unreadable_ = !text && fs_.fileExists(path_);
        doc_ = std::make_unique<IniDocument>(text.value_or(std::string()));
        onDisk_ = text;
    }
    return *doc_;
}

void Config::updateFile() {
    if (frozen_) return;
    std::string bytes = doc().serialize();
    if (unreadable_) throw Error(util::cannotCreateFileText(path_));
    // Many saves change nothing, the one at every start among them; each would cost a
    // flush to the disk. The file is still looked at, so that one changed behind our
    // back is written again and one that cannot be written is still said.
    if (bytes == onDisk_ && fs_.alreadyHolds(path_, bytes)) return;
    try {
        fs_.writeFileAtomic(path_, bytes);
    } catch (...) {
        throw Error(util::cannotCreateFileText(path_));
    }
    onDisk_ = std::move(bytes);
}

std::string settingsPathFor(const std::string& exePath) {
    const std::size_t dot = exePath.find_last_of('.');
    const std::size_t sep = exePath.find_last_of("\\:");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return exePath + ".ini";
    return exePath.substr(0, dot) + ".ini";
}

}  // namespace vexal::settings
