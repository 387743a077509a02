#include "contract/contract_services.h"

#include <chrono>
#if !VEXAL_CONTRACT_FAKE
#include <windows.h>
#endif

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

#if VEXAL_CONTRACT_FAKE
Watcher::Watcher(Machine& machine) : watch(&machine.fs) {}
void Watcher::changed(const std::string& path) { watch.changed(path); }
bool Watcher::waitUntil(const std::function<bool()>& done, int) { return done(); }
#else
Watcher::Watcher(Machine&) {}
void Watcher::changed(const std::string&) {}
bool Watcher::waitUntil(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    return true;
}
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
