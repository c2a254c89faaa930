#include "ui/MessageTableModel.h"

#include "store/Table.h"
#include "ui/MsgDialog.h"

#include <algorithm>
#include <exception>

namespace corvane {

MessageTableModel::MessageTableModel(Table& table, LocaleFormats formats, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_formats(std::move(formats)) {
    for (int f = 0; f < static_cast<int>(table.fields().size()); ++f)
        if (table.fields()[f].shown)
            m_columns.push_back(f);
    m_keyField = table.fieldIndex("Key");
    m_rows = table.isOpen() ? table.recordCount() : 0;
    remember();
}

int MessageTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int MessageTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

std::int64_t MessageTableModel::keyAt(int row) const {
    if (m_keyField < 0 || row < 0 || row >= m_table.recordCount())
        return -1;
    const Value v = m_table.valueAt(row, m_keyField);
    return v.kind == Value::Kind::Integer ? v.integer : -1;
}

void MessageTableModel::remember() {
    m_lastKey = m_rows > 0 ? keyAt(m_rows - 1) : -1;
}

QVariant MessageTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    // The view may ask before it has heard of a change that shrank the table.
    if (!m_table.isOpen() || index.row() >= m_table.recordCount())
        return {};
    const Value v = m_table.valueAt(index.row(), m_columns[index.column()]);
    switch (v.kind) {
        case Value::Kind::Null:
            return QString();
        case Value::Kind::Integer:
            return QString::number(v.integer);
        case Value::Kind::Date:
            return QString::fromStdString(m_formats.formatDateTime(v.dateTime));
        case Value::Kind::Text:
            return textFromCore(v.text);
    }
    return {};
}

bool MessageTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !m_table.isOpen() || index.row() >= m_table.recordCount())
        return false;
    const int field = m_columns[index.column()];
    const FieldDef& def = m_table.fields()[field];
    const QString text = value.toString();
    const std::string bytes = text.toStdString();
    try {
        Value v;
        if (text.trimmed().isEmpty() && !def.isTextual()) {
            v = Value::null();
        } else if (def.isIntegral()) {
            bool ok = false;
            const int n = text.trimmed().toInt(&ok);
            if (!ok)
                throw StoreError("'" + bytes + "' is not a valid integer value");
            v = Value::ofInteger(n);
        } else if (def.type == FieldType::DateTime) {
            const auto when = m_formats.parseDateTime(bytes);
            if (!when)
                throw StoreError("'" + bytes + "' is not a valid date and time");
            v = Value::ofDateTime(*when);
        } else {
            v = Value::ofText(bytes);
        }
        if (m_table.currentPosition() != index.row())
            m_table.moveTo(index.row());
        m_table.edit();
        m_table.setValue(field, v);
        m_table.post();
    } catch (const std::exception& e) {
        if (m_table.state() == Table::State::Edit || m_table.state() == Table::State::Insert)
            m_table.cancel();
        if (error)
            error(e.what());
        return false;
    }
    refresh();
    emit dataChanged(index, index);
    return true;
}

QVariant MessageTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= static_cast<int>(m_columns.size()))
            return {};
        return QString::fromStdString(m_table.fields()[m_columns[section]].name);
    }
    // The row indicator marks the current record.
    return m_table.isOpen() && m_table.recNo() > 0 && m_table.currentPosition() == section
               ? QStringLiteral("\u25B6")
               : QString();
}

Qt::ItemFlags MessageTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!m_table.fields()[m_columns[index.column()]].readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

void MessageTableModel::refresh() {
    const int n = m_table.isOpen() ? m_table.recordCount() : 0;
    const bool sameStart = m_rows == 0 || (m_rows <= n && keyAt(m_rows - 1) == m_lastKey);
    if (n > m_rows && sameStart) {
        beginInsertRows({}, m_rows, n - 1);
        m_rows = n;
        endInsertRows();
    } else if (n == m_rows && sameStart) {
        if (n > 0)
            emit dataChanged(index(0, 0), index(n - 1, columnCount() - 1));
    } else {
        beginResetModel();
        m_rows = n;
        endResetModel();
    }
    remember();
    // Only the rows whose indicator changes are announced: a header walks every section named.
    const int current = m_table.isOpen() && m_table.recNo() > 0 ? m_table.currentPosition() : -1;
    for (const int row : {m_indicatorRow, current})
        if (row >= 0 && row < m_rows)
            emit headerDataChanged(Qt::Vertical, row, row);
    m_indicatorRow = current;
}

int MessageTableModel::deleteRows(std::vector<int> rows) {
    if (!m_table.isOpen())
        return 0;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [this](int r) { return r < 0 || r >= m_table.recordCount(); });
    if (rows.empty())
        return 0;
    int deleted = 0;
    try {
        if (static_cast<int>(rows.size()) == m_table.recordCount()) {
            deleted = m_table.recordCount();
            m_table.deleteAllInView();
        } else {
            // From the highest position down, so the lower positions stay where they were.
            for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
                m_table.moveTo(*it);
                m_table.deleteRecord();
                ++deleted;
            }
        }
    } catch (const std::exception& e) {
        if (error)
            error(e.what());
    }
    refresh();
    return deleted;
}

}  // namespace corvane
