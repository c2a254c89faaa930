#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Reads a whole file; false with the reason in `error` when it cannot be read.
bool readWholeFile(const std::string& path, std::string& out, std::string& error);

// Replaces a file so that it is either wholly old or wholly new: the bytes go to a temporary
// file in the same folder, which is flushed and renamed over the old one, and the folder is
// flushed. Returns an empty text on success, otherwise the reason; the old file is then intact.
std::string writeFileAtomically(const std::string& path, std::string_view data);

}  // namespace corvane
