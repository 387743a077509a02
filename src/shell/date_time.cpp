// The date or time field at the right end of the status line.
#include "settings/keys.h"
#include "shell/shell.h"

namespace vexal::shell {

void DateTimeField::dateTick() {
    v.stDate.setCaption(v.services.clock.shortDateText(v.services.clock.now()));
    v.tmDate.interval = 60000;
}

void DateTimeField::timeTick() {
    v.stDate.setCaption(v.services.clock.longTimeText(v.services.clock.now()));
    v.tmTime.interval = 1000;
}

// Left button: date; any other button: time. The click writes the value at once.
void DateTimeField::pressed(ui::MouseButton button) {
    v.playClick();
    const bool date = button == ui::MouseButton::Left;
    v.tmTime.setEnabled(!date);
    v.tmDate.setEnabled(date);
    const auto now = v.services.clock.now();
    v.stDate.setCaption(date ? v.services.clock.shortDateText(now) : v.services.clock.longTimeText(now));
    auto& doc = v.config.doc();
    settings::write(doc, settings::key::dateTimer, v.tmDate.enabled());
    settings::write(doc, settings::key::timeTimer, v.tmTime.enabled());
    v.saveSettings();
}

}  // namespace vexal::shell
