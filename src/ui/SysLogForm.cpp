#include "ui/SysLogForm.h"

#include "app/AppCore.h"
#include "app/UpdateChecker.h"
#include "store/TData.h"
#include "platform/InternetState.h"
#include "ui/UiTexts.h"
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
#include "widgets/TImageButton.h"
#include "widgets/TnDBGrid.h"
#include "widgets/TnLabel.h"
#include "widgets/TnPageControl.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";
constexpr const char* kAdvancedExample = "Example: [Field] = 'Value'";
// A move or resize counts as ended when the frame has been still this long.
constexpr int kSizeMoveSettleMs = 400;

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
    connect(iBtnClose, &TImageButton::mouseUp, this, [this](QMouseEvent*) { iBtnCloseMouseUp(); });
    connect(iBtnSetup, &TImageButton::mouseUp, this, [this](QMouseEvent*) { iBtnSetupMouseUp(); });
    connect(ibtnHelp, &TImageButton::mouseUp, this, [this](QMouseEvent*) { ibtnHelpMouseUp(); });
    connect(btnEditFilter, &TImageButton::mouseUp, this, [this](QMouseEvent*) { ibtnHelpMouseUp(); });
    connect(iBtnClear, &TImageButton::mouseUp, this, [this](QMouseEvent*) { iBtnClearMouseUp(); });
    connect(iLanguage, &TImageButton::mouseUp, this, [this](QMouseEvent*) { iLanguageMouseUp(); });
    connect(iBtnAdvanced, &TImageButton::mouseEntered, this, &TSysLogForm::iBtnAdvancedMouseOver);
    connect(iBtnAdvanced, &TImageButton::mouseLeft, this, &TSysLogForm::iBtnAdvancedMouseLeave);
    connect(iBtnAdvanced, &TImageButton::mouseUp, this, [this](QMouseEvent*) { iBtnAdvancedMouseUp(); });
    connect(Simple, &TnControl::resized, this, [this] { SimpleResize(simpleBar()); });
    connect(Filter, &TnControl::resized, this, &TSysLogForm::alignChildren);
}

void TSysLogForm::FormCreate() {
    loadImageLists();
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

void TSysLogForm::loadImageLists() {
    const QString library = m_env.appFolder + QString::fromLatin1(kImageLibraryFile);
    const std::pair<const char*, TImageList*> lists[] = {{"ISEVERITYLIST", &iSeverityList},
                                                         {"IFACILITYLIST", &iFacilityList},
                                                         {"IBUTTONS", &iButtons},
                                                         {"SMIMAGES", &SmImages}};
    for (const auto& [resource, list] : lists) {
        const QString error = LoadImageList(library, QString::fromLatin1(resource), list);
        if (!error.isEmpty())
            throw std::runtime_error(error.toStdString());
    }
    Image1->setPicture(LoadLibraryPicture(library, QStringLiteral("Header")));
    CompanyLogo->setPicture(LoadLibraryPicture(library, QStringLiteral("Logo")));
    iLanguage->setPicture(LoadLibraryPicture(library, QStringLiteral("Flag")));
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
        const std::string filter =
            settings->readString(Settings::kOptions, "AdvancedFilter", kAdvancedExample);
        AdvancedFilter->setText(textFromCore(filter));
        if (filter != kAdvancedExample) {
            QPalette normal = AdvancedFilter->palette();
            normal.setColor(QPalette::Text, palette().color(QPalette::WindowText));
            AdvancedFilter->setPalette(normal);
        }
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
        setGeometry(left, top, std::max(w, minimumWidth()), std::max(h, 1));
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = geometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

void TSysLogForm::BringToFront() {
    if (settingsDialogVisible && settingsDialogVisible())
        return;
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible())
        show();
    raise();
    activateWindow();
}

void TSysLogForm::MessageSelect(Table& table, int recNo) {
    if (recNo < 0)
        return;
    if (recNo > 0 && table.recNo() != recNo && recNo <= table.recordCount())
        table.moveTo(recNo - 1);
    if (&table == &m_data.MessageSet()) {
        if (m_details)
            m_details->showCurrent(table);
        EventCount->setCaption(QString::number(table.recordCount()));
        m_messageRows->notifyChanged();
        if (DataGrid->messageModel())
            DataGrid->refresh();
        if (m_filterBar)
            m_filterBar->refreshLists();
        if (const int current = m_messageRows->currentRow(); current >= 0)
            Messages->scrollToRow(current);
    }
}

void TSysLogForm::MessageSetScrolled() {
    Table& messages = m_data.MessageSet();
    if (!messages.isOpen() || m_holdUpdates > 0)
        return;
    // A batch of waiting messages moves the cursor once per message; the window follows once,
    // when the batch is stored.
    if (m_core && m_core->intake().inBatch())
        return;
    MessageSelect(messages, messages.recNo());
}

void TSysLogForm::refreshDropped() {
    const std::uint64_t dropped = m_core ? m_core->DroppedCount() : 0;
    if (dropped == 0) {
        lblDropped->hide();
        return;
    }
    lblDropped->setCaption(tr(" Dropped: %1").arg(dropped));
    lblDropped->show();
}

bool TSysLogForm::IsNetworkUp() const {
    if (!m_core || !m_core->listener().Active())
        return false;
    return m_env.internetConnected ? m_env.internetConnected() : IsInternetConnected();
}

void TSysLogForm::RefreshNetworkIndicator() {
    const bool up = IsNetworkUp();
    iNetwork->setEnabled(up);
    iNetwork->setFontColor(up ? palette().color(QPalette::ButtonText) : QColor(255, 0, 0));
}

void TSysLogForm::FormActivate() {
    Table& messages = m_data.MessageSet();
    if (messages.isOpen() && messages.recordCount() > 0)
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

void TSysLogForm::closeEvent(QCloseEvent* event) {
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
    if (saveLocationChecked && saveLocationChecked()) {
        settings->writeInteger(Settings::kOptions, "Top", y());
        settings->writeInteger(Settings::kOptions, "Left", x());
        settings->writeInteger(Settings::kOptions, "Width", width());
        settings->writeInteger(Settings::kOptions, "Height", height());
    }
    settings->flush();
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
    close();
}

void TSysLogForm::iBtnSetupMouseUp() {
    if (showSettingsDialog)
        showSettingsDialog();
}

void TSysLogForm::ibtnHelpMouseUp() {
    ShowHelpOrWarn(helpFolder(m_env.appFolder), HelpWindow::kFilterContext, *m_env.dialogs);
}

void TSysLogForm::iBtnClearMouseUp() {
    m_data.ClearMessagesInView();
    MessageSetScrolled();
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
