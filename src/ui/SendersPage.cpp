#include "store/Table.h"
#include "ui/SendersPage.h"

#include "protocol/SyslogVocabulary.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace corvane {

SenderModel::SenderModel(const SenderStats& stats, LocaleFormats formats, QObject* parent)
    : QAbstractTableModel(parent), m_stats(stats), m_formats(std::move(formats)) {}

int SenderModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int SenderModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

int SenderModel::hostKeyAt(int row) const {
    return row >= 0 && row < m_rows ? m_stats.rows()[static_cast<std::size_t>(row)].hostKey : -1;
}

QVariant SenderModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    const SenderRow& r = m_stats.rows()[static_cast<std::size_t>(index.row())];
    const bool raw = role == Qt::UserRole;
    if (role == Qt::TextAlignmentRole)
        return index.column() >= Total && index.column() <= PerMinute
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && !raw)
        return {};
    auto when = [&](DateTime t) -> QVariant {
        if (raw)
            return t;
        return t == 0 ? QString() : QString::fromStdString(m_formats.formatDateTime(t));
    };
    switch (index.column()) {
        case Name:
            return QString::fromUtf8(r.name);
        case Address:
            return QString::fromUtf8(r.address);
        case Total:
            return raw ? QVariant(static_cast<qulonglong>(r.total)) : QVariant(QString::number(r.total));
        case LastHour:
            return raw ? QVariant(r.lastHour) : QVariant(QString::number(r.lastHour));
        case PerMinute:
            return raw ? QVariant(r.perMinute) : QVariant(QString::number(r.perMinute, 'f', 1));
        case HighestToday:
            if (raw)
                return r.highestSeverityToday < 0 ? 8 : r.highestSeverityToday;
            return r.highestSeverityToday < 0
                       ? QString()
                       : QString::fromLatin1(
                             SeverityNames[static_cast<std::size_t>(r.highestSeverityToday)].data(),
                             static_cast<int>(
                                 SeverityNames[static_cast<std::size_t>(r.highestSeverityToday)].size()));
        case FirstSeen:
            return when(r.firstSeen);
        case LastSeen:
            return when(r.lastSeen);
        default:
            return {};
    }
}

QVariant SenderModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
        case Name:
            return tr("Sender");
        case Address:
            return tr("Address");
        case Total:
            return tr("Messages");
        case LastHour:
            return tr("Last Hour");
        case PerMinute:
            return tr("Per Minute");
        case HighestToday:
            return tr("Highest Today");
        case FirstSeen:
            return tr("First Seen");
        case LastSeen:
            return tr("Last Seen");
        default:
            return {};
    }
}

void SenderModel::statsChanged() {
    const int rows = static_cast<int>(m_stats.rows().size());
    if (rows != m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    } else if (rows > 0) {
        emit dataChanged(index(0, Total), index(rows - 1, ColumnCount - 1));
        emit dataChanged(index(0, Name), index(rows - 1, Address));
    }
}

SendersPage::SendersPage(const Table& messages, const Table& hosts, LocaleFormats formats, QWidget* parent)
    : QWidget(parent), m_stats(messages, hosts) {
    // The dates fit whole: as wide as the widest date in the operator's formats (measuring the
    // rows instead would read every one of them).
    const QString widestDate = QString::fromStdString(
        formats.formatDateTime(encodeDateTime({2028, 12, 28, 22, 58, 58, 0}).value_or(0)));
    m_model = new SenderModel(m_stats, std::move(formats), this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    m_sorted->setDynamicSortFilter(true);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("Senders"));
    m_view->setModel(m_sorted);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(SenderModel::LastHour, Qt::DescendingOrder);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(20);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setAlternatingRowColors(true);
    const int dateWidth = m_view->fontMetrics().horizontalAdvance(widestDate) + 16;
    m_view->setColumnWidth(SenderModel::FirstSeen, dateWidth);
    m_view->setColumnWidth(SenderModel::LastSeen, dateWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex& at) {
        const int key = m_model->hostKeyAt(m_sorted->mapToSource(at).row());
        if (key >= 0 && senderChosen)
            senderChosen(key);
    });
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, [this] { refresh(); });
}

void SendersPage::setHeader(QWidget* header) {
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, header);
}

QString SendersPage::caption() {
    return tr("Senders");
}

void SendersPage::refresh(DateTime when) {
    m_stats.refresh(when == 0 ? now() : when);
    m_model->statsChanged();
}

void SendersPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    m_timer->start();
}

void SendersPage::hideEvent(QHideEvent* event) {
    m_timer->stop();
    QWidget::hideEvent(event);
}

}  // namespace corvane
