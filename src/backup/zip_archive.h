#pragma once
// The archive engine of the backup: standard ZIP archives with deflate-compressed
// entries, written with minizip and read back by a strict reader of our own that
// trusts nothing in the file until every entry has been inflated and checked.
// Everything happens in memory; the caller puts the bytes on disk.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace vexal::backup {

enum class ZipOperation { Add, Replace, Extract, Other };
enum class ZipPhase { Start, Process, End };
// Overall progress in percent (0 to 100) with the kind of work and its phase.
using ZipProgress = std::function<void(double percent, ZipOperation operation, ZipPhase phase)>;

// Without ZIP64 a plain archive holds at most this many entries and 4 GB.
inline constexpr std::size_t kMaxZipEntries = 65535;
inline constexpr std::uint64_t kMaxZipBytes = 0xFFFFFFFFull;
// The most a backup holds unpacked, all files together, for the writer and the
// reader alike: each keeps the archive and one file in memory at a time, and in
// the 32-bit program both must fit.
inline constexpr std::uint64_t kMaxBackupBytes = 512ull << 20;
// Deflate turns one bit into at most 258 bytes, so no entry unpacks to more than
// about 1032 times its packed size; a header that claims more is lying.
inline constexpr std::uint64_t kMaxDeflateRatio = 1032;

// Builds one archive in memory: deflate level 9 (with zlib's largest hash
// tables), DOS attributes, no ZIP64.
class ZipWriter {
public:
    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // `name` uses forward slashes; a folder entry ends with one and has no data.
    // `onChunk` is told how many bytes of `data` have been compressed so far.
    void add(const std::string& name, std::string_view data, std::uint32_t attributes, const platform::DateTime& time,
             const std::function<void(std::size_t done)>& onChunk = {});
    // Room for an archive of about this size, so it is not copied as it grows.
    void reserve(std::size_t bytes);
    // Closes the archive and hands over its bytes; throws vexal::Error when it
    // would need ZIP64.
    [[nodiscard]] std::string finish();

private:
    struct Sink;
    std::unique_ptr<Sink> sink_;
    void* zip_ = nullptr;
    std::size_t entries_ = 0;
};

struct ZipEntry {
    std::string name;              // as stored
    std::uint32_t attributes = 0;  // DOS attributes from the external field
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0, size = 0;
    std::uint64_t dataOffset = 0;  // of the compressed data
    [[nodiscard]] bool isFolder() const { return !name.empty() && (name.back() == '/' || name.back() == '\\'); }
};

struct ZipLimits {
    std::size_t maxEntries = kMaxZipEntries;
    std::uint64_t maxTotalSize = kMaxBackupBytes;  // inflated, all entries together
    bool checkData = true;                         // inflate every entry and check its CRC
};

// Checks the whole archive: end record, every central header against its local
// header, sizes, CRCs (by inflating every entry in small pieces, so nothing of the
// size a header claims is ever allocated), duplicate names as Windows compares
// them, and the limits. Throws vexal::Error with a message that names the entry at fault.
[[nodiscard]] std::vector<ZipEntry> verifyZip(std::string_view archive, const ZipLimits& limits = {});

// The inflated data of one entry that verifyZip accepted (checked again).
[[nodiscard]] std::string inflateEntry(std::string_view archive, const ZipEntry& entry);

}  // namespace vexal::backup
