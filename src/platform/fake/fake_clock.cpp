#include "platform/fake/fake_clock.h"

#include <cstdio>

#include "platform/fake/fake_paths.h"

namespace vexal::platform::fake {
namespace {

int daysIn(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

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

void FakeClock::advanceSeconds(int seconds) {
    DateTime& t = current;
    t.second += seconds;
    t.minute += t.second / 60;
    t.second %= 60;
    t.hour += t.minute / 60;
    t.minute %= 60;
    t.day += t.hour / 24;
    t.hour %= 24;
    while (t.day > daysIn(t.year, t.month)) {
        t.day -= daysIn(t.year, t.month);
        if (++t.month > 12) {
            t.month = 1;
            ++t.year;
        }
    }
}

}  // namespace vexal::platform::fake
