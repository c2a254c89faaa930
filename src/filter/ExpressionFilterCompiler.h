#pragma once

#include "store/RecordFilter.h"
#include "filter/LocaleFormats.h"

namespace corvane {

// Compiles texts of the filter expression language for the store's tables. Text compared with
// date-time values and numbers with a fraction are read in the given regional formats.
//
// Open points of the language, as decided here:
// - comparisons with a null operand are false, except IS [NOT] NULL and "=" / "<>" NULL;
//   arithmetic and functions with a null operand give null; NOT of such a comparison is true;
// - case is ignored (ASCII letters) in "=", "<>", LIKE and IN between text values when the
//   table asks for it; "<", ">", "<=", ">=" always compare bytes;
// - a constant meeting any non-constant operand (not only a field) takes that operand's type;
// - SUBSTRING(text, start[, length]) counts from 1; TRIM* remove the codes 0 to 32;
// - an empty text is no expression (the table applies no filter text when it is empty).
class ExpressionFilterCompiler final : public FilterCompiler {
public:
    explicit ExpressionFilterCompiler(LocaleFormats formats = {}) : m_formats(std::move(formats)) {}

    FilterCompileResult compile(std::string_view text, std::span<const FieldDef> fields,
                                bool caseInsensitive) const override;

    const LocaleFormats& formats() const { return m_formats; }

private:
    LocaleFormats m_formats;
};

}  // namespace corvane
