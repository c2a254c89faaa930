#include "app/MailSettings.h"

#include "app/AppTexts.h"
#include "app/Settings.h"
#include "protocol/TextUtil.h"

#include <array>

namespace corvane {

namespace {

// The dialog's example texts of the mail fields, with the translations it shows them in.
constexpr std::array<std::string_view, 13> kExampleTexts = {"Email address to notify",
                                                            "Server used to send mail.",
                                                            "Mail host login ID",
                                                            "Password",
                                                            "E-Mail-Adresse des Empfängers",
                                                            "Server für den Mailversand.",
                                                            "Login am Mailserver",
                                                            "Correo del destinatario",
                                                            "Servidor de envío de correo.",
                                                            "Usuario del servidor",
                                                            "Adresse e-mail à avertir",
                                                            "Serveur d'envoi des e-mails.",
                                                            "Identifiant du serveur"};

std::string field(const Settings& s, std::string_view key) {
    std::string value(text::trim(s.readString(app_texts::kOptions, key, "")));
    return isExampleText(value) ? std::string() : value;
}

std::vector<std::string> splitAddresses(const std::string& list) {
    std::vector<std::string> out;
    std::string current;
    auto flush = [&] {
        std::string one(text::trim(current));
        if (!one.empty())
            out.push_back(one);
        current.clear();
    };
    for (char c : list) {
        if (c == ',' || c == ';')
            flush();
        else
            current += c;
    }
    flush();
    return out;
}

}  // namespace

bool isExampleText(std::string_view value) {
    for (std::string_view example : kExampleTexts)
        if (value == example)
            return true;
    return false;
}

MailSettings readMailSettings(const Settings& s) {
    const char* o = app_texts::kOptions;
    MailSettings m;
    m.enabled = s.readBool(o, "NotifyEmail", false);
    m.smtp.recipients = splitAddresses(field(s, "EmailAddr1"));
    m.smtp.host = field(s, "MailHost");
    const std::string port = field(s, "Port");
    m.smtp.port = port.empty() ? 587 : text::readWholeInt(port).value_or(-1);
    m.smtp.userName = field(s, "UserName");
    m.smtp.password = m.smtp.userName.empty() ? std::string() : field(s, "Password");
    const bool useSsl = s.readBool(o, "UseSSL", true);
    m.smtp.security = !useSsl              ? SmtpSecurity::Plain
                      : m.smtp.port == 465 ? SmtpSecurity::Implicit
                                           : SmtpSecurity::StartTls;
    m.smtp.caFile = field(s, "MailCAFile");
    m.smtp.from = field(s, "MailFrom");
    if (m.smtp.from.empty())
        m.smtp.from = isMailAddress(m.smtp.userName) ? m.smtp.userName
                      : m.smtp.recipients.empty()    ? std::string()
                                                     : m.smtp.recipients.front();
    m.language = s.readString(o, "Language", "ENU");
    return m;
}

std::string MailSettings::problem() const {
    if (smtp.recipients.empty())
        return app_texts::kMailNoRecipient;
    if (smtp.host.empty())
        return app_texts::kMailNoServer;
    if (smtp.port < 1 || smtp.port > 65535)
        return app_texts::kMailBadPort;
    return {};
}

}  // namespace corvane
