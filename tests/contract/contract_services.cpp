#include "contract/contract_services.h"

namespace vexal::contract {

#if VEXAL_CONTRACT_FAKE
Machine::Machine() : sound(&fs) {
    fs.addDirectory("C:\\Users\\tester\\Temp");
    process.setEnvironment("TEMP", "C:\\Users\\tester\\Temp");
    fs.addFile(process.exePath(), "MZ");
}
#else
Machine::Machine() = default;
#endif

std::string Machine::tempFolder() {
    std::string temp = process.environment("TEMP");
    while (temp.size() > 3 && temp.back() == '\\') temp.pop_back();
    return temp;
}

void removeTree(TestFileSystem& fs, const std::string& folder) {
    for (const auto& entry : fs.list(folder, "*.*")) {
        if (entry.name == "." || entry.name == "..") continue;
        const std::string path = folder + "\\" + entry.name;
        fs.setAttributes(path, platform::kAttrNormal);
        if (entry.isDirectory()) {
            removeTree(fs, path);
        } else {
            (void)fs.deleteFile(path);
        }
    }
    (void)fs.removeDirectory(folder);
}

ScratchFolder::ScratchFolder(Machine& machine, const std::string& name)
    : fs(machine.fs), folder(machine.tempFolder() + "\\vexal-contract-" + name) {
    removeTree(fs, folder);  // left over from an aborted run
    (void)fs.createDirectory(folder);
}

ScratchFolder::~ScratchFolder() { removeTree(fs, folder); }

}  // namespace vexal::contract
