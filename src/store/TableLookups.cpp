#include "store/Table.h"

#include <algorithm>
#include <limits>

#include "protocol/Placeholders.h"
#include "store/StoreTexts.h"
#include "store/TableDetail.h"

namespace corvane {

using tabledetail::equalsValue;
using tabledetail::valueFrom;

// Locate, lookup fields and the filtered view.

std::uint64_t Table::valueHash(FieldType type, std::string_view text, std::int32_t integer) {
    // Integers by their four bytes.
    if (type == FieldType::Text)
        return LocateIndex::hashOf(text);
    return LocateIndex::hashOf(std::string_view(reinterpret_cast<const char*>(&integer), sizeof integer));
}

int Table::viewPositionOf(std::size_t orderPosition) const {
    // Without a filter the view holds every record in order.
    if (!m_filtered && orderPosition < m_view.size() && m_view[orderPosition] == orderPosition)
        return static_cast<int>(orderPosition);
    const auto it = std::lower_bound(m_view.begin(), m_view.end(), static_cast<std::uint32_t>(orderPosition));
    return it != m_view.end() && *it == orderPosition ? static_cast<int>(it - m_view.begin()) : -1;
}

void Table::dropIndexes() {
    m_indexes.clear();
}

std::uint64_t Table::rowHash(const std::uint8_t* row, int field) const {
    const FieldType type = m_fields[field].type;
    return type == FieldType::Text ? valueHash(type, m_layout.text(row, field), 0)
                                   : valueHash(type, {}, m_layout.integer(row, field));
}

Table::LocateIndex& Table::indexFor(int field) {
    for (auto& index : m_indexes)
        if (index->field == field)
            return *index;
    auto index = std::make_unique<LocateIndex>();
    index->field = field;
    for (const RowPtr& r : m_rows)
        if (!m_layout.isNull(r.get(), field))
            index->add(rowHash(r.get(), field), keyOf(r.get()));
    m_indexes.push_back(std::move(index));
    return *m_indexes.back();
}

void Table::indexRow(const std::uint8_t* row) {
    for (auto& index : m_indexes)
        if (!m_layout.isNull(row, index->field))
            index->add(rowHash(row, index->field), keyOf(row));
}

std::size_t Table::firstWithKey(std::int64_t key) const {
    // Counter keys mostly run without gaps from the first record's, so the record with a key is
    // nearly always found where the gap-free run puts it, without a search.
    constexpr std::int64_t kNullKey = std::numeric_limits<std::int64_t>::min();
    if (!m_rows.empty() && key != kNullKey && keyOf(m_rows.front().get()) != kNullKey) {
        const std::int64_t guess = key - keyOf(m_rows.front().get());
        if (guess >= 0 && static_cast<std::uint64_t>(guess) < m_rows.size()) {
            const auto g = static_cast<std::size_t>(guess);
            if (keyOf(m_rows[g].get()) == key && (g == 0 || keyOf(m_rows[g - 1].get()) < key))
                return g;
        }
    }
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), key,
                                     [this](const RowPtr& r, std::int64_t k) { return keyOf(r.get()) < k; });
    return static_cast<std::size_t>(it - m_rows.begin());
}

bool Table::locateIndexed(int field, const Value& v, int& viewPosition) {
    const FieldDef& def = m_fields[field];
    if (def.kind != FieldKind::Data || m_keyField < 0)
        return false;
    const bool text = def.type == FieldType::Text && v.kind == Value::Kind::Text;
    const bool integral = def.isIntegral() && v.kind == Value::Kind::Integer;
    if (!text && !integral)
        return false;
    viewPosition = -1;
    // The first record in key order that holds the value and is in view.
    const auto consider = [&](std::int64_t key) {
        bool holds = false;
        auto it = m_rows.begin() + static_cast<std::ptrdiff_t>(firstWithKey(key));
        for (; it != m_rows.end() && keyOf(it->get()) == key; ++it) {
            const RowReader reader(m_layout, it->get());
            if (!tabledetail::equalsValue(reader, def.type, field, v))
                continue;
            holds = true;
            const int position = viewPositionOf(static_cast<std::size_t>(it - m_rows.begin()));
            if (position >= 0 && (viewPosition < 0 || position < viewPosition))
                viewPosition = position;
        }
        return holds;
    };
    if (field == m_keyField) {
        consider(v.integer);
        return true;
    }
    const std::uint64_t hash = valueHash(def.type, v.text, v.integer);
    indexFor(field).visit(hash, [&](std::int64_t key) {
        if (consider(key))
            return true;
        // Kept while a record of the key still holds another value of the same hash.
        auto it = m_rows.begin() + static_cast<std::ptrdiff_t>(firstWithKey(key));
        for (; it != m_rows.end() && keyOf(it->get()) == key; ++it)
            if (!m_layout.isNull(it->get(), field) && rowHash(it->get(), field) == hash)
                return true;
        return false;
    });
    return true;
}

bool Table::locate(int field, const Value& v) {
    requireOpen();
    if (pending())
        post();
    const FieldDef& def = m_fields.at(field);
    int found = -1;
    if (locateIndexed(field, v, found)) {
        if (found < 0)
            return false;
        m_cursor = found;
        m_bof = m_eof = false;
        scrolled();
        return true;
    }
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

int Table::lookupRowPosition(const Table& target, int keyField, std::int64_t key) const {
    if (!target.isOpen())
        return -1;
    if (keyField == target.m_keyField) {
        const auto it = std::lower_bound(
            target.m_rows.begin(), target.m_rows.end(), key,
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

Value Table::lookupValue(int field, const RecordReader& record) const {
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

std::vector<std::string> Table::lookupChoices(int field) const {
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

bool Table::chooseLookup(int field, std::string_view result) {
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

Table::FilterStatus Table::compileFilter() {
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

Table::FilterStatus Table::setFiltered(bool on) {
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

Table::FilterStatus Table::setFilterText(std::string text) {
    m_filterText = std::move(text);
    return m_filtered ? setFiltered(true) : FilterStatus{};
}

Table::FilterStatus Table::setCaseInsensitive(bool on) {
    m_caseInsensitive = on;
    return m_filtered ? setFiltered(true) : FilterStatus{};
}

void Table::setFilterCallback(RecordCallback callback) {
    m_callback = std::move(callback);
    if (m_filtered && isOpen()) {
        if (pending())
            post();
        rebuildView();
        scrolled();
    }
}

void Table::refresh() {
    requireOpen();
    if (pending())
        post();
    rebuildView();
    scrolled();
}

}  // namespace corvane
