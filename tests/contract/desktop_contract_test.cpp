#include <gtest/gtest.h>

#include <string>

#include "contract/contract_services.h"
#include "util/error.h"

namespace vexal::contract {
namespace {

TEST(ClipboardContract, TextComesBackAsItWasSet) {
    TestClipboard clipboard;
    const std::string text = "Zeile 1\r\nZeile 2 mit \xE4\xF6\xFC\xDF";
    clipboard.setText(text);
    EXPECT_EQ(clipboard.text(), text);

    clipboard.setText("");
    EXPECT_EQ(clipboard.text(), "");  // empty text is still text
}

TEST(ClipboardContract, EmptiedClipboardHoldsNoText) {
    TestClipboard clipboard;
    clipboard.setText("something");
    clipboard.clear();
    EXPECT_EQ(clipboard.text(), std::nullopt);
}

TEST(ClockContract, TextsFollowTheGivenTime) {
    TestClock clock;
    const platform::DateTime t{2024, 12, 31, 23, 59, 58};
    const std::string date = clock.shortDateText(t);
    const std::string time = clock.longTimeText(t);
    EXPECT_NE(date.find("31"), std::string::npos) << date;
    EXPECT_NE(date.find("12"), std::string::npos) << date;
    EXPECT_NE(date.find("24"), std::string::npos) << date;
    EXPECT_NE(time.find("59"), std::string::npos) << time;
    EXPECT_NE(time.find("58"), std::string::npos) << time;
    EXPECT_EQ(clock.dateTimeText(t), date + " " + time);

    const platform::DateTime now = clock.now();
    EXPECT_GE(now.year, 2024);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
}

TEST(ClockContract, LowerCaseCoversTheSystemCodePage) {
    TestClock clock;
    EXPECT_EQ(clock.lower("ETMain\\Oasis.PK3"), "etmain\\oasis.pk3");
    EXPECT_EQ(clock.lower("\xC4\xD6\xDC \xC9"), "\xE4\xF6\xFC \xE9");
    EXPECT_EQ(clock.lower(""), "");
    const platform::NumberFormat format = clock.numberFormat();
    EXPECT_NE(format.thousands, format.decimal);
}

TEST(ScreenContract, WiderTextMeasuresWider) {
    TestScreen screen;
    const int wide = screen.textWidth("Tahoma", -11, false, "WWWW");
    const int narrow = screen.textWidth("Tahoma", -11, false, "iiii");
    EXPECT_GT(wide, narrow);
    EXPECT_GT(narrow, 0);
    EXPECT_GE(screen.textWidth("Tahoma", -11, true, "WWWW"), wide);
    EXPECT_EQ(screen.textWidth("Tahoma", -11, false, ""), 0);
    EXPECT_EQ(screen.textWidth("Tahoma", -11, false, "WWWWiiii"), wide + narrow);
    EXPECT_GT(screen.dialogFrameWidth(), 0);
}

TEST(HotkeysContract, ACombinationCanBeRegisteredOnlyOnce) {
    TestHotkeys hotkeys;
    constexpr unsigned kF11 = 0x7A;
    const unsigned mods = platform::kModControl | platform::kModAlt | platform::kModShift;
    ASSERT_TRUE(hotkeys.registerHotkey(7001, mods, kF11));
    EXPECT_FALSE(hotkeys.registerHotkey(7002, mods, kF11));
    hotkeys.unregisterHotkey(7001);
    EXPECT_TRUE(hotkeys.registerHotkey(7002, mods, kF11));
    hotkeys.unregisterHotkey(7002);
}

// A valid, silent PCM WAV file of 0.05 s.
std::string silentWave() {
    const std::uint32_t samples = 1102;
    auto le32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 24)};
    };
    auto le16 = [](std::uint16_t v) { return std::string{static_cast<char>(v), static_cast<char>(v >> 8)}; };
    std::string wave = "RIFF" + le32(36 + samples) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(22050) +
                       le32(22050) + le16(1) + le16(8) + "data" + le32(samples);
    wave.append(samples, static_cast<char>(0x80));
    return wave;
}

TEST(SoundContract, OpeningAMissingFileFailsAndAWaveFilePlays) {
    Machine machine;
    ScratchFolder dir(machine, "sound");
    EXPECT_THROW(machine.sound.play(dir / "missing.wav", false), Error);

    machine.fs.writeFileAtomic(dir / "click.wav", silentWave());
    EXPECT_NO_THROW(machine.sound.play(dir / "click.wav", true));
    machine.sound.close();
}

}  // namespace
}  // namespace vexal::contract
