#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/fake/fake_file_system.h"
#include "settings/config.h"
#include "settings/ini_document.h"
#include "util/error.h"

namespace vexal::settings {
namespace {

using Sections = std::vector<std::pair<std::string, std::vector<std::string>>>;

Sections sectionsOf(const IniDocument& doc) {
    Sections out;
    for (const auto& s : doc.sections()) out.emplace_back(s.name, s.lines);
    return out;
}

// ---- Loading -----------------------------------------------------------------

struct ParseCase {
    const char* what;
    std::string text;
    Sections expected;
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.what; }

class SettingsParse : public testing::TestWithParam<ParseCase> {};

TEST_P(SettingsParse, BuildsSectionsAndLines) {
    const auto& c = GetParam();
    EXPECT_EQ(sectionsOf(IniDocument(c.text)), c.expected) << c.what;
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingsParse,
    testing::Values(
        ParseCase{"key and value are trimmed", "[Paths]\r\n  etPath =  C:\\ET  \r\n", {{"Paths", {"etPath=C:\\ET"}}}},
        ParseCase{"comments and empty lines are skipped",
                  "[A]\r\n; a note\r\n\r\n   \r\n  ;indented note\r\nk=v\r\n",
                  {{"A", {"k=v"}}}},
        ParseCase{"text before the first section is dropped", "stray=1\r\nloose\r\n[A]\r\nk=v", {{"A", {"k=v"}}}},
        ParseCase{"a line without '=' is kept as it is", "[A]\r\n  just some text  \r\n", {{"A", {"just some text"}}}},
        ParseCase{"split at the first '='", "[A]\r\n k = a = b \r\n", {{"A", {"k=a = b"}}}},
        ParseCase{"an empty key is kept", "[A]\r\n= v\r\n", {{"A", {"=v"}}}},
        ParseCase{"section name is trimmed", "[  Paths ]\r\n", {{"Paths", {}}}},
        ParseCase{"an unclosed bracket is an ordinary line", "[A]\r\n[B\r\n", {{"A", {"[B"}}}},
        ParseCase{"a bracket line with '=' inside is a section", "[a=b]\r\nk=v\r\n", {{"a=b", {"k=v"}}}},
        ParseCase{
            "lone CR and lone LF end lines", "[A]\rk=1\nj=2\r\n[B]\n\rx=3", {{"A", {"k=1", "j=2"}}, {"B", {"x=3"}}}},
        ParseCase{"a UTF-8 byte-order mark does not hide the first section",
                  "\xEF\xBB\xBF[Paths]\r\netPath=x\r\n",
                  {{"Paths", {"etPath=x"}}}},
        ParseCase{"a repeated section continues the first one",
                  "[A]\r\nk=1\r\n[B]\r\nx=1\r\n[a]\r\nk=2\r\nm=3\r\n",
                  {{"A", {"k=1", "k=2", "m=3"}}, {"B", {"x=1"}}}},
        ParseCase{"tabs and NUL around a line are blanks", "[A]\r\n\t k=v\0 \r\n"s, {{"A", {"k=v"}}}},
        ParseCase{"NUL inside a value is kept", "[A]\r\nk=a\0b\r\n"s, {{"A", {"k=a\0b"s}}}},
        ParseCase{"empty text gives no sections", "", {}}));

TEST(Settings, SaveWritesSectionsWithCrLfAndAnEmptyLineAfterEach) {
    const IniDocument doc("; header\n[Paths]\netPath=C:\\ET\nloose text\n[Timer]\n[Sound]\nactiv=1");
    EXPECT_EQ(doc.serialize(),
              "[Paths]\r\netPath=C:\\ET\r\nloose text\r\n\r\n"
              "[Timer]\r\n\r\n"
              "[Sound]\r\nactiv=1\r\n\r\n");
}

TEST(Settings, VeryLongLinesAreKeptWhole) {
    const std::string value(1 << 20, 'x');
    const IniDocument doc("[A]\r\nk=" + value + "\r\n");
    EXPECT_EQ(doc.readString("A", "k", ""), value);
}

// parse(serialize(doc)) keeps every section and line, whatever junk the file held.
TEST(Settings, SaveAndReloadKeepEverySectionAndLineOfJunkInput) {
    const std::string alphabet = "[]=; \t\r\n\r\n\0aBk\xC4\xE4\xEF\xBB\xBFx"s;
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 400);
    for (int round = 0; round < 3000; ++round) {
        std::string junk;
        const std::size_t n = length(rng);
        for (std::size_t i = 0; i < n; ++i) junk += alphabet[pick(rng)];
        const IniDocument first(junk);
        const IniDocument again(first.serialize());
        ASSERT_EQ(sectionsOf(again), sectionsOf(first)) << "input #" << round;
        ASSERT_EQ(again.serialize(), first.serialize()) << "input #" << round;
    }
}

// ---- Lookups -----------------------------------------------------------------

TEST(Settings, LookupsIgnoreLetterCaseOfSectionsAndKeys) {
    // Windows-1252: "ÄRGER" / "ärger", "SCHLÜSSEL" / "schlüssel", "Š" / "š".
    const IniDocument doc("[Paths]\r\netPath=C:\\ET\r\n[\xC4RGER]\r\nSchl\xFCssel=1\r\n[\x8A]\r\n\x9F=2\r\n");
    const std::vector<std::pair<std::string, std::string>> spellings = {
        {"Paths", "etPath"}, {"PATHS", "ETPATH"}, {"paths", "etpath"}, {"pAtHs", "EtPaTh"}};
    for (const auto& [section, key] : spellings) EXPECT_EQ(doc.readString(section, key, "-"), "C:\\ET") << section;
    EXPECT_EQ(doc.readString("\xE4rger", "SCHL\xDCSSEL", "-"), "1");
    EXPECT_EQ(doc.readString("\x9A", "\xFF", "-"), "2");
    EXPECT_EQ(doc.readString("Paths", "etPat", "-"), "-") << "a prefix of a key is another key";
    EXPECT_EQ(doc.readString("Path", "etPath", "-"), "-");
}

TEST(Settings, ValueIsTheTextAfterTheFirstEqualsSign) {
    const IniDocument doc("[A]\r\nk= a=b \r\nempty=\r\nnokey\r\n");
    EXPECT_EQ(doc.readString("A", "k", "-"), "a=b");
    EXPECT_EQ(doc.readString("A", "empty", "-"), "");
    EXPECT_EQ(doc.readString("A", "nokey", "-"), "-") << "a line without '=' carries no key";
    EXPECT_EQ(doc.readString("B", "k", "-"), "-");
}

TEST(Settings, FirstOfDuplicateKeysWinsForReadingAndWriting) {
    IniDocument doc("[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\n");
    EXPECT_EQ(doc.readInteger("A", "k", 0), 1);
    doc.writeInteger("a", "K", 9);
    EXPECT_EQ(sectionsOf(doc), (Sections{{"A", {"K=9", "K=2", "k=3"}}}));
}

// ---- Writing -----------------------------------------------------------------

TEST(Settings, WritingReplacesInPlaceOrAppendsToItsSectionOrAppendsTheSection) {
    IniDocument doc("[Paths]\r\netPath=C:\\old\r\neditor=n.exe\r\n[Timer]\r\ntime=0\r\n");
    doc.writeString("PATHS", "ETPATH", "D:\\");
    doc.writeString("Paths", "lastcfg", "x.cfg");
    doc.writeBool("Sound", "activ", true);
    EXPECT_EQ(sectionsOf(doc), (Sections{{"Paths", {"ETPATH=D:\\", "editor=n.exe", "lastcfg=x.cfg"}},
                                         {"Timer", {"time=0"}},
                                         {"Sound", {"activ=1"}}}));
}

TEST(Settings, WrittenValuesReadBackAsWrittenAfterTheNextLoad) {
    // Blanks at either end and enclosing quotes survive a save and a load; a
    // hand-written file keeps the loader's trimming and loses one pair of quotes.
    const std::vector<std::pair<std::string, std::string>> cases = {{" Tom ", "nick=\" Tom \""},
                                                                    {"\tTab", "nick=\"\tTab\""},
                                                                    {"\"Tom\"", "nick=\"\"Tom\"\""},
                                                                    {"\"", "nick=\""},
                                                                    {"'Tom'", "nick='Tom'"},
                                                                    {"To\"m", "nick=To\"m"},
                                                                    {"", "nick="},
                                                                    {"   ", "nick=\"   \""},
                                                                    {"\"a\" b \"c\"", "nick=\"\"a\" b \"c\"\""}};
    for (const auto& [value, line] : cases) {
        IniDocument doc;
        doc.writeString("ET-Nickname", "nick", value);
        EXPECT_EQ(doc.readString("ET-Nickname", "nick", "-"), value);
        EXPECT_EQ(doc.serialize(), "[ET-Nickname]\r\n" + line + "\r\n\r\n") << value;
        EXPECT_EQ(IniDocument(doc.serialize()).readString("ET-Nickname", "nick", "-"), value);
    }
    const IniDocument handWritten("[S]\r\na=  Tom  \r\nb=\" Tom \"\r\nc='x'\r\nd=\"1\"\r\n");
    EXPECT_EQ(handWritten.readString("S", "a", "-"), "Tom");
    EXPECT_EQ(handWritten.readString("S", "b", "-"), " Tom ");
    EXPECT_EQ(handWritten.readString("S", "c", "-"), "'x'");
    EXPECT_EQ(handWritten.readInteger("S", "d", 0), 1);
}

TEST(Settings, LineBreakInAWrittenValueCannotInjectASection) {
    IniDocument doc;
    doc.writeString("ET-Param", "ETParam", "+map x\r\n[Window]\nInstances=1");
    const IniDocument reloaded(doc.serialize());
    ASSERT_EQ(reloaded.sections().size(), 1u);
    EXPECT_EQ(reloaded.readString("ET-Param", "ETParam", ""), "+map x  [Window] Instances=1");
    EXPECT_FALSE(reloaded.readBool("Window", "Instances", false));
}

TEST(Settings, BooleansAndIntegersAreWrittenInDecimal) {
    IniDocument doc;
    doc.writeBool("B", "on", true);
    doc.writeBool("B", "off", false);
    doc.writeInteger("B", "min", INT32_MIN);
    EXPECT_EQ(doc.serialize(), "[B]\r\non=1\r\noff=0\r\nmin=-2147483648\r\n\r\n");
}

// ---- Typed reads ---------------------------------------------------------------

struct BoolCase {
    std::string stored;
    bool withDefaultFalse;
    bool withDefaultTrue;
};
void PrintTo(const BoolCase& c, std::ostream* os) { *os << '"' << c.stored << '"'; }

class SettingsBool : public testing::TestWithParam<BoolCase> {};

TEST_P(SettingsBool, BooleanReadsAnyNonZeroIntegerAsTrueAndWordsAsTheDefault) {
    const auto& c = GetParam();
    const IniDocument doc("[S]\r\nk=" + c.stored + "\r\n");
    EXPECT_EQ(doc.readBool("S", "k", false), c.withDefaultFalse) << c.stored;
    EXPECT_EQ(doc.readBool("S", "k", true), c.withDefaultTrue) << c.stored;
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsBool,
                         testing::Values(BoolCase{"1", true, true}, BoolCase{"0", false, false},
                                         BoolCase{"2", true, true}, BoolCase{"-1", true, true},
                                         BoolCase{"0x10", true, true}, BoolCase{"0x0", false, false},
                                         BoolCase{"yes", false, true}, BoolCase{"true", false, true},
                                         BoolCase{"", false, true}, BoolCase{"1.0", false, true}));

struct IntCase {
    std::string stored;
    std::int32_t expected;  // kDefault when the text is not a number
};
void PrintTo(const IntCase& c, std::ostream* os) { *os << '"' << c.stored << '"'; }
constexpr std::int32_t kDefault = 4711;

class SettingsInteger : public testing::TestWithParam<IntCase> {};

TEST_P(SettingsInteger, IntegerReadsDecimalOrHexAndJunkAsTheDefault) {
    const auto& c = GetParam();
    const IniDocument doc("[S]\r\nk=" + c.stored + "\r\n");
    EXPECT_EQ(doc.readInteger("S", "k", kDefault), c.expected) << '"' << c.stored << '"';
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsInteger,
                         testing::Values(IntCase{"353", 353}, IntCase{"-5", -5}, IntCase{"+7", 7}, IntCase{"0x10", 16},
                                         IntCase{"0X1f", 31}, IntCase{"0xFFFFFFFF", -1},
                                         IntCase{"-2147483648", INT32_MIN}, IntCase{"0x", kDefault},
                                         IntCase{"0x100000000", kDefault}, IntCase{"0xg", kDefault},
                                         IntCase{"-0x10", kDefault}, IntCase{"2147483648", kDefault},
                                         IntCase{"99999999999999999999", kDefault}, IntCase{"12abc", kDefault},
                                         IntCase{"", kDefault}, IntCase{"-", kDefault}, IntCase{"1 2", kDefault}));

// ---- The settings file ---------------------------------------------------------

const std::string kIni = "C:\\Games\\Vexal\\Vexal.ini";

TEST(Settings, MissingFileGivesDefaultsAndTheFirstUpdateCreatesIt) {
    platform::fake::FakeFileSystem fs;
    fs.addDirectory("C:\\Games\\Vexal");
    Config config(fs, kIni);
    EXPECT_TRUE(config.doc().sections().empty());
    EXPECT_TRUE(config.doc().readBool("Timer", "date", true));
    config.doc().writeString("Paths", "etPath", "D:\\");
    config.updateFile();
    EXPECT_EQ(fs.contents(kIni), "[Paths]\r\netPath=D:\\\r\n\r\n");
}

TEST(Settings, FileIsReadOnceAndLaterChangesOnDiskAreNotSeen) {
    platform::fake::FakeFileSystem fs;
    fs.addFile(kIni, "[minimize]\nET-MINIMIZE=Q\n");
    Config config(fs, kIni);
    EXPECT_EQ(config.doc().readString("Minimize", "ET-Minimize", "Z"), "Q");
    fs.addFile(kIni, "[Minimize]\nET-Minimize=W\n");
    EXPECT_EQ(config.doc().readString("Minimize", "ET-Minimize", "Z"), "Q");
    EXPECT_EQ(&config.doc(), &config.doc());
}

TEST(Settings, UpdateRewritesTheWholeFileDroppingCommentsAndKeepingLooseLines) {
    platform::fake::FakeFileSystem fs;
    fs.addFile(kIni, "; my settings\r\n[Paths]\r\netPath = C:\\ET \r\nloose\r\n[Timer]\r\ntime=1\r\n");
    Config config(fs, kIni);
    config.doc().writeBool("Timer", "date", false);
    config.updateFile();
    EXPECT_EQ(fs.contents(kIni), "[Paths]\r\netPath=C:\\ET\r\nloose\r\n\r\n[Timer]\r\ntime=1\r\ndate=0\r\n\r\n");
}

// Every start saves the settings it has just read; the disk is spared that, and
// nothing else: a changed, deleted, read-only or held file is written (or said) as before.
TEST(Settings, ASaveThatChangesNothingWritesNothingUnlessTheFileNeedsIt) {
    const std::string saved = "[Paths]\r\netPath=C:\\ET\r\n\r\n";
    platform::fake::FakeFileSystem fs;
    fs.addFile(kIni, saved);
    Config config(fs, kIni);
    config.doc().writeString("Paths", "etPath", "C:\\ET");
    config.updateFile();
    EXPECT_TRUE(fs.writes.empty()) << "the file already holds it";

    config.doc().writeBool("Timer", "date", false);
    config.updateFile();
    config.updateFile();
    ASSERT_EQ(fs.writes.size(), 1u) << "a change once, then nothing";
    const std::string changed = *fs.contents(kIni);

    fs.addFile(kIni, saved);  // another program put the old file back
    config.updateFile();
    EXPECT_EQ(fs.contents(kIni), changed);
    ASSERT_TRUE(fs.deleteFile(kIni));
    config.updateFile();
    EXPECT_EQ(fs.contents(kIni), changed);
    EXPECT_EQ(fs.writes.size(), 3u);

    fs.lockFile(kIni);
    EXPECT_THROW(config.updateFile(), Error) << "held by another program";
    fs.unlockFile(kIni);
    ASSERT_TRUE(fs.setAttributes(kIni, platform::kAttrReadOnly));
    EXPECT_THROW(config.updateFile(), Error) << "read-only";
}

TEST(Settings, FailedSaveReportsTheFileAndKeepsTheNewValue) {
    platform::fake::FakeFileSystem fs;
    fs.addFile(kIni, "[Sound]\r\nactiv=1\r\n", platform::kAttrReadOnly);
    Config config(fs, kIni);
    config.doc().writeBool("Sound", "activ", false);
    try {
        config.updateFile();
        FAIL() << "a failed save must not pass as success";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Datei C:\\Games\\Vexal\\Vexal.ini kann nicht erstellt werden");
    }
    EXPECT_FALSE(config.doc().readBool("Sound", "activ", true));
    EXPECT_EQ(fs.contents(kIni), "[Sound]\r\nactiv=1\r\n");
}

TEST(Settings, UnreadableExistingFileIsNeverOverwrittenWithAPartialDocument) {
    platform::fake::FakeFileSystem fs;
    fs.addFile(kIni, "[Paths]\r\netPath=C:\\ET\r\n");
    fs.lockFile(kIni);
    Config config(fs, kIni);
    config.doc().writeBool("Sound", "activ", false);
    fs.unlockFile(kIni);
    EXPECT_THROW(config.updateFile(), Error);
    EXPECT_EQ(fs.contents(kIni), "[Paths]\r\netPath=C:\\ET\r\n");
}

TEST(Settings, SettingsFileIsTheExecutableWithItsExtensionReplaced) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\Games\\Vexal\\Vexal.exe", "C:\\Games\\Vexal\\Vexal.ini"},
        {"C:\\Games\\Vexal\\vexal-1.0.EXE", "C:\\Games\\Vexal\\vexal-1.0.ini"},
        {"C:\\my.games\\Vexal", "C:\\my.games\\Vexal.ini"},
        {"D:Vexal.exe", "D:Vexal.ini"},
    };
    for (const auto& [exe, ini] : cases) EXPECT_EQ(settingsPathFor(exe), ini) << exe;
}

}  // namespace
}  // namespace vexal::settings
