#include "platform/fake/fake_file_system.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/fake/fake_paths.h"
#include "util/error.h"

namespace vexal::platform::fake {
namespace {

// Messages in the manner of the system texts an English Windows gives for these failures.
constexpr const char* kAccessDenied = "Access is denied.";
constexpr const char* kPathNotFound = "The system cannot find the path.";
constexpr const char* kSharingViolation =
    "The process cannot access the file because it is being used by another process.";
constexpr const char* kDiskFull = "There is not enough space on the disk.";
constexpr const char* kInvalidName = "The filename, directory name, or volume label syntax is incorrect.";

bool isRoot(const std::string& absolutePath) { return absolutePath.size() == 3; }

std::string parentOf(const std::string& absolutePath) {
    const std::size_t slash = absolutePath.rfind('\\');
    return slash == 2 ? absolutePath.substr(0, 3) : absolutePath.substr(0, slash);
}

std::string nameOf(const std::string& absolutePath) {
    return isRoot(absolutePath) ? absolutePath : absolutePath.substr(absolutePath.rfind('\\') + 1);
}

std::uint32_t fileAttributes(std::uint32_t attributes) {
    attributes &= ~static_cast<std::uint32_t>(kAttrDirectory);
    // NORMAL only stands alone: it means "no other attribute".
    if (attributes & ~static_cast<std::uint32_t>(kAttrNormal)) attributes &= ~static_cast<std::uint32_t>(kAttrNormal);
    return attributes == 0 ? kAttrNormal : attributes;
}

std::uint32_t folderAttributes(std::uint32_t attributes) {
    return kAttrDirectory | (attributes & ~static_cast<std::uint32_t>(kAttrNormal));
}

}  // namespace

FakeFileSystem::FakeFileSystem() { addDirectory("C:\\"); }

std::optional<std::string> FakeFileSystem::absolute(const std::string& path) const {
    std::string p = path;
    std::replace(p.begin(), p.end(), '/', '\\');
    if (p.empty() || p.find_first_of("*?<>|\"") != std::string::npos) return std::nullopt;
    std::string root, rest;
    if (p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':') {
        root = p.substr(0, 2);
        rest = p.substr(2);
        if (rest.empty() || rest[0] != '\\') {
            // "C:name" is relative to the current folder when that is on the same drive.
            const bool sameDrive = foldChar(current[0]) == foldChar(p[0]);
            rest = (sameDrive ? current.substr(2) : std::string()) + "\\" + rest;
        }
    } else if (p.rfind("\\\\", 0) == 0) {
        return std::nullopt;  // network paths are not modelled
    } else {
        root = current.substr(0, 2);
        rest = p[0] == '\\' ? p : current.substr(2) + "\\" + p;
    }
    if (rest.find(':') != std::string::npos) return std::nullopt;

    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string::npos) end = rest.size();
        const std::string part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result = root + "\\";
    for (std::size_t i = 0; i < parts.size(); ++i) result += (i ? "\\" : "") + parts[i];
    return result;
}

const FakeFileSystem::Node* FakeFileSystem::find(const std::string& path) const {
    const auto full = absolute(path);
    if (!full) return nullptr;
    const auto it = nodes.find(foldCase(*full));
    if (it == nodes.end()) return nullptr;
    // "name\" can only be a folder: Windows rejects it for a file.
    const bool folderOnly = path.back() == '\\' || path.back() == '/';
    return folderOnly && !it->second.isDirectory() ? nullptr : &it->second;
}

FakeFileSystem::Node* FakeFileSystem::find(const std::string& path) {
    return const_cast<Node*>(static_cast<const FakeFileSystem*>(this)->find(path));
}

bool FakeFileSystem::writeBlocked(const std::string& absolutePath) const {
    const std::string key = foldCase(absolutePath);
    for (const auto& folder : failingFolders) {
        if (key == folder) return true;
        const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
        if (key.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

void FakeFileSystem::ensureParents(const std::string& absolutePath) {
    if (isRoot(absolutePath)) return;
    const std::string parent = parentOf(absolutePath);
    if (nodes.count(foldCase(parent))) return;
    ensureParents(parent);
    nodes[foldCase(parent)] = Node{parent, kAttrDirectory, {}, kDefaultTime, false};
}

DirEntry FakeFileSystem::entryOf(const Node& node, const std::string& name) const {
    DirEntry entry;
    entry.name = name;
    entry.attributes = node.attributes;
    entry.size = node.isDirectory() ? 0 : node.content.size();
    entry.lastWrite = node.lastWrite;
    return entry;
}

bool FakeFileSystem::fileExists(const std::string& path) {
    const Node* node = find(path);
    return node && !node->isDirectory();
}

bool FakeFileSystem::directoryExists(const std::string& path) {
    const Node* node = find(path);
    return node && node->isDirectory();
}

std::optional<std::string> FakeFileSystem::readFile(const std::string& path) {
    const Node* node = find(path);
    if (!node || node->isDirectory() || node->locked) return std::nullopt;
    return node->content;
}

std::optional<std::string> FakeFileSystem::readFilePart(const std::string& path, std::uint64_t offset,
                                                        std::size_t length) {
    const auto whole = readFile(path);
    if (!whole) return std::nullopt;
    if (offset >= whole->size()) return std::string();
    return whole->substr(static_cast<std::size_t>(offset), length);
}

void FakeFileSystem::change() {
    if (!killed && changesLeft != 0 && --changesLeft == 0) killed = true;
    if (killed) throw SimulatedKill{};
}

const FakeFileSystem::Node* FakeFileSystem::writableTarget(const std::string& path, std::string& full) const {
    const auto resolved = absolute(path);
    if (!resolved || isRoot(*resolved) || path.back() == '\\') throw Error(kInvalidName);
    full = *resolved;
    const Node* parent = find(parentOf(full));
    if (!parent || !parent->isDirectory()) throw Error(kPathNotFound);
    const Node* old = find(full);
    if (old && (old->isDirectory() || (old->attributes & kAttrReadOnly))) throw Error(kAccessDenied);
    if (writeBlocked(full)) throw Error(kAccessDenied);
    if (old && old->locked) throw Error(kSharingViolation);
    if (diskFull) throw Error(kDiskFull);
    return old;
}

void FakeFileSystem::writeFileAtomic(const std::string& path, const std::string& bytes) {
    change();
    std::string full;
    const Node* old = writableTarget(path, full);
    // The temporary file is renamed over the old one: the name takes the letter
    // case it was written with, hidden and system marks are carried over.
    const std::uint32_t kept = old ? old->attributes & (kAttrHidden | kAttrSystem) : 0;
    nodes[foldCase(full)] = Node{full, kept | kAttrArchive, bytes, now(), false};
    writes.push_back(full);
}

bool FakeFileSystem::alreadyHolds(const std::string& path, const std::string& bytes) {
    const auto full = absolute(path);
    const Node* node = full ? find(*full) : nullptr;
    return node && !node->isDirectory() && (node->attributes & kAttrReadOnly) == 0 && !node->locked &&
           !writeBlocked(*full) && node->content == bytes;
}

void FakeFileSystem::writeFile(const std::string& path, const std::string& bytes) {
    std::string full;
    (void)writableTarget(path, full);
    try {
        change();
    } catch (const SimulatedKill&) {
        // Killed half way through the write.
        nodes[foldCase(full)] = Node{full, kAttrArchive, bytes.substr(0, bytes.size() / 2), now(), false};
        throw;
    }
    nodes[foldCase(full)] = Node{full, kAttrArchive, bytes, now(), false};
    writes.push_back(full);
}

// Nothing is cached here: the write is the whole story, and the flush only finds the file.
void FakeFileSystem::writeFileUnflushed(const std::string& path, const std::string& bytes) { writeFile(path, bytes); }

void FakeFileSystem::flushFile(const std::string& path) {
    change();
    const Node* node = find(path);
    if (!node || node->isDirectory()) throw Error(kPathNotFound);
    // A flush needs a handle that may write, which a read-only file refuses.
    if (node->attributes & kAttrReadOnly) throw Error(kAccessDenied);
    if (node->locked) throw Error(kSharingViolation);
    if (diskFull) throw Error(kDiskFull);
}

void FakeFileSystem::replaceFile(const std::string& from, const std::string& to) {
    change();
    const Node* source = find(from);
    const auto full = absolute(to);
    if (!source || source->isDirectory()) throw Error(kPathNotFound);
    if (!full || isRoot(*full)) throw Error(kInvalidName);
    const Node* old = find(*full);
    if (old && (old->isDirectory() || (old->attributes & kAttrReadOnly))) throw Error(kAccessDenied);
    if (writeBlocked(*full) || writeBlocked(source->path)) throw Error(kAccessDenied);
    if ((old && old->locked) || source->locked) throw Error(kSharingViolation);
    Node moved = *source;
    moved.path = *full;
    nodes.erase(foldCase(source->path));
    nodes[foldCase(*full)] = std::move(moved);
}

bool FakeFileSystem::deleteFile(const std::string& path) {
    change();
    const Node* node = find(path);
    if (!node || node->isDirectory() || (node->attributes & kAttrReadOnly) || node->locked || writeBlocked(node->path))
        return false;
    nodes.erase(foldCase(node->path));
    return true;
}

bool FakeFileSystem::createDirectory(const std::string& path) {
    change();
    const auto full = absolute(path);
    if (!full || isRoot(*full) || find(*full) || writeBlocked(*full)) return false;
    const Node* parent = find(parentOf(*full));
    if (!parent || !parent->isDirectory()) return false;
    nodes[foldCase(*full)] = Node{*full, kAttrDirectory, {}, now(), false};
    return true;
}

bool FakeFileSystem::removeDirectory(const std::string& path) {
    change();
    const Node* node = find(path);
    if (!node || !node->isDirectory() || isRoot(node->path) || (node->attributes & kAttrReadOnly) ||
        writeBlocked(node->path))
        return false;
    const std::string prefix = foldCase(node->path) + "\\";
    const auto next = nodes.lower_bound(prefix);
    if (next != nodes.end() && next->first.rfind(prefix, 0) == 0) return false;  // not empty
    nodes.erase(foldCase(node->path));
    return true;
}

std::vector<DirEntry> FakeFileSystem::list(const std::string& folder, const std::string& mask) {
    std::vector<DirEntry> entries;
    const Node* dir = find(folder.empty() ? current : folder);
    if (!dir || !dir->isDirectory() || mask.empty()) return entries;
    // Every folder but a drive root lists itself and its parent first.
    if (!isRoot(dir->path)) {
        if (matchesMask(".", mask)) entries.push_back(entryOf(*dir, "."));
        if (matchesMask("..", mask)) entries.push_back(entryOf(*find(parentOf(dir->path)), ".."));
    }
    const std::string key = foldCase(dir->path);
    const std::string prefix = isRoot(dir->path) ? key : key + "\\";
    for (auto it = nodes.lower_bound(prefix); it != nodes.end() && it->first.rfind(prefix, 0) == 0; ++it) {
        if (it->first.size() == prefix.size() || it->first.find('\\', prefix.size()) != std::string::npos) continue;
        const std::string name = nameOf(it->second.path);
        if (matchesMask(name, mask)) entries.push_back(entryOf(it->second, name));
    }
    return entries;
}

std::optional<DirEntry> FakeFileSystem::stat(const std::string& path) {
    const Node* node = find(path);
    if (!node) return std::nullopt;
    return entryOf(*node, nameOf(node->path));
}

bool FakeFileSystem::setCurrentDirectory(const std::string& path) {
    const auto full = absolute(path);
    const Node* node = full ? find(*full) : nullptr;
    if (!node || !node->isDirectory()) return false;
    current = *full;
    return true;
}

std::string FakeFileSystem::currentDirectory() { return current; }

bool FakeFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    change();
    Node* node = find(path);
    if (!node) return false;
    node->attributes = node->isDirectory() ? folderAttributes(attributes) : fileAttributes(attributes);
    return true;
}

bool FakeFileSystem::setLastWrite(const std::string& path, const DateTime& time) {
    change();
    Node* node = find(path);
    if (!node) return false;
    node->lastWrite = time;
    return true;
}

void FakeFileSystem::addFile(const std::string& path, const std::string& content, std::uint32_t attributes,
                             const DateTime& time) {
    const auto full = absolute(path);
    if (!full || isRoot(*full)) throw std::invalid_argument("not a file name: " + path);
    ensureParents(*full);
    nodes[foldCase(*full)] = Node{*full, fileAttributes(attributes), content, time, false};
}

void FakeFileSystem::addDirectory(const std::string& path, std::uint32_t attributes, const DateTime& time) {
    const auto full = absolute(path);
    if (!full) throw std::invalid_argument("not a folder name: " + path);
    ensureParents(*full);
    nodes[foldCase(*full)] = Node{*full, folderAttributes(attributes), {}, time, false};
}

std::optional<std::string> FakeFileSystem::contents(const std::string& path) const {
    const Node* node = find(path);
    if (!node || node->isDirectory()) return std::nullopt;
    return node->content;
}

std::optional<std::uint32_t> FakeFileSystem::attributes(const std::string& path) const {
    const Node* node = find(path);
    if (!node) return std::nullopt;
    return node->attributes;
}

bool FakeFileSystem::exists(const std::string& path) const { return find(path) != nullptr; }

std::vector<std::string> FakeFileSystem::paths(const std::string& folder) const {
    std::vector<std::string> result;
    std::string prefix;
    if (!folder.empty()) {
        const auto full = absolute(folder);
        if (!full) return result;
        prefix = isRoot(*full) ? foldCase(*full) : foldCase(*full) + "\\";
    }
    for (auto it = nodes.lower_bound(prefix); it != nodes.end() && it->first.rfind(prefix, 0) == 0; ++it) {
        if (it->first.size() > prefix.size()) result.push_back(it->second.path);
    }
    return result;
}

void FakeFileSystem::failWritesUnder(const std::string& folder) {
    const auto full = absolute(folder);
    if (full) failingFolders.insert(foldCase(*full));
}

void FakeFileSystem::lockFile(const std::string& path) {
    if (Node* node = find(path)) node->locked = true;
}

void FakeFileSystem::unlockFile(const std::string& path) {
    if (Node* node = find(path)) node->locked = false;
}

}  // namespace vexal::platform::fake
