#include <gtest/gtest.h>

#include "app/main_window.h"

using vexal::parseSwitches;

TEST(Switches, MatchSlashOrDashWithTheWholeWordInAnyCase) {
    const auto s = parseSwitches({"/MIN", "-Readme", "/log", "-RESTORE", "/editable", "/Tahoma"});
    EXPECT_TRUE(s.minimized);
    EXPECT_TRUE(s.readme);
    EXPECT_TRUE(s.log);
    EXPECT_TRUE(s.restore);
    EXPECT_TRUE(s.editable);
    EXPECT_TRUE(s.tahoma);
}

TEST(Switches, HelpAsksForTheReadme) { EXPECT_TRUE(parseSwitches({"-help"}).readme); }

TEST(Switches, IgnoreLongerWordsAndOtherForms) {
    const auto s = parseSwitches({"/minimize", "min", "--min", "\\min", "/", "", "+map"});
    EXPECT_FALSE(s.minimized);
    EXPECT_FALSE(s.readme || s.log || s.restore || s.editable || s.tahoma);
}
