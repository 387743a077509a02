// The restore on any archive: what it accepts stays inside the program folder,
// never touches the executable, and every file it writes holds data that inflates
// to its entry's CRC; an archive it refuses writes nothing at all.
#include <zlib.h>

#include <algorithm>
#include <map>

#include "backup/backup_files.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/windows_names.h"
#include "platform/fake/fake_file_system.h"
#include "util/error.h"

using vexal::fuzz::check;
using vexal::fuzz::shown;

namespace {

constexpr const char* kProgram = "C:\\Games\\Vexal\\";
constexpr const char* kArchive = "C:\\Games\\Vexal\\backup\\Vexal-backup.zip";

std::string folded(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Every file and folder with its content ("<folder>" for a folder).
std::map<std::string, std::string> snapshot(vexal::platform::fake::FakeFileSystem& fs) {
    std::map<std::string, std::string> out;
    for (const auto& path : fs.paths()) out[folded(path)] = fs.contents(path).value_or("<folder>");
    return out;
}

std::uint32_t crcOf(const std::string& data) {
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string archive(reinterpret_cast<const char*>(data), size);
    vexal::platform::fake::FakeFileSystem fs;
    fs.addFile(std::string(kProgram) + "Vexal.exe", "MZ the program");
    fs.addFile(std::string(kProgram) + "Vexal.ini", "[Paths]\r\n");
    fs.addFile(std::string(kProgram) + "mapinfos\\goldrush.txt", "goldrush\r\n");
    fs.addFile("C:\\Games\\outside.txt", "not ours");
    fs.addFile(kArchive, archive);
    const auto before = snapshot(fs);

    std::vector<vexal::backup::ZipEntry> entries;
    try {
        entries = vexal::backup::verifyZip(archive);
    } catch (const vexal::Error&) {
    }
    try {
        vexal::backup::restoreBackup(fs, kProgram, "Vexal.exe", kArchive, {});
    } catch (const vexal::Error& e) {
        check(snapshot(fs) == before, std::string("a refused archive wrote something: ") + e.what());
        return 0;
    }

    // Accepted: what changed lies inside the program folder and spares the executable.
    const auto after = snapshot(fs);
    for (const auto& [path, content] : after) {
        const auto old = before.find(path);
        if (old != before.end() && old->second == content) continue;
        check(path.rfind(folded(kProgram), 0) == 0, "the restore wrote outside the program folder: " + shown(path));
        // Each name below the program folder is one Windows keeps: no device, nothing it would drop.
        for (std::size_t start = std::string(kProgram).size(); start < path.size();) {
            const std::size_t end = std::min(path.find('\\', start), path.size());
            check(vexal::fuzz::windowsKeeps(path.substr(start, end - start)),
                  "the restore made a name Windows would not keep: " + shown(path));
            start = end + 1;
        }
    }
    for (const auto& [path, content] : before)
        check(after.count(path) != 0 || path.rfind(folded(kProgram), 0) == 0, "the restore removed " + shown(path));
    check(after.at(folded(std::string(kProgram) + "Vexal.exe")) == "MZ the program", "the executable was replaced");
    check(after.at(folded("C:\\Games\\outside.txt")) == "not ours", "a file outside was changed");

    // Each file entry is on disk with data of its own CRC.
    for (const auto& entry : entries) {
        if (entry.isFolder()) continue;
        std::string relative = entry.name;
        for (char& c : relative)
            if (c == '/') c = '\\';
        const auto content = fs.contents(std::string(kProgram) + relative);
        check(content.has_value(), "the entry " + shown(entry.name) + " is not on disk");
        check(crcOf(*content) == entry.crc, "the entry " + shown(entry.name) + " is on disk with other data");
    }
    return 0;
}
