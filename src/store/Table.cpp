#include "store/Table.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "store/Format.h"
#include "store/StoreTexts.h"

namespace corvane {

struct Table::LogEntry {
    enum class Kind : unsigned char { Inserted, Modified, Deleted };
    Kind kind;
    std::uint32_t rowId;
    RowPtr row;  // the record before a change or delete
};

namespace {

Value valueFrom(const RecordReader& r, FieldType type, int field)
{
    if (r.isNull(field))
        return Value::null();
    switch (type) {
    case FieldType::DateTime: return Value::ofDateTime(r.dateTime(field));
    case FieldType::Text: return Value::ofText(r.text(field));
    case FieldType::Integer:
    case FieldType::AutoInc: break;
    }
    return Value::ofInteger(r.integer(field));
}

bool equalsValue(const RecordReader& r, FieldType type, int field, const Value& v)
{
    if (r.isNull(field))
        return v.isNull();
    switch (type) {
    case FieldType::DateTime:
        return v.kind == Value::Kind::Date &&
               dateTimeToMilliseconds(r.dateTime(field)) == dateTimeToMilliseconds(v.dateTime);
    case FieldType::Text: return v.kind == Value::Kind::Text && r.text(field) == v.text;
    case FieldType::Integer:
    case FieldType::AutoInc: break;
    }
    return v.kind == Value::Kind::Integer && r.integer(field) == v.integer;
}

}  // namespace

Table::Table(std::string name, std::vector<FieldDef> fields) : m_name(std::move(name))
{
    setFields(std::move(fields));
}

Table::~Table() = default;

void Table::setFields(std::vector<FieldDef> fields)
{
    close();
    m_fields = std::move(fields);
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

void Table::addLookupField(FieldDef field)
{
    if (pending())
        post();
    field.kind = FieldKind::Lookup;
    m_fields.push_back(std::move(field));
    m_layout = RowLayout(m_fields);  // lookups take no slot, so stored rows keep their shape
    m_buffer.reset(m_fields.size());
}

void Table::setDisplay(const std::vector<FieldDef>& fields)
{
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

int Table::fieldIndex(std::string_view name) const
{
    // The last field of a name wins: a lookup added later shadows a stored field of its name.
    for (std::size_t i = m_fields.size(); i-- > 0;)
        if (m_fields[i].name == name)
            return static_cast<int>(i);
    return -1;
}

int Table::requireField(std::string_view name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw StoreError(formatText(storetexts::kFieldNotFound, {name}));
    return i;
}

void Table::resetRows()
{
    m_rows.clear();
    m_view.clear();
    m_log.clear();
    m_nextRowId = 1;
    m_cursor = -1;
    m_bof = m_eof = true;
    m_bufferChanged = false;
    m_editPosition = -1;
}

void Table::open()
{
    if (isOpen())
        return;
    m_state = State::Browse;
    m_buffer.reset(m_fields.size());
    rebuildView();
    if (afterOpen)
        afterOpen(*this);
    scrolled();
}

void Table::close()
{
    m_state = State::Inactive;
    resetRows();
    m_autoInc = 1;
}

void Table::load(TableContents contents)
{
    setFields(std::move(contents.fields));
    m_rows = std::move(contents.rows);
    std::uint32_t maxId = 0;
    for (const auto& r : m_rows)
        maxId = std::max(maxId, RowLayout::rowId(r.get()));
    m_nextRowId = maxId + 1;
    const auto byKey = [this](const RowPtr& a, const RowPtr& b) { return keyOf(a.get()) < keyOf(b.get()); };
    if (!std::is_sorted(m_rows.begin(), m_rows.end(), byKey))
        std::stable_sort(m_rows.begin(), m_rows.end(), byKey);
    m_autoInc = contents.autoIncValue;
    m_state = State::Inactive;
    open();
}

void Table::requireOpen() const
{
    if (!isOpen())
        throw StoreError(formatText(storetexts::kTableNotOpen, {m_name}));
}

void Table::requireEditing() const
{
    if (!pending())
        throw StoreError(formatText(storetexts::kNotEditing, {m_name}));
}

void Table::requireCurrent() const
{
    requireOpen();
    if (m_cursor < 0 || m_cursor >= recordCount())
        throw StoreError(formatText(storetexts::kNoCurrentRecord, {m_name}));
}

std::int64_t Table::keyOf(const std::uint8_t* row) const
{
    if (m_keyField < 0)
        return 0;
    if (m_layout.isNull(row, m_keyField))
        return std::numeric_limits<std::int64_t>::min();
    return m_layout.integer(row, m_keyField);
}

std::size_t Table::orderPositionFor(std::int64_t key) const
{
    // Keys grow with arrival, so nearly every record goes to the end.
    if (m_rows.empty() || key >= keyOf(m_rows.back().get()))
        return m_rows.size();
    const auto it = std::upper_bound(m_rows.begin(), m_rows.end(), key,
                                     [this](std::int64_t k, const RowPtr& r) { return k < keyOf(r.get()); });
    return static_cast<std::size_t>(it - m_rows.begin());
}

bool Table::passes(const std::uint8_t* row) const
{
    if (!m_filtered)
        return true;
    const RowReader reader(m_layout, row);
    if (m_filter && !m_filter->matches(reader))
        return false;
    return !m_callback || m_callback(reader);
}

void Table::rebuildView(int keepOrderPosition)
{
    m_view.clear();
    if (!m_filtered) {
        m_view.resize(m_rows.size());
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            m_view[i] = static_cast<std::uint32_t>(i);
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
    const auto it = std::lower_bound(m_view.begin(), m_view.end(), static_cast<std::uint32_t>(keepOrderPosition));
    m_cursor = std::min(static_cast<int>(it - m_view.begin()), recordCount() - 1);
    m_bof = m_eof = false;
}

void Table::scrolled()
{
    if (afterScroll)
        afterScroll(*this);
}

int Table::recNo() const
{
    if (m_state == State::Insert)
        return recordCount() + 1;
    return m_cursor < 0 ? 0 : m_cursor + 1;
}

void Table::first()
{
    requireOpen();
    if (pending())
        post();
    m_cursor = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    scrolled();
}

void Table::last()
{
    requireOpen();
    if (pending())
        post();
    m_cursor = recordCount() - 1;
    m_eof = true;
    m_bof = m_view.empty();
    scrolled();
}

void Table::next()
{
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

void Table::prior()
{
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

void Table::moveTo(int viewPosition)
{
    requireOpen();
    if (pending())
        post();
    if (viewPosition < 0 || viewPosition >= recordCount())
        throw StoreError(formatText(storetexts::kNoCurrentRecord, {m_name}));
    m_cursor = viewPosition;
    m_bof = m_eof = false;
    scrolled();
}

const std::uint8_t* Table::currentRow() const
{
    requireCurrent();
    return m_rows[m_view[m_cursor]].get();
}

bool Table::isNull(int field) const
{
    if (m_fields.at(field).kind == FieldKind::Lookup)
        return value(field).isNull();
    if (pending())
        return m_buffer.nulls[field] != 0;
    return m_layout.isNull(currentRow(), field);
}

std::int32_t Table::integer(int field) const
{
    if (m_fields.at(field).kind == FieldKind::Lookup)
        return value(field).integer;
    if (pending())
        return m_buffer.nulls[field] ? 0 : static_cast<std::int32_t>(m_buffer.numbers[field]);
    const std::uint8_t* row = currentRow();
    return m_layout.isNull(row, field) ? 0 : m_layout.integer(row, field);
}

DateTime Table::dateTime(int field) const
{
    if (m_fields.at(field).kind == FieldKind::Lookup)
        return value(field).dateTime;
    if (pending())
        return m_buffer.nulls[field] ? 0 : millisecondsToDateTime(m_buffer.numbers[field]);
    const std::uint8_t* row = currentRow();
    return m_layout.isNull(row, field) ? 0 : m_layout.dateTime(row, field);
}

std::string_view Table::text(int field) const
{
    if (m_fields.at(field).kind == FieldKind::Lookup)
        throw StoreError(formatText(storetexts::kFieldReadOnly, {m_fields[field].name}));
    if (pending())
        return m_buffer.nulls[field] ? std::string_view() : std::string_view(m_buffer.texts[field]);
    const std::uint8_t* row = currentRow();
    return m_layout.isNull(row, field) ? std::string_view() : m_layout.text(row, field);
}

Value Table::value(int field) const
{
    const FieldDef& def = m_fields.at(field);
    if (pending()) {
        const BufferReader reader(m_buffer);
        return def.kind == FieldKind::Lookup ? lookupValue(field, reader) : valueFrom(reader, def.type, field);
    }
    const RowReader reader(m_layout, currentRow());
    return def.kind == FieldKind::Lookup ? lookupValue(field, reader) : valueFrom(reader, def.type, field);
}

Value Table::valueAt(int viewPosition, int field) const
{
    requireOpen();
    if (viewPosition < 0 || viewPosition >= recordCount())
        throw StoreError(formatText(storetexts::kNoCurrentRecord, {m_name}));
    const FieldDef& def = m_fields.at(field);
    const RowReader reader = readerAt(viewPosition);
    return def.kind == FieldKind::Lookup ? lookupValue(field, reader) : valueFrom(reader, def.type, field);
}

void Table::setNull(int field)
{
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

void Table::setInteger(int field, std::int32_t v)
{
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

void Table::setDateTime(int field, DateTime v)
{
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

void Table::setText(int field, std::string_view v)
{
    requireEditing();
    const FieldDef& def = m_fields.at(field);
    if (def.kind == FieldKind::Lookup) {
        if (!chooseLookup(field, v))
            throw StoreError(formatText(storetexts::kLookupNotFound, {v, def.name}));
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

void Table::setValue(int field, const Value& v)
{
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
        return StoreError(formatText(storetexts::kBadValue, {v.kind == Value::Kind::Text ? v.text : "", def.name}));
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
            if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
                throw bad();
            setInteger(field, static_cast<std::int32_t>(n));
            return;
        }
        throw bad();
    }
}

void Table::append()
{
    requireOpen();
    if (pending())
        post();
    m_buffer.reset(m_fields.size());
    m_state = State::Insert;
    m_editPosition = -1;
    if (onNewRecord)
        onNewRecord(*this);
    m_bufferChanged = false;
    scrolled();
}

void Table::edit()
{
    requireOpen();
    if (pending())
        return;
    if (m_view.empty()) {
        append();
        return;
    }
    requireCurrent();
    m_editPosition = static_cast<int>(m_view[m_cursor]);
    m_layout.decode(m_rows[m_editPosition].get(), m_buffer);
    m_state = State::Edit;
    m_bufferChanged = false;
}

void Table::post()
{
    if (!pending())
        return;
    if (m_state == State::Insert) {
        if (m_autoIncField >= 0) {
            m_buffer.nulls[m_autoIncField] = 0;
            m_buffer.numbers[m_autoIncField] = m_autoInc;
            if (m_autoInc < std::numeric_limits<std::int32_t>::max())
                ++m_autoInc;
        }
        const std::uint32_t id = m_nextRowId++;
        RowPtr row = m_layout.encode(m_buffer, id);
        const std::size_t pos = orderPositionFor(keyOf(row.get()));
        const bool visible = passes(row.get());
        if (pos == m_rows.size()) {
            m_rows.push_back(std::move(row));
            if (visible) {
                m_view.push_back(static_cast<std::uint32_t>(pos));
                m_cursor = recordCount() - 1;
            }
        } else {
            m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(pos), std::move(row));
            for (auto& v : m_view)
                if (v >= pos)
                    ++v;
            if (visible) {
                const auto it = std::lower_bound(m_view.begin(), m_view.end(), static_cast<std::uint32_t>(pos));
                m_cursor = static_cast<int>(it - m_view.begin());
                m_view.insert(it, static_cast<std::uint32_t>(pos));
            }
        }
        if (m_cursor >= recordCount())
            m_cursor = recordCount() - 1;
        m_bof = m_eof = m_view.empty();
        m_log.push_back({LogEntry::Kind::Inserted, id, nullptr});
        m_state = State::Browse;
        m_bufferChanged = false;
        if (afterPost)
            afterPost(*this);
        scrolled();
        return;
    }

    m_state = State::Browse;
    const int editPos = m_editPosition;
    m_editPosition = -1;
    if (!m_bufferChanged || editPos < 0) {
        if (afterPost)
            afterPost(*this);
        return;
    }
    m_bufferChanged = false;
    const std::uint32_t id = RowLayout::rowId(m_rows[editPos].get());
    RowPtr row = m_layout.encode(m_buffer, id);
    const bool sameKey = keyOf(row.get()) == keyOf(m_rows[editPos].get());
    m_log.push_back({LogEntry::Kind::Modified, id, std::move(m_rows[editPos])});
    if (sameKey) {
        m_rows[editPos] = std::move(row);
        if (m_filtered && !passes(m_rows[editPos].get())) {
            const auto it = std::lower_bound(m_view.begin(), m_view.end(), static_cast<std::uint32_t>(editPos));
            if (it != m_view.end() && *it == static_cast<std::uint32_t>(editPos))
                m_view.erase(it);
            if (m_cursor >= recordCount())
                m_cursor = recordCount() - 1;
            m_bof = m_eof = m_view.empty();
        }
    } else {
        m_rows.erase(m_rows.begin() + editPos);
        const std::size_t pos = orderPositionFor(keyOf(row.get()));
        m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(pos), std::move(row));
        rebuildView(static_cast<int>(pos));
    }
    if (afterPost)
        afterPost(*this);
    scrolled();
}

void Table::cancel()
{
    if (!pending())
        return;
    const bool wasInsert = m_state == State::Insert;
    m_state = State::Browse;
    m_bufferChanged = false;
    m_editPosition = -1;
    if (wasInsert)
        scrolled();
}

void Table::deleteRecord()
{
    requireOpen();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    requireCurrent();
    const std::uint32_t pos = m_view[m_cursor];
    m_log.push_back({LogEntry::Kind::Deleted, RowLayout::rowId(m_rows[pos].get()), std::move(m_rows[pos])});
    m_rows.erase(m_rows.begin() + pos);
    m_view.erase(m_view.begin() + m_cursor);
    for (std::size_t i = static_cast<std::size_t>(m_cursor); i < m_view.size(); ++i)
        --m_view[i];
    if (m_cursor >= recordCount())
        m_cursor = recordCount() - 1;
    m_bof = m_eof = m_view.empty();
    scrolled();
}

void Table::deleteAllInView()
{
    requireOpen();
    // Going through the view posts a pending record first, so it is deleted with the others.
    post();
    if (m_view.empty())
        return;
    std::vector<unsigned char> doomed(m_rows.size(), 0);
    for (std::uint32_t v : m_view)
        doomed[v] = 1;
    m_log.reserve(m_log.size() + m_view.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (doomed[i]) {
            const std::uint32_t id = RowLayout::rowId(m_rows[i].get());
            m_log.push_back({LogEntry::Kind::Deleted, id, std::move(m_rows[i])});
        } else {
            if (kept != i)
                m_rows[kept] = std::move(m_rows[i]);
            ++kept;
        }
    }
    m_rows.resize(kept);
    // Every record that was in view is gone; the others were outside it.
    m_view.clear();
    m_cursor = -1;
    m_bof = m_eof = true;
    scrolled();
}

bool Table::hasUnsavedChanges() const
{
    return (pending() && m_bufferChanged) || !m_log.empty();
}

void Table::discardChanges()
{
    cancel();
    if (m_log.empty())
        return;
    std::unordered_map<std::uint32_t, RowPtr> live;
    live.reserve(m_rows.size() + m_log.size());
    for (auto& r : m_rows)
        live.emplace(RowLayout::rowId(r.get()), std::move(r));
    for (auto it = m_log.rbegin(); it != m_log.rend(); ++it) {
        switch (it->kind) {
        case LogEntry::Kind::Inserted: live.erase(it->rowId); break;
        case LogEntry::Kind::Modified:
        case LogEntry::Kind::Deleted: live[it->rowId] = std::move(it->row); break;
        }
    }
    m_log.clear();
    m_rows.clear();
    m_rows.reserve(live.size());
    for (auto& [id, row] : live)
        m_rows.push_back(std::move(row));
    std::sort(m_rows.begin(), m_rows.end(), [this](const RowPtr& a, const RowPtr& b) {
        const auto ka = keyOf(a.get());
        const auto kb = keyOf(b.get());
        return ka != kb ? ka < kb : RowLayout::rowId(a.get()) < RowLayout::rowId(b.get());
    });
    rebuildView();
    scrolled();
}

void Table::mergeChangeLog()
{
    m_log.clear();
    m_log.shrink_to_fit();
}

bool Table::locate(int field, const Value& v)
{
    requireOpen();
    if (pending())
        post();
    const FieldDef& def = m_fields.at(field);
    for (std::size_t i = 0; i < m_view.size(); ++i) {
        const RowReader reader = readerAt(static_cast<int>(i));
        const bool hit = def.kind == FieldKind::Lookup ? lookupValue(field, reader) == v
                                                       : equalsValue(reader, def.type, field, v);
        if (hit) {
            m_cursor = static_cast<int>(i);
            m_bof = m_eof = false;
            scrolled();
            return true;
        }
    }
    return false;
}

int Table::lookupRowPosition(const Table& target, int keyField, std::int64_t key) const
{
    if (!target.isOpen())
        return -1;
    if (keyField == target.m_keyField) {
        const auto it = std::lower_bound(target.m_rows.begin(), target.m_rows.end(), key,
                                         [&target](const RowPtr& r, std::int64_t k) { return target.keyOf(r.get()) < k; });
        if (it != target.m_rows.end() && target.keyOf(it->get()) == key)
            return static_cast<int>(it - target.m_rows.begin());
        return -1;
    }
    for (std::size_t i = 0; i < target.m_rows.size(); ++i) {
        const std::uint8_t* r = target.m_rows[i].get();
        if (!target.m_layout.isNull(r, keyField) && target.m_layout.integer(r, keyField) == key)
            return static_cast<int>(i);
    }
    return -1;
}

Value Table::lookupValue(int field, const RecordReader& record) const
{
    const FieldDef& def = m_fields[field];
    const Table* target = m_lookupResolver ? m_lookupResolver(def.lookupTable) : nullptr;
    const int keyField = fieldIndex(def.keyField);
    if (!target || keyField < 0 || m_fields[keyField].kind != FieldKind::Data || record.isNull(keyField))
        return Value::null();
    const int targetKey = target->fieldIndex(def.lookupKeyField);
    const int targetResult = target->fieldIndex(def.resultField);
    if (targetKey < 0 || targetResult < 0 || !target->m_fields[targetKey].isIntegral() ||
        target->m_fields[targetResult].kind != FieldKind::Data)
        return Value::null();
    const int pos = lookupRowPosition(*target, targetKey, record.integer(keyField));
    if (pos < 0)
        return Value::null();
    const RowReader reader = target->readerOfRecord(pos);
    return valueFrom(reader, target->m_fields[targetResult].type, targetResult);
}

std::vector<std::string> Table::lookupChoices(int field) const
{
    std::vector<std::string> out;
    const FieldDef& def = m_fields.at(field);
    const Table* target = m_lookupResolver ? m_lookupResolver(def.lookupTable) : nullptr;
    if (!target || !target->isOpen())
        return out;
    const int result = target->fieldIndex(def.resultField);
    if (result < 0 || target->m_fields[result].type != FieldType::Text)
        return out;
    for (std::size_t i = 0; i < target->m_rows.size(); ++i) {
        const RowReader r = target->readerOfRecord(static_cast<int>(i));
        out.emplace_back(r.isNull(result) ? std::string_view() : r.text(result));
    }
    return out;
}

bool Table::chooseLookup(int field, std::string_view result)
{
    requireEditing();
    const FieldDef& def = m_fields.at(field);
    const Table* target = m_lookupResolver ? m_lookupResolver(def.lookupTable) : nullptr;
    const int keyField = fieldIndex(def.keyField);
    if (!target || !target->isOpen() || keyField < 0)
        return false;
    const int targetKey = target->fieldIndex(def.lookupKeyField);
    const int targetResult = target->fieldIndex(def.resultField);
    if (targetKey < 0 || targetResult < 0 || target->m_fields[targetResult].type != FieldType::Text)
        return false;
    for (std::size_t i = 0; i < target->m_rows.size(); ++i) {
        const RowReader r = target->readerOfRecord(static_cast<int>(i));
        if (!r.isNull(targetResult) && r.text(targetResult) == result) {
            if (r.isNull(targetKey))
                setNull(keyField);
            else
                setInteger(keyField, r.integer(targetKey));
            return true;
        }
    }
    return false;
}

Table::FilterStatus Table::compileFilter()
{
    m_filter.reset();
    if (m_filterText.empty())
        return {};
    if (!m_compiler)
        return {false, storetexts::kNoFilterCompiler, 0};
    FilterCompileResult r = m_compiler->compile(m_filterText, m_fields, m_caseInsensitive);
    if (!r.ok())
        return {false, r.error, r.errorPosition};
    m_filter = std::move(r.filter);
    return {};
}

Table::FilterStatus Table::setFiltered(bool on)
{
    if (pending())
        post();
    FilterStatus status;
    if (on) {
        status = compileFilter();
        on = status.ok;
    } else {
        m_filter.reset();
    }
    m_filtered = on;
    if (isOpen()) {
        rebuildView();
        scrolled();
    }
    return status;
}

Table::FilterStatus Table::setFilterText(std::string text)
{
    m_filterText = std::move(text);
    return m_filtered ? setFiltered(true) : FilterStatus{};
}

Table::FilterStatus Table::setCaseInsensitive(bool on)
{
    m_caseInsensitive = on;
    return m_filtered ? setFiltered(true) : FilterStatus{};
}

void Table::setFilterCallback(RecordCallback callback)
{
    m_callback = std::move(callback);
    if (m_filtered && isOpen()) {
        if (pending())
            post();
        rebuildView();
        scrolled();
    }
}

void Table::refresh()
{
    requireOpen();
    if (pending())
        post();
    rebuildView();
    scrolled();
}

}  // namespace corvane
