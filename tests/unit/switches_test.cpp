#include <gtest/gtest.h>

#include "app/main_window.h"
#include "util/command_line.h"

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

TEST(CommandLine, SplitsAsWindowsProgramsDo) {
    const struct {
        const char* line;
        std::vector<std::string> args;
    } rows[] = {
        {"Vexal.exe", {}},
        {"\"C:\\Program Files\\Vexal\\Vexal.exe\" /min -LOG", {"/min", "-LOG"}},
        {"C:\\V\\Vexal.exe   /readme\t/tahoma  ", {"/readme", "/tahoma"}},
        {"v.exe \"a b\" c", {"a b", "c"}},
        {"v.exe a\\\\\\\"b", {"a\\\"b"}},
        {"v.exe \"a\\\\\" b", {"a\\", "b"}},
        {"v.exe C:\\dir\\ x", {"C:\\dir\\", "x"}},
        {"v.exe \"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"v.exe \"\"", {""}},
    };
    for (const auto& row : rows) EXPECT_EQ(vexal::util::splitCommandLine(row.line), row.args) << row.line;
}
