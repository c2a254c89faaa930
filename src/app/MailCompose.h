#pragma once

#include "app/Alert.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// What one notification mail reports: the alerts kept for it, in the order they came, and how
// many more matches came that the queue could not keep.
struct MailBatch {
    std::vector<Alert> alerts;
    std::uint64_t notKept = 0;
};

struct MailContent {
    std::string subject;
    std::string body;  // lines end in "\n"
};

// One alert: its own subject and every field. Several: "12 more matching messages" and one line
// for each, then how many were not kept. Texts in the language given ("ENU", "DEU"...).
MailContent composeAlertMail(const MailBatch& batch, const std::string& language);
MailContent composeTestMail(const std::string& language);

// The whole mail as sent: Date, From, To, Subject (encoded when it is not plain ASCII),
// Message-ID and a UTF-8 body in base64, so no message text can break the mail's form.
std::string mailMessage(const std::string& from, const std::vector<std::string>& to,
                        const MailContent& content, std::time_t sentAt);

// A received text as the mail shows it: kept when it is valid UTF-8, read as Latin-1
// otherwise; line breaks and other control characters become blanks.
std::string mailText(std::string_view bytes);

}  // namespace corvane
