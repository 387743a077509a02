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
    }
    return *doc_;
}

void Config::updateFile() {
    if (frozen_) return;
    const std::string bytes = doc().serialize();
    if (unreadable_) throw Error(util::cannotCreateFileText(path_));
    try {
        fs_.writeFileAtomic(path_, bytes);
    } catch (...) {
        throw Error(util::cannotCreateFileText(path_));
    }
}

std::string settingsPathFor(const std::string& exePath) {
    const std::size_t dot = exePath.find_last_of('.');
    const std::size_t sep = exePath.find_last_of("\\:");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return exePath + ".ini";
    return exePath.substr(0, dot) + ".ini";
}

}  // namespace vexal::settings
