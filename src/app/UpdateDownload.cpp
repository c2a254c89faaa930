#include "app/UpdateDownload.h"

#include "app/UpdateTexts.h"
#include "protocol/Placeholders.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace corvane {
namespace {

namespace fs = std::filesystem;

HttpResult failure(std::string error) {
    HttpResult result;
    result.failed = true;
    result.error = std::move(error);
    return result;
}

}  // namespace

HttpResult DownloadFile(const DownloadContext& context, const std::string& url, const std::string& subfolder,
                        const std::string& fileName, const std::string& userAgent,
                        const std::string& userName) {
    if ((context.shuttingDown && context.shuttingDown->load()) || !context.cookies)
        return {};
    if (context.isInternetConnected && !context.isInternetConnected())
        return {};

    const std::string folder = context.updateFolder + subfolder;
    std::error_code error;
    if (!folder.empty() && !fs::is_directory(folder, error)) {
        fs::create_directories(folder, error);
        if (error)
            return failure(fillIn(update_texts::kFolderFailed, {folder, error.message()}));
    }

    const std::string path = folder + fileName;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return failure(fillIn(update_texts::kFileFailed, {path, std::strerror(errno)}));

    HttpResult result = HttpGetToStream(url, userAgent, userName, &file, *context.cookies, context.http,
                                        context.shuttingDown);
    file.close();
    if (result.ok && file.fail()) {
        result.ok = false;
        result.failed = true;
        result.error = fillIn(update_texts::kFileFailed, {path, std::strerror(errno)});
    }
    if (!result.ok || fs::file_size(path, error) == 0 || error)
        fs::remove(path, error);
    return result;
}

}  // namespace corvane
