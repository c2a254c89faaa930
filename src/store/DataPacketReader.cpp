#include "store/DataPacketReader.h"

#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "store/BinaryPacketReader.h"
#include "protocol/Placeholders.h"
#include "store/StoreTexts.h"

namespace corvane {

namespace {

constexpr std::size_t kMaxFields = 1024;
constexpr std::size_t kMaxDepth = 64;
constexpr std::size_t kMaxAttributes = 4096;
constexpr int kMaxWidth = 65535;

enum CharClass : unsigned char { kSpace = 1, kNameChar = 2 };

struct CharClasses {
    std::array<unsigned char, 256> of{};
    constexpr CharClasses() {
        for (int c = 0; c < 256; ++c) of[c] = kNameChar;
        for (unsigned char c : {' ', '\t', '\n', '\r'}) of[c] = kSpace;
        for (unsigned char c : {'=', '/', '>', '<', '"', '\''}) of[c] = 0;
    }
};
constexpr CharClasses kClasses;

bool isSpace(char c) {
    return kClasses.of[static_cast<unsigned char>(c)] == kSpace;
}

bool isNameChar(char c) {
    return kClasses.of[static_cast<unsigned char>(c)] == kNameChar;
}

struct Attribute {
    std::string_view name;
    std::string_view raw;  // between the quotes, entities not yet decoded
};

// Decodes the entities of an attribute value, keeping at most `limit` bytes of the result.
bool decode(std::string_view raw, std::string& out, std::size_t limit) {
    out.clear();
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t amp = raw.find('&', i);
        const std::size_t runEnd = amp == std::string_view::npos ? raw.size() : amp;
        if (out.size() < limit)
            out.append(raw.substr(i, std::min(runEnd - i, limit - out.size())));
        if (amp == std::string_view::npos)
            break;
        const std::size_t semi = raw.find(';', amp);
        if (semi == std::string_view::npos || semi - amp > 12)
            return false;
        const std::string_view name = raw.substr(amp + 1, semi - amp - 1);
        int c = -1;
        if (name == "quot")
            c = '"';
        else if (name == "amp")
            c = '&';
        else if (name == "apos")
            c = '\'';
        else if (name == "lt")
            c = '<';
        else if (name == "gt")
            c = '>';
        else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            std::string_view digits = name.substr(hex ? 2 : 1);
            if (digits.empty())
                return false;
            long v = 0;
            for (char d : digits) {
                int n;
                if (d >= '0' && d <= '9')
                    n = d - '0';
                else if (hex && d >= 'a' && d <= 'f')
                    n = d - 'a' + 10;
                else if (hex && d >= 'A' && d <= 'F')
                    n = d - 'A' + 10;
                else
                    return false;
                v = v * (hex ? 16 : 10) + n;
                if (v > 255)
                    return false;  // 8-bit text only
            }
            c = static_cast<int>(v);
        }
        if (c < 0)
            return false;
        if (out.size() < limit)
            out.push_back(static_cast<char>(c));
        i = semi + 1;
    }
    return true;
}

bool parseInt(std::string_view s, std::int32_t& out) {
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 10)
        return false;
    std::int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

bool fixedDigits(std::string_view s, std::size_t pos, std::size_t n, int& out) {
    out = 0;
    if (pos + n > s.size())
        return false;
    for (std::size_t i = pos; i < pos + n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

// Reads stored date-times to milliseconds; the day of the last date read is kept, since the
// records of a table mostly share their days.
class DateReader {
public:
    bool parse(std::string_view s, std::int64_t& ms) {
        if (s.size() != 8 && s.size() != 20)
            return false;
        if (s.substr(0, 8) != std::string_view(m_date, m_dateLength)) {
            DateTime day = 0;
            if (!DataPacketReader::parseDateTime(s.substr(0, 8), day))
                return false;
            std::memcpy(m_date, s.data(), 8);
            m_dateLength = 8;
            m_dayMs = dateTimeToMilliseconds(day);
        }
        if (s.size() == 8) {
            ms = m_dayMs;
            return true;
        }
        int hour = 0;
        int minute = 0;
        int secMs = 0;
        if (s[8] != 'T' || s[11] != ':' || s[14] != ':' || !fixedDigits(s, 9, 2, hour) ||
            !fixedDigits(s, 12, 2, minute) || !fixedDigits(s, 15, 5, secMs) || hour > 23 || minute > 59 ||
            secMs > 59'999)
            return false;
        const std::int64_t time = hour * 3'600'000LL + minute * 60'000LL + secMs;
        // Before the epoch the whole days count down while the time of day counts forward.
        ms = m_dayMs < 0 ? m_dayMs - time : m_dayMs + time;
        return true;
    }

private:
    char m_date[8] = {};
    std::size_t m_dateLength = 0;
    std::int64_t m_dayMs = 0;
};

class XmlReader {
public:
    XmlReader(std::string_view text, std::size_t parallelFrom) : m_text(text), m_parallelFrom(parallelFrom) {}

    PacketReadResult run();

private:
    // Where the walk through the elements stands.
    struct Walk {
        std::vector<std::string_view> stack;  // open elements, outermost first
        bool sawPacket = false;
        bool sawFields = false;
        bool sawRows = false;
    };
    enum class TagKind { Open, Close, Empty };
    struct Tag {
        TagKind kind = TagKind::Open;
        std::string_view name;
    };

    bool fail(std::string message) {
        if (m_error.empty())
            m_error = std::move(message);
        return false;
    }
    bool malformed(std::string_view what) { return fail(fillIn(storetexts::kBadStructure, {what})); }
    bool truncated() { return fail(storetexts::kTruncated); }

    bool skipProlog();
    bool nextTag(Tag& tag);
    bool readAttributes(bool& selfClosing);
    bool handleField();
    bool handleParams();
    bool handleRow();
    bool finishFields();
    // Walks the elements to the end of the packet; false on an error.
    bool walk(Walk& w);
    bool finish(Walk& w);
    // Hands the second half of the records to a reader on another thread, which starts at a
    // record found near the middle. Its records count only if this reader, reading on, meets a
    // record at exactly that place (a "<ROW" inside a value or a comment is not one).
    void splitRows();
    // Takes over the other reader's records and outcome once this one has reached its start.
    bool joinHelper(Walk& w);
    void runHelper();
    // Leaves m_value empty when `raw` can be read as it stands, else its decoded form.
    bool plain(std::string_view raw);

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
    std::vector<Attribute> m_attrs;

    TableContents m_contents;
    std::vector<std::string> m_attrNames;
    std::unordered_map<std::string_view, std::size_t> m_fieldOf;  // by attrname, first wins
    bool m_fieldsDone = false;
    RowLayout m_layout;
    // The record being read: views into the text, or into m_decoded where entities were decoded.
    std::vector<unsigned char> m_nulls;
    std::vector<std::int64_t> m_numbers;
    std::vector<std::string_view> m_texts;
    std::vector<std::string> m_decoded;
    std::string m_value;
    std::uint32_t m_nextId = 1;
    DateReader m_dates;
    bool m_sawParams = false;

    std::size_t m_parallelFrom;
    std::size_t m_stopAt = std::string_view::npos;  // where the helper started
    bool m_landed = false;
    bool m_helperOk = false;
    bool m_helperDone = false;
    std::unique_ptr<XmlReader> m_helper;
    std::jthread m_helperThread;  // declared last: joined before the rest goes
};

bool XmlReader::skipProlog() {
    while (true) {
        while (m_pos < m_text.size() && isSpace(m_text[m_pos])) ++m_pos;
        const std::string_view rest = m_text.substr(m_pos);
        if (rest.starts_with("<?")) {
            const std::size_t end = m_text.find("?>", m_pos + 2);
            if (end == std::string_view::npos)
                return truncated();
            m_pos = end + 2;
        } else if (rest.starts_with("<!--")) {
            const std::size_t end = m_text.find("-->", m_pos + 4);
            if (end == std::string_view::npos)
                return truncated();
            m_pos = end + 3;
        } else if (rest.starts_with("<!")) {
            // A document type: skipped whole, its entity definitions never used.
            int brackets = 0;
            char quote = 0;
            std::size_t i = m_pos + 2;
            for (; i < m_text.size(); ++i) {
                const char c = m_text[i];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '[') {
                    ++brackets;
                } else if (c == ']') {
                    --brackets;
                } else if (c == '>' && brackets <= 0) {
                    break;
                }
            }
            if (i >= m_text.size())
                return truncated();
            m_pos = i + 1;
        } else {
            return true;
        }
    }
}

bool XmlReader::readAttributes(bool& selfClosing) {
    m_attrs.clear();
    selfClosing = false;
    while (true) {
        while (m_pos < m_text.size() && isSpace(m_text[m_pos])) ++m_pos;
        if (m_pos >= m_text.size())
            return truncated();
        const char c = m_text[m_pos];
        if (c == '>') {
            ++m_pos;
            return true;
        }
        if (c == '/') {
            if (m_pos + 1 >= m_text.size())
                return truncated();
            if (m_text[m_pos + 1] != '>')
                return malformed("tag");
            m_pos += 2;
            selfClosing = true;
            return true;
        }
        const std::size_t nameStart = m_pos;
        while (m_pos < m_text.size() && isNameChar(m_text[m_pos])) ++m_pos;
        if (m_pos == nameStart)
            return m_pos >= m_text.size() ? truncated() : malformed("attribute");
        const std::string_view name = m_text.substr(nameStart, m_pos - nameStart);
        while (m_pos < m_text.size() && isSpace(m_text[m_pos])) ++m_pos;
        if (m_pos >= m_text.size())
            return truncated();
        if (m_text[m_pos] != '=')
            return malformed("attribute");
        ++m_pos;
        while (m_pos < m_text.size() && isSpace(m_text[m_pos])) ++m_pos;
        if (m_pos >= m_text.size())
            return truncated();
        const char quote = m_text[m_pos];
        if (quote != '"' && quote != '\'')
            return malformed("attribute");
        const std::size_t end = m_text.find(quote, m_pos + 1);
        if (end == std::string_view::npos)
            return truncated();
        if (m_attrs.size() >= kMaxAttributes)
            return malformed("too many attributes");
        m_attrs.push_back({name, m_text.substr(m_pos + 1, end - m_pos - 1)});
        m_pos = end + 1;
    }
}

bool XmlReader::nextTag(Tag& tag) {
    while (true) {
        const std::size_t lt = m_text.find('<', m_pos);
        if (lt == std::string_view::npos)
            return truncated();
        if (lt >= m_stopAt) {
            m_landed = lt == m_stopAt;
            m_stopAt = std::string_view::npos;
            if (m_landed) {
                m_pos = lt;
                return false;
            }
        }
        m_pos = lt;
        const std::string_view rest = m_text.substr(m_pos);
        if (rest.starts_with("<!--")) {
            const std::size_t end = m_text.find("-->", m_pos + 4);
            if (end == std::string_view::npos)
                return truncated();
            m_pos = end + 3;
            continue;
        }
        if (rest.starts_with("<?") || rest.starts_with("<!"))
            return malformed("markup");
        ++m_pos;
        tag.kind = TagKind::Open;
        if (m_pos < m_text.size() && m_text[m_pos] == '/') {
            tag.kind = TagKind::Close;
            ++m_pos;
        }
        const std::size_t nameStart = m_pos;
        while (m_pos < m_text.size() && isNameChar(m_text[m_pos])) ++m_pos;
        if (m_pos >= m_text.size())
            return truncated();
        tag.name = m_text.substr(nameStart, m_pos - nameStart);
        if (tag.name.empty())
            return malformed("tag");
        if (tag.kind == TagKind::Close) {
            while (m_pos < m_text.size() && isSpace(m_text[m_pos])) ++m_pos;
            if (m_pos >= m_text.size())
                return truncated();
            if (m_text[m_pos] != '>')
                return malformed("tag");
            ++m_pos;
            m_attrs.clear();
            return true;
        }
        bool selfClosing = false;
        if (!readAttributes(selfClosing))
            return false;
        if (selfClosing)
            tag.kind = TagKind::Empty;
        return true;
    }
}

bool XmlReader::handleField() {
    if (m_fieldsDone)
        return malformed("FIELD after the records");
    if (m_contents.fields.size() >= kMaxFields)
        return malformed("too many fields");
    FieldDef f;
    std::string attrName;
    std::string trueName;
    std::string fieldType;
    std::string subType;
    std::string width;
    bool haveFieldName = false;
    for (const Attribute& a : m_attrs) {
        std::string* target = nullptr;
        if (a.name == "attrname")
            target = &attrName;
        else if (a.name == "fieldname") {
            target = &trueName;
            haveFieldName = true;
        } else if (a.name == "fieldtype")
            target = &fieldType;
        else if (a.name == "SUBTYPE")
            target = &subType;
        else if (a.name == "WIDTH")
            target = &width;
        else if (a.name == "readonly")
            f.readOnly = a.raw == "true";
        if (target && !decode(a.raw, *target, 1024))
            return malformed("FIELD");
    }
    if (attrName.empty() || (haveFieldName && trueName.empty()))
        return malformed("FIELD without a name");
    for (char c : attrName)
        if (!isNameChar(c))
            return malformed("attrname " + attrName);
    f.name = haveFieldName ? trueName : attrName;
    if (fieldType == "i4" || fieldType == "i2" || fieldType == "i1" || fieldType == "ui1" ||
        fieldType == "ui2") {
        f.type = subType == "Autoinc" ? FieldType::AutoInc : FieldType::Integer;
    } else if (fieldType == "dateTime") {
        f.type = FieldType::DateTime;
    } else if (fieldType == "string") {
        f.type = FieldType::Text;
        std::int32_t w = 0;
        if (!parseInt(width, w) || w < 1 || w > kMaxWidth)
            return malformed("WIDTH of " + attrName);
        f.size = w;
    } else {
        return malformed("field type of " + attrName);
    }
    m_contents.fields.push_back(std::move(f));
    m_attrNames.push_back(std::move(attrName));
    return true;
}

bool XmlReader::handleParams() {
    for (const Attribute& a : m_attrs) {
        if (a.name != "AUTOINCVALUE")
            continue;
        std::int32_t v = 0;
        if (!parseInt(a.raw, v))
            return malformed("AUTOINCVALUE");
        m_contents.autoIncValue = v;
        m_sawParams = true;
    }
    return true;
}

bool XmlReader::finishFields() {
    if (m_fieldsDone)
        return true;
    m_fieldsDone = true;
    m_layout = RowLayout(m_contents.fields);
    const std::size_t n = m_contents.fields.size();
    m_nulls.assign(n, 1);
    m_numbers.assign(n, 0);
    m_texts.assign(n, {});
    m_decoded.resize(n);
    for (std::size_t i = 0; i < m_attrNames.size(); ++i) m_fieldOf.emplace(m_attrNames[i], i);
    return true;
}

bool XmlReader::plain(std::string_view raw) {
    // Numbers and date-times never need entities; a value that has them is decoded first.
    m_value.clear();
    if (raw.find('&') == std::string_view::npos)
        return true;
    return decode(raw, m_value, 64) && !m_value.empty();
}

bool XmlReader::handleRow() {
    const auto& fields = m_contents.fields;
    std::fill(m_nulls.begin(), m_nulls.end(), 1);
    std::size_t expected = 0;
    for (const Attribute& a : m_attrs) {
        // Attributes come in field order, so the next field is nearly always the one named.
        std::size_t f = expected;
        while (f < fields.size() && m_attrNames[f] != a.name) ++f;
        if (f == fields.size()) {
            const auto it = m_fieldOf.find(a.name);
            if (it == m_fieldOf.end())
                continue;  // RowState and anything else unknown
            f = it->second;
        }
        expected = f + 1;
        const FieldDef& def = fields[f];
        bool ok = true;
        switch (def.type) {
            case FieldType::Text: {
                // Kept as a view into the file unless entities had to be decoded.
                std::string_view text = a.raw;
                if (std::memchr(a.raw.data(), '&', a.raw.size())) {
                    ok = decode(a.raw, m_decoded[f], static_cast<std::size_t>(def.size));
                    text = m_decoded[f];
                }
                m_texts[f] = storedText(text, def.size);
                break;
            }
            case FieldType::DateTime:
                ok = plain(a.raw) && m_dates.parse(m_value.empty() ? a.raw : m_value, m_numbers[f]);
                break;
            case FieldType::Integer:
            case FieldType::AutoInc: {
                std::int32_t v = 0;
                ok = plain(a.raw) && parseInt(m_value.empty() ? a.raw : m_value, v);
                m_numbers[f] = v;
                break;
            }
        }
        if (!ok)
            return fail(fillIn(storetexts::kBadValue, {a.raw.substr(0, 64), def.name}));
        m_nulls[f] = 0;
    }
    if (m_nextId == std::numeric_limits<std::uint32_t>::max())
        return malformed("too many records");
    m_contents.rows.push_back(m_layout.encode(m_nulls.data(), m_numbers.data(), m_texts.data(), m_nextId++));
    return true;
}

void XmlReader::splitRows() {
    const std::size_t end = m_text.rfind("</ROWDATA");
    if (end == std::string_view::npos || end < m_pos || end - m_pos < m_parallelFrom)
        return;
    const std::size_t start = m_text.find("<ROW ", m_pos + (end - m_pos) / 2);
    if (start == std::string_view::npos || start >= end)
        return;
    m_helper = std::make_unique<XmlReader>(m_text, std::string_view::npos);
    m_helper->m_contents.fields = m_contents.fields;
    m_helper->m_attrNames = m_attrNames;
    m_helper->m_fieldsDone = false;
    m_helper->finishFields();
    m_helper->m_pos = start;
    try {
        m_helperThread = std::jthread([helper = m_helper.get()] { helper->runHelper(); });
        m_stopAt = start;
    } catch (const std::system_error&) {
        m_helper.reset();  // no thread to be had: this one reads every record
    }
}

void XmlReader::runHelper() {
    try {
        Walk w;
        w.stack = {"DATAPACKET", "ROWDATA"};
        w.sawPacket = w.sawFields = w.sawRows = true;
        m_helperOk = walk(w) && finish(w);
    } catch (const std::bad_alloc&) {
        m_helperOk = fail("out of memory");
    }
}

bool XmlReader::joinHelper(Walk& w) {
    m_helperThread.join();
    XmlReader& helper = *m_helper;
    if (!helper.m_helperOk)
        return fail(helper.m_error);
    // The helper numbered its records from 1; they follow this reader's.
    const std::uint32_t offset = m_nextId - 1;
    if (helper.m_nextId - 1 > std::numeric_limits<std::uint32_t>::max() - m_nextId)
        return malformed("too many records");
    auto& rows = m_contents.rows;
    rows.reserve(rows.size() + helper.m_contents.rows.size());
    for (RowPtr& r : helper.m_contents.rows) {
        const std::uint32_t id = RowLayout::rowId(r.get()) + offset;
        std::memcpy(r.get() + 4, &id, sizeof id);
        rows.push_back(std::move(r));
    }
    m_nextId += helper.m_nextId - 1;
    if (helper.m_sawParams)
        m_contents.autoIncValue = helper.m_contents.autoIncValue;
    m_helperDone = true;
    w.stack.clear();
    m_helper.reset();
    return true;
}

bool XmlReader::walk(Walk& w) {
    auto& stack = w.stack;
    Tag tag;
    while (true) {
        if (!nextTag(tag)) {
            if (!m_landed)
                return false;
            m_landed = false;
            if (stack.size() == 2 && stack[0] == "DATAPACKET" && stack[1] == "ROWDATA")
                return joinHelper(w);
            continue;  // not where the helper started: this reader reads on by itself
        }
        const std::string_view parent = stack.empty() ? std::string_view() : stack.back();
        if (tag.kind == TagKind::Close) {
            if (stack.empty() || stack.back() != tag.name)
                return malformed("closing tag");
            stack.pop_back();
            if (tag.name == "FIELDS")
                finishFields();
            if (stack.empty())
                return true;
            continue;
        }
        bool ok = true;
        bool rowData = false;
        if (stack.empty()) {
            if (tag.name != "DATAPACKET" || w.sawPacket)
                return w.sawPacket ? malformed("content after the packet") : fail(storetexts::kNotAPacket);
            w.sawPacket = true;
        } else if (tag.name == "FIELD" && parent == "FIELDS") {
            ok = handleField();
        } else if (tag.name == "FIELDS" && parent == "METADATA") {
            w.sawFields = true;
        } else if (tag.name == "PARAMS" && parent == "METADATA") {
            ok = handleParams();
        } else if (tag.name == "ROW" && parent == "ROWDATA") {
            if (!w.sawFields)
                return malformed("records before the fields");
            finishFields();
            ok = handleRow();
        } else if (tag.name == "ROWDATA" && parent == "DATAPACKET") {
            w.sawRows = true;
            finishFields();
            rowData = tag.kind == TagKind::Open;
        }
        // Any other element (PARAM, METADATA, unknown additions) is walked over.
        if (!ok)
            return false;
        if (tag.kind == TagKind::Open) {
            if (stack.size() >= kMaxDepth)
                return malformed("nesting too deep");
            stack.push_back(tag.name);
        }
        if (tag.kind == TagKind::Empty && tag.name == "FIELDS")
            finishFields();
        if (rowData && !m_helper && m_parallelFrom != std::string_view::npos)
            splitRows();
    }
}

bool XmlReader::finish(Walk& w) {
    if (!w.sawFields || !w.sawRows)
        return malformed(w.sawFields ? "no ROWDATA" : "no FIELDS");
    return true;
}

PacketReadResult XmlReader::run() {
    PacketReadResult result;
    Walk w;
    if (!skipProlog() || !walk(w) || (!m_helperDone && !finish(w))) {
        if (m_helperThread.joinable())
            m_helperThread.join();
        result.error = m_error.empty() ? std::string(storetexts::kNotAPacket) : m_error;
        return result;
    }
    if (m_helperThread.joinable())
        m_helperThread.join();  // it started where no record began; its work is not needed
    result.contents = std::move(m_contents);
    return result;
}

}  // namespace

bool DataPacketReader::parseDateTime(std::string_view s, DateTime& out) {
    DateTimeFields f;
    if (s.size() != 8 && s.size() != 20)
        return false;
    if (!fixedDigits(s, 0, 4, f.year) || !fixedDigits(s, 4, 2, f.month) || !fixedDigits(s, 6, 2, f.day))
        return false;
    if (s.size() == 20) {
        int secMs = 0;
        if (s[8] != 'T' || s[11] != ':' || s[14] != ':' || !fixedDigits(s, 9, 2, f.hour) ||
            !fixedDigits(s, 12, 2, f.minute) || !fixedDigits(s, 15, 5, secMs))
            return false;
        f.second = secMs / 1000;
        f.millisecond = secMs % 1000;
    }
    const auto v = encodeDateTime(f);
    if (!v)
        return false;
    out = *v;
    return true;
}

PacketReadResult DataPacketReader::readXml(std::string_view bytes, std::size_t parallelFrom) {
    return XmlReader(bytes, parallelFrom).run();
}

PacketReadResult DataPacketReader::read(std::string_view bytes) {
    if (bytes.empty()) {
        PacketReadResult r;
        r.error = storetexts::kEmptyFile;
        return r;
    }
    if (BinaryPacketReader::isBinary(bytes))
        return BinaryPacketReader::read(bytes);
    return readXml(bytes);
}

}  // namespace corvane
