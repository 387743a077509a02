#pragma once
#include "platform/platform.h"

namespace vexal::platform::fake {

class FakeClipboard final : public Clipboard {
public:
    void setText(const std::string& text) override { content = text; }
    [[nodiscard]] std::optional<std::string> text() override { return content; }
    void clear() { content.reset(); }

    std::optional<std::string> content;  // nothing: the clipboard holds no text
};

}  // namespace vexal::platform::fake
