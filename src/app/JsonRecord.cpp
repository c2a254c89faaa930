#include "app/JsonRecord.h"

#include <cstdint>

namespace corvane {
namespace {

class Reader {
public:
    explicit Reader(std::string_view s) : m_s(s) {}

    void blanks() {
        while (m_p < m_s.size() &&
               (m_s[m_p] == ' ' || m_s[m_p] == '\t' || m_s[m_p] == '\r' || m_s[m_p] == '\n'))
            ++m_p;
    }
    bool take(char c) {
        blanks();
        if (m_p < m_s.size() && m_s[m_p] == c) {
            ++m_p;
            return true;
        }
        return false;
    }
    bool atEnd() {
        blanks();
        return m_p == m_s.size();
    }
    char peek() {
        blanks();
        return m_p < m_s.size() ? m_s[m_p] : '\0';
    }

    bool string(std::string& out) {
        if (!take('"'))
            return false;
        out.clear();
        for (;;) {
            const std::size_t run = m_p;
            while (m_p < m_s.size() && m_s[m_p] != '"' && m_s[m_p] != '\\' &&
                   static_cast<unsigned char>(m_s[m_p]) >= 0x20)
                ++m_p;
            out.append(m_s.substr(run, m_p - run));
            if (m_p >= m_s.size() || static_cast<unsigned char>(m_s[m_p]) < 0x20)
                return false;
            if (m_s[m_p++] == '"')
                return true;
            if (m_p >= m_s.size())
                return false;
            const char e = m_s[m_p++];
            switch (e) {
                case '"':
                    out.push_back('"');
                    break;
                case '\\':
                    out.push_back('\\');
                    break;
                case '/':
                    out.push_back('/');
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'u': {
                    std::uint32_t cp;
                    if (!hex4(cp))
                        return false;
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        std::uint32_t low;
                        if (m_p + 1 >= m_s.size() || m_s[m_p] != '\\' || m_s[m_p + 1] != 'u')
                            return false;
                        m_p += 2;
                        if (!hex4(low) || low < 0xDC00 || low > 0xDFFF)
                            return false;
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                        return false;
                    }
                    appendCodePoint(out, cp);
                    break;
                }
                default:
                    return false;
            }
        }
    }

    bool value(JsonValue& v) {
        const char c = peek();
        if (c == '"') {
            v.kind = JsonValue::Kind::String;
            return string(v.text);
        }
        if (word("null")) {
            v.kind = JsonValue::Kind::Null;
            return true;
        }
        if (word("true") || word("false")) {
            v.kind = JsonValue::Kind::Bool;
            v.flag = m_s[m_p - 1] == 'e' && m_s[m_p - 2] == 'u';
            return true;
        }
        v.kind = JsonValue::Kind::Number;
        const std::size_t start = m_p;
        if (m_p < m_s.size() && m_s[m_p] == '-')
            ++m_p;
        const std::size_t digits = m_p;
        while (m_p < m_s.size() && ((m_s[m_p] >= '0' && m_s[m_p] <= '9') || m_s[m_p] == '.' ||
                                    m_s[m_p] == 'e' || m_s[m_p] == 'E' || m_s[m_p] == '+' || m_s[m_p] == '-'))
            ++m_p;
        if (m_p == digits)
            return false;
        v.text.assign(m_s.substr(start, m_p - start));
        return true;
    }

private:
    bool word(std::string_view w) {
        if (m_s.substr(m_p, w.size()) != w)
            return false;
        m_p += w.size();
        return true;
    }
    bool hex4(std::uint32_t& cp) {
        if (m_p + 4 > m_s.size())
            return false;
        cp = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_s[m_p++];
            cp <<= 4;
            if (h >= '0' && h <= '9')
                cp |= static_cast<std::uint32_t>(h - '0');
            else if (h >= 'a' && h <= 'f')
                cp |= static_cast<std::uint32_t>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                cp |= static_cast<std::uint32_t>(h - 'A' + 10);
            else
                return false;
        }
        return true;
    }
    static void appendCodePoint(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }

    std::string_view m_s;
    std::size_t m_p = 0;
};

}  // namespace

std::optional<std::vector<std::pair<std::string, JsonValue>>> parseJsonRecord(std::string_view line) {
    Reader r(line);
    std::vector<std::pair<std::string, JsonValue>> out;
    if (!r.take('{'))
        return std::nullopt;
    if (!r.take('}')) {
        do {
            std::pair<std::string, JsonValue> member;
            if (!r.string(member.first) || !r.take(':') || !r.value(member.second))
                return std::nullopt;
            out.push_back(std::move(member));
        } while (r.take(','));
        if (!r.take('}'))
            return std::nullopt;
    }
    if (!r.atEnd())
        return std::nullopt;
    return out;
}

}  // namespace corvane
