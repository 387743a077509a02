#include <gtest/gtest.h>

#include <string>

#include "contract/contract_services.h"

namespace vexal::contract {
namespace {

// A key of the tests' own, the same shape as the one links are registered under.
constexpr const char* kRoot = "Software\\VexalContract";
constexpr const char* kScheme = "Software\\VexalContract\\et";
constexpr const char* kCommand = "Software\\VexalContract\\et\\shell\\open\\command";

class RegistryContract : public ::testing::Test {
protected:
    void SetUp() override { registry.deleteTree(kRoot); }  // left over from an aborted run
    void TearDown() override { registry.deleteTree(kRoot); }
    TestRegistry registry;
};

TEST_F(RegistryContract, AStringWrittenReadsBackAndItsKeysComeIntoBeing) {
    EXPECT_FALSE(registry.keyExists(kScheme));
    EXPECT_EQ(registry.readString(kCommand, ""), std::nullopt);

    const std::string command = "\"C:\\Program Files\\Vexal\\Vexal.exe\" \"%1\" \xE4";
    registry.writeString(kCommand, "", command);
    registry.writeString(kScheme, "URL Protocol", "");
    EXPECT_TRUE(registry.keyExists(kScheme)) << "the keys above are made on the way";
    EXPECT_TRUE(registry.keyExists("software\\vexalcontract\\ET\\Shell")) << "letter case is ignored in keys";
    EXPECT_EQ(registry.readString(kCommand, ""), command);
    EXPECT_EQ(registry.readString(kScheme, "url protocol"), "") << "an empty value is still a value";
    EXPECT_EQ(registry.readString(kScheme, ""), std::nullopt) << "the default value was never set";
    EXPECT_EQ(registry.readString(kScheme, "Other"), std::nullopt);

    registry.writeString(kCommand, "", "C:\\x.exe %1");
    EXPECT_EQ(registry.readString(kCommand, ""), "C:\\x.exe %1") << "a second write replaces the value";
}

TEST_F(RegistryContract, DeletingATreeTakesEverythingBelowAndLeavesItsNeighbours) {
    registry.writeString(kCommand, "", "a");
    registry.writeString(std::string(kRoot) + "\\et2", "", "neighbour");
    registry.deleteTree(kScheme);
    EXPECT_FALSE(registry.keyExists(kScheme));
    EXPECT_FALSE(registry.keyExists(kCommand));
    EXPECT_EQ(registry.readString(std::string(kRoot) + "\\et2", ""), "neighbour");
    EXPECT_NO_THROW(registry.deleteTree(kScheme)) << "a missing key is no failure";
}

}  // namespace
}  // namespace vexal::contract
