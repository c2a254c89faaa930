#pragma once

#include <QObject>
#include <QString>

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

signals:
    void changed();
};

}  // namespace corvane
