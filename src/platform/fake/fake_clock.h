#pragma once
#include "platform/platform.h"

namespace vexal::platform::fake {

// A stopped clock in a German locale: "15.01.2024 10:30:00", "1.234,5".
class FakeClock final : public Clock {
public:
    [[nodiscard]] DateTime now() override { return current; }
    [[nodiscard]] std::string dateTimeText(const DateTime& t) override;
    [[nodiscard]] std::string shortDateText(const DateTime& t) override;
    [[nodiscard]] std::string longTimeText(const DateTime& t) override;
    [[nodiscard]] NumberFormat numberFormat() override { return format; }
    [[nodiscard]] std::string lower(const std::string& text) override;

    DateTime current{2024, 1, 15, 10, 30, 0};
    NumberFormat format{'.', ','};
};

}  // namespace vexal::platform::fake
