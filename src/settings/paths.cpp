#include "settings/paths.h"

namespace vexal::settings {

std::string programDirectoryOf(const std::string& exePath) { return util::extractFilePath(exePath); }

}  // namespace vexal::settings
