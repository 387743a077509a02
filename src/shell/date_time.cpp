// The date or time field at the right end of the status line.
#include "app/main_window.h"
#include "settings/keys.h"

namespace vexal {

void TfrmVexal::tmDateTimer() {
    stDate.setCaption(services.clock.shortDateText(services.clock.now()));
    tmDate.interval = 60000;
}

void TfrmVexal::tmTimeTimer() {
    stDate.setCaption(services.clock.longTimeText(services.clock.now()));
    tmTime.interval = 1000;
}

// Left button: date; any other button: time. The click writes the value at once.
void TfrmVexal::stDateMouseDown(ui::MouseButton button) {
    playClick();
    const bool date = button == ui::MouseButton::Left;
    tmTime.setEnabled(!date);
    tmDate.setEnabled(date);
    const auto now = services.clock.now();
    stDate.setCaption(date ? services.clock.shortDateText(now) : services.clock.longTimeText(now));
    auto& doc = config.doc();
    settings::write(doc, settings::key::dateTimer, tmDate.enabled());
    settings::write(doc, settings::key::timeTimer, tmTime.enabled());
    saveSettings();
}

}  // namespace vexal
