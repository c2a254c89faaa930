#pragma once

#include <string>
#include <vector>

#include "filter/FilterNode.h"

namespace corvane {

class ConstantNode final : public FilterNode {
public:
    static FilterNodePtr null(FilterType type);
    static FilterNodePtr number(FilterType type, double value);
    static FilterNodePtr text(std::string value);

    FilterValue eval(const RecordReader&) const override { return m_value; }
    int cost() const override { return 0; }
    const FilterValue& value() const { return m_value; }

private:
    ConstantNode(FilterType type, FilterValue value, std::string text);

    std::string m_text;
    FilterValue m_value;
};

class FieldNode final : public FilterNode {
public:
    FieldNode(FilterType type, int field) : FilterNode(type), m_field(field) {}
    FilterValue eval(const RecordReader& record) const override;
    int field() const { return m_field; }

private:
    int m_field;
};

// A chain of "+", "-", "*" and "/" applied left to right, kept flat so that a long chain needs
// no deep recursion. Each step knows the type of the running result after it.
class ArithmeticNode final : public FilterNode {
public:
    struct Step {
        char op;
        FilterNodePtr operand;
        FilterType resultType;
    };
    ArithmeticNode(FilterNodePtr first, std::vector<Step> steps);
    FilterValue eval(const RecordReader& record) const override;
    int cost() const override;

private:
    FilterNodePtr m_first;
    std::vector<Step> m_steps;
    mutable std::string m_buffer;
};

enum class FilterFunction : unsigned char {
    Upper,
    Lower,
    Substring,
    Trim,
    TrimLeft,
    TrimRight,
    Year,
    Month,
    Day,
    Hour,
    Minute,
    Second,
    Date,
    Time,
    GetDate,
};

// A function of the language. SUBSTRING(text, start[, length]) counts from 1; a start before 1
// still counts its positions against the length; no length means to the end; a negative length
// gives the empty text. TRIM, TRIMLEFT and TRIMRIGHT remove characters with codes 0 to 32. UPPER
// and LOWER change ASCII letters only. A null argument gives null.
class FunctionNode final : public FilterNode {
public:
    FunctionNode(FilterType type, FilterFunction function, std::vector<FilterNodePtr> arguments);
    FilterValue eval(const RecordReader& record) const override;
    int cost() const override;

private:
    FilterFunction m_function;
    std::vector<FilterNodePtr> m_arguments;
    mutable std::string m_buffer;
};

}  // namespace corvane
