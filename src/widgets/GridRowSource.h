#pragma once

#include <QObject>
#include <QString>

#include <algorithm>

namespace corvane {

// The rows a TnDBGrid shows. The grid asks only for the rows on screen, so a source may hold any
// number of rows; it must answer quickly for any row index below rowCount(). Emit changed()
// whenever rows, texts or the current row change.
class GridRowSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual int rowCount() const = 0;
    virtual QString cellText(int row, int column) const = 0;
    // -1 when there is no current row.
    virtual int currentRow() const = 0;
    virtual void setCurrentRow(int row) = 0;
    // A key that names a row through changes of the rows (rows removed before it, another
    // filter), growing with the row index. The grid keeps its selection by these keys. The
    // default, the row index itself, suits a source whose rows never move.
    virtual qint64 rowKey(int row) const { return row; }
    // The first row whose key is `key` or above; rowCount() when there is none.
    virtual int rowOfKey(qint64 key) const {
        return static_cast<int>(std::clamp<qint64>(key, 0, rowCount()));
    }

signals:
    void changed();
};

}  // namespace corvane
