#include "ui/MsgDialog.h"
#include "ui/SoundPlayer.h"
#include "widgets/QtTestApp.h"
#include "widgets/TgCheckLabel.h"
#include "widgets/TgLabel.h"
#include "widgets/TImageLabel.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

class RecordingPlayer : public SoundPlayer {
public:
    void playEvent(const std::string& id) override { events.push_back(id); }
    void playFile(const std::string& path) override { events.push_back("file:" + path); }
    std::vector<std::string> events;
};

// Runs action on the message dialog as soon as it is on screen.
void whenShown(std::function<void(TMsgDialog*)> action) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<TMsgDialog*>(w);
            if (d && d->isVisible()) {
                poll->stop();
                poll->deleteLater();
                action(d);
                return;
            }
        }
    });
    poll->start();
}

void pressKey(QWidget* w, int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct MsgDialogFixture : ::testing::Test {
    RecordingPlayer player;
    SystemSoundTable sounds;
    MsgDialogEnvironment saved;
    void SetUp() override {
        LoadSystemSounds();
        sounds = systemSounds();
        saved = msgDialogEnvironment();
        msgDialogEnvironment().player = &player;
        msgDialogEnvironment().sounds = &sounds;
        msgDialogEnvironment().autoCloseMs = 10000;  // a test that fails to close a dialog still ends
        msgDialogEnvironment().playSounds = true;    // whatever a window test before left
    }
    void TearDown() override { msgDialogEnvironment() = saved; }
};

TEST_F(MsgDialogFixture, EachKindShowsItsPictureAndPlaysItsSlot) {
    struct Row {
        const char* name;
        int kind;
        const char* sound;
        const char* screenshot;
        const char* message;
        const char* detail;
    };
    const Row rows[] = {
        {"plain", 0, "message", "msgdialog-plain", "The test message was sent.", ""},
        {"error plays the exclamation slot", 16, "dialog-warning", "msgdialog-error",
         "Error Filtering Messages.", "Unknown field 'Sevrity' at position 2 of the filter expression."},
        {"question", 32, "dialog-question", "msgdialog-question", "Delete all messages of the current view?",
         ""},
        {"warning plays the hand slot", 48, "dialog-error", "msgdialog-warning",
         "An error has occured obtaining Data from the Server.",
         "Could not resolve host: updates.example.net"},
        {"information", 64, "dialog-information", "msgdialog-information",
         "Value must be a number. [1..65535]", ""},
    };
    for (const Row& row : rows) {
        player.events.clear();
        QImage picture;
        whenShown([&](TMsgDialog* d) {
            picture = d->Image->picture().toImage();
            test::saveScreenshot(*d, QString::fromLatin1(row.screenshot));
            d->Button1->click();
        });
        const int result =
            MsgDialogDetail(nullptr, QString::fromUtf8(row.message), QString::fromUtf8(row.detail),
                            QStringLiteral("Title"), QString(), QStringLiteral("btnHidden"), row.kind);
        EXPECT_EQ(result, 1) << row.name;
        EXPECT_EQ(picture, kindPicture(row.kind).toImage()) << row.name;
        EXPECT_EQ(player.events, std::vector<std::string>{row.sound}) << row.name;
    }
    EXPECT_NE(kindPicture(16).toImage(), kindPicture(48).toImage());
}

TEST_F(MsgDialogFixture, OtherKindsShowTheCallersPictureWithSlotZero) {
    QImage own(40, 40, QImage::Format_ARGB32);
    own.fill(Qt::magenta);
    struct Row {
        const char* name;
        QPixmap picture;
        QImage expected;
    };
    const Row rows[] = {
        {"a supplied picture", QPixmap::fromImage(own), QPixmap::fromImage(own).toImage()},
        {"no picture falls back to the generic one", QPixmap(), kindPicture(0).toImage()},
    };
    for (const Row& row : rows) {
        player.events.clear();
        QImage shown;
        whenShown([&](TMsgDialog* d) {
            shown = d->Image->picture().toImage();
            d->Button1->click();
        });
        bool ask = false;
        ExecuteMsgDialog(nullptr, "Custom", "", "", "", "btnHidden", 7, ask, row.picture);
        EXPECT_EQ(shown, row.expected) << row.name;
        EXPECT_EQ(player.events, std::vector<std::string>{"message"}) << row.name;
    }
}

TEST_F(MsgDialogFixture, EmptySlotPlaysNothingEvenWhenAnotherIsSet) {
    sounds[3].clear();  // the hand slot
    bool ask = false;
    whenShown([](TMsgDialog* d) { d->Button1->click(); });
    ExecuteMsgDialog(nullptr, "Warning", "", "", "", "btnHidden", 48, ask);
    EXPECT_TRUE(player.events.empty());
    EXPECT_FALSE(sounds[6].empty());
}

TEST_F(MsgDialogFixture, HiddenCancelLeavesOnlyOkAndEscapeDoesNothing) {
    bool okOnly = false;
    bool stillOpenAfterEscape = false;
    whenShown([&](TMsgDialog* d) {
        okOnly = d->Button1->isVisibleTo(d) && !d->Button2->isVisibleTo(d) && d->Button1->text() == "&Ok";
        pressKey(d, Qt::Key_Escape);
        stillOpenAfterEscape = d->isVisible();
        d->close();  // the close box
    });
    const int result = MsgDialog(nullptr, "Port Settings", "Port Settings", "", "btnHidden", 64);
    EXPECT_TRUE(okOnly);
    EXPECT_TRUE(stillOpenAfterEscape);
    EXPECT_EQ(result, 2);
}

TEST_F(MsgDialogFixture, ButtonsAndKeysGiveTheirResults) {
    struct Row {
        const char* name;
        std::function<void(TMsgDialog*)> act;
        int expected;
    };
    const Row rows[] = {
        {"Enter", [](TMsgDialog* d) { pressKey(d, Qt::Key_Return); }, 1},
        {"Escape with Cancel shown", [](TMsgDialog* d) { pressKey(d, Qt::Key_Escape); }, 2},
        {"Cancel button", [](TMsgDialog* d) { d->Button2->click(); }, 2},
        {"OK button", [](TMsgDialog* d) { d->Button1->click(); }, 1},
    };
    for (const Row& row : rows) {
        QString captions;
        whenShown([&](TMsgDialog* d) {
            captions = d->Button1->text() + "|" + d->Button2->text() + "|" + d->windowTitle();
            row.act(d);
        });
        EXPECT_EQ(MsgDialog(nullptr, "Question?", "", "&Yes", "", 32), row.expected) << row.name;
        EXPECT_EQ(captions, "&Yes|&Cancel|Message") << row.name;
    }
}

TEST_F(MsgDialogFixture, LeftAloneItClosesWithOk) {
    msgDialogEnvironment().autoCloseMs = 50;
    int interval = 0;
    whenShown([&](TMsgDialog* d) { interval = d->AutoClose->interval(); });
    EXPECT_EQ(MsgDialog(nullptr, "Nobody is looking", "", "", "", 0), 1);
    EXPECT_EQ(interval, 50);
}

TEST_F(MsgDialogFixture, DetailIsWrappedAndMessageKeepsItsBoldFont) {
    const QString longWord =
        QStringLiteral("0123456789012345678901234567890123456789012345678901234567890123456789");
    QFont messageFont;
    QString detail;
    QString message;
    bool detailShown = false;
    whenShown([&](TMsgDialog* d) {
        messageFont = d->Message->font();
        detail = d->Detail->caption();
        message = d->Message->caption();
        detailShown = d->Detail->isVisibleTo(d);
        d->Button1->click();
    });
    MsgDialogDetail(nullptr, "Error Filtering Messages.", longWord, "Filter Change", "", "btnHidden", 16);
    EXPECT_TRUE(messageFont.bold());
    EXPECT_EQ(messageFont.pixelSize(), 13);
    EXPECT_EQ(message, "Error Filtering Messages.");
    EXPECT_TRUE(detailShown);
    EXPECT_GT(detail.size(), longWord.size());
    EXPECT_EQ(QString(detail).remove(' '), longWord);

    whenShown([&](TMsgDialog* d) {
        messageFont = d->Message->font();
        message = d->Message->caption();
        detailShown = d->Detail->isVisibleTo(d);
        d->Button1->click();
    });
    MsgDialog(nullptr, longWord, "", "", "btnHidden", 16);
    EXPECT_EQ(messageFont.pointSize(), 10);
    EXPECT_FALSE(detailShown);
    EXPECT_EQ(QString(message).remove(' '), longWord);
    EXPECT_GT(message.size(), longWord.size());
}

TEST_F(MsgDialogFixture, AskFlagShowsTheBoxAndReturnsItsState) {
    bool boxShown = false;
    whenShown([&](TMsgDialog* d) {
        boxShown = d->cbAsk->isVisibleTo(d);
        d->cbAsk->setChecked(true);
        test::saveScreenshot(*d, QStringLiteral("msgdialog-ask"));
        d->Button1->click();
    });
    bool ask = true;
    ExecuteMsgDialog(nullptr, "Clear all messages of the current view?", "", "Clear All", "", "", 32, ask);
    EXPECT_TRUE(boxShown);
    EXPECT_TRUE(ask);
}

TEST_F(MsgDialogFixture, CoreTextsAreShownExactlyThroughTheInterface) {
    struct Row {
        const char* name;
        std::string bytes;
        QString shown;
    };
    const Row rows[] = {
        {"ampersands stay", "AT&T link down", QStringLiteral("AT&T link down")},
        {"UTF-8",
         "Stra\xc3\x9f"
         "e",
         QStringLiteral("Stra\u00dfe")},
        {"Latin-1 when not UTF-8",
         "Stra\xdf"
         "e",
         QStringLiteral("Stra\u00dfe")},
    };
    QtMessageDialogs qtDialogs;
    MessageDialogs& dialogs = qtDialogs;
    for (const Row& row : rows) {
        QString message;
        QString title;
        bool cancelHidden = false;
        whenShown([&](TMsgDialog* d) {
            message = d->Message->caption();
            title = d->windowTitle();
            cancelHidden = !d->Button2->isVisibleTo(d);
            d->Button1->click();
        });
        EXPECT_EQ(dialogs.show(row.bytes, "Update Host", 16), 1) << row.name;
        EXPECT_EQ(message, row.shown) << row.name;
        EXPECT_EQ(title, "Update Host") << row.name;
        EXPECT_TRUE(cancelHidden) << row.name;
    }
}

TEST(SystemSoundsTest, KindsKeepTheirSlots) {
    LoadSystemSounds();
    const SystemSoundTable& t = systemSounds();
    EXPECT_EQ(t, (SystemSoundTable{"message", "message", "message", "dialog-error", "dialog-information",
                                   "dialog-question", "dialog-warning"}));
    const std::pair<int, int> kinds[] = {{0, 2}, {16, 6}, {32, 5}, {48, 3}, {64, 4}, {7, 0}};
    for (auto [kind, slot] : kinds) EXPECT_EQ(soundSlotForKind(kind), slot) << "kind " << kind;
    EXPECT_EQ(ReadEventSound("NoSuchEvent\\.Current"), "");
}

TEST(SoundPlayerTest, WithoutASoundDeviceItStaysSilent) {
    CanberraSoundPlayer player;
    player.playEvent("dialog-error");
    player.playEvent("no-such-event");
    player.playFile(CORVANE_BINARY_DIR "/Warning.wav");
    player.playFile("/no/such/file.wav");
    SUCCEED() << "no exception, no crash, no wait";
}

TEST(SoundPlayerTest, WarningSoundIsATwoToneChime) {
    QFile f(QStringLiteral(CORVANE_BINARY_DIR "/Warning.wav"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray wav = f.readAll();
    ASSERT_GT(wav.size(), 44);
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
    auto u16 = [&](int at) {
        return static_cast<unsigned char>(wav[at]) | static_cast<unsigned char>(wav[at + 1]) << 8;
    };
    EXPECT_EQ(u16(20), 1) << "PCM";
    EXPECT_EQ(u16(34), 16) << "bits per sample";
    const int rate = u16(24) | u16(26) << 16;
    const int samples = (static_cast<int>(wav.size()) - 44) / 2;
    EXPECT_GT(samples, rate / 4);
    EXPECT_LT(samples, 2 * rate) << "a short sound";
}

}  // namespace
}  // namespace corvane
