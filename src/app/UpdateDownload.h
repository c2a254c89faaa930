#pragma once

#include "platform/HttpGet.h"

#include <atomic>
#include <functional>
#include <string>

namespace corvane {

// What a download needs besides its own arguments; everything here may be used off the main
// thread.
struct DownloadContext {
    std::string updateFolder;  // ends in a separator
    HttpCookieStore* cookies = nullptr;
    HttpOptions http;
    // Asked before every request; unset counts as connected.
    std::function<bool()> isInternetConnected;
    // Set while the program shuts down: no new request starts, one in flight is given up.
    const std::atomic<bool>* shuttingDown = nullptr;
};

// Fetches url into the update folder + subfolder + fileName, creating missing folders and
// replacing an older file. The file stays only when the request succeeded with a body that is not
// empty. Nothing is done (and the result is neither ok nor failed) while shutting down or
// without a connection. A folder or file that cannot be written is a failure with its reason.
HttpResult DownloadFile(const DownloadContext& context, const std::string& url, const std::string& subfolder,
                        const std::string& fileName, const std::string& userAgent,
                        const std::string& userName);

}  // namespace corvane
