#include <gtest/gtest.h>

#include <string>

#include "contract/contract_services.h"

namespace vexal::contract {
namespace {

TEST(ProcessContract, NamedMutexReportsAnExistingOne) {
    Machine machine;
    TestProcess& process = machine.process;
    const std::string name = "VexalContractMutex";
    EXPECT_TRUE(process.createMutex(name));
    // The second instance finds the first one's mutex.
    EXPECT_FALSE(process.createMutex(name));
    // Names of kernel objects are case-sensitive, unlike file names.
    EXPECT_TRUE(process.createMutex("vexalcontractmutex"));
    process.releaseMutex();
    EXPECT_TRUE(process.createMutex(name));
    process.releaseMutex();
}

TEST(ProcessContract, FileWithoutVersionResourceHasNoVersion) {
    Machine machine;
    ScratchFolder dir(machine, "version");
    machine.fs.writeFileAtomic(dir / "plain.txt", "no resource here");
    EXPECT_EQ(machine.process.fileVersion(dir / "plain.txt"), std::nullopt);
    EXPECT_EQ(machine.process.fileVersion(dir / "missing.exe"), std::nullopt);
}

TEST(ProcessContract, ExePathNamesTheRunningProgram) {
    Machine machine;
    const std::string path = machine.process.exePath();
    ASSERT_GE(path.size(), 7u);
    EXPECT_EQ(path[1], ':');
    EXPECT_TRUE(machine.fs.fileExists(path));
}

TEST(ProcessContract, EnvironmentGivesValuesOrEmptyText) {
    Machine machine;
    EXPECT_TRUE(machine.fs.directoryExists(machine.process.environment("TEMP")));
    EXPECT_EQ(machine.process.environment("temp"), machine.process.environment("TEMP"));
    EXPECT_EQ(machine.process.environment("VEXAL_SURELY_NOT_SET"), "");
}

}  // namespace
}  // namespace vexal::contract
