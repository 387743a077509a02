#pragma once
#include "platform/platform.h"

namespace vexal::platform::win32 {

class Win32Clock final : public Clock {
public:
    [[nodiscard]] DateTime now() override;
    [[nodiscard]] std::string dateTimeText(const DateTime& t) override;
    [[nodiscard]] std::string shortDateText(const DateTime& t) override;
    [[nodiscard]] std::string longTimeText(const DateTime& t) override;
    [[nodiscard]] NumberFormat numberFormat() override;
    [[nodiscard]] std::string lower(const std::string& text) override;
};

}  // namespace vexal::platform::win32
