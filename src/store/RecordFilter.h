#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "store/Field.h"

namespace corvane {

// What a filter sees of one record. Field numbers index the table's field list (data fields
// only are ever asked for). The reader is valid only for the duration of one matches() call.
class RecordReader {
public:
    virtual ~RecordReader();
    virtual bool isNull(int field) const = 0;
    virtual std::int32_t integer(int field) const = 0;   // Integer and AutoInc fields
    virtual double dateTime(int field) const = 0;        // DateTime fields
    virtual std::string_view text(int field) const = 0;  // Text fields, as stored
};

// A compiled filter text: answers whether a record belongs in the view.
class CompiledFilter {
public:
    virtual ~CompiledFilter();
    virtual bool matches(const RecordReader& record) const = 0;
};

// The outcome of compiling a filter text: a filter, or the message and the 0-based position of
// the offending token in the text (the text's length when the fault is at its end).
struct FilterCompileResult {
    std::unique_ptr<CompiledFilter> filter;
    std::string error;
    int errorPosition = -1;

    bool ok() const { return filter != nullptr; }
};

// Turns a filter text into a CompiledFilter for a table with the given fields. The table passes
// its case-insensitive option; comparisons of text with "=", "<>" and LIKE then ignore case.
class FilterCompiler {
public:
    virtual ~FilterCompiler();
    virtual FilterCompileResult compile(std::string_view text, std::span<const FieldDef> fields,
                                        bool caseInsensitive) const = 0;
};

}  // namespace corvane
