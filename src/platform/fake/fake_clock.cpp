#include "platform/fake/fake_clock.h"

#include <cstdio>

#include "platform/fake/fake_paths.h"

namespace vexal::platform::fake {
std::string FakeClock::dateTimeText(const DateTime& t) { return shortDateText(t) + " " + longTimeText(t); }

std::string FakeClock::shortDateText(const DateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.day, t.month, t.year);
    return text;
}

std::string FakeClock::longTimeText(const DateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

std::string FakeClock::lower(const std::string& text) { return lowerCase(text); }

}  // namespace vexal::platform::fake
