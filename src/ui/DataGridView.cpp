#include "ui/DataGridView.h"

#include "store/Table.h"
#include "ui/MessageGrid.h"
#include "ui/MessageTableModel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QShortcut>

#include <algorithm>
#include <vector>

namespace corvane {

DataGridView::DataGridView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    // Fixed row heights: the view never measures rows it does not show.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(14);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &DataGridView::deleteSelected);
}

void DataGridView::setMessageModel(MessageTableModel* model) {
    m_model = model;
    setModel(model);
    if (!model)
        return;
    const auto& fields = model->table().fields();
    const int charWidth = fontMetrics().averageCharWidth();
    // A date and time in digits is wider than its count of average characters: those columns
    // are at least wide enough to show one whole.
    const int dateTimeWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) + 12;
    for (int c = 0; c < model->columnCount(); ++c) {
        const FieldDef& f = fields[model->fieldOf(c)];
        int width = f.displayWidth > 0 ? f.displayWidth * charWidth + 8 : columnWidth(c);
        if (f.type == FieldType::DateTime)
            width = std::max(width, dateTimeWidth);
        setColumnWidth(c, width);
    }
    followCursor();
}

void DataGridView::refresh() {
    if (!m_model)
        return;
    // Behind another page of a shown window, catching up waits until the grid is shown: with
    // a million records every catch-up costs the header a walk over all its rows.
    if (window()->isVisible() && !isVisible()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    m_model->refresh();
    followCursor();
}

void DataGridView::showEvent(QShowEvent* event) {
    if (m_stale)
        refresh();
    QTableView::showEvent(event);
}

void DataGridView::followCursor() {
    if (!m_model || state() == QAbstractItemView::EditingState)
        return;
    Table& t = m_model->table();
    if (!t.isOpen() || t.recNo() <= 0)
        return;
    const int row = t.currentPosition();
    if (currentIndex().isValid() && currentIndex().row() == row)
        return;
    m_following = true;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    // The operator's selection stays; only the current row moves.
    selectionModel()->setCurrentIndex(m_model->index(row, column), QItemSelectionModel::NoUpdate);
    m_following = false;
}

void DataGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (m_following || !m_model || !current.isValid())
        return;
    Table& t = m_model->table();
    if (t.isOpen() && current.row() < t.recordCount() && t.currentPosition() != current.row())
        t.moveTo(current.row());
}

void DataGridView::deleteSelected() {
    if (!m_model)
        return;
    std::vector<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows()) rows.push_back(i.row());
    if (rows.empty() && currentIndex().isValid())
        rows.push_back(currentIndex().row());
    if (rows.empty())
        return;
    const QString question =
        rows.size() > 1 ? QCoreApplication::translate("corvane::MessageGrid", "Delete all selected records?")
                        : QCoreApplication::translate("corvane::MessageGrid", "Delete record?");
    if (!(confirm ? confirm(question) : confirmDeletion(this, question)))
        return;
    clearSelection();
    m_model->deleteRows(std::move(rows));
    followCursor();
}

}  // namespace corvane
