// The main window's message views: the grid and details pane of the Recent page, the table grid
// and test message bar of the Data page, and the filter bar with its advanced panel.
#include "ui/SysLogForm.h"

#include "app/AppCore.h"
#include "app/Settings.h"
#include "platform/MessageDialogs.h"
#include "store/TData.h"
#include "ui/AdvancedFilterPanel.h"
#include "ui/ApplicationEvents.h"
#include "ui/DataGridView.h"
#include "ui/DetailsPane.h"
#include "ui/ExchangeActions.h"
#include "ui/FilterBarController.h"
#include "ui/MessageGrid.h"
#include "ui/MessageRows.h"
#include "net/SysLogServer.h"
#include "platform/UdpDrops.h"
#include "ui/MessageTableModel.h"
#include "ui/MsgDialog.h"
#include "ui/SearchHighlight.h"
#include "ui/SendersPage.h"
#include "ui/TrafficBar.h"
#include "ui/TrafficMonitor.h"
#include "ui/TestMessageBar.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"
#include "widgets/TnPageControl.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "widgets/TnDBGrid.h"
#include "widgets/TnPageControl.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>

#include <stdexcept>

namespace corvane {

namespace {
// The message grid's column order, widths and visibility.
constexpr const char* kColumnsKey = "MessageColumns";
}  // namespace

void TSysLogForm::wireMessageViews() {
    if (m_filterBar)
        return;
    Table& messages = m_data.MessageSet();
    if (!m_messageRows)
        m_messageRows = new TableRows(messages, m_env.formats, this);
    m_messageGrid = new MessageGrid(*Messages, *m_messageRows, messages, &iSeverityList, this);
    m_highlight = std::make_shared<SearchHighlight>();
    m_messageGrid->setHighlight(m_highlight.get());
    connect(DetailData, &QPlainTextEdit::textChanged, DetailData,
            [edit = DetailData, highlight = m_highlight] { highlight->markIn(*edit); });
    connect(Messages, &TnDBGrid::resized, this, [this] {
        if (m_stretchPending)
            FormResize();
    });
    connect(nMain, &TnPageControl::currentChanged, this, [this] {
        if (m_stretchPending)
            QTimer::singleShot(0, this, &TSysLogForm::FormResize);
    });
    m_messageGrid->fitDateColumn(textFromCore(
        m_env.formats.formatDateTime(encodeDateTime({2028, 12, 28, 22, 58, 58, 0}).value_or(0))));
    if (Settings* settings = m_core ? m_core->settings() : nullptr)
        m_messageGrid->applyColumnLayout(
            QString::fromStdString(settings->readString(Settings::kOptions, kColumnsKey, "")));
    connect(Messages, &TnDBGrid::columnsArranged, this, [this] {
        if (Settings* settings = m_core ? m_core->settings() : nullptr)
            settings->writeString(Settings::kOptions, kColumnsKey,
                                  m_messageGrid->columnLayout().toStdString());
        FormResize();
    });
    wireKeys();
    m_details =
        std::make_unique<DetailsPane>(DetailsPaneWidgets{iFacility, Date, Severity, Process, SubProcess,
                                                         ProcessID, ProcessEx, DetailData, Description},
                                      &iFacilityList, m_env.formats);

    m_dataModel = new MessageTableModel(messages, m_env.formats, this);
    m_dataModel->error = [this](const std::string& text) {
        const std::runtime_error e(text);
        ApplicationEventsException(DataGrid, &e);
    };
    DataGrid->setMessageModel(m_dataModel);

    SimpleFilterBar::Hooks hooks;
    hooks.beginUpdate = [this] { ++m_holdUpdates; };
    hooks.endUpdate = [this] {
        if (--m_holdUpdates == 0)
            MessageSetScrolled();
    };
    hooks.error = [this](const std::string& message, const std::string& detail, const std::string& title) {
        m_env.dialogs->show(message, title, mkError, detail);
    };
    hooks.eventCount = [this](int count) {
        EventCount->setCaption(QString::number(count));
        markSearchWords();
    };
    m_filterBar = new FilterBarController(
        m_data,
        {Filter, Simple, Advanced, iBtnAdvanced, dbAmount, cbIncrement, dbAddress, dbFacility, dbSeverity},
        m_env.formats, std::move(hooks), this);
    m_advancedPanel = new AdvancedFilterPanel(
        AdvancedFilter, btnClear, btnApply, m_filterBar->bar(),
        [this] { return m_core ? m_core->settings() : nullptr; }, this);
    m_filterBar->setAdvancedPanel(m_advancedPanel);

    m_testBar = new TestMessageBar(
        TestData, TestAddress, btnTest,
        [this](std::string_view bytes, const std::string& address) {
            if (m_core)
                m_core->InjectMessage(std::string(bytes), address);
        },
        [](QObject* sender, const std::exception* error) { ApplicationEventsException(sender, error); },
        this);

    // A CSV export holds the columns of the grid in view, in the order shown.
    auto* exchange = new ExchangeActions(
        this, m_data, [this] { return m_core ? &m_core->intake() : nullptr; },
        [this] {
            std::vector<std::string> names;
            const auto& fields = m_data.MessageSet().fields();
            if (nMain->currentIndex() == 1 && DataGrid->messageModel()) {
                const QHeaderView* header = DataGrid->horizontalHeader();
                for (int visual = 0; visual < header->count(); ++visual) {
                    const int logical = header->logicalIndex(visual);
                    if (!header->isSectionHidden(logical))
                        names.push_back(fields[DataGrid->messageModel()->fieldOf(logical)].name);
                }
            } else {
                for (const GridColumn& c : Messages->columns())
                    if (c.visible)
                        names.push_back(fields[c.field].name);
            }
            return names;
        },
        *m_env.dialogs);
    exchange->attachTo(Messages);
    exchange->attachTo(DataGrid);

    // A double-click on a sender shows the Recent page filtered to its address.
    auto* senders = new SendersPage(messages, m_data.HostSet(), m_env.formats);
    senders->setObjectName(QStringLiteral("SendersTab"));
    nMain->addPage(senders, SendersPage::caption());
    wireTraffic(*senders);
    senders->senderChosen = [this](int hostKey) {
        m_filterBar->refreshLists(true);
        for (int i = 0; i < dbAddress->count(); ++i) {
            if (dbAddress->itemData(i).toInt() != hostKey)
                continue;
            {
                const QSignalBlocker block(dbAddress);
                dbAddress->setCurrentIndex(i);
            }
            m_filterBar->listPicked(SimpleFilterBar::List::Address, i);
            break;
        }
        nMain->setCurrentIndex(0);
    };
}

void TSysLogForm::wireTraffic(SendersPage& senders) {
    auto* monitor = new TrafficMonitor(
        m_data.MessageSet(),
        [this] {
            TrafficCounters c;
            if (!m_core)
                return c;
            TnSysLogServer& listener = m_core->listener();
            c.received = m_core->ReceivedCount();
            c.queueDropped = m_core->DroppedCount();
            c.refused = listener.TCPServer().RefusedCount();
            std::vector<int> ports;
            for (const SocketAddress& a : listener.UDPServer().BoundAddresses()) ports.push_back(a.Port);
            c.systemDropped = systemUdpDrops(ports);
            return c;
        },
        this);
    auto* bar = new TrafficBar(*monitor, StatusBar);
    // The count of messages that came while the operator reads takes this place when shown.
    bar->setGeometry(428, 0, 96, 28);
    bar->yieldTo(lblNew);
    senders.setHeader(new TrafficSummary(*monitor));
    monitor->start();
}

void TSysLogForm::markSearchWords() {
    const Table& messages = m_data.MessageSet();
    if (!m_highlight->setFilter(messages.filtered() ? messages.filterText() : std::string(),
                                messages.caseInsensitive()))
        return;
    Messages->viewport()->update();
    m_highlight->markIn(*DetailData);
}

void TSysLogForm::wireKeys() {
    auto key = [this](const QKeySequence& sequence, QWidget* scope, Qt::ShortcutContext context,
                      auto action) {
        auto* shortcut = new QShortcut(sequence, scope);
        shortcut->setContext(context);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    key(QKeySequence(Qt::Key_F1), this, Qt::WindowShortcut, [this] { ibtnHelpMouseUp(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_F), this, Qt::WindowShortcut, [this] { focusFilter(); });
    // Fields that use End themselves (the edits) keep it.
    key(QKeySequence(Qt::Key_End), this, Qt::WindowShortcut, [this] {
        FollowNewest();
        if (nMain->page(nMain->currentIndex()) == RecentTab)
            Messages->setFocus();
    });
    key(QKeySequence(Qt::Key_Escape), this, Qt::WindowShortcut, [this] {
        // Leaving a field: the focus goes back to the message grid.
        if (QApplication::focusWidget() != Messages && nMain->page(nMain->currentIndex()) == RecentTab)
            Messages->setFocus();
    });
    key(QKeySequence::Copy, Messages, Qt::WidgetShortcut, [this] { CopySelected(); });
}

void TSysLogForm::focusFilter() {
    QWidget* target = Advanced->isVisible() ? static_cast<QWidget*>(AdvancedFilter) : dbSeverity;
    target->setFocus(Qt::ShortcutFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
}

QString TSysLogForm::CopySelected() {
    Table& messages = m_data.MessageSet();
    if (!messages.isOpen() || !m_messageRows)
        return {};
    std::vector<int> fields;
    for (const char* name : {"Date", "Host", "Severity", "Message"})
        if (const int field = messages.fieldIndex(name); field >= 0)
            fields.push_back(field);
    QString lines;
    QStringList parts;
    for (const int row : Messages->selectedRows()) {
        parts.clear();
        for (const int field : fields) parts << m_messageRows->cellText(row, field);
        lines += parts.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    if (!lines.isEmpty())
        QApplication::clipboard()->setText(lines);
    return lines;
}

void TSysLogForm::startFilterBar() {
    if (!m_filterBar)
        return;
    // The view starts filtered exactly as the bar shows its saved choices; an advanced
    // expression that was in force when the program ended is shown and applied again.
    const bool advancedActive = m_advancedPanel->loadSaved();
    m_filterBar->startUp();
    if (advancedActive) {
        m_filterBar->iBtnAdvancedMouseUp();
        m_advancedPanel->btnApplyMouseUp();
    }
}

void TSysLogForm::FormResize() {
    if (!Messages)
        return;
    // A grid on a hidden page keeps the width it had when it was last shown: it is stretched
    // when it shows again at its new width.
    if (!Messages->isVisible()) {
        m_stretchPending = true;
        return;
    }
    m_stretchPending = false;
    StretchColumns(*Messages, m_data.MessageSet().fields());
}

void TSysLogForm::iBtnAdvancedMouseUp() {
    if (m_filterBar)
        m_filterBar->iBtnAdvancedMouseUp();
}

}  // namespace corvane
