#include "store/DataPacketWriter.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvane {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\"?>  ";
constexpr std::size_t kPieceSize = 1 << 20;
constexpr std::int64_t kMsPerDay = 86'400'000;
// Day counts of 1 January 0001 and 31 December 9999, the range a stored date-time keeps.
constexpr std::int64_t kFirstDay = -693'593;
constexpr std::int64_t kLastDay = 2'958'465;

// The written form of each byte that cannot appear as itself in an attribute value, padded to
// eight bytes so the row loop can copy a whole entry at once.
struct EntityTable {
    std::array<std::array<char, 8>, 256> text{};
    std::array<unsigned char, 256> length{};
    constexpr EntityTable() {
        const auto set = [this](unsigned char c, std::string_view e) {
            for (std::size_t i = 0; i < e.size(); ++i) text[c][i] = e[i];
            length[c] = static_cast<unsigned char>(e.size());
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

// The characters a field name may not carry into the name of a ROW attribute: those of the
// format's own rule, and those that would end the attribute name.
constexpr std::string_view kReplacedInNames = " !#$%()*?=/<>\"'\t\n\r";

std::string attrName(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (kReplacedInNames.find(c) != std::string_view::npos)
            c = '_';
    return out;
}

bool needsFieldName(std::string_view name) {
    return name.find_first_of(kReplacedInNames) != std::string_view::npos;
}

// Appends into a buffer grown ahead of need, so the row loop writes through a plain pointer.
class Out {
public:
    explicit Out(std::size_t reserve) { m_buf.resize(std::max<std::size_t>(reserve, 4096)); }
    void ensure(std::size_t more) {
        if (m_pos + more > m_buf.size())
            m_buf.resize(std::max(m_buf.size() * 2, m_pos + more));
    }
    std::size_t size() const { return m_pos; }
    std::string_view text() const { return {m_buf.data(), m_pos}; }
    void clear() { m_pos = 0; }
    void raw(std::string_view s) {
        ensure(s.size());
        put(s);
    }
    // Callers ensure room first.
    void put(std::string_view s) {
        std::memcpy(m_buf.data() + m_pos, s.data(), s.size());
        m_pos += s.size();
    }
    void put(char c) { m_buf[m_pos++] = c; }
    // Needs room for kMaxEntity bytes per byte of `s`, plus two.
    void escaped(std::string_view s) {
        const auto* p = reinterpret_cast<const unsigned char*>(s.data());
        const auto* end = p + s.size();
        char* o = m_buf.data() + m_pos;
#if defined(__SSE2__)
        // Sixteen bytes at a time while none of them needs an entity, which is nearly always.
        const __m128i tab = _mm_set1_epi8('\t'), lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
        const __m128i quot = _mm_set1_epi8('"'), amp = _mm_set1_epi8('&'), apos = _mm_set1_epi8('\'');
        const __m128i lt = _mm_set1_epi8('<'), gt = _mm_set1_epi8('>'), backslash = _mm_set1_epi8('\\');
        while (end - p >= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hit = _mm_or_si128(
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, tab), _mm_cmpeq_epi8(v, lf)),
                             _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, quot))),
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, amp), _mm_cmpeq_epi8(v, apos)),
                             _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lt), _mm_cmpeq_epi8(v, gt)),
                                          _mm_cmpeq_epi8(v, backslash))));
            const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
            if (mask == 0) {
                p += 16;
                o += 16;
                continue;
            }
            const int clean = __builtin_ctz(mask);
            p += clean;
            o += clean;
            const unsigned char c = *p++;
            std::memcpy(o, kEntities.text[c].data(), 8);
            o += kEntities.length[c];
        }
#endif
        while (p < end) {
            const unsigned char c = *p++;
            if (const unsigned len = kEntities.length[c]) {
                std::memcpy(o, kEntities.text[c].data(), 8);  // callers leave room past the end
                o += len;
            } else {
                *o++ = static_cast<char>(c);
            }
        }
        m_pos = static_cast<std::size_t>(o - m_buf.data());
    }
    void integer(std::int64_t v) {
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
    void digits(int v, int width) {
        char* p = m_buf.data() + m_pos + width;
        for (int i = 0; i < width; ++i) {
            *--p = static_cast<char>('0' + v % 10);
            v /= 10;
        }
        m_pos += static_cast<std::size_t>(width);
    }
    std::string take() {
        m_buf.resize(m_pos);
        return std::move(m_buf);
    }

private:
    std::string m_buf;
    std::size_t m_pos = 0;
};

// Writes stored date-times; the date part of the last day written is kept, since the records
// of a table mostly share their days.
class DateWriter {
public:
    void put(Out& out, std::int64_t ms) {
        const std::int64_t days = ms / kMsPerDay;
        if (days < kFirstDay || days > kLastDay) {
            putFields(out, decodeDateTime(millisecondsToDateTime(ms)));
            return;
        }
        if (days != m_day) {
            const DateTimeFields f = decodeDateTime(millisecondsToDateTime(days * kMsPerDay));
            for (auto [value, at, width] : {std::array{f.year, 0, 4}, {f.month, 4, 2}, {f.day, 6, 2}})
                for (int i = width - 1; i >= 0; --i, value /= 10)
                    m_date[at + i] = static_cast<char>('0' + value % 10);
            m_day = days;
        }
        out.put(std::string_view(m_date, 8));
        std::int64_t rest = ms % kMsPerDay;
        if (rest < 0)
            rest = -rest;
        if (rest == 0)
            return;
        const auto time = static_cast<int>(rest);
        out.put('T');
        out.digits(time / 3'600'000, 2);
        out.put(':');
        out.digits(time / 60'000 % 60, 2);
        out.put(':');
        out.digits(time % 60'000, 5);
    }

    static void putFields(Out& out, const DateTimeFields& f) {
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

private:
    std::int64_t m_day = kLastDay + 1;
    char m_date[8] = {};
};

struct Column {
    int field;
    FieldType type;
    std::string prefix;  // ` name="`
};

std::vector<Column> columnsOf(const std::vector<FieldDef>& fields) {
    std::vector<Column> columns;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].kind == FieldKind::Data)
            columns.push_back({static_cast<int>(i), fields[i].type, " " + attrName(fields[i].name) + "=\""});
    return columns;
}

std::size_t prefixBytes(const std::vector<Column>& columns) {
    std::size_t prefixes = 0;
    for (const Column& c : columns) prefixes += c.prefix.size() + 24;
    return prefixes;
}

void putRow(Out& out, const RowLayout& layout, const std::vector<Column>& columns, std::size_t prefixes,
            DateWriter& dates, const std::uint8_t* row) {
    out.ensure(16 + (RowLayout::blockSize(row) - RowLayout::kHeaderSize) * kMaxEntity + prefixes);
    out.put("<ROW");
    for (const Column& c : columns) {
        if (layout.isNull(row, c.field))
            continue;
        out.put(c.prefix);
        switch (c.type) {
            case FieldType::Text:
                out.escaped(layout.text(row, c.field));
                break;
            case FieldType::DateTime:
                dates.put(out, layout.milliseconds(row, c.field));
                break;
            case FieldType::Integer:
            case FieldType::AutoInc:
                out.integer(layout.integer(row, c.field));
                break;
        }
        out.put('"');
    }
    out.put("/>");
}

// Writes the whole packet into `out`, handing it to the sink (when there is one) whenever a
// piece is full.
bool writePacket(const DataPacketWriter::Snapshot& snapshot, Out& out, const DataPacketWriter::Sink* sink) {
    const auto& fields = snapshot.fields;
    const RowLayout& layout = snapshot.layout;
    const std::vector<Column> columns = columnsOf(fields);
    bool hasAutoInc = false;
    for (const FieldDef& f : fields)
        hasAutoInc = hasAutoInc || (f.kind == FieldKind::Data && f.type == FieldType::AutoInc);
    const std::size_t prefixes = prefixBytes(columns);

    const std::vector<const std::uint8_t*>& rows = snapshot.rows;
    out.raw(kDeclaration);
    out.raw("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>");
    for (const Column& c : columns) {
        const FieldDef& f = fields[c.field];
        const std::string name = attrName(f.name);
        out.ensure(72 + (f.name.size() + name.size()) * kMaxEntity);
        out.put("<FIELD");
        if (needsFieldName(f.name)) {
            out.put(" fieldname=\"");
            out.escaped(f.name);
            out.put('"');
        }
        out.put(" attrname=\"");
        out.escaped(name);
        out.put("\" fieldtype=\"");
        out.put(f.type == FieldType::DateTime ? "dateTime" : f.type == FieldType::Text ? "string" : "i4");
        out.put('"');
        if (f.type == FieldType::AutoInc)
            out.put(" readonly=\"true\"");
        if (f.type == FieldType::Text) {
            out.put(" WIDTH=\"");
            out.integer(f.size);
            out.put('"');
        }
        if (f.type == FieldType::AutoInc)
            out.put(" SUBTYPE=\"Autoinc\"");
        out.put("/>");
    }
    out.raw("</FIELDS>");
    if (hasAutoInc) {
        out.raw("<PARAMS AUTOINCVALUE=\"");
        out.ensure(24);
        out.integer(snapshot.autoIncValue);
        out.raw("\"/>");
    } else {
        out.raw("<PARAMS/>");
    }
    out.raw("</METADATA><ROWDATA>");

    DateWriter dates;
    for (const std::uint8_t* row : rows) {
        putRow(out, layout, columns, prefixes, dates, row);
        if (sink && out.size() >= kPieceSize) {
            if (!(*sink)(out.text()))
                return false;
            out.clear();
        }
    }
    out.raw("</ROWDATA></DATAPACKET>");
    if (sink && out.size() > 0) {
        if (!(*sink)(out.text()))
            return false;
        out.clear();
    }
    return true;
}

}  // namespace

struct DataPacketWriter::RowWriter::Impl {
    RowLayout layout;
    std::vector<Column> columns;
    std::size_t prefixes = 0;
    DateWriter dates;
    Out out{4096};
};

DataPacketWriter::RowWriter::RowWriter(const std::vector<FieldDef>& fields, const RowLayout& layout)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->layout = layout;
    m_impl->columns = columnsOf(fields);
    m_impl->prefixes = prefixBytes(m_impl->columns);
}

DataPacketWriter::RowWriter::~RowWriter() = default;

void DataPacketWriter::RowWriter::append(const std::uint8_t* row, std::string& out) {
    Impl& w = *m_impl;
    w.out.clear();
    putRow(w.out, w.layout, w.columns, w.prefixes, w.dates, row);
    out.append(w.out.text());
}

std::string DataPacketWriter::formatDateTime(DateTime value) {
    Out out(64);
    out.ensure(32);
    DateWriter::putFields(out, decodeDateTime(value));
    return out.take();
}

DataPacketWriter::Snapshot DataPacketWriter::snapshot(const Table& table) {
    Snapshot s{table.fields(), table.layout(), table.autoIncValue(), {}};
    // Records go out in the order they were added; ids rise with every addition.
    const int count = table.totalRecordCount();
    s.rows.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) s.rows[static_cast<std::size_t>(i)] = table.rowBlock(i);
    if (table.rowsInAdditionOrder())
        return s;
    const auto byId = [](const std::uint8_t* a, const std::uint8_t* b) {
        return RowLayout::rowId(a) < RowLayout::rowId(b);
    };
    std::sort(s.rows.begin(), s.rows.end(), byId);
    return s;
}

std::string DataPacketWriter::write(const Table& table) {
    std::size_t blockBytes = 0;
    for (int i = 0; i < table.totalRecordCount(); ++i) blockBytes += RowLayout::blockSize(table.rowBlock(i));
    Out out(1024 + blockBytes * 2);
    writePacket(snapshot(table), out, nullptr);
    return out.take();
}

bool DataPacketWriter::write(const Table& table, const Sink& sink) {
    return write(snapshot(table), sink);
}

bool DataPacketWriter::write(const Snapshot& snapshot, const Sink& sink) {
    Out out(kPieceSize + kPieceSize / 4);
    return writePacket(snapshot, out, &sink);
}

}  // namespace corvane
