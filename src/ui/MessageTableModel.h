#pragma once

#include "filter/LocaleFormats.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

class Table;

// A table's current view as an editable item model: row i is view position i, the columns are
// the table's shown fields in field order. Only the rows a view asks for are read, so a view of
// a million records costs nothing up front. Edits go into the table as a posted change and reach
// the file with the table's next save; a value the table refuses goes to `error`.
class MessageTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    MessageTableModel(Table& table, LocaleFormats formats, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    Table& table() { return m_table; }
    // The table field shown in a column.
    int fieldOf(int column) const { return m_columns.at(column); }

    // Catches up with the table: records added at the end of an unchanged view become one row
    // insertion, anything else (a filter change, deletions) a reset.
    void refresh();

    // Deletes the records at these view rows; answers how many were deleted.
    int deleteRows(std::vector<int> rows);

    // A refused edit or deletion: the table's own error text.
    std::function<void(const std::string& text)> error;

private:
    std::int64_t keyAt(int row) const;
    void remember();

    Table& m_table;
    LocaleFormats m_formats;
    std::vector<int> m_columns;
    int m_keyField = -1;
    int m_rows = 0;
    std::int64_t m_lastKey = 0;
    int m_indicatorRow = -1;
};

}  // namespace corvane
