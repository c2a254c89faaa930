#pragma once

#include <string>

namespace corvane {

// The texts of the notification mail in one of the window's languages ("ENU", "DEU", "ESN",
// "FRA"; any other code gives English). %1, %2, %3 stand for host, address and minutes, or for
// a count.
struct MailTexts {
    const char* matchSubject;  // "%1 (%2): %3" with host, address, severity
    const char* moreMatching;  // "%1 more matching messages"
    const char* notKept;       // "%1 further matching messages were not kept."
    const char* silent;        // "No message from %1 (%2) for %3 minutes"
    const char* resumed;       // "%1 (%2) sends again after %3 minutes"
    const char* host;
    const char* address;
    const char* time;
    const char* facility;
    const char* severity;
    const char* message;
    const char* testSubject;
    const char* testBody;
    const char* footer;

    static const MailTexts& of(const std::string& language);
};

// text with %1, %2 and %3 replaced by the values, which are taken as they are.
std::string fillMailText(const char* text, const std::string& a, const std::string& b = {},
                         const std::string& c = {});

}  // namespace corvane
