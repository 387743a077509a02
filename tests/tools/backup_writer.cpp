// Makes the backup of one program folder over and over. scripts/test-backup-kill.sh
// kills it at random moments and checks that the archive is always a complete one.
//
//   backup_writer.exe <program folder> [count]    count 0 or missing: forever
#include <cstdio>
#include <cstdlib>
#include <string>

#include "backup/backup_files.h"
#include "platform/win32/svc_file_system.h"
#include "util/error.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: backup_writer <program folder> [count]\n");
        return 2;
    }
    std::string programDir = argv[1];
    if (programDir.back() != '\\') programDir += '\\';
    const long count = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 0;
    vexal::platform::win32::Win32FileSystem fs;
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
