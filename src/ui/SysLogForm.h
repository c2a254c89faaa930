#pragma once

#include "app/IntakeWindow.h"
#include "filter/LocaleFormats.h"
#include "ui/DataGridView.h"
#include "ui/SimpleResize.h"
#include "widgets/TImageList.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTimer;

namespace corvane {

class AdvancedFilterPanel;
class AppCore;
class DetailsPane;
class FilterBarController;
class MessageGrid;
class MessageTableModel;
class SearchHighlight;
class SendersPage;
class TestMessageBar;
class UpdateChecker;
class Anchors;
class MainThread;
class MessageDialogs;
class NotifyActions;
class Settings;
class TData;
class TDuration;
class TgLabel;
class TImageButton;
class TImageLabel;
class TnControl;
class TnDBGrid;
class TnLabel;
class TnPageControl;
class TableRows;

// What the main window takes from the program around it.
struct FormEnvironment {
    QString appFolder;         // with a trailing slash: image library, help, sounds
    std::string settingsPath;  // the settings file
    LocaleFormats formats;
    MessageDialogs* dialogs = nullptr;  // the core's way to the message dialog
    NotifyActions* actions = nullptr;
    MainThread* mainThread = nullptr;
    std::function<double()> clock;            // the up-time counter's clock; null: the system clock
    std::function<bool()> internetConnected;  // null: the platform's test
};

// The program's main window: header with the Exit, Setup, Help and Clear All buttons, the
// filter bar, the Recent page (details pane and message grid) and the Data page (table grid and
// test message), and the status bar with the up-time counter, the event counter and the
// network indicator. Its create, activate, close and destroy steps run the program's start-up
// and shutdown around the application core.
class TSysLogForm : public QWidget, public IntakeWindow {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 758;
    static constexpr int kDesignHeight = 532;
    static constexpr int kTimerInterval = 600000;

    TSysLogForm(TData& store, FormEnvironment environment);
    ~TSysLogForm() override;

    // IntakeWindow
    void BringToFront() override;
    void MessageSelect(Table& table, int recNo) override;
    void ShowNotice(const std::string& text) override;

    AppCore* core() { return m_core.get(); }
    // The daily update check; null before start-up created it.
    UpdateChecker* updater() { return m_updater.get(); }
    // The error start-up met while opening the listener (empty when it listens).
    const QString& startError() const { return m_startError; }

    // Whether the view follows new messages. It stops while the operator reads (the grid
    // scrolled away from the newest record, or an older record chosen by hand): new messages are
    // then counted in the status bar and neither the grid nor the details pane moves.
    bool following() const { return m_following; }
    int newWhileWaiting() const { return m_newWhileWaiting; }
    // End, or a click on the count of new messages: the newest record becomes current and the
    // view follows again.
    void FollowNewest();
    // Ctrl+C on the message grid: the selected records in view order, one text line each (date,
    // host, severity and message, separated by tabs), into the clipboard; answers the text.
    QString CopySelected();

    void ApplySettings();
    void RefreshNetworkIndicator();
    bool IsNetworkUp() const;
    void MessageSetScrolled();
    // Runs the application's shutdown steps once (also run by the destructor).
    void FormDestroy();
    // The end of a move or resize: writes the geometry when asked to and flushes the settings.
    void EndSizeMove();

    // Hooks to the dialogs, which are made after the window; unset means nothing happens.
    std::function<void()> showSettingsDialog;
    // Set once the settings dialog exists: it receives the settings object on every apply.
    std::function<void(Settings*)> handSettingsToDialog;
    std::function<bool()> settingsDialogVisible;
    std::function<bool()> saveLocationChecked;
    std::function<void()> showLanguageDialog;
    // Asks before "Clear All" deletes more than kClearWithoutAsking records; true to delete.
    // Unset: the program's message dialog with OK and Cancel.
    std::function<bool(int count)> askClearAll;
    static constexpr int kClearWithoutAsking = 100;
    // Asked when the window is closed (not when the program is ended): true hides it instead,
    // to the tray icon.
    std::function<bool()> closeToTray;
    // The operator has the window in front of him: what it counted as unseen is seen.
    std::function<void()> windowLookedAt;
    // Ends the program as the Exit button does, whether or not closing goes to the tray.
    void exitProgram();

    // The component tree, named as the window's parts are.
    TnControl* nHeader;
    TImageLabel* Image1;
    TImageButton* iBtnSetup;
    TImageButton* ibtnHelp;
    TImageButton* iBtnClose;
    TImageButton* iBtnClear;
    TImageLabel* CompanyLogo;

    TnControl* Filter;
    TImageButton* iBtnAdvanced;
    TnControl* Advanced;
    TImageButton* btnClear;
    QLineEdit* AdvancedFilter;
    TImageButton* btnApply;
    TImageButton* btnEditFilter;
    TnControl* Simple;
    TnLabel* IncrementFilter;
    QLineEdit* dbAmount;
    QComboBox* cbIncrement;
    TnLabel* AddressFilter;
    QComboBox* dbAddress;
    TnLabel* FacilityFilter;
    QComboBox* dbFacility;
    TnLabel* SeverityFilter;
    QComboBox* dbSeverity;

    TnPageControl* nMain;
    QWidget* RecentTab;
    TnControl* nRecent;
    QSplitter* Splitter1;
    QWidget* nRecentDetails;
    TnControl* nDetails;
    TImageLabel* iFacility;
    TgLabel* glDate;
    TgLabel* Date;
    TgLabel* glSeverity;
    TgLabel* Severity;
    TgLabel* glProcess;
    TgLabel* Process;
    TgLabel* SubProcess;
    TgLabel* glProcessID;
    TgLabel* ProcessID;
    TgLabel* ProcessEx;
    TgLabel* glData;
    QSplitter* Splitter2;
    QPlainTextEdit* DetailData;
    TgLabel* glDescription;
    QPlainTextEdit* Description;
    TnDBGrid* Messages;
    QWidget* DataTab;
    TnControl* clHistory;
    DataGridView* DataGrid;
    TnControl* nControl1;
    TnLabel* lblTest;
    QLineEdit* TestData;
    TnLabel* lblTestAddress;
    QLineEdit* TestAddress;
    QPushButton* btnTest;

    TnControl* StatusBar;
    TnLabel* lbUpTime;
    TDuration* Duration;
    TnLabel* lblEvents;
    TnLabel* EventCount;
    TnLabel* lblDropped;
    TnLabel* lblNew;
    TnLabel* lblTcp;  // shown while the built-in TCP listener could not be opened
    TImageButton* iLanguage;
    TImageButton* iNetwork;

    TImageList iSeverityList{QSize(32, 32)};
    TImageList iFacilityList{QSize(32, 32)};
    TImageList iButtons{QSize(32, 32)};
    TImageList SmImages{QSize(24, 24)};
    QTimer* Timer;

    SimpleBar simpleBar() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildComponents();
    void buildHeader();
    void buildFilterBar();
    void buildPages();
    void buildRecentPage();
    void buildDetails();
    void buildDataPage();
    void buildStatusBar();
    void alignChildren();
    void connectHandlers();

    void FormCreate();
    void AfterConstruction();
    void FormActivate();
    bool FormCloseQuery();
    void TimerEvent();
    // Answers what could not be loaded, empty when every list and picture is there.
    QString loadImageLists();
    void applyWindowPlacement();
    void refreshDropped();
    void showCurrentRecord(Table& table);
    void operatorMoved();
    void holdView(Table& messages);
    void showNewCount();
    // The status bar's TCP note and the network indicator's hint from the listeners' state.
    void refreshListenerState();

    void iBtnCloseMouseUp();
    void iBtnSetupMouseUp();
    void ibtnHelpMouseUp();
    void iBtnClearMouseUp();
    bool confirmClearAll(int count);
    void iLanguageMouseUp();
    void iBtnAdvancedMouseOver();
    void iBtnAdvancedMouseLeave();
    void btnTestClick();

    // The message grid, the details pane, the Data page, the filter bar and the test message bar.
    void wireMessageViews();
    // The words of the filter in force, marked anew when they changed.
    void markSearchWords();
    // The traffic figures in the status bar and above the Senders page.
    void wireTraffic(SendersPage& senders);
    void startFilterBar();
    void wireKeys();
    void focusFilter();
    void FormResize();
    void iBtnAdvancedMouseUp();
    void DailyUpdateCheck();

    TData& m_data;
    FormEnvironment m_env;
    std::unique_ptr<AppCore> m_core;
    std::unique_ptr<UpdateChecker> m_updater;
    std::unique_ptr<MessageDialogs> m_ownDialogs;
    TableRows* m_messageRows = nullptr;
    MessageGrid* m_messageGrid = nullptr;
    std::unique_ptr<DetailsPane> m_details;
    // The filter's words, marked in the message views; shared with the raw data box's handler,
    // which may run while the window's children are taken down.
    std::shared_ptr<SearchHighlight> m_highlight;
    MessageTableModel* m_dataModel = nullptr;
    FilterBarController* m_filterBar = nullptr;
    AdvancedFilterPanel* m_advancedPanel = nullptr;
    TestMessageBar* m_testBar = nullptr;
    int m_holdUpdates = 0;  // display updates held back while a filter is being applied
    QTimer* m_sizeMoveEnd = nullptr;
    QTimer* m_droppedRefresh = nullptr;
    QString m_startError;
    bool m_stretchPending = false;
    bool m_following = true;
    int m_newWhileWaiting = 0;
    bool m_holdingView = false;
    std::int32_t m_heldKey = 0;     // the record the operator reads while the view waits
    std::int32_t m_topKey = 0;      // the record at the top of the grid while the view waits
    std::int32_t m_newestSeen = 0;  // the newest record counted while the view waits
    QString m_lastNotice;           // the listener's latest notice, translated
    bool m_destroyed = false;
    bool m_closing = false;
    bool m_exiting = false;
    bool m_settingsWriteReported = false;  // a failed write after a move is reported once
};

}  // namespace corvane
