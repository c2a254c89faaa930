#include "platform/SmtpSend.h"

#include "platform/SmtpReplies.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string_view>

namespace corvane {

namespace {

struct Upload {
    std::string_view rest;
    SmtpReplies replies;
    const std::atomic<bool>* stop = nullptr;
};

std::size_t onRead(char* buffer, std::size_t size, std::size_t count, void* context) {
    auto& u = *static_cast<Upload*>(context);
    const std::size_t n = std::min(size * count, u.rest.size());
    std::memcpy(buffer, u.rest.data(), n);
    u.rest.remove_prefix(n);
    return n;
}

// Every line the server answers comes here.
std::size_t onReply(char* data, std::size_t size, std::size_t count, void* context) {
    static_cast<Upload*>(context)->replies.feed(std::string_view(data, size * count));
    return size * count;
}

int onProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto& u = *static_cast<const Upload*>(context);
    return u.stop && u.stop->load() ? 1 : 0;
}

bool isHostName(const std::string& host) {
    if (host.empty() || host.size() > 253)
        return false;
    if (host.front() == '[' && host.back() == ']')
        return std::all_of(host.begin() + 1, host.end() - 1, [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
        });
    return std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
    });
}

bool hasNoControl(const std::string& text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7f;
    });
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

bool isMailAddress(const std::string& address) {
    if (address.empty() || address.size() > 254 || std::count(address.begin(), address.end(), '@') != 1)
        return false;
    if (address.front() == '@' || address.back() == '@')
        return false;
    return std::none_of(address.begin(), address.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u <= 0x20 || u == 0x7f || c == '<' || c == '>' || c == ',' || c == ';';
    });
}

SmtpResult SmtpSend(const SmtpOptions& options, const std::string& message, const std::atomic<bool>* stop) {
    SmtpResult result;
    if (!isHostName(options.host)) {
        result.error = "The mail server name \"" + options.host + "\" is not a host name.";
        return result;
    }
    if (options.port < 1 || options.port > 65535) {
        result.error = "The mail server port " + std::to_string(options.port) + " is not a port (1-65535).";
        return result;
    }
    if (!isMailAddress(options.from)) {
        result.error = "The sender \"" + options.from + "\" is not a mail address.";
        return result;
    }
    if (options.recipients.empty()) {
        result.error = "No recipient is set.";
        return result;
    }
    for (const std::string& to : options.recipients)
        if (!isMailAddress(to)) {
            result.error = "The recipient \"" + to + "\" is not a mail address.";
            return result;
        }
    if (!hasNoControl(options.userName) || !hasNoControl(options.password)) {
        result.error = "The mail login holds a line break or a control character.";
        return result;
    }

    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    std::unique_ptr<CURL, EasyDeleter> easy(initialised ? curl_easy_init() : nullptr);
    if (!easy) {
        result.error = "The mail transfer could not be set up.";
        return result;
    }
    CURL* e = easy.get();
    const bool implicitTls = options.security == SmtpSecurity::Implicit;
    const bool tls = options.security != SmtpSecurity::Plain;
    const std::string url =
        std::string(implicitTls ? "smtps://" : "smtp://") + options.host + ":" + std::to_string(options.port);
    Upload upload{message, {}, stop};
    std::unique_ptr<curl_slist, ListDeleter> recipients;
    for (const std::string& to : options.recipients) {
        curl_slist* grown = curl_slist_append(recipients.get(), ("<" + to + ">").c_str());
        if (!grown) {
            result.error = "Out of memory.";
            return result;
        }
        (void)recipients.release();
        recipients.reset(grown);
    }
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(e, CURLOPT_USE_SSL, static_cast<long>(tls ? CURLUSESSL_ALL : CURLUSESSL_NONE));
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!options.caFile.empty())
        curl_easy_setopt(e, CURLOPT_CAINFO, options.caFile.c_str());
    if (!options.userName.empty()) {
        curl_easy_setopt(e, CURLOPT_USERNAME, options.userName.c_str());
        curl_easy_setopt(e, CURLOPT_PASSWORD, options.password.c_str());
    }
    const std::string from = "<" + options.from + ">";
    curl_easy_setopt(e, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(e, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(e, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(e, CURLOPT_READFUNCTION, onRead);
    curl_easy_setopt(e, CURLOPT_READDATA, &upload);
    curl_easy_setopt(e, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.size()));
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, onReply);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &upload);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &upload);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
    curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode rc = curl_easy_perform(e);
    result.serverCode = upload.replies.lastCode();
    if (rc == CURLE_OK) {
        result.ok = true;
        return result;
    }
    std::string reason = errorText[0] ? errorText : curl_easy_strerror(rc);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' ')) reason.pop_back();
    if (const std::string& said = upload.replies.lastError(); !said.empty())
        result.error = reason + " (the server answered: " + said + ")";
    else
        result.error = reason;
    return result;
}

}  // namespace corvane
