#include "ui/SettingsDialogLookup.h"

#include "store/Table.h"
#include "ui/UiTexts.h"
#include "ui/MsgDialog.h"
#include "ui/SettingsDialog.h"
#include "ui/SettingsDialogTexts.h"
#include "ui/Translation.h"
#include "widgets/Painting.h"
#include "widgets/TImageList.h"
#include "widgets/TnPageControl.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>

namespace corvane {

LookupRows::LookupRows(Table& table, QObject* parent) : GridRowSource(parent), m_table(table) {}

int LookupRows::rowCount() const {
    return m_table.isOpen() ? m_table.recordCount() : 0;
}

QString LookupRows::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= static_cast<int>(m_table.fields().size()))
        return {};
    const Value v = m_table.valueAt(row, column);
    switch (v.kind) {
        case Value::Kind::Integer:
            return QString::number(v.integer);
        case Value::Kind::Text:
            return textFromCore(v.text);
        case Value::Kind::Date:
            return QString::number(v.dateTime, 'g', 15);
        case Value::Kind::Null:
            break;
    }
    return {};
}

int LookupRows::currentRow() const {
    return m_table.isOpen() && m_table.recNo() > 0 ? m_table.currentPosition() : -1;
}

void LookupRows::setCurrentRow(int row) {
    if (row < 0 || row >= rowCount() || row == currentRow())
        return;
    m_table.moveTo(row);
    emit changed();
}

QList<GridColumn> LookupRows::columns() const {
    QList<GridColumn> columns;
    const int key = m_table.fieldIndex("Key");
    if (key >= 0)
        columns.append({QStringLiteral("Key"), 36, true, key});
    for (int f = 0; f < static_cast<int>(m_table.fields().size()); ++f)
        if (f != key && m_table.fields()[f].shown)
            columns.append({QString::fromStdString(m_table.fields()[f].name), 149, true, f});
    return columns;
}

int LookupRows::keyAt(int row) const {
    const int key = m_table.fieldIndex("Key");
    if (key < 0 || row < 0 || row >= rowCount())
        return 0;
    return m_table.valueAt(row, key).integer;
}

LookupGrid::LookupGrid(QWidget* parent) : TnDBGrid(parent) {
    setShowTitles(false);
    setFixedRowHeight(kRowHeight);
    setDefaultDrawing(false);
}

void LookupGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        emit deleteRequested();
        return;
    }
    TnDBGrid::keyPressEvent(event);
}

void LookupNameEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        emit cancelled();
        return;
    }
    QLineEdit::keyPressEvent(event);
    // Enter ends the edit only; it must not reach the dialog's default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

void DrawLookupCell(TnDBGrid& grid, QPainter& p, const GridCell& cell, const LookupRows* rows,
                    const TImageList* icons) {
    const QPalette& pal = grid.palette();
    int position = 0;
    for (const TnDBGrid::ShownRow& s : grid.shownRows()) {
        if (s.row == cell.row)
            break;
        ++position;
    }
    const QColor rowColor = position % 2 == 1 ? pal.color(QPalette::Light) : kLookupEvenRow;
    const bool selected = cell.state & (gdSelected | gdFocused);
    p.save();
    if (selected)
        paintGradient(p, cell.rect, kLookupGradientEnd, pal.color(QPalette::Highlight), true);
    else
        paintGradient(p, cell.rect, rowColor, kLookupGradientEnd, true);
    if (cell.columnIndex > 0) {
        p.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
        const QString text = rows ? rows->cellText(cell.row, cell.column->field) : QString();
        p.drawText(cell.rect.adjusted(2, 3, -2, -2), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    } else if (icons && rows) {
        const int index = rows->keyAt(cell.row) + 1;
        if (index >= 0 && index < icons->count()) {
            const QRect target(QPoint(cell.rect.left() + 5, cell.rect.top() + 1),
                               QPoint(cell.rect.left() + 28, cell.rect.bottom() - 1));
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(target, icons->image(index));
        }
    }
    p.restore();
}

void TSettings::nPageControlChange(int index) {
    if (index != 2 || !tvDetailed->selectedItems().isEmpty())
        return;
    tvDetailed->setFocus();
    tvDetailed->setCurrentItem(tvDetailed->topLevelItem(0));
}

void TSettings::showLookup(LookupRows* rows, const TImageList* icons) {
    m_currentIcons = icons;
    m_shownRows = rows;
    dbgLookup->setSource(rows);
    dbgLookup->setColumns(rows ? rows->columns() : QList<GridColumn>());
}

void TSettings::tvDetailedChange() {
    QTreeWidgetItem* item = tvDetailed->currentItem();
    switch (item ? tvDetailed->indexOfTopLevelItem(item) : -1) {
        case 0:
            showLookup(m_facilityRows, m_facilityIcons);
            break;
        case 1:
            showLookup(m_severityRows, m_severityIcons);
            break;
        default:
            showLookup(nullptr, nullptr);
            break;
    }
    if (m_shownRows) {
        dbgLookup->setUpdatesEnabled(false);
        dbgLookup->setColumnWidth(0, 36);
        dbgLookup->setColumnWidth(1, 153);
        dbgLookup->setUpdatesEnabled(true);
    }
}

void TSettings::dbgLookupResize() {
    dbgLookup->setUpdatesEnabled(false);
    if (!dbgLookup->columns().isEmpty())
        dbgLookup->setColumnWidth(0, 36);
    if (dbgLookup->columns().size() >= 2)
        dbgLookup->setColumnWidth(1, 149);
    dbgLookup->setUpdatesEnabled(true);
}

void TSettings::deleteLookupRow() {
    if (!m_shownRows || m_shownRows->currentRow() < 0)
        return;
    const QString question = translateCoreText(QString::fromLatin1(settings_dialog_texts::kDeleteRecord));
    const bool yes = m_env.confirm ? m_env.confirm(question)
                                   : MsgDialog(this, question, windowTitle(), QString(),
                                               QString::fromLatin1(ui_texts::kCancel), mkQuestion) == 1;
    if (!yes)
        return;
    m_shownRows->table().deleteRecord();
    m_shownRows->notifyChanged();
    // A deletion is a change OK must be able to save.
    lookupPosted();
}

void TSettings::btnEditMouseUp() {
    if (!m_shownRows || m_shownRows->currentRow() < 0 || m_nameEditor)
        return;
    Table& table = m_shownRows->table();
    const int nameField = table.fieldIndex("Name");
    if (nameField < 0 || dbgLookup->columns().size() < 2)
        return;
    const int row = m_shownRows->currentRow();
    dbgLookup->scrollToRow(row);
    QRect cell;
    for (const TnDBGrid::ShownRow& s : dbgLookup->shownRows())
        if (s.row == row)
            cell = QRect(dbgLookup->columns().at(0).width, s.top, dbgLookup->columns().at(1).width, s.height);
    if (cell.isNull())
        return;
    // The name is edited in place over its cell: Enter or leaving the field keeps the text,
    // Escape drops it. The table holds the change until OK saves it or Cancel discards it.
    auto* editor = new LookupNameEditor(dbgLookup->viewport());
    m_nameEditor = editor;
    editor->setObjectName(QStringLiteral("NameEditor"));
    editor->setGeometry(cell.adjusted(1, 1, -1, -1));
    editor->setText(m_shownRows->cellText(row, nameField));
    editor->selectAll();
    editor->show();
    editor->setFocus();
    LookupRows* rows = m_shownRows;
    auto finish = [this, editor, rows, row, nameField](bool keep) {
        if (m_nameEditor != editor)
            return;
        m_nameEditor = nullptr;
        editor->hide();
        editor->deleteLater();
        if (keep && rows == m_shownRows && rows->currentRow() == row &&
            editor->text() != rows->cellText(row, nameField)) {
            Table& t = rows->table();
            t.edit();
            t.setText(nameField, editor->text().toStdString());
            t.post();
            rows->notifyChanged();
        }
        dbgLookup->setFocus();
    };
    connect(editor, &QLineEdit::editingFinished, this, [finish] { finish(true); });
    connect(editor, &LookupNameEditor::cancelled, this, [finish] { finish(false); });
}

}  // namespace corvane
