#include "ui/SysLogForm.h"

#include "app/AppCore.h"
#include "app/SettingsTexts.h"
#include "app/UpdateChecker.h"
#include "net/Socket.h"
#include "net/SysLogServer.h"
#include "store/TData.h"
#include "store/Table.h"
#include "platform/InternetState.h"
#include "ui/UiTexts.h"
#include "ui/WindowPlacement.h"
#include "ui/AppFolder.h"
#include "ui/DataGridView.h"
#include "ui/DetailsPane.h"
#include "ui/FilterBarController.h"
#include "ui/TestMessageBar.h"
#include "ui/ApplicationEvents.h"
#include "ui/HelpWindow.h"
#include "ui/ImageLibrary.h"
#include "ui/MessageRows.h"
#include "ui/MsgDialog.h"
#include "ui/TDuration.h"
#include "ui/Translation.h"
#include "widgets/TImageButton.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"
#include "widgets/TnPageControl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <utility>

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";
constexpr const char* kBringToFrontKey = "BringToFront";
// A move or resize counts as ended when the frame has been still this long.
constexpr int kSizeMoveSettleMs = 400;

std::int32_t keyAt(const Table& table, int keyField, int position) {
    return table.valueAt(position, keyField).integer;
}

// The first view position whose key is above `key` (the view is in key order); the record count
// when there is none.
int firstPositionAfter(const Table& table, int keyField, std::int32_t key) {
    int low = 0;
    int high = table.recordCount();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (keyAt(table, keyField, mid) <= key)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

}  // namespace

TSysLogForm::TSysLogForm(TData& store, FormEnvironment environment)
    : QWidget(nullptr), m_data(store), m_env(std::move(environment)) {
    if (!m_env.dialogs) {
        m_ownDialogs = std::make_unique<QtMessageDialogs>(this);
        m_env.dialogs = m_ownDialogs.get();
    }
    buildComponents();
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(kTimerInterval);
    connect(Timer, &QTimer::timeout, this, &TSysLogForm::TimerEvent);
    Timer->start();
    m_sizeMoveEnd = new QTimer(this);
    m_sizeMoveEnd->setSingleShot(true);
    m_sizeMoveEnd->setInterval(kSizeMoveSettleMs);
    connect(m_sizeMoveEnd, &QTimer::timeout, this, &TSysLogForm::EndSizeMove);
    connectHandlers();
    try {
        FormCreate();
    } catch (const std::exception& e) {
        // The rest of the window is still wired by AfterConstruction; the error is shown once
        // the window is up.
        const QString text = textFromCore(e.what());
        QTimer::singleShot(0, this, [this, text] {
            const std::runtime_error error(text.toStdString());
            ApplicationEventsException(this, &error);
        });
    }
    AfterConstruction();
}

TSysLogForm::~TSysLogForm() {
    FormDestroy();
}

void TSysLogForm::connectHandlers() {
    connect(iBtnClose, &TImageButton::clicked, this, [this] { iBtnCloseMouseUp(); });
    connect(iBtnSetup, &TImageButton::clicked, this, [this] { iBtnSetupMouseUp(); });
    connect(ibtnHelp, &TImageButton::clicked, this, [this] { ibtnHelpMouseUp(); });
    connect(btnEditFilter, &TImageButton::clicked, this, [this] { ibtnHelpMouseUp(); });
    connect(iBtnClear, &TImageButton::clicked, this, [this] { iBtnClearMouseUp(); });
    connect(iLanguage, &TImageButton::clicked, this, [this] { iLanguageMouseUp(); });
    connect(iBtnAdvanced, &TImageButton::mouseEntered, this, &TSysLogForm::iBtnAdvancedMouseOver);
    connect(iBtnAdvanced, &TImageButton::mouseLeft, this, &TSysLogForm::iBtnAdvancedMouseLeave);
    connect(iBtnAdvanced, &TImageButton::clicked, this, [this] { iBtnAdvancedMouseUp(); });
    connect(Messages, &TnDBGrid::operatorMoved, this, &TSysLogForm::operatorMoved);
    connect(lblNew, &TnControl::clicked, this, &TSysLogForm::FollowNewest);
    connect(Simple, &TnControl::resized, this, [this] { SimpleResize(simpleBar()); });
    connect(Filter, &TnControl::resized, this, &TSysLogForm::alignChildren);
}

void TSysLogForm::FormCreate() {
    // Without its pictures the window still works, so a missing image library is reported (once
    // the listeners are open) and start-up goes on.
    if (const QString error = loadImageLists(); !error.isEmpty())
        m_env.dialogs->show(error.toStdString(), ui_texts::kProgramFilesTitle, mkError);
    setWindowTitle(QString::fromLatin1(kCaption));
    // One taskbar entry: this window is the only top-level window the program keeps open.
    // The filter bar's facility, severity and period parts start empty (the filter bar's own).
    Duration->OnTimer = [this](TDuration&, bool) { RefreshNetworkIndicator(); };
    Duration->setUseTimer(true);

    m_core = std::make_unique<AppCore>(m_data, m_env.settingsPath, *this, *m_env.dialogs, *m_env.actions,
                                       *m_env.mainThread);
    UpdateCheckerSetup update;
    update.dataFolder = m_data.dataFolder();
    update.mainThread = m_env.mainThread;
    update.dialogs = m_env.dialogs;
    update.isInternetConnected = m_env.internetConnected
                                     ? m_env.internetConnected
                                     : std::function<bool()>([] { return IsInternetConnected(); });
    update.decimalSeparator = m_env.formats.decimalSeparator;
    m_updater = std::make_unique<UpdateChecker>(std::move(update));
    m_updater->setSettings(m_core->settings());

    ApplySettings();
    // The core applies its part of the settings and opens the listener; a listener that cannot
    // be opened is reported and every later step still runs.
    const std::string error = m_core->Start();
    if (!error.empty()) {
        m_startError = textFromCore(error);
        QTimer::singleShot(0, this, [this] {
            const std::runtime_error e(m_startError.toStdString());
            ApplicationEventsException(this, &e);
        });
    }
    TestAddress->setText(textFromCore(m_core->firstBindingAddress()));

    Table& messages = m_data.MessageSet();
    messages.afterScroll = [this](Table&) { MessageSetScrolled(); };

    m_droppedRefresh = new QTimer(this);
    m_droppedRefresh->setInterval(TDuration::kInterval);
    connect(m_droppedRefresh, &QTimer::timeout, this, &TSysLogForm::refreshDropped);
    m_droppedRefresh->start();
}

void TSysLogForm::AfterConstruction() {
    iBtnSetup->setImages(&iButtons);
    iBtnSetup->setImageIndex(5);
    ibtnHelp->setImages(&iButtons);
    ibtnHelp->setImageIndex(13);
    iBtnClose->setImages(&iButtons);
    iBtnClose->setImageIndex(1);
    iBtnClear->setImages(&iButtons);
    iBtnClear->setImageIndex(9);
    for (TImageButton* b : {iBtnAdvanced, btnClear, btnApply, btnEditFilter, iNetwork})
        b->setImages(&SmImages);
    iBtnAdvanced->setImageIndex(3);
    btnClear->setImageIndex(11);
    btnApply->setImageIndex(15);
    btnEditFilter->setImageIndex(19);
    iNetwork->setImageIndex(1);
    for (TImageButton* b : {iBtnSetup, ibtnHelp, iBtnClose, iBtnClear, iBtnAdvanced, btnClear, btnApply,
                            btnEditFilter, iNetwork, iLanguage})
        b->loaded();

    wireMessageViews();
    startFilterBar();
    MessageSetScrolled();
    SimpleResize(simpleBar());
    // The details rows were placed top to bottom in their order when the pane was built, so
    // the Severity value already sits right under its heading; no row needs moving here.
}

QString TSysLogForm::loadImageLists() {
    const QString library = m_env.appFolder + QString::fromLatin1(kImageLibraryFile);
    if (!QFileInfo(library).isFile())
        return QString::fromLatin1(ui_texts::kImageLibraryMissing).replace(QStringLiteral("%1"), library);
    const std::pair<const char*, TImageList*> lists[] = {{"ISEVERITYLIST", &iSeverityList},
                                                         {"IFACILITYLIST", &iFacilityList},
                                                         {"IBUTTONS", &iButtons},
                                                         {"SMIMAGES", &SmImages}};
    QString errors;
    for (const auto& [resource, list] : lists) {
        const QString error = LoadImageList(library, QString::fromLatin1(resource), list);
        if (!error.isEmpty())
            errors += (errors.isEmpty() ? QString() : QStringLiteral("\n")) + error;
    }
    Image1->setPicture(LoadLibraryPicture(library, QStringLiteral("Header")));
    CompanyLogo->setPicture(LoadLibraryPicture(library, QStringLiteral("Logo")));
    iLanguage->setPicture(LoadLibraryPicture(library, QStringLiteral("Flag")));
    return errors;
}

void TSysLogForm::ApplySettings() {
    Settings* settings = m_core ? m_core->settings() : nullptr;
    const bool dialogExists = static_cast<bool>(handSettingsToDialog);
    if (settings && m_updater)
        readUpdateSettings(m_updater->state(), *settings);
    if (settings) {
        if (dialogExists)
            handSettingsToDialog(settings);
        else
            applyWindowPlacement();
    } else if (!dialogExists) {
        applyWindowPlacement();
    }
    if (m_core && dialogExists) {
        // A later call (after the settings dialog's OK): the core's part runs here; at start-up
        // the core runs it as it opens the listener.
        const std::string error = m_core->ApplySettings();
        if (!error.empty()) {
            const std::runtime_error e(error);
            ApplicationEventsException(this, &e);
        }
    }
    setWindowTitle(QString::fromLatin1(kCaption));
    iBtnSetup->setToolTip(tr(" Setup "));
    ibtnHelp->setToolTip(tr(" Help "));
    iBtnClose->setToolTip(tr(" Close "));
    iBtnClear->setToolTip(tr(" Clear "));
    iBtnAdvanced->setToolTip(tr(" Advanced "));
    btnClear->setToolTip(tr(" Clear "));
    btnApply->setToolTip(tr(" Apply "));
    btnEditFilter->setToolTip(tr(" Edit "));
}

void TSysLogForm::applyWindowPlacement() {
    Settings* settings = m_core ? m_core->settings() : nullptr;
    if (settings && settings->readBool(Settings::kOptions, "SaveLocation", true) &&
        settings->keyExists(Settings::kOptions, "Top")) {
        const int top = settings->readInteger(Settings::kOptions, "Top", y());
        const int left = settings->readInteger(Settings::kOptions, "Left", x());
        const int w = settings->readInteger(Settings::kOptions, "Width", width());
        const int h = settings->readInteger(Settings::kOptions, "Height", height());
        PlaceWindow(*this, QRect(left, top, w, h));
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = geometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

void TSysLogForm::BringToFront() {
    // A closing window stays closed while what arrived last is stored.
    if (m_closing || (settingsDialogVisible && settingsDialogVisible()))
        return;
    Settings* settings = m_core ? m_core->settings() : nullptr;
    if (settings && !settings->readBool(Settings::kOptions, kBringToFrontKey, true))
        return;
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowNoState);
    if (!isVisible())
        show();
    raise();
    // The keyboard stays where the operator is typing: another program, or another window of
    // this one. A window in the background only asks for attention.
    if (!isActiveWindow())
        QApplication::alert(this);
}

void TSysLogForm::MessageSelect(Table& table, int recNo) {
    if (recNo < 0)
        return;
    if (&table == &m_data.MessageSet() && !m_following) {
        holdView(table);
        return;
    }
    if (recNo > 0 && table.recNo() != recNo && recNo <= table.recordCount())
        table.moveTo(recNo - 1);
    showCurrentRecord(table);
}

void TSysLogForm::showCurrentRecord(Table& table) {
    if (&table != &m_data.MessageSet())
        return;
    if (m_details)
        m_details->showCurrent(table);
    EventCount->setCaption(QString::number(table.recordCount()));
    m_messageRows->notifyChanged();
    if (DataGrid->messageModel())
        DataGrid->refresh();
    if (m_filterBar)
        m_filterBar->refreshLists();
    if (!m_following)
        return;
    if (const int current = m_messageRows->currentRow(); current >= 0)
        Messages->scrollToRow(current);
}

void TSysLogForm::MessageSetScrolled() {
    Table& messages = m_data.MessageSet();
    if (!messages.isOpen() || m_holdUpdates > 0 || m_holdingView)
        return;
    // A batch of waiting messages moves the cursor once per message; the window follows once,
    // when the batch is stored.
    if (m_core && m_core->intake().inBatch())
        return;
    showCurrentRecord(messages);
}

void TSysLogForm::holdView(Table& messages) {
    // New messages are counted by key, so records that expiry removed from the front of the view
    // in the meantime change nothing.
    const int keyField = messages.fieldIndex("Key");
    const int count = messages.recordCount();
    if (keyField >= 0 && count > 0) {
        const int firstNew = firstPositionAfter(messages, keyField, m_newestSeen);
        m_newWhileWaiting += count - firstNew;
        m_newestSeen = keyAt(messages, keyField, count - 1);
        m_holdingView = true;
        const int held = std::min(firstPositionAfter(messages, keyField, m_heldKey - 1), count - 1);
        if (messages.currentPosition() != held)
            messages.moveTo(held);
        m_holdingView = false;
        Messages->setTopRow(std::min(firstPositionAfter(messages, keyField, m_topKey - 1), count - 1));
    }
    showCurrentRecord(messages);
    showNewCount();
}

void TSysLogForm::operatorMoved() {
    Table& messages = m_data.MessageSet();
    const int count = messages.isOpen() ? messages.recordCount() : 0;
    const int keyField = messages.isOpen() ? messages.fieldIndex("Key") : -1;
    const int current = m_messageRows ? m_messageRows->currentRow() : -1;
    // Rows chosen around the newest one are being read as well: the next message would end
    // the selection.
    const bool atNewest =
        count == 0 || keyField < 0 ||
        (current == count - 1 && Messages->rowFullyShown(current) && !Messages->hasMultiSelection());
    if (atNewest) {
        if (!m_following)
            FollowNewest();
        return;
    }
    if (m_following) {
        m_following = false;
        m_newWhileWaiting = 0;
        m_newestSeen = keyAt(messages, keyField, count - 1);
        Messages->setFollowCurrent(false);
    }
    m_heldKey = keyAt(messages, keyField, std::clamp(current, 0, count - 1));
    m_topKey = keyAt(messages, keyField, std::clamp(Messages->topRow(), 0, count - 1));
    showNewCount();
}

void TSysLogForm::FollowNewest() {
    m_following = true;
    m_newWhileWaiting = 0;
    Messages->setFollowCurrent(true);
    Messages->clearSelection();
    showNewCount();
    Table& messages = m_data.MessageSet();
    if (!messages.isOpen() || messages.recordCount() == 0)
        return;
    if (messages.currentPosition() != messages.recordCount() - 1)
        messages.last();
    else
        showCurrentRecord(messages);
    Messages->scrollToRow(messages.recordCount() - 1);
}

void TSysLogForm::showNewCount() {
    if (m_following) {
        lblNew->hide();
        return;
    }
    lblNew->setCaption(tr(" %1 new").arg(m_newWhileWaiting));
    lblNew->show();
}

void TSysLogForm::refreshDropped() {
    const std::uint64_t dropped = m_core ? m_core->DroppedCount() : 0;
    if (dropped == 0) {
        // The place shows the listener's latest notice while nothing was dropped.
        if (m_lastNotice.isEmpty()) {
            lblDropped->hide();
        } else {
            lblDropped->setCaption(m_lastNotice);
            lblDropped->setToolTip(m_lastNotice);
            lblDropped->show();
        }
        return;
    }
    lblDropped->setCaption(tr(" Dropped: %1").arg(dropped));
    lblDropped->setToolTip(tr("Datagrams that arrived faster than they could be taken in"));
    lblDropped->show();
}

bool TSysLogForm::IsNetworkUp() const {
    // Up means syslog's own port listens; the TCP listener's state is in the indicator's hint.
    if (!m_core || !m_core->listener().UDPServer().Active())
        return false;
    return m_env.internetConnected ? m_env.internetConnected() : IsInternetConnected();
}

void TSysLogForm::RefreshNetworkIndicator() {
    const bool up = IsNetworkUp();
    iNetwork->setEnabled(up);
    iNetwork->setFontColor(up ? palette().color(QPalette::ButtonText) : QColor(255, 0, 0));
    refreshListenerState();
}

void TSysLogForm::refreshListenerState() {
    if (!m_core)
        return;
    TnSysLogServer& listener = m_core->listener();
    auto bound = [](const std::vector<SocketAddress>& addresses) {
        QStringList shown;
        for (const SocketAddress& b : addresses) shown << textFromCore(endpointText(b));
        return shown.join(QStringLiteral(", "));
    };
    const QString udp = listener.UDPServer().Active()
                            ? tr("UDP listening on %1").arg(bound(listener.UDPServer().BoundAddresses()))
                            : tr("UDP not listening");
    QString tcp;
    if (listener.TCPActive())
        tcp = tr("TCP listening on %1").arg(bound(listener.TCPServer().BoundAddresses()));
    else if (!m_core->tcpError().empty())
        tcp = tr("TCP not listening: %1").arg(translateCoreText(textFromCore(m_core->tcpError())));
    else
        tcp = tr("TCP off");
    const std::uint64_t refused = listener.TCPServer().RefusedCount();
    QString hint = udp + QLatin1Char('\n') + tcp + QLatin1Char('\n') +
                   tr("TCP connections closed for want of a free slot: %1").arg(refused);
    if (!m_lastNotice.isEmpty())
        hint += QLatin1Char('\n') + m_lastNotice;
    iNetwork->setToolTip(hint);

    // A port the operator chose was reported by a dialog; the built-in default only here.
    const bool note = !listener.TCPActive() && !m_core->tcpError().empty() && m_core->tcpIsBuiltInDefault();
    if (note) {
        lblTcp->setCaption(tr(" TCP %1 off").arg(listener.TCPPort()));
        lblTcp->setToolTip(translateCoreText(textFromCore(m_core->tcpError())));
    }
    lblTcp->setVisible(note && lblDropped->isHidden());
}

void TSysLogForm::ShowNotice(const std::string& text) {
    // The status bar shows the latest notice; the network indicator's hint keeps it.
    m_lastNotice = textFromCore(text);
    refreshDropped();
    RefreshNetworkIndicator();
}

void TSysLogForm::FormActivate() {
    if (windowLookedAt)
        windowLookedAt();
    // Coming back to the window shows the newest record, unless the operator was reading.
    Table& messages = m_data.MessageSet();
    if (m_following && messages.isOpen() && messages.recordCount() > 0)
        messages.last();
    DailyUpdateCheck();
}

void TSysLogForm::TimerEvent() {
    DailyUpdateCheck();
}

void TSysLogForm::DailyUpdateCheck() {
    if (m_updater)
        m_updater->DailyUpdateCheck();
}

bool TSysLogForm::FormCloseQuery() {
    CloseAllHelp();
    m_data.SaveData(true);
    return true;
}

void TSysLogForm::exitProgram() {
    m_exiting = true;
    close();
}

void TSysLogForm::closeEvent(QCloseEvent* event) {
    if (!m_exiting && !m_closing && closeToTray && closeToTray()) {
        hide();
        event->ignore();
        return;
    }
    if (!m_closing) {
        m_closing = true;
        FormCloseQuery();
    }
    event->accept();
}

void TSysLogForm::FormDestroy() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    m_data.MessageSet().afterScroll = nullptr;
    // A check in flight is given up before the settings are written for the last time.
    if (m_updater)
        m_updater->shutdown();
    if (m_core) {
        const std::string errors = m_core->Shutdown();
        if (!errors.empty())
            m_env.dialogs->show(errors, ui_texts::kShutdownTitle, mkError);
    }
}

void TSysLogForm::EndSizeMove() {
    Settings* settings = m_core ? m_core->settings() : nullptr;
    if (!settings)
        return;
    // Left and Top are where the frame is, Width and Height the inside of the window, which is
    // what PlaceWindow restores; a maximised or minimised window keeps its last normal place.
    if (saveLocationChecked && saveLocationChecked() && windowState() == Qt::WindowNoState) {
        settings->writeInteger(Settings::kOptions, "Top", y());
        settings->writeInteger(Settings::kOptions, "Left", x());
        settings->writeInteger(Settings::kOptions, "Width", width());
        settings->writeInteger(Settings::kOptions, "Height", height());
    }
    // Reported once until a write succeeds again: every move would otherwise bring it back.
    const std::string error = settings->flush();
    if (error.empty()) {
        m_settingsWriteReported = false;
    } else if (!m_settingsWriteReported) {
        m_settingsWriteReported = true;
        m_env.dialogs->show(error, settings_texts::kSettingsTitle, mkError);
    }
}

void TSysLogForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    // The description sentence is composed from the record; compose it in the new language.
    if (event->type() == QEvent::LanguageChange && m_details && m_data.MessageSet().isOpen() &&
        m_data.MessageSet().recNo() > 0)
        m_details->showCurrent(m_data.MessageSet());
    QWidget::changeEvent(event);
}

void TSysLogForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    alignChildren();
    FormResize();
    if (isVisible())
        m_sizeMoveEnd->start();
}

void TSysLogForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window sized before it is first shown lays its panes out only now: stretch the message
    // column again once the layouts have settled, or it keeps the width of the unshown grid.
    QTimer::singleShot(0, this, [this] { FormResize(); });
}

void TSysLogForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible())
        m_sizeMoveEnd->start();
}

void TSysLogForm::iBtnCloseMouseUp() {
    exitProgram();
}

void TSysLogForm::iBtnSetupMouseUp() {
    if (showSettingsDialog)
        showSettingsDialog();
}

void TSysLogForm::ibtnHelpMouseUp() {
    ShowHelpOrWarn(helpFolder(m_env.appFolder), HelpWindow::kFilterContext, *m_env.dialogs);
}

void TSysLogForm::iBtnClearMouseUp() {
    Table& messages = m_data.MessageSet();
    const int count = messages.isOpen() ? messages.recordCount() : 0;
    if (count > kClearWithoutAsking && !confirmClearAll(count))
        return;
    m_data.ClearMessagesInView();
    FollowNewest();
    MessageSetScrolled();
}

bool TSysLogForm::confirmClearAll(int count) {
    if (askClearAll)
        return askClearAll(count);
    // A question that waits for its answer: left alone, it must not answer OK by itself.
    MsgDialogEnvironment& environment = msgDialogEnvironment();
    const bool autoClose = std::exchange(environment.autoClose, false);
    const int answer = MsgDialog(this, tr("Delete all %1 messages in view?").arg(count), tr("Clear All"),
                                 QString(), QString(), mkQuestion);
    environment.autoClose = autoClose;
    return answer == 1;
}

void TSysLogForm::iLanguageMouseUp() {
    if (iLanguage->isEnabled() && showLanguageDialog)
        showLanguageDialog();
}

void TSysLogForm::iBtnAdvancedMouseOver() {
    iBtnAdvanced->setFontColor(QColor(0, 0, 128));
    iBtnAdvanced->setCaptionGlow(true);
}

void TSysLogForm::iBtnAdvancedMouseLeave() {
    iBtnAdvanced->setCaptionGlow(false);
    iBtnAdvanced->setFontColor(palette().color(QPalette::WindowText));
}

void TSysLogForm::btnTestClick() {
    if (m_testBar)
        m_testBar->btnTestClick();
}

}  // namespace corvane
