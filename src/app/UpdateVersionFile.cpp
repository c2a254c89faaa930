#include "app/UpdateVersionFile.h"

#include <charconv>
#include <fstream>

namespace corvane {
namespace {

// The line starting at pos, without its end; pos moves past the line end.
std::string_view takeLine(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos)
        end = text.size();
    pos = end;
    if (pos < text.size() && text[pos] == '\r')
        ++pos;
    if (pos < text.size() && text[pos] == '\n' && (pos == end || text[end] == '\r'))
        ++pos;
    return text.substr(start, end - start);
}

// An optional sign and decimal digits, within the range of int.
std::optional<int> parseDecimal(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

VersionFileContent parseVersionFile(std::string_view text) {
    VersionFileContent content;
    std::size_t pos = 0;
    const std::string_view first = takeLine(text, pos);

    const std::size_t space = first.find(' ');
    if (space == std::string_view::npos || space == 0)
        return content;
    const std::size_t dot = first.rfind('.');
    const std::size_t from = dot == std::string_view::npos ? 0 : dot + 1;
    if (from > space)
        return content;
    const auto build = parseDecimal(first.substr(from, space - from));
    if (!build)
        return content;

    content.latestBuild = *build;
    if (content.latestBuild > 1) {
        if (pos < text.size())
            content.secondLine = std::string(takeLine(text, pos));
        if (pos < text.size())
            content.thirdLine = std::string(takeLine(text, pos));
    }
    return content;
}

VersionFileContent readVersionFileContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string text(kMaxVersionFileSize, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return parseVersionFile(text);
}

void applyVersionFile(const VersionFileContent& content, UpdateState& state) {
    state.latestBuild = content.latestBuild;
    if (content.secondLine)
        state.secondLine = *content.secondLine;
    if (content.thirdLine)
        state.thirdLine = *content.thirdLine;
}

int ReadVersionFile(const std::string& path, UpdateState& state) {
    const VersionFileContent content = readVersionFileContent(path);
    applyVersionFile(content, state);
    return content.latestBuild;
}

}  // namespace corvane
