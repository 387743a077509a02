#include "platform/win32/svc_file_system.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "platform/win32/scoped.h"
#include "platform/win32/svc_error_text.h"
#include "platform/win32/svc_time.h"
#include "util/error.h"
#include "util/temporaries.h"

namespace vexal::platform::win32 {
namespace {

// Virus scanners and indexers open freshly written files for a moment; a replace
// that collides with them succeeds a little later.
constexpr int kReplaceAttempts = 5;
constexpr DWORD kReplaceWaitMs = 50;
constexpr DWORD kIoChunk = 1 << 20;

std::atomic<unsigned> tempCounter{0};

DateTime toLocalDateTime(const FILETIME& utc) {
    FILETIME local{};
    SYSTEMTIME st{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return {};
    return dateTimeOf(st);
}

DirEntry entryOf(const WIN32_FIND_DATAA& data) {
    DirEntry entry;
    entry.name = data.cFileName;
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.lastWrite = toLocalDateTime(data.ftLastWriteTime);
    return entry;
}

std::string fullPathOf(const std::string& path) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) throw Error(systemErrorText(GetLastError()));
    std::string buffer(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed) throw Error(systemErrorText(GetLastError()));
    buffer.resize(length);
    return buffer;
}

bool isDriveRoot(const std::string& path) { return path.size() == 3 && path[1] == ':' && path[2] == '\\'; }

// FindFirstFile does not accept a trailing backslash on a file or folder name.
std::string withoutTrailingBackslash(std::string path) {
    while (path.size() > 1 && path.back() == '\\' && !isDriveRoot(path)) path.pop_back();
    return path;
}

DWORD attributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

// ERROR_SUCCESS, or the code of the first failure.
DWORD writeAll(HANDLE file, const std::string& bytes, bool flush = true) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kIoChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        done += written;
    }
    if (!flush) return ERROR_SUCCESS;
    // A full disk may only show here, when the cached data reaches it.
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

// Creates or overwrites `path` in place; the file is removed again when a write fails.
void writeInPlace(const std::string& path, const std::string& bytes, bool flush) {
    const std::string target = fullPathOf(collapseBackslashes(path));
    const DWORD old = attributesOf(target);
    if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        throw Error(systemErrorText(ERROR_ACCESS_DENIED));
    ScopedHandle file(
        CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw Error(systemErrorText(GetLastError()));
    const DWORD code = writeAll(file.get(), bytes, flush);
    file.reset();
    if (code != ERROR_SUCCESS) {
        DeleteFileA(target.c_str());
        throw Error(systemErrorText(code));
    }
}

// Up to `length` bytes from the file's current position; fewer where the file ends.
std::optional<std::string> readUpTo(HANDLE file, std::size_t length) {
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kIoChunk));
        if (!ReadFile(file, bytes.data() + done, chunk, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace

std::string collapseBackslashes(const std::string& path) {
    if (path.rfind("\\\\?\\", 0) == 0) return path;  // already a literal path for the kernel
    std::string result;
    result.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' && !result.empty() && result.back() == '\\' && i > 1) continue;
        result += path[i];
    }
    return result;
}

bool Win32FileSystem::fileExists(const std::string& path) {
    const DWORD attributes = attributesOf(collapseBackslashes(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::directoryExists(const std::string& path) {
    const DWORD attributes = attributesOf(collapseBackslashes(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::string> Win32FileSystem::readFile(const std::string& path) {
    ScopedHandle file(CreateFileA(collapseBackslashes(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    // A 32-bit process cannot hold more than this in one string anyway.
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x40000000) return std::nullopt;
    return readUpTo(file.get(), static_cast<std::size_t>(size.QuadPart));  // less if it shrank while we read it
}

std::optional<std::string> Win32FileSystem::readFilePart(const std::string& path, std::uint64_t offset,
                                                         std::size_t length) {
    ScopedHandle file(CreateFileA(collapseBackslashes(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return std::nullopt;
    return readUpTo(file.get(), length);  // less at the end of the file
}

void Win32FileSystem::writeFileAtomic(const std::string& path, const std::string& bytes) {
    // MoveFileEx and the temporary's folder need an absolute name; a relative one
    // would be resolved against whatever the current directory is by then.
    const std::string target = fullPathOf(collapseBackslashes(path));
    const std::size_t slash = target.find_last_of('\\');
    if (slash == std::string::npos || slash + 1 == target.size()) throw Error(systemErrorText(ERROR_INVALID_NAME));

    // Windows refuses to replace a read-only file while Wine replaces it happily;
    // checking first makes both behave as Windows does.
    const DWORD old = attributesOf(target);
    if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        throw Error(systemErrorText(ERROR_ACCESS_DENIED));
    // The replacement carries the old file's hidden and system marks with it.
    DWORD keep = old == INVALID_FILE_ATTRIBUTES ? 0 : old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (keep == 0) keep = FILE_ATTRIBUTE_NORMAL;

    const std::string folder = target.substr(0, slash + 1);
    std::string temp;
    ScopedHandle file;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temp = folder + util::kTemporaryPrefix + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(tempCounter++) + util::kTemporarySuffix;
        file.reset(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, keep, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            throw Error(systemErrorText(GetLastError()));
    }
    if (!file) throw Error(systemErrorText(ERROR_FILE_EXISTS));

    DWORD code = writeAll(file.get(), bytes);
    file.reset();
    if (code != ERROR_SUCCESS) {
        DeleteFileA(temp.c_str());
        throw Error(systemErrorText(code));
    }

    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (attempt > 0) Sleep(kReplaceWaitMs);
        if (MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
        code = GetLastError();
        if (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) break;
    }
    DeleteFileA(temp.c_str());
    throw Error(systemErrorText(code));
}

bool Win32FileSystem::alreadyHolds(const std::string& path, const std::string& bytes) {
    const std::string name = collapseBackslashes(path);
    // Read-only is looked at first, as writeFileAtomic does: Wine would open it for writing.
    const DWORD attributes = attributesOf(name);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;
    // Opened as the replacement would need it: a file the user may not change, or one
    // another program holds without letting it be replaced, is never taken as saved.
    ScopedHandle file(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart != static_cast<LONGLONG>(bytes.size()))
        return false;
    const auto held = readUpTo(file.get(), bytes.size());
    return held && *held == bytes;
}

void Win32FileSystem::writeFile(const std::string& path, const std::string& bytes) { writeInPlace(path, bytes, true); }

void Win32FileSystem::writeFileUnflushed(const std::string& path, const std::string& bytes) {
    writeInPlace(path, bytes, false);
}

void Win32FileSystem::flushFile(const std::string& path) {
    const std::string name = collapseBackslashes(path);
    // Flushing needs a handle that may write, which Windows refuses for a read-only
    // file and Wine gives; keep Wine in line with it.
    const DWORD attributes = attributesOf(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        throw Error(systemErrorText(ERROR_ACCESS_DENIED));
    // Others may read the file meanwhile.
    ScopedHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw Error(systemErrorText(GetLastError()));
    if (!FlushFileBuffers(file.get())) throw Error(systemErrorText(GetLastError()));
}

void Win32FileSystem::replaceFile(const std::string& from, const std::string& to) {
    const std::string source = fullPathOf(collapseBackslashes(from));
    const std::string target = fullPathOf(collapseBackslashes(to));
    const DWORD old = attributesOf(target);
    if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        throw Error(systemErrorText(ERROR_ACCESS_DENIED));
    DWORD code = ERROR_SUCCESS;
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (attempt > 0) Sleep(kReplaceWaitMs);
        if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
        code = GetLastError();
        if (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) break;
    }
    throw Error(systemErrorText(code));
}

bool Win32FileSystem::deleteFile(const std::string& path) {
    const std::string name = collapseBackslashes(path);
    // Windows will not delete a read-only file; keep Wine in line with it.
    const DWORD attributes = attributesOf(name);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    return DeleteFileA(name.c_str()) != FALSE;
}

bool Win32FileSystem::createDirectory(const std::string& path) {
    return CreateDirectoryA(collapseBackslashes(path).c_str(), nullptr) != FALSE;
}

std::vector<DirEntry> Win32FileSystem::list(const std::string& folder, const std::string& mask) {
    std::string pattern = collapseBackslashes(folder);
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != ':') pattern += '\\';
    pattern += mask;
    std::vector<DirEntry> entries;
    WIN32_FIND_DATAA data{};
    ScopedFindHandle find(FindFirstFileA(pattern.c_str(), &data));
    if (!find) return entries;
    do {
        entries.push_back(entryOf(data));
    } while (FindNextFileA(find.get(), &data));
    return entries;
}

std::optional<DirEntry> Win32FileSystem::stat(const std::string& path) {
    const std::string name = withoutTrailingBackslash(collapseBackslashes(path));
    if (name.empty() || name.find_first_of("*?") != std::string::npos) return std::nullopt;
    WIN32_FIND_DATAA data{};
    ScopedFindHandle find(FindFirstFileA(name.c_str(), &data));
    if (find) return entryOf(data);
    // Drive roots have no entry of their own to find.
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &facts)) return std::nullopt;
    DirEntry entry;
    entry.name = name;
    entry.attributes = facts.dwFileAttributes;
    entry.size = (static_cast<std::uint64_t>(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow;
    entry.lastWrite = toLocalDateTime(facts.ftLastWriteTime);
    return entry;
}

bool Win32FileSystem::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(collapseBackslashes(path).c_str()) != FALSE;
}

std::string Win32FileSystem::currentDirectory() {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return {};
    std::string buffer(needed, '\0');
    const DWORD length = GetCurrentDirectoryA(needed, buffer.data());
    buffer.resize(length < needed ? length : 0);
    return buffer;
}

bool Win32FileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesA(collapseBackslashes(path).c_str(), attributes) != FALSE;
}

bool Win32FileSystem::setLastWrite(const std::string& path, const DateTime& localTime) {
    const SYSTEMTIME st = systemTimeOf(localTime);
    FILETIME local{}, utc{};
    if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc)) return false;
    ScopedHandle file(CreateFileA(collapseBackslashes(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && SetFileTime(file.get(), nullptr, nullptr, &utc);
}

bool Win32FileSystem::removeDirectory(const std::string& path) {
    return RemoveDirectoryA(collapseBackslashes(path).c_str()) != FALSE;
}

}  // namespace vexal::platform::win32
