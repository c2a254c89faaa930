#pragma once

#include "app/SenderStats.h"
#include "filter/LocaleFormats.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <functional>

class QSortFilterProxyModel;
class QTableView;
class QTimer;

namespace corvane {

class Table;

// The senders' figures as a table model: one row per host row, the raw value of a cell under
// Qt::UserRole for sorting.
class SenderModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Address, Total, LastHour, PerMinute, HighestToday, FirstSeen, LastSeen, ColumnCount };

    SenderModel(const SenderStats& stats, LocaleFormats formats, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The stats were refreshed: rows that stayed are repainted, a changed row count resets.
    void statsChanged();
    int hostKeyAt(int row) const;

private:
    const SenderStats& m_stats;
    LocaleFormats m_formats;
    int m_rows = 0;
};

// The Senders page beside Recent and Data: which senders talk, how much, how severe, and which
// went quiet. Refreshed at most once a second and only while it is shown, never per message.
// A double-click on a row calls `senderChosen` with the row's host key.
class SendersPage : public QWidget {
    Q_OBJECT
public:
    SendersPage(const Table& messages, const Table& hosts, LocaleFormats formats, QWidget* parent = nullptr);

    static QString caption();
    // Refreshes now; `now` defaults to the clock (tests pass their own).
    void refresh(DateTime now = 0);
    QTableView* view() const { return m_view; }
    // A widget above the table (the page takes it over).
    void setHeader(QWidget* header);
    SenderModel* model() const { return m_model; }
    const SenderStats& stats() const { return m_stats; }

    std::function<void(int hostKey)> senderChosen;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    SenderStats m_stats;
    SenderModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QTableView* m_view;
    QTimer* m_timer;
};

}  // namespace corvane
