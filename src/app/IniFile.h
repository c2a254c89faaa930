#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// An INI document in memory: sections of "key=value" lines, in file order. Section and key
// names compare without regard to (ASCII) case. Comments and blank lines are dropped on
// loading; everything else, including sections nobody here knows, survives a rewrite.
class IniFile {
public:
    IniFile() = default;

    // Replaces the whole content. Lines end in CR LF, LF or CR; a leading UTF-8 byte-order mark
    // is skipped. Lines before the first section line are ignored; lines of any length and any
    // number of them are kept (the caller bounds the size of what it loads).
    void load(std::string_view text);
    void loadLines(const std::vector<std::string>& lines);

    // Each section as its bracketed name line, its entries in order, then one blank line.
    std::vector<std::string> lines() const;
    std::string text() const;  // lines() joined with CR LF

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    // An existing key keeps its place; a new one goes to the end of its section, a new
    // section to the end of the file.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    void removeKey(std::string_view section, std::string_view key);

    std::vector<std::string> sectionNames() const;
    void clear() { m_sections.clear(); }
    bool empty() const { return m_sections.empty(); }

private:
    struct Entry {
        std::string key;
        std::string value;
        bool hasValue = true;  // false: a line without "=", kept as it stands
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    static const Entry* findEntry(const Section& section, std::string_view key);
    void addLine(Section*& current, std::string_view rawLine);

    std::vector<Section> m_sections;
};

// Integer forms of a settings value: optional sign, then decimal digits or a hexadecimal
// number after "0x" or "$". Anything else, and anything outside 32 bits, is no integer.
std::optional<std::int32_t> parseIniInteger(std::string_view text);

}  // namespace corvane
