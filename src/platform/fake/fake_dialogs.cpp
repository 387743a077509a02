#include "platform/fake/fake_dialogs.h"

#include <stdexcept>

namespace vexal::platform::fake {
namespace {

std::vector<BoxResult> buttonsOf(BoxButtons buttons) {
    switch (buttons) {
        case BoxButtons::Ok:
            return {BoxResult::Ok};
        case BoxButtons::OkCancel:
            return {BoxResult::Ok, BoxResult::Cancel};
        case BoxButtons::YesNo:
            return {BoxResult::Yes, BoxResult::No};
        case BoxButtons::YesNoCancel:
            return {BoxResult::Yes, BoxResult::No, BoxResult::Cancel};
        case BoxButtons::Cancel:
            return {BoxResult::Cancel};
        case BoxButtons::YesCancel:
            return {BoxResult::Yes, BoxResult::Cancel};
    }
    return {BoxResult::Ok};
}

template <typename T>
T next(std::deque<T>& answers, T fallback) {
    if (!answers.empty()) {
        fallback = std::move(answers.front());
        answers.pop_front();
    }
    return fallback;
}

}  // namespace

BoxResult FakeDialogs::messageBox(const std::string& text, BoxKind kind, BoxButtons buttons) {
    boxes.push_back({text, kind, buttons});
    const auto offered = buttonsOf(buttons);
    const BoxResult answer = next(boxAnswers, offered.front());
    for (BoxResult button : offered) {
        if (button == answer) return answer;
    }
    throw std::logic_error("scripted answer is not a button of the box: " + text);
}

void FakeDialogs::errorBox(const std::string& message) {
    errors.push_back(message);
    boxes.push_back({message, BoxKind::Error, BoxButtons::Ok});
}

std::optional<std::vector<std::string>> FakeDialogs::openFile(const OpenFileRequest& request) {
    openFileRequests.push_back(request);
    return next(openFileAnswers, std::optional<std::vector<std::string>>());
}

std::optional<std::string> FakeDialogs::browseForFolder(const std::string& instruction, const std::string& preselect) {
    browseCalls.push_back({instruction, preselect});
    return next(folderAnswers, std::optional<std::string>());
}

std::optional<std::string> FakeDialogs::inputBox(const std::string& caption, const std::string& prompt,
                                                 const std::string& value) {
    inputCalls.push_back({caption, prompt, value});
    return next(inputAnswers, std::optional<std::string>());
}

}  // namespace vexal::platform::fake
