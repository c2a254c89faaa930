#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

namespace corvane {

enum class SmtpSecurity {
    Plain,     // no encryption
    StartTls,  // the connection must switch to TLS (STARTTLS) before anything else is sent
    Implicit,  // TLS from the first byte (port 465)
};

// Where and how one mail is sent.
struct SmtpOptions {
    std::string host;
    int port = 587;
    SmtpSecurity security = SmtpSecurity::StartTls;
    // The login is sent (AUTH) when userName is not empty.
    std::string userName;
    std::string password;
    std::string from;
    std::vector<std::string> recipients;
    // Certificates are always checked; this names the authorities' file to check them against
    // instead of the system's (a company's own authority); empty for the system's.
    std::string caFile;
    std::chrono::milliseconds connectTimeout{10000};
    // Bounds the whole exchange, so a server that stalls cannot hold the mail for ever.
    std::chrono::milliseconds totalTimeout{60000};
};

struct SmtpResult {
    bool ok = false;
    // What went wrong, in the server's words when it said something ("535 5.7.8 Authentication
    // failed"), else the transfer's own ("Couldn't connect to server").
    std::string error;
    int serverCode = 0;  // the code of the server's last reply, 0 when none came
};

// Sends message (a whole mail: header lines, a blank line, the body, lines ending in CRLF) to
// every recipient. Blocks until the server accepted or refused it, or the time-out passed; a set
// stop flag ends it early. Host, addresses and login are checked first: a value that could
// smuggle commands (line breaks, angle brackets, blanks) is refused without connecting.
SmtpResult SmtpSend(const SmtpOptions& options, const std::string& message,
                    const std::atomic<bool>* stop = nullptr);

// True for something that can stand as a mail address in the envelope: one "@", no blanks,
// line breaks, angle brackets or control characters.
bool isMailAddress(const std::string& address);

}  // namespace corvane
