#pragma once

#include "widgets/TImageList.h"

#include <QComboBox>
#include <QDialog>
#include <QString>

class QPainter;
class QPushButton;

namespace corvane {

class TgLabel;
class TImageLabel;
class TnControl;
class TLanguageDlg;

// The drop-down list of languages. The dialog draws its items, in the list as in the closed
// box, so the "=value" part of an item is never shown as text.
class TLanguageList : public QComboBox {
    Q_OBJECT
public:
    TLanguageList(TLanguageDlg* owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TLanguageDlg* m_owner;
};

// The language dialog: a list of four user-interface languages with their flags. The chosen
// language is kept as a three-letter code ("DEU", "ENU", "ESN", "FRA"). The code follows the
// list as soon as it closes on an item; Cancel (or the close box, or Escape) puts back the code
// the dialog was opened with. exec() answers 1 for OK and 2 for Cancel.
class TLanguageDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    explicit TLanguageDlg(QWidget* parent = nullptr);

    TnControl* Body;
    TImageLabel* Image1;
    TgLabel* Query;
    TLanguageList* Languages;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;
    TImageList Images{QSize(16, 11)};

    QString LanguageCode() const { return m_languageCode; }

    // Selects item i (0 to 3) and takes its code; any other index changes nothing.
    void SelectLanguage(int i);
    // Selects the item of a code; an unknown code selects English.
    void selectCode(const QString& code);
    void LanguagesCloseUp();
    // Draws item i of the list into r: its flag and its name, or the whole item text when it
    // names no flag. The painter's pen and brush carry the colours of the item's state.
    void LanguagesDrawItem(QPainter& painter, int i, const QRect& r, bool selected);

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    void retranslate();

    QString m_languageCode;
    QString m_codeAtOpen;
};

}  // namespace corvane
