#include "settings/ini_document.h"

#include <cstddef>

#include "util/case_fold.h"
#include "util/utilities.h"

namespace vexal::settings {

namespace {

// Blanks and control characters, NUL included, are trimmed from a line; a stray
// NUL or tab from a hand edit must not become part of a key. Bytes from 0x80 up
// are Windows-1252 text.
bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string trim(const std::string& s) {
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && isBlank(s[first])) ++first;
    while (last > first && isBlank(s[last - 1])) --last;
    return s.substr(first, last - first);
}

// Sections and keys compare as file names do, so that one typed with an umlaut
// in other case is still found.
bool sameText(const std::string& a, const std::string& b) { return util::sameName(a, b); }

// True when `line` is "key=..." for `key`; a line without "=" has no key.
bool lineHasKey(const std::string& line, const std::string& key) {
    const std::size_t eq = line.find('=');
    return eq != std::string::npos && eq == key.size() && sameText(line.substr(0, eq), key);
}

// A value with a line break would split into several lines on the next load and
// could open a section of its own; the break becomes a blank instead.
std::string singleLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

// Loading trims every value, as Windows' own profile functions do, so a value
// that begins or ends with a blank (a nickname " Tom ") would come back without
// it. Such a value is written in double quotes, and reading takes one pair of
// enclosing double quotes off, which is also how Windows reads a quoted value. A
// value that is itself enclosed in double quotes gets a second pair, so it too
// reads back as written. Single quotes, which Windows also takes off, are left
// alone: a value such as 'Tom' in an existing file keeps the meaning it had.
bool enclosedInQuotes(const std::string& v) { return v.size() >= 2 && v.front() == '"' && v.back() == '"'; }

std::string quotedIfNeeded(const std::string& v) {
    if (v.empty() || !(isBlank(v.front()) || isBlank(v.back()) || enclosedInQuotes(v))) return v;
    return '"' + v + '"';
}

std::string unquoted(const std::string& v) { return enclosedInQuotes(v) ? v.substr(1, v.size() - 2) : v; }

// The value of a "key=value" line as the program reads it.
std::string valueOf(const std::string& line) { return unquoted(line.substr(line.find('=') + 1)); }

}  // namespace

void IniDocument::parse(const std::string& text) {
    sections_.clear();
    // Notepad saves with a byte-order mark when asked for UTF-8. Left in place it
    // would hide the first section's "[" and drop that whole section.
    const std::size_t skip = text.compare(0, 3, kUtf8Bom) == 0 ? 3 : 0;

    Section* current = nullptr;
    for (const std::string& raw : util::splitLines(text.substr(skip))) {
        const std::string line = trim(raw);
        if (line.empty() || line[0] == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string name = trim(line.substr(1, line.size() - 2));
            // A section that appears twice continues the first one: its lines are
            // appended there, so lookups and writes see them and nothing is lost
            // when the file is written back.
            current = nullptr;
            for (auto& s : sections_) {
                if (sameText(s.name, name)) {
                    current = &s;
                    break;
                }
            }
            if (!current) current = &sections_.emplace_back(Section{name, {}});
            continue;
        }
        if (!current) continue;  // text before the first section belongs to no section
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            current->lines.push_back(line);
        else
            current->lines.push_back(trim(line.substr(0, eq)) + '=' + trim(line.substr(eq + 1)));
    }
}

std::string IniDocument::serialize() const {
    std::string out;
    for (const auto& s : sections_) {
        out += '[' + s.name + "]\r\n";
        for (const auto& line : s.lines) out += line + "\r\n";
        out += "\r\n";
    }
    return out;
}

const std::string* IniDocument::findValue(const std::string& section, const std::string& key) const {
    for (const auto& s : sections_) {
        if (!sameText(s.name, section)) continue;
        for (const auto& line : s.lines)
            if (lineHasKey(line, key)) return &line;
        return nullptr;  // sections are unique after parsing; the first one decides
    }
    return nullptr;
}

std::string IniDocument::readString(const std::string& section, const std::string& key, const std::string& def) const {
    const std::string* line = findValue(section, key);
    return line ? valueOf(*line) : def;
}

bool IniDocument::readBool(const std::string& section, const std::string& key, bool def) const {
    const std::string* line = findValue(section, key);
    std::int32_t value = 0;
    if (!line || !parseInteger(valueOf(*line), value)) return def;
    return value != 0;
}

std::int32_t IniDocument::readInteger(const std::string& section, const std::string& key, std::int32_t def) const {
    const std::string* line = findValue(section, key);
    std::int32_t value = 0;
    if (!line || !parseInteger(valueOf(*line), value)) return def;
    return value;
}

void IniDocument::writeString(const std::string& section, const std::string& key, const std::string& value) {
    const std::string name = singleLine(section);
    const std::string k = singleLine(key);
    const std::string line = k + '=' + quotedIfNeeded(singleLine(value));
    for (auto& s : sections_) {
        if (!sameText(s.name, name)) continue;
        for (auto& existing : s.lines) {
            if (lineHasKey(existing, k)) {
                existing = line;
                return;
            }
        }
        s.lines.push_back(line);
        return;
    }
    sections_.push_back(Section{name, {line}});
}

void IniDocument::writeBool(const std::string& section, const std::string& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniDocument::writeInteger(const std::string& section, const std::string& key, std::int32_t value) {
    writeString(section, key, std::to_string(value));
}

bool parseInteger(const std::string& text, std::int32_t& out) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        // Hexadecimal is a 32-bit pattern, so 0xFFFFFFFF reads as -1; more than
        // 32 bits do not fit and read as the default.
        std::uint64_t value = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            const char c = text[i];
            int digit = 0;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return false;
            value = value * 16 + static_cast<std::uint64_t>(digit);
            if (value > 0xFFFFFFFFu) return false;
        }
        out = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return true;
    }

    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return false;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace vexal::settings
