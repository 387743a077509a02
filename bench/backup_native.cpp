// The backup engine on this machine's own disk, for the figures against Info-ZIP:
//   vexal_bench backup <folder>    time and size of one backup of <folder>
//   vexal_bench restore <folder>   time of one restore of <folder>'s backup into it
// The program's file system is a Windows one; a small adapter maps "C:\" to the
// folder and backslashes to slashes, so the engine runs here unchanged.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "backup/backup_files.h"
#include "util/error.h"

namespace {

namespace fsys = std::filesystem;
using vexal::platform::DirEntry;

class DiskFileSystem final : public vexal::platform::FileSystem {
public:
    explicit DiskFileSystem(std::string root) : root_(std::move(root)) {}

    bool fileExists(const std::string& p) override { return fsys::is_regular_file(map(p)); }
    bool directoryExists(const std::string& p) override { return fsys::is_directory(map(p)); }
    std::optional<std::string> readFile(const std::string& p) override {
        std::ifstream in(map(p), std::ios::binary);
        if (!in) return std::nullopt;
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::optional<std::string> readFilePart(const std::string& p, std::uint64_t offset, std::size_t length) override {
        std::ifstream in(map(p), std::ios::binary);
        if (!in) return std::nullopt;
        std::string bytes(length, '\0');
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(bytes.data(), static_cast<std::streamsize>(length));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return bytes;
    }
    void writeFileAtomic(const std::string& p, const std::string& bytes) override {
        const std::string target = map(p), temp = target + ".~tmp";
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out.flush()) throw vexal::Error("cannot write " + temp);
        }
        if (std::rename(temp.c_str(), target.c_str()) != 0) throw vexal::Error("cannot rename " + temp);
    }
    bool alreadyHolds(const std::string&, const std::string&) override { return false; }
    void writeFile(const std::string& p, const std::string& bytes) override {
        std::ofstream out(map(p), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) throw vexal::Error("cannot write " + p);
    }
    void writeFileUnflushed(const std::string& p, const std::string& bytes) override { writeFile(p, bytes); }
    void flushFile(const std::string&) override {}
    bool deleteFile(const std::string& p) override { return ::unlink(map(p).c_str()) == 0; }
    bool createDirectory(const std::string& p) override { return ::mkdir(map(p).c_str(), 0755) == 0; }
    bool removeDirectory(const std::string& p) override { return ::rmdir(map(p).c_str()) == 0; }
    std::vector<DirEntry> list(const std::string& folder, const std::string&) override {
        // The listing of a Windows folder; the walk skips these two.
        std::vector<DirEntry> entries;
        for (const char* dots : {".", ".."}) {
            DirEntry d;
            d.name.assign(dots);
            d.attributes = vexal::platform::kAttrDirectory;
            entries.push_back(std::move(d));
        }
        std::error_code ec;
        for (const auto& e : fsys::directory_iterator(map(folder), ec)) {
            DirEntry d;
            d.name = e.path().filename().string();
            d.attributes = e.is_symlink() ? std::uint32_t{vexal::platform::kAttrReparsePoint} : 0u;
            if (e.is_directory()) {
                d.attributes |= vexal::platform::kAttrDirectory;
            } else {
                d.attributes |= vexal::platform::kAttrArchive;
                d.size = e.file_size();
            }
            d.lastWrite = {2024, 1, 15, 10, 30, 0};
            entries.push_back(d);
        }
        return entries;
    }
    std::optional<DirEntry> stat(const std::string& p) override {
        const std::string path = map(p);
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
        DirEntry d;
        d.name = fsys::path(path).filename().string();
        if (S_ISLNK(st.st_mode)) d.attributes |= vexal::platform::kAttrReparsePoint;
        if (S_ISDIR(st.st_mode)) d.attributes |= vexal::platform::kAttrDirectory;
        d.size = static_cast<std::uint64_t>(st.st_size);
        return d;
    }
    bool setCurrentDirectory(const std::string&) override { return false; }
    std::string currentDirectory() override { return "C:\\"; }
    bool setAttributes(const std::string&, std::uint32_t) override { return true; }
    void replaceFile(const std::string& from, const std::string& to) override {
        if (std::rename(map(from).c_str(), map(to).c_str()) != 0) throw vexal::Error("cannot replace " + to);
    }

private:
    std::string map(const std::string& p) const {
        std::string out = root_;
        for (std::size_t i = p.rfind("C:\\", 0) == 0 ? 2 : 0; i < p.size(); ++i) {
            const char c = p[i] == '\\' ? '/' : p[i];
            if (c != '/' || out.back() != '/') out += c;
        }
        return out;
    }
    std::string root_;
};

double msSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

}  // namespace

int benchBackup(const std::string& mode, const std::string& folder) {
    DiskFileSystem fs(folder);
    const auto start = std::chrono::steady_clock::now();
    try {
        if (mode == "backup") {
            (void)fs.createDirectory("C:\\backup");
            const auto summary =
                vexal::backup::writeBackup(fs, "C:\\", "Vexal.ini", "C:\\backup\\Vexal-backup.zip", {});
            std::printf("backup native: %.0f ms, %llu bytes, %zu files\n", msSince(start),
                        static_cast<unsigned long long>(summary.bytes), summary.files);
        } else {
            vexal::backup::restoreBackup(fs, "C:\\", "Vexal.exe", "C:\\backup\\Vexal-backup.zip", {});
            std::printf("restore native: %.0f ms\n", msSince(start));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s failed: %s\n", mode.c_str(), e.what());
        return 1;
    }
    return 0;
}
