#pragma once
// The settings document: an ordered list of sections, each an ordered list of
// lines, read once from the INI text and written back whole.
#include <cstdint>
#include <string>
#include <vector>

namespace vexal::settings {

class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(const std::string& text) { parse(text); }

    void parse(const std::string& text);
    [[nodiscard]] std::string serialize() const;  // CR LF, an empty line after each section

    [[nodiscard]] std::string readString(const std::string& section, const std::string& key,
                                         const std::string& def) const;
    [[nodiscard]] bool readBool(const std::string& section, const std::string& key, bool def) const;
    [[nodiscard]] std::int32_t readInteger(const std::string& section, const std::string& key,
                                           std::int32_t def) const;
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeBool(const std::string& section, const std::string& key, bool value);
    void writeInteger(const std::string& section, const std::string& key, std::int32_t value);

    struct Section {
        std::string name;
        std::vector<std::string> lines;  // "key=value", or a line without "=" kept as it was
    };
    [[nodiscard]] const std::vector<Section>& sections() const { return sections_; }

private:
    [[nodiscard]] const std::string* findValue(const std::string& section, const std::string& key) const;
    std::vector<Section> sections_;
};

// Integer text as the settings file reads it: decimal, or hexadecimal after "0x"
// when longer than two characters. Nothing when it is not a number.
[[nodiscard]] bool parseInteger(const std::string& text, std::int32_t& out);

}  // namespace vexal::settings
