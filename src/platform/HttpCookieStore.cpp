#include "platform/HttpCookieStore.h"

#include <curl/curl.h>

#include <mutex>

namespace corvane {

namespace {

// One mutex for every kind of shared data: only cookies are shared, and a request holds the lock
// only for the moment it reads or updates them.
void lockShare(CURL*, curl_lock_data, curl_lock_access, void* mutex) {
    static_cast<std::mutex*>(mutex)->lock();
}

void unlockShare(CURL*, curl_lock_data, void* mutex) {
    static_cast<std::mutex*>(mutex)->unlock();
}

}  // namespace

void ensureCurlInitialised() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpCookieStore::HttpCookieStore() {
    ensureCurlInitialised();
    CURLSH* share = curl_share_init();
    if (!share)
        return;
    curl_share_setopt(share, CURLSHOPT_LOCKFUNC, &lockShare);
    curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, &unlockShare);
    curl_share_setopt(share, CURLSHOPT_USERDATA, &m_mutex);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    m_share = share;
}

HttpCookieStore::~HttpCookieStore() {
    if (m_share)
        curl_share_cleanup(static_cast<CURLSH*>(m_share));
}

}  // namespace corvane
