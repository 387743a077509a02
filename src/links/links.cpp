#include "links/links.h"

#include <utility>
#include <variant>

#include "links/et_link.h"
#include "links/texts.h"
#include "util/case_fold.h"
#include "util/error.h"

namespace vexal::links {

std::string openCommandFor(const std::string& exePath) { return "\"" + exePath + "\" \"%1\""; }

bool commandRuns(const std::string& command, const std::string& exePath) {
    std::string program;
    if (!command.empty() && command.front() == '"') {
        const auto close = command.find('"', 1);
        if (close == std::string::npos) return false;
        program = command.substr(1, close - 1);
    } else {
        program = command.substr(0, command.find(' '));
    }
    return !program.empty() && util::foldCase(program) == util::foldCase(exePath);
}

void Links::open(const std::string& link) {
    const LinkResult result = parseEtLink(link);
    if (const auto* fault = std::get_if<LinkFault>(&result)) {
        (void)v_.services.dialogs.messageBox(text::refused(link, *fault), platform::BoxKind::Warning,
                                             platform::BoxButtons::Ok);
        return;
    }
    hooks_.join(connectLine(std::get<ServerAddress>(result)));
}

void Links::openOnRequest() {
    if (v_.switches.link.empty()) return;
    const std::string link = std::exchange(v_.switches.link, std::string());  // once, not at the next showing
    open(link);
}

bool Links::registered() const {
    const auto command = v_.services.registry.readString(kCommandKey, "");
    return command && commandRuns(*command, v_.services.process.exePath());
}

void Links::toggleRegistration() {
    v_.playClick();
    if (registered())
        restoreHandler();
    else
        registerHandler();
}

void Links::registerHandler() {
    auto& registry = v_.services.registry;
    // The handler that was there is kept on disk before anything changes: a
    // settings file that cannot be written stops the registration here.
    settings::write(v_.config.doc(), settings::key::linkKeyExisted, registry.keyExists(kSchemeKey));
    settings::write(v_.config.doc(), settings::key::linkCommand, registry.readString(kCommandKey, "").value_or(""));
    v_.config.updateFile();
    try {
        registry.writeString(kSchemeKey, "", "URL:et Protocol");
        registry.writeString(kSchemeKey, "URL Protocol", "");
        registry.writeString(kCommandKey, "", openCommandFor(v_.services.process.exePath()));
    } catch (const std::exception& e) {
        // Half a registration helps nobody: what was there goes back, as far as it can.
        try {
            restoreHandler();
        } catch (const std::exception&) {
        }
        throw Error(text::kRegisterFailed + std::string(e.what()));
    }
}

void Links::restoreHandler() {
    auto& registry = v_.services.registry;
    const std::string command = settings::read(v_.config.doc(), settings::key::linkCommand);
    try {
        if (!settings::read(v_.config.doc(), settings::key::linkKeyExisted))
            registry.deleteTree(kSchemeKey);
        else if (!command.empty())
            registry.writeString(kCommandKey, "", command);
        else
            registry.deleteTree(kCommandKey);
    } catch (const std::exception& e) {
        throw Error(text::kRestoreFailed + std::string(e.what()));
    }
}

}  // namespace vexal::links
