#include "protocol/DelimitedText.h"

namespace corvane {
namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

DelimitedTextReader::DelimitedTextReader(std::string_view source) : m_source(source) {
    if (const auto nul = m_source.find('\0'); nul != std::string_view::npos)
        m_source = m_source.substr(0, nul);
    skipBlanks();
}

void DelimitedTextReader::skipBlanks() {
    while (m_pos < m_source.size() && isBlank(m_source[m_pos])) ++m_pos;
}

void DelimitedTextReader::readQuoted(std::string& item) {
    std::size_t from = m_pos + 1;
    for (;;) {
        const auto quote = m_source.find('"', from);
        if (quote == std::string_view::npos)
            break;
        if (quote + 1 < m_source.size() && m_source[quote + 1] == '"') {
            item.append(m_source.substr(from, quote + 1 - from));
            from = quote + 2;
            continue;
        }
        item.append(m_source.substr(from, quote - from));
        m_pos = quote + 1;
        return;
    }
    // No closing quote: the rest without its last character, doubled quotes read as one.
    item.clear();
    const std::size_t start = m_pos + 1;
    const std::size_t end = m_source.size() > start ? m_source.size() - 1 : start;
    for (std::size_t i = start; i < end; ++i) {
        item += m_source[i];
        if (m_source[i] == '"' && i + 1 < end && m_source[i + 1] == '"')
            ++i;
    }
    m_pos = m_source.size();
}

bool DelimitedTextReader::next(std::string& item) {
    item.clear();
    if (m_trailingEmpty) {
        m_trailingEmpty = false;
        return true;
    }
    if (m_pos >= m_source.size())
        return false;
    if (m_source[m_pos] == '"') {
        readQuoted(item);
    } else {
        const std::size_t start = m_pos;
        while (m_pos < m_source.size() && !isBlank(m_source[m_pos]) && m_source[m_pos] != ',') ++m_pos;
        item.assign(m_source.substr(start, m_pos - start));
    }
    skipBlanks();
    if (m_pos < m_source.size() && m_source[m_pos] == ',') {
        m_trailingEmpty = m_pos + 1 == m_source.size();
        ++m_pos;
        skipBlanks();
    }
    return true;
}

}  // namespace corvane
