#include "util/system_facts.h"

#include "util/error.h"

namespace vexal::util {

std::string versionText(const platform::FileVersion& version) {
    return std::to_string(version.msw >> 16) + '.' + std::to_string(version.msw & 0xFFFFu) + '.' +
           std::to_string(version.lsw >> 16);
}

std::string GetVersionText(platform::Process& process) {
    const auto version = process.fileVersion(process.exePath());
    if (!version) throw Error(kNoVersionInfoText);
    return versionText(*version);
}

bool InternetConnected(platform::Connectivity& connectivity) { return connectivity.connected(); }

}  // namespace vexal::util
