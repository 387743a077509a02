#pragma once
// Dialogs that answer from a script and remember what they were asked. With no
// answer scripted, a message box answers with its first button and the other
// dialogs are cancelled.
#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vexal::platform::fake {

struct MessageBoxCall {
    std::string text;
    BoxKind kind = BoxKind::Plain;
    BoxButtons buttons = BoxButtons::Ok;
    friend bool operator==(const MessageBoxCall&, const MessageBoxCall&) = default;
};

struct BrowseCall {
    std::string instruction, preselect;
    friend bool operator==(const BrowseCall&, const BrowseCall&) = default;
};

struct InputCall {
    std::string caption, prompt, value;
    friend bool operator==(const InputCall&, const InputCall&) = default;
};

class FakeDialogs final : public Dialogs {
public:
    // Throws std::logic_error when the scripted answer is not one of the box's buttons.
    BoxResult messageBox(const std::string& text, BoxKind kind, BoxButtons buttons) override;
    void errorBox(const std::string& message) override;
    std::optional<std::vector<std::string>> openFile(const OpenFileRequest& request) override;
    std::optional<std::string> browseForFolder(const std::string& instruction, const std::string& preselect) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& value) override;

    // ---- the script
    void answerNextBox(BoxResult answer) { boxAnswers.push_back(answer); }
    void answerNextOpenFile(std::vector<std::string> files) { openFileAnswers.emplace_back(std::move(files)); }
    void cancelNextOpenFile() { openFileAnswers.emplace_back(std::nullopt); }
    void answerNextFolder(std::string folder) { folderAnswers.emplace_back(std::move(folder)); }
    void cancelNextFolder() { folderAnswers.emplace_back(std::nullopt); }
    void answerNextInput(std::string text) { inputAnswers.emplace_back(std::move(text)); }
    void cancelNextInput() { inputAnswers.emplace_back(std::nullopt); }
    // Answers not used up yet: a test that scripted more than happened can say so.
    [[nodiscard]] std::size_t pendingAnswers() const {
        return boxAnswers.size() + openFileAnswers.size() + folderAnswers.size() + inputAnswers.size();
    }

    // ---- the record
    std::vector<MessageBoxCall> boxes;  // errorBox calls included, as Error boxes
    std::vector<std::string> errors;    // messages of errorBox calls
    std::vector<OpenFileRequest> openFileRequests;
    std::vector<BrowseCall> browseCalls;
    std::vector<InputCall> inputCalls;

private:
    std::deque<BoxResult> boxAnswers;
    std::deque<std::optional<std::vector<std::string>>> openFileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
};

}  // namespace vexal::platform::fake
