#include "store/TData.h"
#include "ui/SettingsDialog.h"

#include "app/AppCore.h"
#include "app/Settings.h"
#include "ui/MsgDialog.h"
#include "ui/SettingsDialogLookup.h"
#include "ui/SettingsDialogTexts.h"
#include "ui/WindowPlacement.h"
#include "widgets/TgCheckLabel.h"
#include "widgets/TgLabel.h"
#include "widgets/TnPageControl.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace corvane {

namespace texts = settings_dialog_texts;

namespace {

constexpr const char* kOptions = Settings::kOptions;
const QColor kGreyText(128, 128, 128);

std::string keyOf(const QWidget* w) {
    return w->objectName().toStdString();
}

// Focus that moves because a window opens or closes (a message dialog, a list's popup) is not
// the operator entering or leaving a field.
bool isFieldFocusChange(const QEvent* event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// Replaces the items of an editable list and keeps the text it shows.
void replaceItems(QComboBox* list, const QStringList& items) {
    const QSignalBlocker block(list);
    const QString text = list->currentText();
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
    list->setEditText(text);
}

}  // namespace

void SettingsComboBox::showPopup() {
    emit droppedDown();
    QComboBox::showPopup();
}

void SettingsComboBox::hidePopup() {
    const bool wasShown = view() && view()->isVisible();
    QComboBox::hidePopup();
    // The list hides its popup before it takes the chosen item, so the close-up is reported
    // once the choice has been made.
    if (wasShown)
        QMetaObject::invokeMethod(this, &SettingsComboBox::closedUp, Qt::QueuedConnection);
}

TSettings::TSettings(SettingsDialogEnvironment environment, QWidget* parent)
    : QDialog(parent), m_env(std::move(environment)) {
    buildComponents();
    if (m_env.data) {
        m_facilityRows = new LookupRows(m_env.data->FacilitySet(), this);
        m_severityRows = new LookupRows(m_env.data->SeveritySet(), this);
    }
    connectHandlers();
    FormCreate();
}

TSettings::~TSettings() {
    if (m_env.data) {
        m_env.data->FacilitySet().afterPost = nullptr;
        m_env.data->SeveritySet().afterPost = nullptr;
    }
}

void TSettings::FormCreate() {
    QPalette pal = tvDetailed->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    tvDetailed->setPalette(pal);
    if (m_env.data) {
        m_env.data->FacilitySet().afterPost = [this](Table&) { lookupPosted(); };
        m_env.data->SeveritySet().afterPost = [this](Table&) { lookupPosted(); };
    }
}

void TSettings::connectHandlers() {
    for (TgCheckLabel* c :
         {UpdateCheck, SaveLocation, BringToFront, NotifySound, NotifyDesktop, NotifyEmail, UseSSL}) {
        connect(c, &TgCheckLabel::checkToggled, this, [this, c] { SettingChange(c); });
        c->installEventFilter(this);
    }
    for (QLineEdit* e : m_edits) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, [this, e] { EditChange(e); });
    }
    for (SettingsComboBox* c : m_lists) {
        connect(c, &SettingsComboBox::droppedDown, this, [this, c] { ComboBoxDropDown(c); });
        connect(c, &SettingsComboBox::closedUp, this, [this, c] { ComboBoxCloseUp(c); });
    }
    for (SettingsComboBox* c : {NotifyFacility, NotifySeverity})
        connect(c, &QComboBox::editTextChanged, this, [this, c] { ComboBoxChange(c); });
    connect(nPageControl, &TnPageControl::currentChanged, this, &TSettings::nPageControlChange);
    connect(tvDetailed, &QTreeWidget::currentItemChanged, this, [this] { tvDetailedChange(); });
    connect(dbgLookup, &TnDBGrid::resized, this, &TSettings::dbgLookupResize);
    connect(dbgLookup, &LookupGrid::deleteRequested, this, &TSettings::deleteLookupRow);
    dbgLookup->onDrawColumnCell = [this](TnDBGrid& grid, QPainter& p, const GridCell& cell) {
        DrawLookupCell(grid, p, cell, m_shownRows, m_currentIcons);
    };
    connect(btnEdit, &QPushButton::clicked, this, &TSettings::btnEditMouseUp);
    connect(BtnOk, &QPushButton::clicked, this, &TSettings::BtnOkMouseUp);
    connect(BtnCancel, &QPushButton::clicked, this, &TSettings::reject);
    connect(BtnHelp, &QPushButton::clicked, this, &TSettings::BtnHelpMouseUp);
    connect(btnTestMail, &QPushButton::clicked, this, &TSettings::btnTestMailClick);
}

bool TSettings::eventFilter(QObject* watched, QEvent* event) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
        switch (event->type()) {
            case QEvent::FocusIn:
                if (isFieldFocusChange(event))
                    EditEnter(edit);
                break;
            case QEvent::FocusOut:
                if (isFieldFocusChange(event))
                    EditExit(edit);
                break;
            case QEvent::KeyPress: {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    EditKeyPress(edit);
                    return true;
                }
                break;
            }
            default:
                break;
        }
    } else if (auto* check = qobject_cast<TgCheckLabel*>(watched)) {
        // A box toggled from the keyboard is a change like one toggled with the mouse.
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
            check->isEnabled()) {
            check->setChecked(!check->checked());
            SettingChange(check);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSettings::SetSettings(Settings* settings) {
    if (settings == m_settings)
        return;
    m_settings = settings;
    FillFromSettings();
}

void TSettings::setIcons(const TImageList* facilityIcons, const TImageList* severityIcons) {
    m_facilityIcons = facilityIcons;
    m_severityIcons = severityIcons;
    if (m_shownRows)
        m_currentIcons = m_shownRows == m_facilityRows ? m_facilityIcons : m_severityIcons;
    dbgLookup->viewport()->update();
}

void TSettings::setLocalAddresses(const std::vector<std::string>& addresses) {
    QStringList items;
    for (const std::string& a : addresses) items.append(QString::fromStdString(a));
    replaceItems(UDPBindings, items);
    replaceItems(TCPBindings, items);
}

void TSettings::fillEdit(QLineEdit* edit) {
    const std::string current = edit->text().toStdString();
    edit->setText(QString::fromStdString(m_settings->readString(kOptions, keyOf(edit), current)));
}

void TSettings::fillList(QComboBox* list, const char* fallback) {
    const QSignalBlocker block(list);
    const QString text = QString::fromStdString(m_settings->readString(kOptions, keyOf(list), fallback));
    list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
    list->setEditText(text);
}

void TSettings::FillFromSettings() {
    if (m_settings) {
        m_filling = true;
        SaveLocation->setChecked(m_settings->readBool(kOptions, "SaveLocation", true));
        BringToFront->setChecked(m_settings->readBool(kOptions, "BringToFront", true));
        NotifySound->setChecked(m_settings->readBool(kOptions, "NotifySound", true));
        NotifyDesktop->setChecked(m_settings->readBool(kOptions, "NotifyDesktop", true));
        // The mail is sent as this box says, so it shows what the file says.
        UseSSL->setChecked(m_settings->readBool(kOptions, "UseSSL", true));
        const bool email = m_settings->readBool(kOptions, "NotifyEmail", false);
        if (email != NotifyEmail->checked()) {
            NotifyEmail->setChecked(email);
            SettingChange(NotifyEmail);
        }
        for (QLineEdit* e : {EmailAddr1, MailHost, UserName, Password, Port, NotifyAddress, NotifyCondition,
                             KeepMessages, KeepDays})
            fillEdit(e);
        fillList(NotifyFacility, texts::kNotifyFacility);
        fillList(NotifySeverity, texts::kNotifySeverity);
        UDPPort->setText(
            QString::fromStdString(m_settings->readString(kOptions, "UDPPort", texts::kUDPPort)));
        fillList(UDPBindings, texts::kBinding);
        TCPPort->setText(
            QString::fromStdString(m_settings->readString(kOptions, "TCPPort", texts::kTCPPort)));
        fillList(TCPBindings, texts::kBinding);
        UpdateURL->setText(QString::fromStdString(
            m_settings->readString(kOptions, "UpdateURL", AppCore::kDefaultUpdateURL)));
        // The update switch is honoured, so its box shows what the file says.
        UpdateCheck->setChecked(m_settings->readBool(kOptions, "UpdateCheck", true));
        if (SaveLocation->checked() && m_env.mainWindow) {
            QWidget* w = m_env.mainWindow;
            const int top = m_settings->readInteger(kOptions, "Top", w->y());
            const int left = m_settings->readInteger(kOptions, "Left", w->x());
            const int width = m_settings->readInteger(kOptions, "Width", w->width());
            const int height = m_settings->readInteger(kOptions, "Height", w->height());
            PlaceWindow(*w, QRect(left, top, width, height));
        }
        m_filling = false;
    }
    BtnOk->setEnabled(false);
}

void TSettings::MarkChanged(QWidget* control) {
    control->setProperty("tag", 1);
    if (m_settings) {
        m_changed = true;
        BtnOk->setEnabled(true);
    }
}

void TSettings::setMailControlsEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{EmailAddr1, lbMailHost, MailHost, lbUserName, UserName,
                                                      lbPort, Port, UseSSL, lbPassword, Password})
        w->setEnabled(on);
    btnTestMail->setEnabled(on && !m_testMailSending);
}

void TSettings::SettingChange(QWidget* control) {
    if (control == NotifyEmail)
        setMailControlsEnabled(NotifyEmail->checked());
    MarkChanged(control);
}

void TSettings::SaveChanged() {
    if (!m_settings)
        return;
    for (QWidget* w : m_settingControls) {
        if (tagOf(w) != 1)
            continue;
        w->setProperty("tag", 0);
        if (auto* check = qobject_cast<TgCheckLabel*>(w))
            m_settings->writeBool(kOptions, keyOf(w), check->checked());
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            m_settings->writeString(kOptions, keyOf(w), edit->text().toStdString());
        else if (auto* list = qobject_cast<QComboBox*>(w))
            m_settings->writeString(kOptions, keyOf(w), list->currentText().toStdString());
    }
    const std::string error = m_settings->flush();
    if (!error.empty())
        m_env.dialogs->show(error, texts::kCaption, mkError);
}

void TSettings::setGrey(QWidget* control, bool grey) {
    QPalette pal = control->palette();
    pal.setColor(QPalette::Text, grey ? kGreyText : palette().color(QPalette::WindowText));
    control->setPalette(pal);
    control->setProperty("grey", grey);
}

bool TSettings::isGrey(const QWidget* control) {
    return control->property("grey").toBool();
}

void TSettings::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // A field still showing its grey description (not a value from the file) shows it in
        // the new language.
        for (QLineEdit* edit : findChildren<QLineEdit*>()) {
            const QByteArray hint = edit->property(kHintProperty).toByteArray();
            if (hint.isEmpty() || !isGrey(edit) ||
                edit->text() != edit->property(kShownHintProperty).toString())
                continue;
            const QString now = QCoreApplication::translate("corvane::TSettings", hint.constData());
            edit->setText(now);
            edit->setProperty(kShownHintProperty, now);
        }
    }
    QDialog::changeEvent(event);
}

int TSettings::tagOf(const QWidget* control) {
    return control->property("tag").toInt();
}

bool TSettings::isValidPort(const QString& text) {
    if (text.isEmpty() || text.size() > 5)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const int value = text.toInt();
    return value >= 1 && value <= 65535;
}

void TSettings::EditEnter(QLineEdit* edit) {
    m_entryText = edit->text();
    if (isGrey(edit))
        edit->clear();
    setGrey(edit, false);
    BtnCancel->setDefault(false);
}

void TSettings::EditChange(QLineEdit* edit) {
    if (!edit->text().isEmpty() && edit->text() != m_entryText)
        setGrey(edit, false);
}

void TSettings::EditExit(QLineEdit* edit) {
    if (edit->text().isEmpty()) {
        edit->setText(m_entryText);
        setGrey(edit, true);
    } else if (edit->isModified()) {
        if ((edit == UDPPort || edit == TCPPort) && !isValidPort(edit->text())) {
            m_env.dialogs->show(texts::kPortRange, texts::kPortSettings, mkInformation);
            edit->setText(m_entryText);
            setGrey(edit, false);
            return;
        }
        SettingChange(edit);
        edit->setModified(false);
    }
    BtnCancel->setDefault(true);
}

void TSettings::EditKeyPress(QLineEdit* edit) {
    EditExit(edit);
    BtnCancel->setDefault(false);
}

void TSettings::ComboBoxDropDown(QComboBox* list) {
    m_entryText = list->currentText();
    setGrey(list, false);
}

void TSettings::ComboBoxCloseUp(QComboBox* list) {
    const int index = list->currentIndex();
    const QString selected = index >= 0 ? list->itemText(index) : QString();
    if (selected != m_entryText) {
        SettingChange(list);
        setGrey(list, false);
    }
    m_entryText.clear();
}

void TSettings::ComboBoxChange(QComboBox* list) {
    if (m_filling)
        return;
    const QString text = list->currentText();
    if (text != m_entryText) {
        const int match = list->findText(text, Qt::MatchFixedString);
        if (match != list->currentIndex()) {
            const QSignalBlocker block(list);
            QLineEdit* line = list->lineEdit();
            const int cursor = line ? line->cursorPosition() : 0;
            list->setCurrentIndex(match);
            if (match < 0) {
                // No item has that name: the text stays as typed.
                list->setEditText(text);
                if (line)
                    line->setCursorPosition(cursor);
            }
        }
    }
    ComboBoxCloseUp(list);
}

void TSettings::lookupPosted() {
    if (!m_settings)
        return;
    m_changed = true;
    BtnOk->setEnabled(true);
}

void TSettings::BtnOkMouseUp() {
    if (m_env.data &&
        (m_env.data->FacilitySet().hasUnsavedChanges() || m_env.data->SeveritySet().hasUnsavedChanges())) {
        const TData::SaveResult saved = m_env.data->SaveLookups();
        if (!saved.ok())
            m_env.dialogs->show(saved.error, texts::kCaption, mkError);
    }
    if (m_changed)
        SaveChanged();
    BtnOk->setEnabled(false);
    accept();
}

void TSettings::BtnCancelMouseUp() {
    // A cancelled change is forgotten: a later OK must not write it.
    for (QWidget* w : m_settingControls) w->setProperty("tag", 0);
    if (m_env.data) {
        m_env.data->FacilitySet().discardChanges();
        m_env.data->SeveritySet().discardChanges();
        for (LookupRows* rows : {m_facilityRows, m_severityRows}) rows->notifyChanged();
    }
    FillFromSettings();
}

void TSettings::reject() {
    BtnCancelMouseUp();
    QDialog::reject();
}

void TSettings::BtnHelpMouseUp() {
    if (m_env.showHelp)
        m_env.showHelp(kHelpContext);
}

}  // namespace corvane
