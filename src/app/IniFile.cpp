#include "app/IniFile.h"

#include <algorithm>
#include <cstdint>

namespace corvane {

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// A line break inside a name or value would split one setting into several lines of the file
// (and could plant keys that were never written), so it is stored as a space.
std::string singleLine(std::string_view s) {
    std::string out(s);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

}  // namespace

void IniFile::load(std::string_view text) {
    m_sections.clear();
    // Editors that save UTF-8 may put a byte-order mark first; it is no part of the first line.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        addLine(current, text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
}

void IniFile::loadLines(const std::vector<std::string>& lines) {
    // Joined first, so that a list item holding a line break reads as the lines it holds.
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    load(text);
}

void IniFile::addLine(Section*& current, std::string_view rawLine) {
    const std::string_view line = trimmed(rawLine);
    if (line.empty() || line.front() == ';')
        return;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
        const std::string_view name = trimmed(line.substr(1, line.size() - 2));
        current = findSection(name);
        if (!current) {
            m_sections.push_back(Section{std::string(name), {}});
            current = &m_sections.back();
        }
        return;
    }
    if (!current)
        return;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        current->entries.push_back(Entry{std::string(line), {}, false});
    else
        current->entries.push_back(
            Entry{std::string(trimmed(line.substr(0, eq))), std::string(trimmed(line.substr(eq + 1))), true});
}

std::vector<std::string> IniFile::lines() const {
    std::vector<std::string> out;
    for (const auto& section : m_sections) {
        out.push_back("[" + section.name + "]");
        for (const auto& e : section.entries) out.push_back(e.hasValue ? e.key + "=" + e.value : e.key);
        out.emplace_back();
    }
    return out;
}

std::string IniFile::text() const {
    std::string out;
    for (const auto& line : lines()) {
        out += line;
        out += "\r\n";
    }
    return out;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    for (auto& s : m_sections)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    return const_cast<IniFile*>(this)->findSection(name);
}

const IniFile::Entry* IniFile::findEntry(const Section& section, std::string_view key) {
    for (const auto& e : section.entries)
        if (e.hasValue && sameName(e.key, key))
            return &e;
    return nullptr;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const Entry* e = findEntry(*s, key);
    if (!e)
        return std::nullopt;
    return e->value;
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    return s && findEntry(*s, key);
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string cleanSection = singleLine(trimmed(section));
    const std::string cleanKey = singleLine(trimmed(key));
    Section* s = findSection(cleanSection);
    if (!s) {
        m_sections.push_back(Section{cleanSection, {}});
        s = &m_sections.back();
    }
    if (auto* e = const_cast<Entry*>(findEntry(*s, cleanKey))) {
        e->value = singleLine(value);
        return;
    }
    s->entries.push_back(Entry{cleanKey, singleLine(value), true});
}

void IniFile::removeKey(std::string_view section, std::string_view key) {
    Section* s = findSection(section);
    if (!s)
        return;
    auto it = std::find_if(s->entries.begin(), s->entries.end(),
                           [&](const Entry& e) { return e.hasValue && sameName(e.key, key); });
    if (it != s->entries.end())
        s->entries.erase(it);
}

std::vector<std::string> IniFile::sectionNames() const {
    std::vector<std::string> out;
    for (const auto& s : m_sections) out.push_back(s.name);
    return out;
}

std::optional<std::int32_t> parseIniInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;  // magnitude of INT32_MIN
    std::int64_t magnitude = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && lowerAscii(c) >= 'a' && lowerAscii(c) <= 'f')
            digit = static_cast<unsigned>(lowerAscii(c) - 'a' + 10);
        else
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > kLimit)
            return std::nullopt;
    }
    if (!negative && magnitude == kLimit)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace corvane
