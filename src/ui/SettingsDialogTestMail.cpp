#include "ui/SettingsDialog.h"

#include "app/MailCompose.h"
#include "app/MailSettings.h"
#include "app/Settings.h"
#include "platform/MessageDialogs.h"
#include "ui/MsgDialog.h"
#include "ui/Translation.h"
#include "widgets/TgCheckLabel.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <ctime>
#include <thread>

namespace corvane {

namespace {

constexpr const char* kTitle = QT_TRANSLATE_NOOP("corvane::TSettings", "Send test mail");
constexpr const char* kSent = QT_TRANSLATE_NOOP("corvane::TSettings", "The test mail was sent to %1.");
constexpr const char* kFailed =
    QT_TRANSLATE_NOOP("corvane::TSettings", "The test mail could not be sent: %1");

std::string fieldText(const QLineEdit* edit) {
    return TSettings::isGrey(edit) ? std::string() : edit->text().trimmed().toStdString();
}

}  // namespace

void TSettings::btnTestMailClick() {
    if (m_testMailSending)
        return;
    // The mail goes with what the fields hold now, saved or not: the settings' other keys
    // (MailFrom, MailCAFile) with the fields written over them.
    Settings fields(std::string{});
    if (m_settings)
        fields.setContent(m_settings->content());
    const char* o = Settings::kOptions;
    fields.writeString(o, "EmailAddr1", fieldText(EmailAddr1));
    fields.writeString(o, "MailHost", fieldText(MailHost));
    fields.writeString(o, "Port", fieldText(Port));
    fields.writeString(o, "UserName", fieldText(UserName));
    fields.writeString(o, "Password", isGrey(Password) ? std::string() : Password->text().toStdString());
    fields.writeBool(o, "UseSSL", UseSSL->checked());
    const MailSettings mail = readMailSettings(fields);
    if (const std::string problem = mail.problem(); !problem.empty()) {
        m_env.dialogs->show(QCoreApplication::translate("corvane::TSettings", kFailed)
                                .arg(translateCoreText(QString::fromStdString(problem)))
                                .toStdString(),
                            QCoreApplication::translate("corvane::TSettings", kTitle).toStdString(),
                            mkWarning);
        return;
    }
    const std::string language = Translation::instance().language().toStdString();
    const std::string message =
        mailMessage(mail.smtp.from, mail.smtp.recipients, composeTestMail(language), std::time(nullptr));
    auto send = m_env.sendMail ? m_env.sendMail : [](const SmtpOptions& options, const std::string& text) {
        return SmtpSend(options, text);
    };
    m_testMailSending = true;
    btnTestMail->setEnabled(false);
    QPointer<TSettings> self(this);
    std::thread([self, send, smtp = mail.smtp, message] {
        const SmtpResult result = send(smtp, message);
        QString recipients;
        for (const std::string& to : smtp.recipients)
            recipients +=
                (recipients.isEmpty() ? QString() : QStringLiteral(", ")) + QString::fromStdString(to);
        QMetaObject::invokeMethod(
            qApp,
            [self, result, recipients] {
                if (!self)
                    return;
                self->m_testMailSending = false;
                self->btnTestMail->setEnabled(self->NotifyEmail->checked());
                const QString title = QCoreApplication::translate("corvane::TSettings", kTitle);
                if (result.ok)
                    self->m_env.dialogs->show(QCoreApplication::translate("corvane::TSettings", kSent)
                                                  .arg(recipients)
                                                  .toStdString(),
                                              title.toStdString(), mkInformation);
                else
                    self->m_env.dialogs->show(QCoreApplication::translate("corvane::TSettings", kFailed)
                                                  .arg(QString::fromStdString(result.error))
                                                  .toStdString(),
                                              title.toStdString(), mkWarning);
            },
            Qt::QueuedConnection);
    }).detach();
}

}  // namespace corvane
