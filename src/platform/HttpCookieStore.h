#pragma once

#include <mutex>

namespace corvane {

// What the HTTP requests of one run share: the in-memory cookie store, so that cookies a server
// sets on one request are sent back on the later ones. Nothing is written to disk. Requests may
// run on any thread, one or several at a time; the store guards itself.
class HttpCookieStore {
public:
    HttpCookieStore();
    ~HttpCookieStore();
    HttpCookieStore(const HttpCookieStore&) = delete;
    HttpCookieStore& operator=(const HttpCookieStore&) = delete;

    // libcurl's share handle (a CURLSH*, kept opaque so that users need no curl header) that a
    // request attaches to; null when libcurl could not create one (the requests then keep their
    // cookies to themselves).
    void* share() const { return m_share; }

private:
    void* m_share = nullptr;
    std::mutex m_mutex;
};

// Initialises libcurl once per process; safe to call from any thread, any number of times.
void ensureCurlInitialised();

}  // namespace corvane
