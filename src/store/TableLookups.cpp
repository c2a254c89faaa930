#include "store/Table.h"

#include <algorithm>

#include "protocol/Placeholders.h"
#include "store/StoreTexts.h"
#include "store/TableDetail.h"

namespace corvane {

using tabledetail::equalsValue;
using tabledetail::valueFrom;

// Locate, lookup fields and the filtered view.

bool Table::locate(int field, const Value& v) {
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
