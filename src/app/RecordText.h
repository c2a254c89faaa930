#pragma once

// Field.h comes before DateTime.h: its FieldType::DateTime must not shadow the alias.
#include "store/Field.h"
#include "protocol/DateTime.h"

#include <optional>
#include <string>
#include <string_view>

// How field values are written into exported text and read back from it.
namespace corvane::record_text {

bool isValidUtf8(std::string_view bytes);
// Appends the bytes as they are when they are valid UTF-8, and read as Latin-1 otherwise (the
// way the window shows them), so the output is always UTF-8.
void appendUtf8(std::string& out, std::string_view bytes);

// "2026-12-10 14:46:08.123" with `separator` between date and time (local wall-clock time).
void appendDateTime(std::string& out, DateTime value, char separator = ' ');
// Reads what appendDateTime writes, with "T" or a blank between date and time and the
// milliseconds optional; nullopt when the text is not such a time.
std::optional<DateTime> readDateTime(std::string_view text);

// A JSON string, quotes included; the text is made UTF-8 first.
void appendJsonString(std::string& out, std::string_view text);
// One CSV field (RFC 4180): quoted when it holds a comma, a quote, CR or LF, quotes doubled.
void appendCsvField(std::string& out, std::string_view text);

}  // namespace corvane::record_text
