#pragma once

#include "platform/SmtpSend.h"

#include <string>
#include <string_view>

namespace corvane {

class Settings;

// What the notification mail is sent with, from section Options: NotifyEmail, EmailAddr1 (one
// or more recipients, separated by "," or ";"), MailHost, Port (587), UserName, Password, UseSSL
// (on: implicit TLS on port 465, STARTTLS on any other; off: plain), and the hand-set MailFrom (the sender;
// by default the login when it is a mail address, else the first recipient) and MailCAFile. The language is
// the window's (Language).
struct MailSettings {
    bool enabled = false;
    SmtpOptions smtp;
    std::string language = "ENU";

    // Why mail cannot be sent with these settings; empty when it can.
    std::string problem() const;
};

MailSettings readMailSettings(const Settings& settings);

// True for a value the settings dialog shows as its grey example text (in any of the window's
// languages): such a field has not been filled in.
bool isExampleText(std::string_view value);

}  // namespace corvane
