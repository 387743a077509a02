#include "launch/launch_rules.h"

#include <gtest/gtest.h>

using vexal::launch::composeLaunchParameters;
using vexal::launch::longMapNameFrom;

namespace {

struct LaunchCase {
    const char* line;
    const char* map;
    const char* nick;
    const char* expected;
};

// Blanks matter here: a comment's removal leaves the blanks around it.
const LaunchCase kLaunchCases[] = {
    {"+sv_pure 1 +g_gametype 2 +map (default)", "oasis", "", "+sv_pure 1 +g_gametype 2 +map  oasis"},
    {"set fs_game etpro +sv_pure 0 +g_gametype 2 +devmap", "oasis", "Tom",
     "set fs_game etpro +sv_pure 0 +g_gametype 2 +devmap oasis +seta name Tom"},
    {"+set fs_game bobot +sv_pure 0 +map (Bot match)", "oasis", "X", "+set fs_game bobot +sv_pure 0 +map  oasis"},
    {"+connect 192.0.2.10:27960 (Example server one)", "oasis", "Tom", "+connect 192.0.2.10:27960  +seta name Tom"},
    {"+sv_pure 0 +g_gametype 2 +devmap", "", "", "+sv_pure 0 +g_gametype 2 +devmap "},
    // Only the first "(" and the first ")" count.
    {"+map (a) (b)", "oasis", "", "+map  (b) oasis"},
    // A ")" before the first "(" keeps every parenthesis.
    {"+map ) x (y", "oasis", "", "+map ) x (y oasis"},
    // A "(" without ")" removes nothing; the map still follows.
    {"+map (open", "oasis", "", "+map (open oasis"},
    // The comment is the line's own: a map name keeps its parentheses.
    {"+map", "oasis(v2)", "", "+map oasis(v2)"},
    {"+map (open", "oasis(v2)", "", "+map (open oasis(v2)"},
    {"+map (x)", "oasis(v2)", "", "+map  oasis(v2)"},
    // "+connect" inside the comment still suppresses the map, and then the comment goes.
    {"+map (see +connect)", "oasis", "", "+map "},
    // The test respects letter case.
    {"+Connect 192.0.2.1", "oasis", "", "+Connect 192.0.2.1 oasis"},
    // Two characters are a nickname, one is not; blanks are passed unquoted.
    {"+map", "oasis", "Al", "+map oasis +seta name Al"},
    {"+map", "oasis", "A", "+map oasis"},
    {"+map", "oasis", "Big Tom", "+map oasis +seta name Big Tom"},
    // An empty line still gets a blank and the map.
    {"", "oasis", "", " oasis"},
    // Quotes, carets and code-page characters pass through untouched.
    {"+exec \"my cfg\" ^1",
     "b\xE4"
     "r",
     "N\xF6"
     "ck",
     "+exec \"my cfg\" ^1 b\xE4"
     "r +seta name N\xF6"
     "ck"},
    // A demo in the map field is appended like a map.
    {"+sv_pure 0", "+demo match1", "", "+sv_pure 0 +demo match1"},
    // A line break would end one console command and start another: it is a blank.
    {"+map\r\n+quit", "oasis\n+vstr x", "Tom\r+quit", "+map  +quit oasis +vstr x +seta name Tom +quit"},
};

}  // namespace

TEST(LaunchParameters, ComposeAsTheGameExpects) {
    for (const auto& c : kLaunchCases) {
        EXPECT_EQ(composeLaunchParameters(c.line, c.map, c.nick), c.expected) << "line: " << c.line;
    }
}

TEST(LongMapName, ComesFromLineTwoOfTheInformationFile) {
    EXPECT_EQ(longMapNameFrom(std::string("oasis\r\nlongname: Siwa Oasis\r\nmore"), "oasis"), "Siwa Oasis");
    EXPECT_EQ(longMapNameFrom(std::string("oasis\nlongname: Siwa Oasis"), "oasis"), "Siwa Oasis");
    EXPECT_EQ(longMapNameFrom(std::nullopt, "oasis"), "oasis");
}

TEST(LongMapName, IsEmptyWhenLineTwoIsMissingOrShort) {
    EXPECT_EQ(longMapNameFrom(std::string("oasis\r\n"), "oasis"), "");
    EXPECT_EQ(longMapNameFrom(std::string("oasis\r\nlongname: "), "oasis"), "");
    EXPECT_EQ(longMapNameFrom(std::string(""), "oasis"), "");
}

TEST(PredefinedLines, AreEightWithTwoServerLinesAtPlacesFiveAndSix) {
    const auto& lines = vexal::launch::predefinedParameterLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "+sv_pure 1 +g_gametype 2 +map (default)");
    for (int i : {4, 5}) {
        const auto& s = lines[static_cast<std::size_t>(i)];
        EXPECT_EQ(s.rfind("+connect ", 0), 0u) << s;
        EXPECT_NE(s.find(":27960 ("), std::string::npos) << s;
        EXPECT_EQ(s.back(), ')') << s;
    }
    EXPECT_EQ(lines[2].rfind("set ", 0), 0u);
    EXPECT_EQ(lines[7].rfind("set ", 0), 0u);
}
