#include "ui/AdvancedFilterPanel.h"

#include "app/Settings.h"
#include "filter/SimpleFilterBar.h"
#include "ui/MsgDialog.h"
#include "widgets/TImageButton.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextCharFormat>

namespace corvane {

namespace {

// The extent of the token that starts at `start`: a quoted text or a bracketed field name whole,
// otherwise up to the next blank or operator sign.
int tokenLength(const QString& text, int start) {
    const int n = static_cast<int>(text.size());
    if (start >= n)
        return 0;
    const QChar first = text[start];
    if (first == QLatin1Char('\'') || first == QLatin1Char('[')) {
        const QChar close = first == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('\'');
        const int end = static_cast<int>(text.indexOf(close, start + 1));
        return (end < 0 ? n : end + 1) - start;
    }
    static const QString kStops = QStringLiteral("()=<>,+*/");
    int end = start + 1;
    if (!kStops.contains(first))
        while (end < n && !text[end].isSpace() && !kStops.contains(text[end])) ++end;
    return end - start;
}

Settings* settingsOf(const std::function<Settings*()>& get) {
    return get ? get() : nullptr;
}

}  // namespace

AdvancedFilterPanel::AdvancedFilterPanel(QLineEdit* edit, TImageButton* clearButton,
                                         TImageButton* applyButton, SimpleFilterBar& bar,
                                         std::function<Settings*()> settings, QObject* parent)
    : QObject(parent), m_edit(edit), m_bar(bar), m_settings(std::move(settings)) {
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, &AdvancedFilterPanel::EditChange);
    if (clearButton)
        connect(clearButton, &TImageButton::clicked, this, [this] { btnClearMouseUp(); });
    if (applyButton)
        connect(applyButton, &TImageButton::clicked, this, [this] { btnApplyMouseUp(); });
}

// Both colours come from the palette the edit would have without the grey, so switching between
// them never feeds one into the other.
QColor AdvancedFilterPanel::greyColor() const {
    return m_edit->parentWidget() ? m_edit->parentWidget()->palette().color(QPalette::PlaceholderText)
                                  : QApplication::palette().color(QPalette::PlaceholderText);
}

QColor AdvancedFilterPanel::textColor() const {
    return m_edit->parentWidget() ? m_edit->parentWidget()->palette().color(QPalette::Active, QPalette::Text)
                                  : QApplication::palette().color(QPalette::Active, QPalette::Text);
}

void AdvancedFilterPanel::setGrey(bool grey) {
    m_grey = grey;
    QPalette p = m_edit->palette();
    const QColor c = grey ? greyColor() : textColor();
    p.setColor(QPalette::Active, QPalette::Text, c);
    p.setColor(QPalette::Inactive, QPalette::Text, c);
    m_edit->setPalette(p);
}

bool AdvancedFilterPanel::loadSaved() {
    Settings* settings = settingsOf(m_settings);
    const std::string text = settings ? settings->readString(Settings::kOptions, kTextKey, kPlaceholder)
                                      : std::string(kPlaceholder);
    m_edit->setText(textFromCore(text));
    m_edit->setModified(false);
    setGrey(text == kPlaceholder);
    return settings && !m_grey && settings->readBool(Settings::kOptions, kActiveKey, false);
}

void AdvancedFilterPanel::EditEnter() {
    m_entryText = m_edit->text();
    if (m_grey) {
        // Clearing the example is no edit of the operator's: leaving the field untouched
        // brings the example back and writes nothing.
        m_edit->clear();
        m_edit->setModified(false);
    }
}

void AdvancedFilterPanel::EditChange() {
    if (m_errorLength > 0)
        underline(0, 0);
    const QString text = m_edit->text();
    if (!text.isEmpty() && text != QLatin1String(kPlaceholder) && text != m_entryText)
        setGrey(false);
}

void AdvancedFilterPanel::EditExit() {
    if (m_edit->isModified()) {
        if (Settings* settings = settingsOf(m_settings))
            settings->writeString(Settings::kOptions, kTextKey, m_edit->text().toStdString());
        m_edit->setModified(false);
    } else if (m_edit->text().isEmpty()) {
        m_edit->setText(m_entryText.isEmpty() ? QString::fromLatin1(kPlaceholder) : m_entryText);
        setGrey(m_edit->text() == QLatin1String(kPlaceholder));
    }
}

void AdvancedFilterPanel::setActive(bool on) {
    m_active = on;
    if (Settings* settings = settingsOf(m_settings))
        settings->writeBool(Settings::kOptions, kActiveKey, on);
}

void AdvancedFilterPanel::btnClearMouseUp() {
    underline(0, 0);
    m_edit->setText(QString::fromLatin1(kPlaceholder));
    m_edit->setModified(false);
    m_entryText.clear();
    setGrey(true);
    if (Settings* settings = settingsOf(m_settings))
        settings->deleteKey(Settings::kOptions, kTextKey);
    withdraw();
}

void AdvancedFilterPanel::withdraw() {
    const bool wasInForce = !m_bar.advancedPart().empty();
    if (m_active)
        setActive(false);
    if (wasInForce) {
        m_bar.setAdvancedPart({});
        m_bar.ApplyFilter();
    }
}

bool AdvancedFilterPanel::btnApplyMouseUp() {
    const QString text = m_edit->text();
    if (m_grey || text.trimmed().isEmpty()) {
        withdraw();
        return false;
    }
    if (m_edit->isModified())
        EditExit();
    const std::string previous = m_bar.advancedPart();
    m_bar.setAdvancedPart(text.toStdString());
    m_bar.ApplyFilter();
    if (!m_bar.lastApplyFailed()) {
        underline(0, 0);
        setActive(true);
        return true;
    }
    const int position = m_bar.lastErrorPosition();
    // The view goes back to the filter that was in force before.
    m_bar.setAdvancedPart(previous);
    m_bar.ApplyFilter();
    if (position >= 0) {
        const int n = static_cast<int>(text.size());
        const int start = position >= n ? std::max(0, n - 1) : position;
        underline(start, std::max(1, tokenLength(text, start)));
    }
    return false;
}

void AdvancedFilterPanel::underline(int start, int length) {
    m_errorStart = start;
    m_errorLength = length;
    QList<QInputMethodEvent::Attribute> attributes;
    if (length > 0) {
        QTextCharFormat format;
        format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        format.setUnderlineColor(QColor(255, 0, 0));
        // Positions of these formats count from the cursor.
        attributes.append(QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat,
                                                       start - m_edit->cursorPosition(), length, format));
    }
    QInputMethodEvent event(QString(), attributes);
    QCoreApplication::sendEvent(m_edit, &event);
}

bool AdvancedFilterPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        switch (event->type()) {
            case QEvent::FocusIn:
                EditEnter();
                break;
            case QEvent::FocusOut:
                EditExit();
                break;
            case QEvent::KeyPress: {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    EditExit();
                    btnApplyMouseUp();
                    return true;
                }
                break;
            }
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace corvane
