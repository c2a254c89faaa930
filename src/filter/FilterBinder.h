#pragma once

#include <string>
#include <vector>

#include "filter/ConditionNodes.h"
#include "filter/FilterOperand.h"
#include "filter/LocaleFormats.h"
#include "filter/ValueNodes.h"

namespace corvane {

struct FilterError {
    std::string message;
    int position = -1;
};

// Gives parsed operands their types and joins them into nodes, reporting type faults. Rules:
// - a constant meeting a non-constant operand takes that operand's type: text read as an integer,
//   number or date and time (in the user's formats), a number as the text it was written as;
//   text constants compared with text are cut to 255 characters;
// - comparisons join text with text, numbers with numbers and date-times, date-times with both;
// - "=" and "<>" with NULL test for null; a comparison with a null value is false;
// - arithmetic: number with number, text + text, date-time +/- number, date-time - date-time.
class FilterBinder {
public:
    FilterBinder(const LocaleFormats& formats, bool ignoreCase)
        : m_formats(formats), m_ignoreCase(ignoreCase) {}

    bool compare(FilterOperand& left, CompareOp op, FilterOperand& right, int opPosition, FilterOperand& out);
    bool like(FilterOperand& left, FilterOperand& right, int opPosition, FilterOperand& out);
    bool in(FilterOperand& left, std::vector<FilterOperand>& items, int opPosition, FilterOperand& out);
    bool nullTest(FilterOperand& operand, bool wantNull, FilterOperand& out);

    struct Step {
        char op;
        int position;
        FilterOperand operand;
    };
    bool arithmetic(FilterOperand& first, std::vector<Step>& steps, FilterOperand& out);

    bool function(FilterFunction function, std::vector<FilterOperand>& arguments, int position,
                  FilterOperand& out);
    bool junction(bool all, std::vector<FilterOperand>& terms, int opPosition, FilterOperand& out);
    bool negation(FilterOperand& operand, FilterOperand& out);

    // The operand as a condition (the whole text, or a term of AND, OR and NOT).
    bool condition(FilterOperand& operand, FilterNodePtr& out);

    // The node of an operand; a waiting constant takes its own type (text, number, truth, null).
    bool materialize(FilterOperand& operand);

    const FilterError& error() const { return m_error; }
    bool fail(std::string message, int position);

private:
    bool adopt(FilterOperand& constant, FilterType target, bool cutText);
    bool mixCheck(const FilterOperand& a, const FilterOperand& b, int position);

    const LocaleFormats& m_formats;
    bool m_ignoreCase;
    FilterError m_error;
};

}  // namespace corvane
