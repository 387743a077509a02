#include "backup/zip_archive.h"

#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "backup/backup_texts.h"
#include "util/case_fold.h"
#include "util/error.h"

namespace vexal::backup {

// ---------------------------------------------------------------- writing

// minizip writes through these callbacks into a string instead of a file.
struct ZipWriter::Sink {
    std::string bytes;
    std::size_t pos = 0;
    bool failed = false;

    static voidpf ZCALLBACK open(voidpf opaque, const char*, int) { return opaque; }
    static uLong ZCALLBACK read(voidpf, voidpf stream, void* buf, uLong size) {
        auto* s = static_cast<Sink*>(stream);
        const std::size_t n = std::min<std::size_t>(size, s->bytes.size() - std::min(s->pos, s->bytes.size()));
        if (n) std::memcpy(buf, s->bytes.data() + s->pos, n);
        s->pos += n;
        return static_cast<uLong>(n);
    }
    static uLong ZCALLBACK write(voidpf, voidpf stream, const void* buf, uLong size) {
        auto* s = static_cast<Sink*>(stream);
        try {
            if (s->pos + size > s->bytes.size()) s->bytes.resize(s->pos + size);
        } catch (...) {
            s->failed = true;
            return 0;
        }
        std::memcpy(s->bytes.data() + s->pos, buf, size);
        s->pos += size;
        return size;
    }
    static long ZCALLBACK tell(voidpf, voidpf stream) { return static_cast<long>(static_cast<Sink*>(stream)->pos); }
    static long ZCALLBACK seek(voidpf, voidpf stream, uLong offset, int origin) {
        auto* s = static_cast<Sink*>(stream);
        std::size_t base = 0;
        if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = s->pos;
        if (origin == ZLIB_FILEFUNC_SEEK_END) base = s->bytes.size();
        s->pos = base + offset;
        return 0;
    }
    static int ZCALLBACK close(voidpf, voidpf) { return 0; }
    static int ZCALLBACK error(voidpf, voidpf stream) { return static_cast<Sink*>(stream)->failed ? 1 : 0; }
};

namespace {

constexpr std::size_t kChunk = 256 * 1024;

uLong dosDate(const platform::DateTime& t) {
    // DOS dates start in 1980; an earlier or unset stamp becomes its first day.
    if (t.year < 1980) return (1u << 21) | (1u << 16);
    return (static_cast<uLong>(t.year - 1980) << 25) | (static_cast<uLong>(t.month) << 21) |
           (static_cast<uLong>(t.day) << 16) | (static_cast<uLong>(t.hour) << 11) |
           (static_cast<uLong>(t.minute) << 5) | (static_cast<uLong>(t.second) / 2);
}

}  // namespace

ZipWriter::ZipWriter() : sink_(std::make_unique<Sink>()) {
    zlib_filefunc_def io{};
    io.zopen_file = &Sink::open;
    io.zread_file = &Sink::read;
    io.zwrite_file = &Sink::write;
    io.ztell_file = &Sink::tell;
    io.zseek_file = &Sink::seek;
    io.zclose_file = &Sink::close;
    io.zerror_file = &Sink::error;
    io.opaque = sink_.get();
    zip_ = zipOpen2("memory", APPEND_STATUS_CREATE, nullptr, &io);
    if (!zip_) throw Error(text::kCannotCreateZip);
}

ZipWriter::~ZipWriter() {
    if (zip_) zipClose(static_cast<zipFile>(zip_), nullptr);
}

void ZipWriter::add(const std::string& name, std::string_view data, std::uint32_t attributes,
                    const platform::DateTime& time, const std::function<void(std::size_t)>& onChunk) {
    if (entries_ + 1 > kMaxZipEntries) throw Error(text::kTooManyEntries);
    if (sink_->bytes.size() + data.size() + name.size() + 200 > kMaxZipBytes) throw Error(text::kTooLarge);
    zip_fileinfo info{};
    info.dosDate = dosDate(time);
    info.external_fa = attributes & 0xFF;
    auto* zf = static_cast<zipFile>(zip_);
    const bool folder = !name.empty() && name.back() == '/';
    if (zipOpenNewFileInZip3(zf, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, folder ? 0 : Z_DEFLATED,
                             folder ? 0 : Z_BEST_COMPRESSION, 0, -MAX_WBITS, MAX_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr,
                             0) != ZIP_OK)
        throw Error(text::cannotAdd(name));
    std::size_t done = 0;
    while (done < data.size()) {
        const std::size_t n = std::min(kChunk, data.size() - done);
        if (zipWriteInFileInZip(zf, data.data() + done, static_cast<unsigned>(n)) != ZIP_OK)
            throw Error(text::cannotAdd(name));
        done += n;
        if (onChunk) onChunk(done);
    }
    if (zipCloseFileInZip(zf) != ZIP_OK || sink_->failed) throw Error(text::cannotAdd(name));
    ++entries_;
}

void ZipWriter::reserve(std::size_t bytes) { sink_->bytes.reserve(bytes); }

std::string ZipWriter::finish() {
    auto* zf = static_cast<zipFile>(zip_);
    zip_ = nullptr;
    if (zipClose(zf, nullptr) != ZIP_OK || sink_->failed) throw Error(text::kCannotCompleteZip);
    if (sink_->bytes.size() > kMaxZipBytes) throw Error(text::kTooLarge);
    return std::move(sink_->bytes);
}

// ---------------------------------------------------------------- reading

namespace {

constexpr std::uint32_t kLocalSig = 0x04034b50, kCentralSig = 0x02014b50, kEndSig = 0x06054b50;

struct Cursor {
    std::string_view bytes;
    std::uint64_t pos;
    [[nodiscard]] bool has(std::uint64_t n) const { return pos <= bytes.size() && bytes.size() - pos >= n; }
    std::uint32_t u(int width) {
        std::uint32_t v = 0;
        for (int i = 0; i < width; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos + i])) << (8 * i);
        pos += width;
        return v;
    }
    std::uint16_t u16() { return static_cast<std::uint16_t>(u(2)); }
    std::uint32_t u32() { return u(4); }
};

[[noreturn]] void damaged(const std::string& what) { throw Error(text::damaged(what)); }

// The name as the file system tells names apart: "a/B.txt", "A\\b.txt" and "a/b.txt/" are one.
std::string folded(const std::string& name) {
    std::string s = util::foldCase(name);
    for (auto& c : s)
        if (c == '\\') c = '/';
    while (!s.empty() && s.back() == '/') s.pop_back();
    return s;
}

std::string_view packedData(std::string_view archive, const ZipEntry& e) {
    return archive.substr(static_cast<std::size_t>(e.dataOffset), static_cast<std::size_t>(e.compressedSize));
}

void checkPlausibleSize(const ZipEntry& e) {
    if (e.method == 8 && e.size / kMaxDeflateRatio > e.compressedSize + 16) damaged(text::impossibleSize(e.name));
}

// Inflates one entry in small pieces and checks its size and check sum, holding
// no more than one piece of it.
void checkData(std::string_view archive, const ZipEntry& e) {
    const std::string_view packed = packedData(archive, e);
    if (e.method == 0) {
        if (e.compressedSize != e.size) damaged(text::sizesDisagree(e.name));
        if (crc32(0, reinterpret_cast<const Bytef*>(packed.data()), static_cast<uInt>(packed.size())) != e.crc)
            damaged(text::wrongCheckSum(e.name));
        return;
    }
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw Error(text::kOutOfMemory);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    std::string piece(64 * 1024, '\0');
    uLong crc = crc32(0, nullptr, 0);
    std::uint64_t produced = 0;
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(piece.data());
        z.avail_out = static_cast<uInt>(piece.size());
        rc = inflate(&z, Z_NO_FLUSH);
        const uInt got = static_cast<uInt>(piece.size()) - z.avail_out;
        produced += got;
        crc = crc32(crc, reinterpret_cast<const Bytef*>(piece.data()), got);
        if (produced > e.size) break;  // a stream that would go on beyond its declared size
    }
    const bool clean = rc == Z_STREAM_END && produced == e.size && z.avail_in == 0;
    inflateEnd(&z);
    if (!clean) damaged(text::cannotUnpack(e.name));
    if (crc != e.crc) damaged(text::wrongCheckSum(e.name));
}

// Inflates (or copies) one entry, never producing more than it declares.
std::string inflateChecked(std::string_view archive, const ZipEntry& e) {
    checkPlausibleSize(e);
    const std::string_view packed = packedData(archive, e);
    std::string out;
    if (e.method == 0) {
        if (e.compressedSize != e.size) damaged(text::sizesDisagree(e.name));
        out.assign(packed);
    } else {
        out.resize(static_cast<std::size_t>(e.size));
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw Error(text::kOutOfMemory);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
        z.avail_in = static_cast<uInt>(packed.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        int rc = inflate(&z, Z_FINISH);
        // One more byte of room tells a stream that stops at its size from one
        // that would go on (a bomb that lies about its size).
        if (rc == Z_BUF_ERROR && z.avail_out == 0) {
            char extra = 0;
            z.next_out = reinterpret_cast<Bytef*>(&extra);
            z.avail_out = 1;
            rc = inflate(&z, Z_FINISH);
            if (rc != Z_STREAM_END || z.avail_out == 0) rc = Z_DATA_ERROR;
        }
        const bool clean = rc == Z_STREAM_END && z.total_out == e.size && z.avail_in == 0;
        inflateEnd(&z);
        if (!clean) damaged(text::cannotUnpack(e.name));
    }
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size()));
    if (crc != e.crc) damaged(text::wrongCheckSum(e.name));
    return out;
}

}  // namespace

std::vector<ZipEntry> verifyZip(std::string_view archive, const ZipLimits& limits) {
    if (archive.size() < 22) damaged(text::kTooShort);
    // The end record must close the file exactly, with its comment.
    std::uint64_t end = archive.size();
    bool found = false;
    const std::uint64_t lowest = archive.size() > 22 + 65535 ? archive.size() - 22 - 65535 : 0;
    for (std::uint64_t p = archive.size() - 22 + 1; p-- > lowest;) {
        Cursor c{archive, p};
        if (c.u32() != kEndSig) continue;
        Cursor d{archive, p + 20};
        if (p + 22 + d.u16() == archive.size()) {
            end = p;
            found = true;
            break;
        }
    }
    if (!found) damaged(text::kEndMissing);
    Cursor e{archive, end + 4};
    const auto disk = e.u16(), cdDisk = e.u16(), onDisk = e.u16(), total = e.u16();
    const auto cdSize = e.u32(), cdOffset = e.u32();
    if (disk != 0 || cdDisk != 0 || onDisk != total) damaged(text::kSeveralParts);
    if (static_cast<std::uint64_t>(cdOffset) + cdSize != end) damaged(text::kContentsMisplaced);
    if (total > limits.maxEntries) damaged(text::tooManyEntries(total, limits.maxEntries));

    std::vector<ZipEntry> entries;
    std::set<std::string> names;
    std::uint64_t totalSize = 0;
    Cursor c{archive, cdOffset};
    for (unsigned i = 0; i < total; ++i) {
        if (!c.has(46) || c.u32() != kCentralSig) damaged(text::contentsBroken(i + 1));
        c.pos += 4;  // versions
        const auto flags = c.u16();
        ZipEntry z;
        z.method = c.u16();
        c.pos += 4;  // time and date
        z.crc = c.u32();
        z.compressedSize = c.u32();
        z.size = c.u32();
        const auto nameLen = c.u16(), extraLen = c.u16(), commentLen = c.u16();
        c.pos += 4;  // disk, internal attributes
        z.attributes = c.u32() & 0xFF;
        const std::uint64_t local = c.u32();
        if (!c.has(static_cast<std::uint64_t>(nameLen) + extraLen + commentLen) || c.pos > end)
            damaged(text::contentsBroken(i + 1));
        z.name.assign(archive.substr(static_cast<std::size_t>(c.pos), nameLen));
        c.pos += static_cast<std::uint64_t>(nameLen) + extraLen + commentLen;
        if (c.pos > end) damaged(text::contentsBroken(i + 1));
        if (flags & 1) damaged(text::encrypted(z.name));
        if (z.method != 0 && z.method != 8) damaged(text::unknownCompression(z.name));
        if (!names.insert(folded(z.name)).second) damaged(text::twice(z.name));

        // The local header must tell the same story as the table of contents.
        Cursor l{archive, local};
        if (local >= cdOffset || !l.has(30) || l.u32() != kLocalSig) damaged(text::headerMissing(z.name));
        l.pos += 2;
        const auto lflags = l.u16(), lmethod = l.u16();
        l.pos += 4;
        const auto lcrc = l.u32(), lcsize = l.u32(), lsize = l.u32();
        const auto lnameLen = l.u16(), lextraLen = l.u16();
        const bool described = (lflags & 8) != 0;
        if (lmethod != z.method || lnameLen != nameLen ||
            (!described && (lcrc != z.crc || lcsize != z.compressedSize || lsize != z.size)) || !l.has(nameLen) ||
            archive.substr(static_cast<std::size_t>(l.pos), nameLen) != z.name)
            damaged(text::headersDisagree(z.name));
        z.dataOffset = l.pos + lnameLen + lextraLen;
        if (z.dataOffset > cdOffset || cdOffset - z.dataOffset < z.compressedSize)
            damaged(text::beyondItsPlace(z.name));
        totalSize += z.size;
        if (totalSize > limits.maxTotalSize) throw Error(text::tooLargeToRestore(limits.maxTotalSize));
        checkPlausibleSize(z);
        if (z.isFolder() && z.size != 0) damaged(text::folderHoldsData(z.name));
        entries.push_back(std::move(z));
    }
    if (limits.checkData)
        for (const auto& z : entries) checkData(archive, z);
    return entries;
}

std::string inflateEntry(std::string_view archive, const ZipEntry& entry) { return inflateChecked(archive, entry); }

}  // namespace vexal::backup
