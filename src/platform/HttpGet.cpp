#include "platform/HttpGet.h"

#include "platform/HttpTexts.h"
#include "protocol/Placeholders.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>

namespace corvane {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto a = static_cast<unsigned char>(s[i]);
        const auto b = static_cast<unsigned char>(prefix[i]);
        if ((a >= 'A' && a <= 'Z' ? a + 32 : a) != (b >= 'A' && b <= 'Z' ? b + 32 : b))
            return false;
    }
    return true;
}

// What the callbacks collect. The body of every response is gathered in memory and written out
// only when the transfer has ended, so the bodies of redirects and error pages never reach the
// caller's stream.
struct Transfer {
    std::size_t maxBody = 0;
    const std::atomic<bool>* stop = nullptr;
    std::string statusLine;
    std::string server;
    std::string body;
    bool tooLarge = false;
};

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* context) {
    auto& t = *static_cast<Transfer*>(context);
    const std::string_view line(data, size * count);
    if (startsWithNoCase(line, "HTTP/")) {
        // A new response begins (after a redirect or an interim answer): forget the last one.
        t.statusLine = trim(line);
        t.server.clear();
        t.body.clear();
    } else if (startsWithNoCase(line, "Server:")) {
        t.server = trim(line.substr(7));
    }
    return size * count;
}

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* context) {
    auto& t = *static_cast<Transfer*>(context);
    const std::size_t n = size * count;
    if (n > t.maxBody - t.body.size()) {
        t.tooLarge = true;
        return CURL_WRITEFUNC_ERROR;
    }
    t.body.append(data, n);
    return n;
}

int onProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto& t = *static_cast<const Transfer*>(context);
    return t.stop && t.stop->load() ? 1 : 0;
}

struct EasyDeleter {
    void operator()(CURL* easy) const {
        // Detach from the shared cookie store before the handle goes.
        curl_easy_setopt(easy, CURLOPT_SHARE, nullptr);
        curl_easy_cleanup(easy);
    }
};

struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

HttpResult HttpGetToStream(const std::string& url, const std::string& userAgent, const std::string& userName,
                           std::ostream* body, HttpCookieStore& cookies, const HttpOptions& options,
                           const std::atomic<bool>* stop) {
    HttpResult result;
    if (!body || (stop && stop->load()))
        return result;

    ensureCurlInitialised();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    const std::string acceptHeader = "Accept: " + options.accept;
    std::unique_ptr<curl_slist, ListDeleter> headers(curl_slist_append(nullptr, acceptHeader.c_str()));
    if (!easy || !headers) {
        result.failed = true;
        result.error = curl_easy_strerror(CURLE_OUT_OF_MEMORY);
        return result;
    }

    Transfer transfer;
    transfer.maxBody = options.maxBodySize;
    transfer.stop = stop;
    char errorText[CURL_ERROR_SIZE] = {};

    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    curl_easy_setopt(h, CURLOPT_USERNAME, userName.c_str());
    curl_easy_setopt(h, CURLOPT_PASSWORD, "");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, options.maxRedirects);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
    curl_easy_setopt(h, CURLOPT_COOKIEFILE, "");  // the cookie engine, in memory only
    if (cookies.share())
        curl_easy_setopt(h, CURLOPT_SHARE, static_cast<CURLSH*>(cookies.share()));
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);

    const CURLcode code = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &result.status);
    result.serverHeader = transfer.server;

    if (code == CURLE_ABORTED_BY_CALLBACK && stop && stop->load()) {
        result.cancelled = true;
        return result;
    }
    if (code != CURLE_OK) {
        result.failed = true;
        result.hostUnresolved = code == CURLE_COULDNT_RESOLVE_HOST;
        if (transfer.tooLarge)
            result.error = fillIn(http_texts::kBodyTooLarge, std::to_string(options.maxBodySize));
        else
            result.error = errorText[0] ? errorText : curl_easy_strerror(code);
        return result;
    }
    if (result.status >= 400) {
        result.failed = true;
        result.error = transfer.statusLine.empty()
                           ? fillIn(http_texts::kErrorStatus, std::to_string(result.status))
                           : transfer.statusLine;
        return result;
    }
    if (result.status < 200 || result.status > 202)
        return result;

    body->write(transfer.body.data(), static_cast<std::streamsize>(transfer.body.size()));
    body->flush();
    if (!*body) {
        result.failed = true;
        result.error = http_texts::kBodyNotStored;
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace corvane
