#pragma once
// What the running program and the machine say about themselves.
#include <string>

#include "platform/platform.h"

namespace vexal::util {

inline constexpr const char* kNoVersionInfoText = "Keine Versionsinformationen vorhanden";

// "major.minor.release" of a file version; the build number is not shown.
[[nodiscard]] std::string versionText(const platform::FileVersion& version);
// The running executable's version text. Throws vexal::Error "Keine Versionsinformationen
// vorhanden" when it carries no version resource.
[[nodiscard]] std::string GetVersionText(platform::Process& process);

[[nodiscard]] bool InternetConnected(platform::Connectivity& connectivity);

}  // namespace vexal::util
