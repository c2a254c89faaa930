#pragma once

#include "platform/HttpCookieStore.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace corvane {

// How a GET is made. The defaults are the update check's.
struct HttpOptions {
    std::chrono::milliseconds connectTimeout{1000};
    // Bounds the whole request, redirects included, so a server that stalls or trickles cannot
    // hold a request for ever.
    std::chrono::milliseconds totalTimeout{30000};
    long maxRedirects = 8;
    std::string accept = "text/html, */*";
    // A larger body ends the request with an error: the answers asked for are small files, and a
    // broken or hostile server must not fill the disk.
    std::size_t maxBodySize = 16 * 1024 * 1024;
};

// How a GET ended.
struct HttpResult {
    // The final answer was 200, 201 or 202 and its body was written whole.
    bool ok = false;
    // The request ended in an error the operator is told about: no name resolution, no
    // connection, time-out, too many redirects, an error status (400 and above), a write
    // failure, an oversized body. Other answers (204, 304, ...) are neither ok nor failed.
    bool failed = false;
    // The failure was the resolver's: the host name has no address.
    bool hostUnresolved = false;
    // The request was given up because the caller asked it to stop.
    bool cancelled = false;
    long status = 0;           // the final response code, 0 when none arrived
    std::string serverHeader;  // the final response's "Server" header, empty when none
    std::string error;         // what went wrong, when failed: curl's text or the status line
};

// Sends a GET for url and writes the final response's body into body. The request carries
// userAgent, the "Accept" value of the options and, from the first request on, basic
// authentication with userName and an empty password. Redirects are followed up to the limit;
// only http and https are spoken, on the first request and after redirects. Cookies go to and
// come from the given cookie store. A set stop flag ends the request early as cancelled (it is
// looked at about once a second while the transfer waits, more often while data flows). Without a body stream
// nothing is sent and the result is not ok.
HttpResult HttpGetToStream(const std::string& url, const std::string& userAgent, const std::string& userName,
                           std::ostream* body, HttpCookieStore& cookies, const HttpOptions& options = {},
                           const std::atomic<bool>* stop = nullptr);

}  // namespace corvane
