#include "store/DataPacketWriter.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace corvane {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\"?>  ";

// The written form of each byte that cannot appear as itself in an attribute value.
struct EntityTable {
    std::array<const char*, 256> text{};
    std::array<unsigned char, 256> length{};
    constexpr EntityTable()
    {
        const auto set = [this](unsigned char c, const char* e) {
            text[c] = e;
            length[c] = static_cast<unsigned char>(std::char_traits<char>::length(e));
        };
        set('\t', "&#009;");
        set('\n', "&#010;");
        set('\r', "&#013;");
        set('"', "&quot;");
        set('&', "&amp;");
        set('\'', "&apos;");
        set('<', "&lt;");
        set('>', "&gt;");
        set('\\', "&#092;");
    }
};
constexpr EntityTable kEntities;
constexpr std::size_t kMaxEntity = 6;

bool needsFieldName(std::string_view name)
{
    return name.find_first_of(" !#$%()*?") != std::string_view::npos;
}

std::string attrName(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        if (std::strchr(" !#$%()*?", c) && c != '\0')
            c = '_';
    return out;
}

// Appends into a buffer grown ahead of need, so the row loop writes through a plain pointer.
class Out {
public:
    explicit Out(std::size_t reserve) { m_buf.resize(std::max<std::size_t>(reserve, 4096)); }
    void ensure(std::size_t more)
    {
        if (m_pos + more > m_buf.size())
            m_buf.resize(std::max(m_buf.size() * 2, m_pos + more));
    }
    void raw(std::string_view s)
    {
        ensure(s.size());
        std::memcpy(m_buf.data() + m_pos, s.data(), s.size());
        m_pos += s.size();
    }
    // Callers ensure room first.
    void put(std::string_view s)
    {
        std::memcpy(m_buf.data() + m_pos, s.data(), s.size());
        m_pos += s.size();
    }
    void put(char c) { m_buf[m_pos++] = c; }
    void escaped(std::string_view s)
    {
        const char* p = s.data();
        const char* end = p + s.size();
        while (p < end) {
            const char* run = p;
            while (p < end && !kEntities.text[static_cast<unsigned char>(*p)])
                ++p;
            put(std::string_view(run, static_cast<std::size_t>(p - run)));
            if (p < end) {
                const auto c = static_cast<unsigned char>(*p++);
                put(std::string_view(kEntities.text[c], kEntities.length[c]));
            }
        }
    }
    void integer(std::int64_t v)
    {
        char tmp[24];
        char* e = tmp + sizeof tmp;
        char* b = e;
        const bool negative = v < 0;
        std::uint64_t u = negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        do {
            *--b = static_cast<char>('0' + u % 10);
            u /= 10;
        } while (u);
        if (negative)
            *--b = '-';
        put(std::string_view(b, static_cast<std::size_t>(e - b)));
    }
    void digits(int v, int width)
    {
        char* p = m_buf.data() + m_pos + width;
        for (int i = 0; i < width; ++i) {
            *--p = static_cast<char>('0' + v % 10);
            v /= 10;
        }
        m_pos += static_cast<std::size_t>(width);
    }
    std::string take()
    {
        m_buf.resize(m_pos);
        return std::move(m_buf);
    }

private:
    std::string m_buf;
    std::size_t m_pos = 0;
};

void putDateTime(Out& out, DateTime value)
{
    const DateTimeFields f = decodeDateTime(value);
    out.digits(f.year, 4);
    out.digits(f.month, 2);
    out.digits(f.day, 2);
    if (f.hour == 0 && f.minute == 0 && f.second == 0 && f.millisecond == 0)
        return;
    out.put('T');
    out.digits(f.hour, 2);
    out.put(':');
    out.digits(f.minute, 2);
    out.put(':');
    out.digits(f.second * 1000 + f.millisecond, 5);
}

}  // namespace

std::string DataPacketWriter::formatDateTime(DateTime value)
{
    Out out(64);
    out.ensure(32);
    putDateTime(out, value);
    return out.take();
}

std::string DataPacketWriter::write(const Table& table)
{
    const auto& fields = table.fields();
    const RowLayout& layout = table.layout();
    std::vector<int> stored;
    std::vector<std::string> names;
    std::size_t namesSize = 0;
    bool hasAutoInc = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].kind != FieldKind::Data)
            continue;
        stored.push_back(static_cast<int>(i));
        names.push_back(attrName(fields[i].name));
        namesSize += names.back().size() + 4;
        hasAutoInc = hasAutoInc || fields[i].type == FieldType::AutoInc;
    }

    // Records go out in the order they were added; ids rise with every addition.
    const int count = table.totalRecordCount();
    std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(count));
    std::size_t blockBytes = 0;
    for (int i = 0; i < count; ++i) {
        rows[i] = table.rowBlock(i);
        blockBytes += RowLayout::blockSize(rows[i]);
    }
    const auto byId = [](const std::uint8_t* a, const std::uint8_t* b) {
        return RowLayout::rowId(a) < RowLayout::rowId(b);
    };
    if (!std::is_sorted(rows.begin(), rows.end(), byId))
        std::sort(rows.begin(), rows.end(), byId);

    Out out(1024 + blockBytes + blockBytes / 4 + static_cast<std::size_t>(count) * (namesSize + 8));
    out.raw(kDeclaration);
    out.raw("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>");
    for (std::size_t s = 0; s < stored.size(); ++s) {
        const FieldDef& f = fields[stored[s]];
        out.raw("<FIELD");
        if (needsFieldName(f.name)) {
            out.raw(" fieldname=\"");
            out.ensure(f.name.size() * kMaxEntity);
            out.escaped(f.name);
            out.raw("\"");
        }
        out.raw(" attrname=\"");
        out.ensure(names[s].size() * kMaxEntity);
        out.escaped(names[s]);
        out.raw("\" fieldtype=\"");
        out.raw(f.type == FieldType::DateTime ? "dateTime" : f.type == FieldType::Text ? "string" : "i4");
        out.raw("\"");
        if (f.type == FieldType::AutoInc)
            out.raw(" readonly=\"true\"");
        if (f.type == FieldType::Text) {
            out.raw(" WIDTH=\"");
            out.ensure(24);
            out.integer(f.size);
            out.raw("\"");
        }
        if (f.type == FieldType::AutoInc)
            out.raw(" SUBTYPE=\"Autoinc\"");
        out.raw("/>");
    }
    out.raw("</FIELDS>");
    if (hasAutoInc) {
        out.raw("<PARAMS AUTOINCVALUE=\"");
        out.ensure(24);
        out.integer(table.autoIncValue());
        out.raw("\"/>");
    } else {
        out.raw("<PARAMS/>");
    }
    out.raw("</METADATA><ROWDATA>");

    for (const std::uint8_t* row : rows) {
        out.ensure(16 + (RowLayout::blockSize(row) - RowLayout::kHeaderSize) * kMaxEntity + stored.size() * 24 + namesSize);
        out.put("<ROW");
        for (std::size_t s = 0; s < stored.size(); ++s) {
            const int f = stored[s];
            if (layout.isNull(row, f))
                continue;
            out.put(' ');
            out.put(names[s]);
            out.put("=\"");
            switch (fields[f].type) {
            case FieldType::Text: out.escaped(layout.text(row, f)); break;
            case FieldType::DateTime: putDateTime(out, layout.dateTime(row, f)); break;
            case FieldType::Integer:
            case FieldType::AutoInc: out.integer(layout.integer(row, f)); break;
            }
            out.put('"');
        }
        out.put("/>");
    }
    out.raw("</ROWDATA></DATAPACKET>");
    return out.take();
}

}  // namespace corvane
