// Backup and restore: whatever files the program folder holds (names derived from
// each other: a folder beside a file of the same name, other letter case, long
// names), a backup the program writes it can always restore, into an empty program
// folder and over the files it came from, each file with its own bytes.
#include "backup/backup_files.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/windows_names.h"
#include "platform/fake/fake_file_system.h"
#include "util/error.h"

using vexal::fuzz::check;
using vexal::fuzz::shown;
using vexal::platform::fake::FakeFileSystem;

namespace {

constexpr const char* kProgram = "C:\\Games\\Vexal\\";
constexpr const char* kArchive = "C:\\Games\\Vexal\\backup\\Vexal-backup.zip";

// Makes the file or folder (a name ending with a backslash) as the program would
// find it, through the file system's own operations; false when Windows would not.
bool make(FakeFileSystem& fs, const std::string& relative, const std::string& content) {
    std::string path = kProgram;
    std::size_t start = 0;
    for (;;) {
        const std::size_t sep = relative.find('\\', start);
        const std::string part = relative.substr(start, sep == std::string::npos ? std::string::npos : sep - start);
        if (sep == std::string::npos && part.empty()) return true;  // a folder name ended with the backslash
        if (!vexal::fuzz::windowsKeeps(part) || path.size() + part.size() >= 240) return false;
        path += part;
        if (sep == std::string::npos) break;
        if (!fs.directoryExists(path) && !fs.createDirectory(path)) return false;
        path += '\\';
        start = sep + 1;
    }
    if (fs.directoryExists(path)) return false;
    try {
        fs.writeFileAtomic(path, content);
    } catch (const vexal::Error&) {
        return false;
    }
    return true;
}

void sameFiles(FakeFileSystem& from, FakeFileSystem& to, const std::vector<vexal::backup::BackupSource>& sources,
               const std::string& what) {
    for (const auto& source : sources) {
        if (source.isFolder()) {
            check(to.directoryExists(source.path), what + ": the folder " + shown(source.path) + " is missing");
            continue;
        }
        check(to.contents(source.path) == from.contents(source.path),
              what + ": " + shown(source.path) + " does not hold its bytes");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto names = vexal::fuzz::pieces(data, size, 16);
    FakeFileSystem fs;
    fs.addFile(std::string(kProgram) + "Vexal.exe", "MZ the program");
    fs.addDirectory(std::string(kProgram) + "backup");
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string relative = names[i];
        for (char& c : relative)
            if (c == '/') c = '\\';
        (void)make(fs, relative, "file " + std::to_string(i) + ": " + relative);
    }
    const auto sources = vexal::backup::backupSources(fs, kProgram, "Vexal.ini");

    try {
        (void)vexal::backup::writeBackup(fs, kProgram, "Vexal.ini", kArchive, {});
    } catch (const vexal::Error& e) {
        // Refused when written: there is no backup, and nothing is left behind.
        check(!fs.fileExists(kArchive), "a refused backup left an archive");
        check(!fs.fileExists(std::string(kArchive) + ".tmp"), "a refused backup left its temporary file");
        return 0;
    }
    const std::string archive = *fs.contents(kArchive);

    // Into an empty program folder.
    FakeFileSystem fresh;
    fresh.addFile(std::string(kProgram) + "Vexal.exe", "MZ the program");
    fresh.addFile(kArchive, archive);
    try {
        vexal::backup::restoreBackup(fresh, kProgram, "Vexal.exe", kArchive, {});
    } catch (const vexal::Error& e) {
        check(false, std::string("a backup the program wrote is refused: ") + e.what());
    }
    sameFiles(fs, fresh, sources.files, "restored into an empty folder");

    // Over the files it came from.
    try {
        vexal::backup::restoreBackup(fs, kProgram, "Vexal.exe", kArchive, {});
    } catch (const vexal::Error& e) {
        check(false, std::string("a backup the program wrote is refused over its own files: ") + e.what());
    }
    sameFiles(fresh, fs, sources.files, "restored over its own files");
    return 0;
}
