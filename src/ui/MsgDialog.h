#pragma once

#include "platform/MessageDialogs.h"

#include <QDialog>
#include <array>
#include <string>
#include <QPixmap>
#include <QString>

class QPushButton;
class QScrollArea;
class QTimer;

namespace corvane {

class SoundPlayer;
class TgCheckLabel;
class TgLabel;
class TImageLabel;
class TnControl;
class TnLabel;

// Message dialog kinds: the core's kinds, under the names the window's code uses.
enum MsgKind {
    mkPlain = dkPlain,
    mkError = dkError,
    mkQuestion = dkQuestion,
    mkWarning = dkWarning,
    mkInformation = dkInformation
};

// What the message dialogs use from the outside world. Tests inject a recording player, their
// own sound table and a short auto-close interval.
struct MsgDialogEnvironment {
    SoundPlayer* player = nullptr;                       // null: the desktop's sound service
    const std::array<std::string, 7>* sounds = nullptr;  // null: the table read at start
    int autoCloseMs = 30000;
    bool autoClose = true;
    bool playSounds = true;
};
MsgDialogEnvironment& msgDialogEnvironment();

// The program's one dialog for errors, warnings and notices: a kind picture at the left, the
// message and an optional detail in a white scrolling area, up to two buttons. Fixed size,
// always on top; closes itself with result 1 when its auto-close timer fires.
class TMsgDialog : public QDialog {
    Q_OBJECT
public:
    explicit TMsgDialog(QWidget* owner = nullptr);

    TgLabel* glTopPanel;
    TnLabel* nLeftPanel;
    TImageLabel* Image;
    TgLabel* glRightPanel;
    QScrollArea* ScrollBox;
    TgLabel* Message;
    TgLabel* Detail;
    TnControl* nButtons;
    TgCheckLabel* cbAsk;
    QPushButton* Button1;
    QPushButton* Button2;
    QTimer* AutoClose;

    // Sizes the message and detail labels to their wrapped texts inside the scrolling area.
    void arrangeTexts();

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The picture of a kind: 0 generic, 16 error, 32 question, 48 warning, 64 information.
QPixmap kindPicture(int kind);

// Shows the dialog modally and answers 1 (OK) or 2 (Cancel). An empty button text keeps the
// button's caption, "btnHidden" hides the button. A kind outside the table shows picture
// (the generic picture when none is given). ask: in, shows the "Don't ask again." box; out,
// whether it was checked.
int ExecuteMsgDialog(QWidget* owner, const QString& message, const QString& detail, const QString& title,
                     const QString& button1, const QString& button2, int kind, bool& ask,
                     const QPixmap& picture = {});
int MsgDialog(QWidget* owner, const QString& message, const QString& title, const QString& button1,
              const QString& button2, int kind);
int MsgDialogDetail(QWidget* owner, const QString& message, const QString& detail, const QString& title,
                    const QString& button1, const QString& button2, int kind);

// The text with blanks added so that a word-wrapping label can break every line within n
// characters. Every character of the text stays, in order. n below 1 leaves the text as it is.
QString WrapMessageText(const QString& text, int n);

// The core's way to the message dialog: one OK button, as every caller of the program shows it.
class QtMessageDialogs : public MessageDialogs {
public:
    explicit QtMessageDialogs(QWidget* owner = nullptr) : m_owner(owner) {}
    int show(const std::string& message, const std::string& title, int kind,
             const std::string& detail) override;

private:
    QWidget* m_owner;
};

// 8-bit core text for display: UTF-8 when it is valid UTF-8, Latin-1 otherwise.
QString textFromCore(const std::string& bytes);

}  // namespace corvane
