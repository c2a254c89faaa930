#pragma once

#include <QColor>
#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

namespace corvane {

class Settings;
class SimpleFilterBar;
class TImageButton;

// The advanced filter panel: an edit for a filter expression with a grey placeholder, the typed
// text kept in the settings (Options / AdvancedFilter), Apply (or Enter) making it the filter of
// the message view in place of the simple bar's parts, and Clear returning to those parts.
// Whether an applied expression is in force is kept as Options / AdvancedActive, so the next
// start shows the panel and applies it again. A filter that does not compile is reported by the
// bar ("Error Filtering Messages.") and its offending token is underlined in the edit.
class AdvancedFilterPanel : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kPlaceholder = "Example: [Field] = 'Value'";
    static constexpr const char* kTextKey = "AdvancedFilter";
    static constexpr const char* kActiveKey = "AdvancedActive";

    // `settings` answers the settings object, or null while there is none.
    AdvancedFilterPanel(QLineEdit* edit, TImageButton* clearButton, TImageButton* applyButton,
                        SimpleFilterBar& bar, std::function<Settings*()> settings, QObject* parent = nullptr);

    // Start-up: the saved text into the edit (the placeholder when none). Answers whether an
    // applied expression was in force when the program last ran.
    bool loadSaved();

    void EditEnter();
    void EditChange();
    void EditExit();
    void btnClearMouseUp();
    // Makes the edit's expression the advanced part and applies it; false when it failed to
    // compile (or there is nothing to apply).
    bool btnApplyMouseUp();
    // The panel is left for the simple bar: an applied expression stops being in force.
    void withdraw();

    bool placeholderShown() const { return m_grey; }
    bool active() const { return m_active; }
    // The underlined span of the last failed apply: start and length in characters (length 0
    // when nothing is underlined).
    int errorStart() const { return m_errorStart; }
    int errorLength() const { return m_errorLength; }

    QColor greyColor() const;
    QColor textColor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setGrey(bool grey);
    void setActive(bool on);
    void underline(int start, int length);

    QLineEdit* m_edit;
    SimpleFilterBar& m_bar;
    std::function<Settings*()> m_settings;
    QString m_entryText;
    bool m_grey = true;
    bool m_active = false;
    int m_errorStart = 0;
    int m_errorLength = 0;
};

}  // namespace corvane
