#include "settings/paths.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vexal::settings {
namespace {

struct PathCase {
    std::string path;
    std::string folder;  // extractFilePath
    std::string name;    // extractFileName
};
void PrintTo(const PathCase& c, std::ostream* os) { *os << c.path; }

class PathsSplit : public testing::TestWithParam<PathCase> {};

TEST_P(PathsSplit, FolderAndNameSplitAtTheLastBackslashOrDriveColon) {
    const auto& c = GetParam();
    EXPECT_EQ(extractFilePath(c.path), c.folder) << c.path;
    EXPECT_EQ(extractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(extractFilePath(c.path) + extractFileName(c.path), c.path) << "nothing is lost between the parts";
}

INSTANTIATE_TEST_SUITE_P(Paths, PathsSplit,
                         testing::Values(PathCase{"C:\\Games\\Vexal\\Vexal.exe", "C:\\Games\\Vexal\\", "Vexal.exe"},
                                         PathCase{"D:\\et.exe", "D:\\", "et.exe"}, PathCase{"D:et.exe", "D:", "et.exe"},
                                         PathCase{"C:\\ET\\", "C:\\ET\\", ""}, PathCase{"Vexal.exe", "", "Vexal.exe"},
                                         PathCase{"C:\\Vexal\\\\mapinfos", "C:\\Vexal\\\\", "mapinfos"},
                                         PathCase{"\\\\server\\share\\a.txt", "\\\\server\\share\\", "a.txt"},
                                         PathCase{"", "", ""}));

TEST(Paths, ProgramDirectoryIsTheExecutablesFolderWithItsBackslash) {
    EXPECT_EQ(programDirectoryOf("C:\\Games\\Vexal\\Vexal.exe"), "C:\\Games\\Vexal\\");
    EXPECT_EQ(programDirectoryOf("E:\\Vexal.exe"), "E:\\");
}

TEST(Paths, TrailingBackslashIsAddedOnlyWhereMissing) {
    const std::vector<std::pair<std::string, std::string>> cases = {{"C:\\ET", "C:\\ET\\"}, {"C:\\ET\\", "C:\\ET\\"},
                                                                    {"D:\\", "D:\\"},       {"D:", "D:\\"},
                                                                    {"etmain", "etmain\\"}, {"", ""}};
    for (const auto& [in, out] : cases) EXPECT_EQ(includeTrailingBackslash(in), out) << '"' << in << '"';
}

}  // namespace
}  // namespace vexal::settings
