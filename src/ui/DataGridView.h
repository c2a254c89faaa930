#pragma once

#include <QTableView>

#include <functional>

namespace corvane {

class MessageTableModel;

// The Data page's table grid: the standard editable grid over a MessageTableModel, several rows
// selectable at once, the current row following the table's cursor and the other way round.
// Ctrl+Delete deletes the selected records (or the current one) once the operator confirms
// ("Delete record?" for one, "Delete all selected records?" for several).
class DataGridView : public QTableView {
    Q_OBJECT
public:
    explicit DataGridView(QWidget* parent = nullptr);

    void setMessageModel(MessageTableModel* model);
    MessageTableModel* messageModel() const { return m_model; }

    // Catches up with the table (new records, a filter, a moved cursor).
    void refresh();
    void deleteSelected();

    // Asks before a deletion; true for OK. The standard confirmation box when unset.
    std::function<bool(const QString& question)> confirm;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void showEvent(QShowEvent* event) override;

private:
    void followCursor();

    MessageTableModel* m_model = nullptr;
    bool m_following = false;
    bool m_stale = false;  // the table changed while the grid was hidden
};

}  // namespace corvane
