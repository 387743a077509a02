// Makes the backup of one program folder over and over. scripts/test-backup-kill.sh
// kills it at random moments and checks that the archive is always a complete one.
// Like the program, it first removes the temporary files that earlier, killed runs
// left in the backup folder.
//
//   backup_writer.exe <program folder> [count]    count 0 or missing: forever
//   backup_writer.exe clean <program folder>      only the removal of old temporaries
#include <cstdio>
#include <cstdlib>
#include <string>

#include "backup/backup_files.h"
#include "platform/win32/svc_clock.h"
#include "platform/win32/svc_file_system.h"
#include "util/error.h"
#include "util/temporaries.h"

int main(int argc, char** argv) {
    const bool cleanOnly = argc > 2 && std::string(argv[1]) == "clean";
    if (argc < 2 + (cleanOnly ? 1 : 0)) {
        std::fprintf(stderr, "usage: backup_writer [clean] <program folder> [count]\n");
        return 2;
    }
    std::string programDir = argv[cleanOnly ? 2 : 1];
    if (programDir.back() != '\\') programDir += '\\';
    const long count = !cleanOnly && argc > 2 ? std::strtol(argv[2], nullptr, 10) : 0;
    vexal::platform::win32::Win32FileSystem fs;
    vexal::platform::win32::Win32Clock clock;
    (void)vexal::util::removeStaleTemporaries(fs, programDir + "backup\\", clock.now(), "Vexal-backup.zip.tmp");
    if (cleanOnly) return 0;
    (void)fs.createDirectory(programDir + "backup");
    for (long i = 0; count == 0 || i < count; ++i) {
        try {
            (void)vexal::backup::writeBackup(fs, programDir, "Vexal.ini", programDir + "backup\\Vexal-backup.zip", {});
        } catch (const vexal::Error& e) {
            std::fprintf(stderr, "backup %ld failed: %s\n", i, e.what());
            return 1;
        }
        if (i == 0) {
            std::printf("writing\n");  // the script starts its clock from here
            std::fflush(stdout);
        }
    }
    return 0;
}
