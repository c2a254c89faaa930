#pragma once

#include "filter/LocaleFormats.h"
#include "widgets/GridRowSource.h"

#include <vector>

namespace corvane {

class Table;
struct Value;

// The rows of a table's current view for a grid: row i is view position i, source column f the
// display text of field f (dates in the user's short date and long time formats, nothing for
// a null value). The current row is the table's cursor.
class TableRows : public GridRowSource {
    Q_OBJECT
public:
    TableRows(Table& table, LocaleFormats formats, QObject* parent = nullptr);

    int rowCount() const override;
    QString cellText(int row, int column) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    // The record's key: the view is in key order. Without a Key field, the view position.
    qint64 rowKey(int row) const override;
    int rowOfKey(qint64 key) const override;

    // Tells the grids that rows, texts or the current row changed.
    void notifyChanged() { emit changed(); }

    Table& table() { return m_table; }

private:
    Table& m_table;
    LocaleFormats m_formats;
};

// The display text of a field value: dates as the user's short date and long time, nothing for null.
QString displayValue(const Value& value, const LocaleFormats& formats);
// The display text of field `field` of view position `row`.
QString displayText(const Table& table, int row, int field, const LocaleFormats& formats);

}  // namespace corvane
