// What only the fakes offer and no story shows: the old DOS mask rules for names
// without an extension and for letters beyond ASCII, and scripted answers that
// no button of the box could give. The Win32 build has nothing to check here.
#if VEXAL_CONTRACT_FAKE
#include <gtest/gtest.h>

#include "platform/fake/fake_services.h"

namespace vexal::platform::fake {
namespace {

std::vector<std::string> names(const std::vector<DirEntry>& entries) {
    std::vector<std::string> result;
    for (const auto& entry : entries) result.push_back(entry.name);
    return result;
}

TEST(FakeFileSystem, WildcardMasksFollowTheDosRules) {
    FakeFileSystem fs;
    for (const char* name : {"readme", "readme.txt", "a.b.c", "\xC4RGER.pk3"})
        fs.addFile(std::string("C:\\d\\") + name);
    EXPECT_EQ(names(fs.list("C:\\d", "readme.*")), (std::vector<std::string>{"readme", "readme.txt"}));
    EXPECT_EQ(names(fs.list("C:\\d", "*.")), (std::vector<std::string>{".", "..", "readme"}));
    EXPECT_EQ(names(fs.list("C:\\d", "*.c")), (std::vector<std::string>{"a.b.c"}));
    EXPECT_EQ(names(fs.list("C:\\d", "\xE4rger.PK3")), (std::vector<std::string>{"\xC4RGER.pk3"}));
}

TEST(FakeDialogs, AnAnswerThatIsNoButtonOfTheBoxIsATestError) {
    FakeDialogs dialogs;
    dialogs.answerNextBox(BoxResult::Yes);
    EXPECT_THROW(dialogs.messageBox("OK?", BoxKind::Information, BoxButtons::OkCancel), std::logic_error);
    // "&Ja" and "Abbrechen": no "&Nein" to answer with, and Yes comes first.
    dialogs.answerNextBox(BoxResult::No);
    EXPECT_THROW(dialogs.messageBox("Los?", BoxKind::Plain, BoxButtons::YesCancel), std::logic_error);
    EXPECT_EQ(dialogs.messageBox("Los?", BoxKind::Plain, BoxButtons::YesCancel), BoxResult::Yes);
}

}  // namespace
}  // namespace vexal::platform::fake
#endif
