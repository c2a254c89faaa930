#include "ui/MessageRows.h"

#include "store/Table.h"
#include "store/Value.h"
#include "ui/MsgDialog.h"

namespace corvane {

TableRows::TableRows(Table& table, LocaleFormats formats, QObject* parent)
    : GridRowSource(parent), m_table(table), m_formats(std::move(formats)) {}

int TableRows::rowCount() const {
    return m_table.isOpen() ? m_table.recordCount() : 0;
}

QString TableRows::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= static_cast<int>(m_table.fields().size()))
        return {};
    return displayText(m_table, row, column, m_formats);
}

int TableRows::currentRow() const {
    return m_table.isOpen() && m_table.recNo() > 0 ? m_table.currentPosition() : -1;
}

void TableRows::setCurrentRow(int row) {
    if (row >= 0 && row < rowCount() && row != currentRow())
        m_table.moveTo(row);
    emit changed();
}

qint64 TableRows::rowKey(int row) const {
    const int keyField = m_table.isOpen() ? m_table.fieldIndex("Key") : -1;
    if (keyField < 0 || row < 0 || row >= rowCount())
        return GridRowSource::rowKey(row);
    return m_table.valueAt(row, keyField).integer;
}

int TableRows::rowOfKey(qint64 key) const {
    const int keyField = m_table.isOpen() ? m_table.fieldIndex("Key") : -1;
    if (keyField < 0)
        return GridRowSource::rowOfKey(key);
    int low = 0;
    int high = rowCount();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (m_table.valueAt(mid, keyField).integer < key)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

QString displayText(const Table& table, int row, int field, const LocaleFormats& formats) {
    return displayValue(table.valueAt(row, field), formats);
}

QString displayValue(const Value& v, const LocaleFormats& formats) {
    switch (v.kind) {
        case Value::Kind::Null:
            return {};
        case Value::Kind::Integer:
            return QString::number(v.integer);
        case Value::Kind::Date:
            return QString::fromStdString(formats.formatDateTime(v.dateTime));
        case Value::Kind::Text:
            return textFromCore(std::string(v.text));
    }
    return {};
}

}  // namespace corvane
