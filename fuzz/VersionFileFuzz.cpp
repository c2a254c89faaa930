// Feeds arbitrary bytes to the version file reader and checks what it promises: a build read
// only from a first line with a space after its first character, lines only above build 1,
// and lines that hold no line end and come from the text.
#include "app/UpdateVersionFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const corvane::VersionFileContent content = corvane::parseVersionFile(text);

    const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
    const std::size_t space = first.find(' ');
    if (content.latestBuild != 0 && (space == std::string_view::npos || space == 0))
        std::abort();
    if (content.latestBuild <= 1 && (content.secondLine || content.thirdLine))
        std::abort();
    if (content.thirdLine && !content.secondLine)
        std::abort();
    for (const auto* line : {&content.secondLine, &content.thirdLine}) {
        if (!*line)
            continue;
        if ((*line)->find_first_of("\r\n") != std::string::npos ||
            text.find(**line) == std::string_view::npos)
            std::abort();
    }
    return 0;
}
