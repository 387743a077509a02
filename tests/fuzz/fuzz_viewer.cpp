// The text viewers: whatever the file, the text shown has CR LF line ends only,
// holds whole lines of the file, and loses nothing but what lies beyond the cut.
#include <algorithm>

#include "fuzz/fuzz_input.h"
#include "platform/fake/fake_file_system.h"
#include "util/lines.h"
#include "viewers/viewer_rules.h"

using vexal::fuzz::check;
using vexal::fuzz::shown;

namespace {

struct Line {
    std::size_t start, contentEnd;  // the line's text is [start, contentEnd); its line end follows
};

// The lines of a file by position, as the program splits them: CR LF, a lone CR or
// a lone LF ends a line, and the last line needs no end.
std::vector<Line> linesOf(const std::string& text) {
    std::vector<Line> lines;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.push_back({i, end});
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        i = end + 1;
    }
    return lines;
}

// The lines a viewer that holds `limit` bytes must show of `text`.
std::vector<std::string> expectedLines(const std::string& text, std::size_t limit, bool end) {
    const auto all = linesOf(text);
    std::vector<std::string> out;
    const auto textOf = [&](const Line& l) { return text.substr(l.start, l.contentEnd - l.start); };
    if (text.size() <= limit) {
        for (const auto& l : all) out.push_back(textOf(l));
        return out;
    }
    if (end) {
        const std::size_t cut = text.size() - limit;
        // Not one line end from the byte before the cut on: a single line, shown from the cut.
        if (text.find_first_of("\r\n", cut - 1) == std::string::npos) return {text.substr(cut)};
        for (const auto& l : all)
            if (l.start >= cut) out.push_back(textOf(l));
        return out;
    }
    if (text.find_first_of("\r\n") > limit) return {text.substr(0, limit)};
    // A line whose text ends at the cut is whole; an empty line right at the cut lies beyond it.
    for (const auto& l : all)
        if (l.contentEnd <= limit && l.start < limit) out.push_back(textOf(l));
    return out;
}

bool onlyCrLf(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // A small viewer, so that the cut falls anywhere in a small file.
    const std::size_t limit = 1 + data[0] % 64;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    vexal::platform::fake::FakeFileSystem fs;
    fs.addFile("C:\\Games\\ET\\etmain\\etconsole.log", text);

    for (const bool end : {true, false}) {
        bool whole = false;
        const auto part = vexal::viewers::readViewerText(fs, "C:\\Games\\ET\\etmain\\etconsole.log", end, whole, limit);
        check(part.has_value(), "the file reads");
        check(whole == (text.size() <= limit), "whole only when the file fits");
        check(part->size() <= limit, "the viewer holds at most its limit");
        // What the text box is given, as the viewer gives it.
        const std::string memo = vexal::util::joinLines(vexal::util::splitLines(*part));
        check(onlyCrLf(memo), "the text shown \"" + shown(memo) + "\" has other line ends than CR LF");
        const auto expected = expectedLines(text, limit, end);
        check(vexal::util::splitLines(memo) == expected, std::string(end ? "the end" : "the start") + " of \"" +
                                                             shown(text) + "\" cut at " + std::to_string(limit) +
                                                             " shows \"" + shown(memo) + "\"");
    }
    return 0;
}
