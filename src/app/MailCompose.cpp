#include "app/MailCompose.h"

#include "app/MailTexts.h"

#include <atomic>
#include <cstdio>

namespace corvane {

namespace {

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t follow = 0;
        std::uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            follow = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            follow = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            follow = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + follow >= s.size())
            return false;
        for (std::size_t k = 1; k <= follow; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (b & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if ((follow == 2 && code < 0x800) || (follow == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += follow + 1;
    }
    return true;
}

std::string base64(std::string_view data, std::size_t lineLength) {
    static const char* kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t column = 0;
    for (std::size_t i = 0; i < data.size(); i += 3) {
        const std::uint32_t b0 = static_cast<unsigned char>(data[i]);
        const std::uint32_t b1 = i + 1 < data.size() ? static_cast<unsigned char>(data[i + 1]) : 0;
        const std::uint32_t b2 = i + 2 < data.size() ? static_cast<unsigned char>(data[i + 2]) : 0;
        const std::uint32_t v = (b0 << 16) | (b1 << 8) | b2;
        out += kDigits[(v >> 18) & 63];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < data.size() ? kDigits[(v >> 6) & 63] : '=';
        out += i + 2 < data.size() ? kDigits[v & 63] : '=';
        column += 4;
        if (lineLength && column >= lineLength && i + 3 < data.size()) {
            out += "\r\n";
            column = 0;
        }
    }
    return out;
}

bool isPlainAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x7f || static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

// A subject that is not plain ASCII is sent as RFC 2047 words of whole characters.
std::string encodedSubject(const std::string& subject) {
    if (isPlainAscii(subject))
        return subject;
    std::string out;
    std::size_t i = 0;
    while (i < subject.size()) {
        std::size_t end = std::min(subject.size(), i + 45);
        while (end < subject.size() && (static_cast<unsigned char>(subject[end]) & 0xC0) == 0x80) --end;
        if (!out.empty())
            out += "\r\n ";
        out += "=?UTF-8?B?" + base64(std::string_view(subject).substr(i, end - i), 0) + "?=";
        i = end;
    }
    return out;
}

std::string sentence(const Alert& a, const MailTexts& t) {
    const std::string host = mailText(a.host.empty() ? a.address : a.host);
    const std::string address = mailText(a.address);
    const std::string minutes = std::to_string(a.silentMinutes);
    return fillMailText(a.kind == Alert::Kind::Silent ? t.silent : t.resumed, host, address, minutes);
}

std::string subjectOf(const Alert& a, const MailTexts& t) {
    if (a.kind != Alert::Kind::Match)
        return sentence(a, t);
    return fillMailText(t.matchSubject, mailText(a.host.empty() ? a.address : a.host), mailText(a.address),
                        mailText(a.severity));
}

std::string lineOf(const Alert& a, const MailTexts& t) {
    std::string line = isoDateTime(a.time) + "  ";
    if (a.kind != Alert::Kind::Match)
        return line + sentence(a, t) + "\n";
    line += mailText(a.host) + " (" + mailText(a.address) + ")  " + mailText(a.facility) + "/" +
            mailText(a.severity) + "  " + mailText(a.message.empty() ? a.data : a.message);
    return line + "\n";
}

std::string blockOf(const Alert& a, const MailTexts& t) {
    if (a.kind != Alert::Kind::Match)
        return sentence(a, t) + "\n\n" + t.time + ": " + isoDateTime(a.time) + "\n";
    std::string b;
    b += std::string(t.time) + ": " + isoDateTime(a.time) + "\n";
    b += std::string(t.host) + ": " + mailText(a.host) + "\n";
    b += std::string(t.address) + ": " + mailText(a.address) + "\n";
    b += std::string(t.facility) + ": " + mailText(a.facility) + "\n";
    b += std::string(t.severity) + ": " + mailText(a.severity) + "\n";
    b += std::string(t.message) + ": " + mailText(a.message.empty() ? a.data : a.message) + "\n";
    return b;
}

}  // namespace

std::string mailText(std::string_view bytes) {
    std::string out;
    if (isValidUtf8(bytes)) {
        out.assign(bytes);
    } else {
        for (char c : bytes) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x80) {
                out += c;
            } else {
                out += static_cast<char>(0xC0 | (u >> 6));
                out += static_cast<char>(0x80 | (u & 0x3F));
            }
        }
    }
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    return out;
}

MailContent composeAlertMail(const MailBatch& batch, const std::string& language) {
    const MailTexts& t = MailTexts::of(language);
    MailContent mail;
    const std::uint64_t total = batch.alerts.size() + batch.notKept;
    if (batch.alerts.size() == 1 && batch.notKept == 0) {
        mail.subject = "Corvane: " + subjectOf(batch.alerts.front(), t);
        mail.body = blockOf(batch.alerts.front(), t);
    } else {
        const std::string more = fillMailText(t.moreMatching, std::to_string(total));
        mail.subject = "Corvane: " + more;
        mail.body = more + "\n\n";
        for (const Alert& a : batch.alerts) mail.body += lineOf(a, t);
        if (batch.notKept > 0)
            mail.body += "\n" + fillMailText(t.notKept, std::to_string(batch.notKept)) + "\n";
    }
    mail.body += std::string("\n-- \n") + t.footer + "\n";
    return mail;
}

MailContent composeTestMail(const std::string& language) {
    const MailTexts& t = MailTexts::of(language);
    return {std::string("Corvane: ") + t.testSubject, std::string(t.testBody) + "\n"};
}

std::string mailMessage(const std::string& from, const std::vector<std::string>& to,
                        const MailContent& content, std::time_t sentAt) {
    static std::atomic<unsigned> sequence{0};
    std::tm local{};
    ::localtime_r(&sentAt, &local);
    char date[64];
    static const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const long offset = local.tm_gmtoff / 60;
    std::snprintf(date, sizeof date, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDays[local.tm_wday % 7],
                  local.tm_mday, kMonths[local.tm_mon % 12], local.tm_year + 1900, local.tm_hour,
                  local.tm_min, local.tm_sec, offset < 0 ? '-' : '+', (offset < 0 ? -offset : offset) / 60,
                  (offset < 0 ? -offset : offset) % 60);
    std::string recipients;
    for (const std::string& r : to) recipients += (recipients.empty() ? "" : ", ") + r;
    const std::string domain = from.substr(from.find('@') + 1);
    std::string m;
    m += "Date: " + std::string(date) + "\r\n";
    m += "From: Corvane <" + from + ">\r\n";
    m += "To: " + recipients + "\r\n";
    m += "Subject: " + encodedSubject(content.subject) + "\r\n";
    m += "Message-ID: <" + std::to_string(static_cast<long long>(sentAt)) + "." +
         std::to_string(sequence.fetch_add(1)) + ".corvane@" + domain + ">\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += "Content-Type: text/plain; charset=UTF-8\r\n";
    m += "Content-Transfer-Encoding: base64\r\n";
    m += "\r\n";
    std::string body;
    for (char c : content.body) {
        if (c == '\n')
            body += "\r\n";
        else
            body += c;
    }
    m += base64(body, 76) + "\r\n";
    return m;
}

}  // namespace corvane
