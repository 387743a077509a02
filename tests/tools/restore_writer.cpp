// Restores one program folder over and over from two archives in turn.
// scripts/test-restore-kill.sh kills it at random moments, repairs the folder as a
// start of the program does, and checks that it holds one archive's files or the other's.
//
//   restore_writer.exe <program folder> [count]   restores backup\A.zip, backup\B.zip, A, ...
//                                                  count 0 or missing: forever
//   restore_writer.exe <program folder> repair     what a start does with a journal left behind
#include <cstdio>
#include <cstdlib>
#include <string>

#include "backup/backup_files.h"
#include "backup/restore_swap.h"
#include "platform/win32/svc_file_system.h"
#include "util/error.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: restore_writer <program folder> [count|repair]\n");
        return 2;
    }
    std::string programDir = argv[1];
    if (programDir.back() != '\\') programDir += '\\';
    vexal::platform::win32::Win32FileSystem fs;
    if (argc > 2 && std::string(argv[2]) == "repair") {
        try {
            const auto repair = vexal::backup::repairInterruptedRestore(fs, programDir);
            std::printf("%s\n", repair == vexal::backup::Repair::Completed ? "completed"
                                : repair == vexal::backup::Repair::Undone  ? "undone"
                                                                           : "nothing to repair");
        } catch (const vexal::Error& e) {
            std::fprintf(stderr, "repair failed: %s\n", e.what());
            return 1;
        }
        return 0;
    }
    const long count = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 0;
    for (long i = 0; count == 0 || i < count; ++i) {
        const std::string archive = programDir + (i % 2 == 0 ? "backup\\A.zip" : "backup\\B.zip");
        try {
            vexal::backup::restoreBackup(fs, programDir, "Vexal.exe", archive, {});
        } catch (const vexal::Error& e) {
            std::fprintf(stderr, "restore %ld failed: %s\n", i, e.what());
            return 1;
        }
        if (i == 0) {
            std::printf("writing\n");  // the script starts its clock from here
            std::fflush(stdout);
        }
    }
    return 0;
}
