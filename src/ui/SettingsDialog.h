#pragma once

#include <QComboBox>
#include <QDialog>
#include <QString>

#include "platform/SmtpSend.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace corvane {

class LookupGrid;
class LookupRows;
class MessageDialogs;
class Settings;
class TData;
class TgCheckLabel;
class TgLabel;
class TImageList;
class TnControl;
class TnPageControl;

// An editable list that tells when its list drops down and when it closes up again.
class SettingsComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;
    void hidePopup() override;

signals:
    void droppedDown();
    void closedUp();
};

// What the settings dialog takes from the program around it.
struct SettingsDialogEnvironment {
    TData* data = nullptr;              // the facility and severity tables; may be null
    MessageDialogs* dialogs = nullptr;  // the "Port Settings" message; required
    // Asks before the lookup grid deletes a row; unset asks with the message dialog.
    std::function<bool(const QString& question)> confirm;
    // Opens the help at a context number; unset shows nothing.
    std::function<void(int context)> showHelp;
    // The window FillFromSettings places when the location is kept; may be null.
    QWidget* mainWindow = nullptr;
    // Sends the test mail (on a thread of its own); unset sends it through the mail server.
    std::function<SmtpResult(const SmtpOptions&, const std::string& message)> sendMail;
};

// The modal Setup dialog. Each setting is a control named after its key in section Options; a
// control's "tag" property is 1 while it holds a change not yet written. Text fields show their
// value grey until the operator edits them. Only changed controls are written, and only on OK.
// The dialog holds the settings object without owning it.
class TSettings : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 100;

    explicit TSettings(SettingsDialogEnvironment environment, QWidget* parent = nullptr);
    ~TSettings() override;

    // Holds the settings object and fills the dialog from it when it is another than the one
    // held (in practice at the first opening).
    void SetSettings(Settings* settings);
    Settings* settings() const { return m_settings; }
    // The main window's icon lists, not owned; handed over at each opening.
    void setIcons(const TImageList* facilityIcons, const TImageList* severityIcons);
    // The items of both binding lists; their shown texts stay.
    void setLocalAddresses(const std::vector<std::string>& addresses);

    void FillFromSettings();
    void MarkChanged(QWidget* control);
    void SettingChange(QWidget* control);
    void SaveChanged();
    bool changed() const { return m_changed; }

    // The handlers, public so that the keyboard and focus paths and the tests reach the same
    // steps.
    void EditEnter(QLineEdit* edit);
    void EditChange(QLineEdit* edit);
    void EditExit(QLineEdit* edit);
    void EditKeyPress(QLineEdit* edit);
    void ComboBoxDropDown(QComboBox* list);
    void ComboBoxCloseUp(QComboBox* list);
    void ComboBoxChange(QComboBox* list);
    void nPageControlChange(int index);
    void tvDetailedChange();
    void dbgLookupResize();
    void btnEditMouseUp();
    void BtnOkMouseUp();
    void BtnCancelMouseUp();
    void BtnHelpMouseUp();
    // Sends a mail with what the mail fields hold now (saved or not) and reports, once the
    // server answered, that it was sent or the server's error. The dialog stays usable meanwhile.
    void btnTestMailClick();
    bool testMailSending() const { return m_testMailSending; }

    // The close box and the Escape key act exactly as the Cancel button.
    void reject() override;

    // Whether a control shows its text in the grey colour.
    static bool isGrey(const QWidget* control);
    static int tagOf(const QWidget* control);
    // A whole decimal number from 1 to 65535.
    static bool isValidPort(const QString& text);

    TgLabel* lbHeader;
    TnPageControl* nPageControl;
    QWidget* General;
    QWidget* Notification;
    QWidget* Detailed;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
    QPushButton* BtnHelp;

    TnControl* nNetwork;
    TgLabel* lbUDPPort;
    QLineEdit* UDPPort;
    TgLabel* lbUDPBindings;
    SettingsComboBox* UDPBindings;
    TgLabel* lbTCPPort;
    QLineEdit* TCPPort;
    TgLabel* lbTCPBindings;
    SettingsComboBox* TCPBindings;
    TnControl* nUpdates;
    TgCheckLabel* UpdateCheck;
    TgLabel* lbUpdateURL;
    QLineEdit* UpdateURL;
    TgCheckLabel* SaveLocation;
    TnControl* nStorage;
    TgLabel* lbKeepMessages;
    QLineEdit* KeepMessages;
    TgLabel* lbKeepDays;
    QLineEdit* KeepDays;
    TgCheckLabel* BringToFront;

    TnControl* nSimpleNotfy;
    TgCheckLabel* NotifySound;
    TgCheckLabel* NotifyEmail;
    QLineEdit* EmailAddr1;
    TgLabel* lbMailHost;
    QLineEdit* MailHost;
    TgLabel* lbUserName;
    QLineEdit* UserName;
    TgLabel* lbPort;
    QLineEdit* Port;
    TgLabel* lbPassword;
    QLineEdit* Password;
    TgCheckLabel* UseSSL;
    TgCheckLabel* NotifyDesktop;
    QPushButton* btnTestMail;
    TgLabel* lbNotifyCondition;
    TgLabel* lbFacility;
    SettingsComboBox* NotifyFacility;
    TgLabel* gLabel1;
    SettingsComboBox* NotifySeverity;
    TgLabel* lbAddress;
    QLineEdit* NotifyAddress;
    TgLabel* lbCondition;
    QLineEdit* NotifyCondition;

    TnControl* DetailPanel0;
    QTreeWidget* tvDetailed;
    LookupGrid* dbgLookup;
    QPushButton* btnEdit;

    // The icons the lookup grid draws from (null: none).
    const TImageList* currentIcons() const { return m_currentIcons; }
    // The table the lookup grid shows, null when none.
    LookupRows* lookupRows() const { return m_shownRows; }

    // The property that holds the untranslated first text of a field that describes its content.
    static constexpr const char* kHintProperty = "hintSource";
    // ... and the translation of it the field was given last.
    static constexpr const char* kShownHintProperty = "hintShown";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildComponents();
    void buildGeneralPage();
    void buildNotificationPage();
    void buildDetailedPage();
    void connectHandlers();
    void FormCreate();
    void lookupPosted();
    void deleteLookupRow();
    void setGrey(QWidget* control, bool grey);
    void setMailControlsEnabled(bool on);
    void fillEdit(QLineEdit* edit);
    void fillList(QComboBox* list, const char* fallback);
    void showLookup(LookupRows* rows, const TImageList* icons);

    SettingsDialogEnvironment m_env;
    Settings* m_settings = nullptr;
    bool m_changed = false;
    bool m_filling = false;
    bool m_testMailSending = false;
    QString m_entryText;
    const TImageList* m_facilityIcons = nullptr;
    const TImageList* m_severityIcons = nullptr;
    const TImageList* m_currentIcons = nullptr;
    LookupRows* m_facilityRows = nullptr;
    LookupRows* m_severityRows = nullptr;
    LookupRows* m_shownRows = nullptr;
    QLineEdit* m_nameEditor = nullptr;
    std::vector<QWidget*> m_settingControls;
    std::vector<QLineEdit*> m_edits;
    std::vector<SettingsComboBox*> m_lists;
};

}  // namespace corvane
