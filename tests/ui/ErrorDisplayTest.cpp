#include "ui/ApplicationEvents.h"
#include "ui/MsgDialog.h"

#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ErrorDisplayTest, TitleAndMessage) {
    QObject form;
    form.setObjectName(QStringLiteral("SysLogForm"));
    QObject unnamed;
    const std::runtime_error error("Resource IBUTTONS not found");

    const ErrorDisplayText named = errorDisplayText(&form, &error);
    EXPECT_EQ(named.title, QStringLiteral("SysLogForm"));
    EXPECT_EQ(named.message, QStringLiteral("Resource IBUTTONS not found"));

    EXPECT_EQ(errorDisplayText(&unnamed, &error).title, QString());
    EXPECT_EQ(errorDisplayText(nullptr, &error).title, QStringLiteral("Unknown Component"));
    const ErrorDisplayText noException = errorDisplayText(&form, nullptr);
    EXPECT_EQ(noException.title, QStringLiteral("SysLogForm"));
    EXPECT_EQ(noException.message, QStringLiteral("An unknown exception has occured."));

    // Bytes that are not UTF-8 are shown as Latin-1, never lost.
    const std::runtime_error latin1("caf\xe9");
    EXPECT_EQ(errorDisplayText(&form, &latin1).message, QString::fromUtf8("caf\xc3\xa9"));
}

// The display shows one error dialog with a single OK button and returns; the program goes on.
TEST(ErrorDisplayTest, ShowsAnErrorDialogWithOneButton) {
    QObject sender;
    sender.setObjectName(QStringLiteral("Duration"));
    const std::runtime_error error("indicator failed");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<TMsgDialog*>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            seen = true;
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Duration"));
            EXPECT_FALSE(dialog->Button2->isVisible());
            EXPECT_TRUE(dialog->Button1->isVisible());
            dialog->accept();
        }
    });
    ApplicationEventsException(&sender, &error);
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace corvane
