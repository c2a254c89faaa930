#pragma once

#include <memory>
#include <string_view>

#include "store/RecordFilter.h"

namespace corvane {

// The static type of a filter expression. Date and Time are what DATE() and TIME() yield; they
// behave as date-times except when text is read for them.
enum class FilterType : unsigned char { Null, Boolean, Integer, Float, Text, Moment, Date, Time };

inline bool isNumeric(FilterType t) {
    return t == FilterType::Boolean || t == FilterType::Integer || t == FilterType::Float;
}
inline bool isDateLike(FilterType t) {
    return t == FilterType::Moment || t == FilterType::Date || t == FilterType::Time;
}

// One value met while evaluating. Numbers, truth values (0 or 1) and date-times (days) are in
// `number`; text points into the record or into the buffer of the node that made it, and stays
// valid until that node is evaluated again.
struct FilterValue {
    bool null = true;
    double number = 0;
    std::string_view text;

    static FilterValue ofNumber(double n) { return {false, n, {}}; }
    static FilterValue ofText(std::string_view t) { return {false, 0, t}; }
};

// A node of a compiled expression. Nodes hold everything about their constants in ready form;
// evaluation allocates nothing once the text buffers of a node have grown to size. Nodes keep
// scratch buffers, so one compiled filter is evaluated by one thread at a time.
class FilterNode {
public:
    explicit FilterNode(FilterType type) : m_type(type) {}
    virtual ~FilterNode();
    FilterNode(const FilterNode&) = delete;
    FilterNode& operator=(const FilterNode&) = delete;

    FilterType type() const { return m_type; }
    virtual FilterValue eval(const RecordReader& record) const = 0;

    // The truth of a condition; for other values, non-null and not zero.
    virtual bool test(const RecordReader& record) const;

    // A rough relative cost of one evaluation, used to test cheap conditions first.
    virtual int cost() const { return 1; }

private:
    FilterType m_type;
};

using FilterNodePtr = std::unique_ptr<FilterNode>;

// A node whose value is a truth: eval() answers 0 or 1 from test(), never null.
class ConditionNode : public FilterNode {
public:
    ConditionNode() : FilterNode(FilterType::Boolean) {}
    FilterValue eval(const RecordReader& record) const override {
        return FilterValue::ofNumber(test(record) ? 1 : 0);
    }
    bool test(const RecordReader& record) const override = 0;
};

}  // namespace corvane
