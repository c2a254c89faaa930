#include "store/Table.h"

#include <algorithm>
#include <limits>

#include "protocol/Placeholders.h"
#include "store/StoreTexts.h"
#include "store/TableDetail.h"

namespace corvane {

using tabledetail::valueFrom;

Table::Table(std::string name, std::vector<FieldDef> fields) : m_name(std::move(name)) {
    setFields(std::move(fields));
}

Table::~Table() = default;

void Table::setFields(std::vector<FieldDef> fields) {
    close();
    m_fields = std::move(fields);
    dropIndexes();
    m_layout = RowLayout(m_fields);
    m_keyField = -1;
    m_autoIncField = -1;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const FieldDef& f = m_fields[i];
        if (f.kind != FieldKind::Data)
            continue;
        if (f.name == "Key" && f.isIntegral() && m_keyField < 0)
            m_keyField = static_cast<int>(i);
        if (f.type == FieldType::AutoInc && m_autoIncField < 0)
            m_autoIncField = static_cast<int>(i);
    }
    m_buffer.reset(m_fields.size());
    // A compiled filter names fields by position, so it must be made again for the new ones.
    if (m_filtered && !compileFilter().ok)
        m_filtered = false;
}

void Table::addLookupField(FieldDef field) {
    if (pending())
        post();
    field.kind = FieldKind::Lookup;
    m_fields.push_back(std::move(field));
    m_layout = RowLayout(m_fields);  // lookups take no slot, so stored rows keep their shape
    m_buffer.reset(m_fields.size());
}

void Table::setDisplay(const std::vector<FieldDef>& fields) {
    for (std::size_t i = 0; i < fields.size() && i < m_fields.size(); ++i) {
        if (fields[i].name != m_fields[i].name || fields[i].type != m_fields[i].type ||
            fields[i].size != m_fields[i].size)
            continue;
        m_fields[i].shown = fields[i].shown;
        m_fields[i].displayWidth = fields[i].displayWidth;
        m_fields[i].tag = fields[i].tag;
        m_fields[i].readOnly = fields[i].readOnly;
    }
}

int Table::fieldIndex(std::string_view name) const {
    // The last field of a name wins: a lookup added later shadows a stored field of its name.
    for (std::size_t i = m_fields.size(); i-- > 0;)
        if (m_fields[i].name == name)
            return static_cast<int>(i);
    return -1;
}

int Table::requireField(std::string_view name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw StoreError(fillIn(storetexts::kFieldNotFound, {name}));
    return i;
}

void Table::resetRows() {
    if (beforeBlocksFreed)
        beforeBlocksFreed();
    m_rows.clear();
    m_view.clear();
    m_log.clear();
    dropIndexes();
    m_nextRowId = 1;
    m_rowsInAdditionOrder = true;
    m_cursor = -1;
    m_bof = m_eof = true;
    m_bufferChanged = false;
    m_editPosition = -1;
}

void Table::open() {
    if (isOpen())
        return;
    m_state = State::Browse;
    m_buffer.reset(m_fields.size());
    rebuildView();
    if (afterOpen)
        afterOpen(*this);
    scrolled();
}

void Table::close() {
    m_state = State::Inactive;
    resetRows();
    m_autoInc = 1;
}

void Table::load(TableContents contents) {
    setFields(std::move(contents.fields));
    m_rows = std::move(contents.rows);
    // One walk over the records finds the highest id and whether they are in key order and in
    // the order they were added; a file written by this program always is.
    std::uint32_t maxId = 0;
    bool byKey = true;
    bool byId = true;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const std::uint8_t* r = m_rows[i].get();
        const std::uint32_t id = RowLayout::rowId(r);
        maxId = std::max(maxId, id);
        if (i > 0) {
            const std::uint8_t* before = m_rows[i - 1].get();
            byKey = byKey && keyOf(before) <= keyOf(r);
            byId = byId && RowLayout::rowId(before) < id;
        }
    }
    m_nextRowId = maxId + 1;
    if (!byKey) {
        std::stable_sort(m_rows.begin(), m_rows.end(), [this](const RowPtr& a, const RowPtr& b) {
            return keyOf(a.get()) < keyOf(b.get());
        });
        byId = std::is_sorted(m_rows.begin(), m_rows.end(), [](const RowPtr& a, const RowPtr& b) {
            return RowLayout::rowId(a.get()) < RowLayout::rowId(b.get());
        });
    }
    m_rowsInAdditionOrder = byId;
    m_autoInc = contents.autoIncValue;
    m_state = State::Inactive;
    open();
}

void Table::requireOpen() const {
    if (!isOpen())
        throw StoreError(fillIn(storetexts::kTableNotOpen, {m_name}));
}

void Table::requireEditing() const {
    if (!pending())
        throw StoreError(fillIn(storetexts::kNotEditing, {m_name}));
}

void Table::requireCurrent() const {
    requireOpen();
    if (m_cursor < 0 || m_cursor >= recordCount())
        throw StoreError(fillIn(storetexts::kNoCurrentRecord, {m_name}));
}

std::int64_t Table::keyOf(const std::uint8_t* row) const {
    if (m_keyField < 0)
        return 0;
    if (m_layout.isNull(row, m_keyField))
        return std::numeric_limits<std::int64_t>::min();
    return m_layout.integer(row, m_keyField);
}

std::size_t Table::orderPositionFor(std::int64_t key) const {
    // Keys grow with arrival, so nearly every record goes to the end.
    if (m_rows.empty() || key >= keyOf(m_rows.back().get()))
        return m_rows.size();
    const auto it = std::upper_bound(m_rows.begin(), m_rows.end(), key,
                                     [this](std::int64_t k, const RowPtr& r) { return k < keyOf(r.get()); });
    return static_cast<std::size_t>(it - m_rows.begin());
}

bool Table::passes(const std::uint8_t* row) const {
    if (!m_filtered)
        return true;
    const RowReader reader(m_layout, row);
    if (m_filter && !m_filter->matches(reader))
        return false;
    return !m_callback || m_callback(reader);
}

void Table::rebuildView(int keepOrderPosition) {
    m_view.clear();
    if (!m_filtered) {
        m_view.resize(m_rows.size());
        for (std::size_t i = 0; i < m_rows.size(); ++i) m_view[i] = static_cast<std::uint32_t>(i);
    } else {
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            if (passes(m_rows[i].get()))
                m_view.push_back(static_cast<std::uint32_t>(i));
    }
    if (m_view.empty()) {
        m_cursor = -1;
        m_bof = m_eof = true;
        return;
    }
    if (keepOrderPosition < 0) {
        m_cursor = 0;
        m_bof = true;
        m_eof = false;
        return;
    }
    const auto it =
        std::lower_bound(m_view.begin(), m_view.end(), static_cast<std::uint32_t>(keepOrderPosition));
    m_cursor = std::min(static_cast<int>(it - m_view.begin()), recordCount() - 1);
    m_bof = m_eof = false;
}

void Table::scrolled() {
    if (afterScroll)
        afterScroll(*this);
}

int Table::recNo() const {
    if (m_state == State::Insert)
        return recordCount() + 1;
    return m_cursor < 0 ? 0 : m_cursor + 1;
}

void Table::first() {
    requireOpen();
    if (pending())
        post();
    m_cursor = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    scrolled();
}

void Table::last() {
    requireOpen();
    if (pending())
        post();
    m_cursor = recordCount() - 1;
    m_eof = true;
    m_bof = m_view.empty();
    scrolled();
}

void Table::next() {
    requireOpen();
    if (pending())
        post();
    if (m_cursor + 1 >= recordCount()) {
        m_eof = true;
        return;
    }
    ++m_cursor;
    m_bof = m_eof = false;
    scrolled();
}

void Table::prior() {
    requireOpen();
    if (pending())
        post();
    if (m_cursor <= 0) {
        m_bof = true;
        return;
    }
    --m_cursor;
    m_bof = m_eof = false;
    scrolled();
}

void Table::moveTo(int viewPosition) {
    requireOpen();
    if (pending())
        post();
    if (viewPosition < 0 || viewPosition >= recordCount())
        throw StoreError(fillIn(storetexts::kNoCurrentRecord, {m_name}));
    m_cursor = viewPosition;
    m_bof = m_eof = false;
    scrolled();
}

const std::uint8_t* Table::currentRow() const {
    requireCurrent();
    return m_rows[m_view[m_cursor]].get();
}

bool Table::isNull(int field) const {
    if (m_fields.at(field).kind == FieldKind::Lookup)
        return value(field).isNull();
    if (pending())
        return m_buffer.nulls[field] != 0;
    return m_layout.isNull(currentRow(), field);
}

std::int32_t Table::integer(int field) const {
    if (m_fields.at(field).kind == FieldKind::Lookup)
        return value(field).integer;
    if (pending())
        return m_buffer.nulls[field] ? 0 : static_cast<std::int32_t>(m_buffer.numbers[field]);
    const std::uint8_t* row = currentRow();
    return m_layout.isNull(row, field) ? 0 : m_layout.integer(row, field);
}

DateTime Table::dateTime(int field) const {
    if (m_fields.at(field).kind == FieldKind::Lookup)
        return value(field).dateTime;
    if (pending())
        return m_buffer.nulls[field] ? 0 : millisecondsToDateTime(m_buffer.numbers[field]);
    const std::uint8_t* row = currentRow();
    return m_layout.isNull(row, field) ? 0 : m_layout.dateTime(row, field);
}

std::string_view Table::text(int field) const {
    if (m_fields.at(field).kind == FieldKind::Lookup)
        throw StoreError(fillIn(storetexts::kFieldReadOnly, {m_fields[field].name}));
    if (pending())
        return m_buffer.nulls[field] ? std::string_view() : std::string_view(m_buffer.texts[field]);
    const std::uint8_t* row = currentRow();
    return m_layout.isNull(row, field) ? std::string_view() : m_layout.text(row, field);
}

Value Table::value(int field) const {
    const FieldDef& def = m_fields.at(field);
    if (pending()) {
        const BufferReader reader(m_buffer);
        return def.kind == FieldKind::Lookup ? lookupValue(field, reader)
                                             : valueFrom(reader, def.type, field);
    }
    const RowReader reader(m_layout, currentRow());
    return def.kind == FieldKind::Lookup ? lookupValue(field, reader) : valueFrom(reader, def.type, field);
}

Value Table::valueAt(int viewPosition, int field) const {
    requireOpen();
    if (viewPosition < 0 || viewPosition >= recordCount())
        throw StoreError(fillIn(storetexts::kNoCurrentRecord, {m_name}));
    const FieldDef& def = m_fields.at(field);
    const RowReader reader = readerAt(viewPosition);
    return def.kind == FieldKind::Lookup ? lookupValue(field, reader) : valueFrom(reader, def.type, field);
}

void Table::setNull(int field) {
    requireEditing();
    if (m_fields.at(field).kind == FieldKind::Lookup) {
        setNull(requireField(m_fields[field].keyField));
        return;
    }
    m_buffer.nulls[field] = 1;
    m_buffer.numbers[field] = 0;
    m_buffer.texts[field].clear();
    m_bufferChanged = true;
}

void Table::setInteger(int field, std::int32_t v) {
    requireEditing();
    const FieldDef& def = m_fields.at(field);
    if (def.kind == FieldKind::Lookup || !def.isIntegral()) {
        setValue(field, Value::ofInteger(v));
        return;
    }
    m_buffer.nulls[field] = 0;
    m_buffer.numbers[field] = v;
    m_bufferChanged = true;
}

void Table::setDateTime(int field, DateTime v) {
    requireEditing();
    const FieldDef& def = m_fields.at(field);
    if (def.kind == FieldKind::Lookup || def.type != FieldType::DateTime) {
        setValue(field, Value::ofDateTime(v));
        return;
    }
    m_buffer.nulls[field] = 0;
    m_buffer.numbers[field] = dateTimeToMilliseconds(v);
    m_bufferChanged = true;
}

void Table::setText(int field, std::string_view v) {
    requireEditing();
    const FieldDef& def = m_fields.at(field);
    if (def.kind == FieldKind::Lookup) {
        if (!chooseLookup(field, v))
            throw StoreError(fillIn(storetexts::kLookupNotFound, {v, def.name}));
        return;
    }
    if (def.type != FieldType::Text) {
        setValue(field, Value::ofText(v));
        return;
    }
    m_buffer.nulls[field] = 0;
    m_buffer.texts[field].assign(storedText(v, def.size));
    m_bufferChanged = true;
}

void Table::setValue(int field, const Value& v) {
    requireEditing();
    const FieldDef& def = m_fields.at(field);
    if (v.isNull()) {
        setNull(field);
        return;
    }
    if (def.kind == FieldKind::Lookup) {
        const std::string text = v.kind == Value::Kind::Text ? v.text : std::to_string(v.integer);
        setText(field, text);
        return;
    }
    const auto bad = [&] {
        return StoreError(
            fillIn(storetexts::kBadValue, {v.kind == Value::Kind::Text ? v.text : "", def.name}));
    };
    switch (def.type) {
        case FieldType::Text:
            if (v.kind == Value::Kind::Text)
                setText(field, v.text);
            else if (v.kind == Value::Kind::Integer)
                setText(field, std::to_string(v.integer));
            else
                throw bad();
            return;
        case FieldType::DateTime:
            if (v.kind != Value::Kind::Date)
                throw bad();
            setDateTime(field, v.dateTime);
            return;
        case FieldType::Integer:
        case FieldType::AutoInc:
            if (v.kind == Value::Kind::Integer) {
                setInteger(field, v.integer);
                return;
            }
            if (v.kind == Value::Kind::Text) {
                // Typed digits, as an editor hands them over ("03").
                std::int64_t n = 0;
                std::string_view t = v.text;
                const bool negative = !t.empty() && t.front() == '-';
                if (negative)
                    t.remove_prefix(1);
                if (t.empty() || t.size() > 10)
                    throw bad();
                for (char c : t) {
                    if (c < '0' || c > '9')
                        throw bad();
                    n = n * 10 + (c - '0');
                }
                n = negative ? -n : n;
                if (n < std::numeric_limits<std::int32_t>::min() ||
                    n > std::numeric_limits<std::int32_t>::max())
                    throw bad();
                setInteger(field, static_cast<std::int32_t>(n));
                return;
            }
            throw bad();
    }
}

}  // namespace corvane
