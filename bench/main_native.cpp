// Native figures; the Wine figures come from bench_win32.exe.
#include <string>

void benchJpeg();
int benchBackup(const std::string& mode, const std::string& folder);

int main(int argc, char** argv) {
    // "backup <folder>" and "restore <folder>": one figure of the backup engine.
    if (argc == 3) return benchBackup(argv[1], argv[2]);
    benchJpeg();
    return 0;
}
