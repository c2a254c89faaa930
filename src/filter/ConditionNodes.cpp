#include "filter/ConditionNodes.h"

#include <algorithm>

#include "filter/TextFold.h"
#include "protocol/DateTime.h"

namespace corvane {
namespace {

bool holds(CompareOp op, int order) {
    switch (op) {
        case CompareOp::Equal:
            return order == 0;
        case CompareOp::NotEqual:
            return order != 0;
        case CompareOp::Less:
            return order < 0;
        case CompareOp::Greater:
            return order > 0;
        case CompareOp::LessEqual:
            return order <= 0;
        case CompareOp::GreaterEqual:
            return order >= 0;
    }
    return false;
}

template <typename T>
bool holdsOrdered(CompareOp op, T a, T b) {
    switch (op) {
        case CompareOp::Equal:
            return a == b;
        case CompareOp::NotEqual:
            return a != b;
        case CompareOp::Less:
            return a < b;
        case CompareOp::Greater:
            return a > b;
        case CompareOp::LessEqual:
            return a <= b;
        case CompareOp::GreaterEqual:
            return a >= b;
    }
    return false;
}

bool isEquality(CompareOp op) {
    return op == CompareOp::Equal || op == CompareOp::NotEqual;
}

// Whether two non-null values compare with op under the mode.
bool compareValues(const FilterValue& a, CompareOp op, const FilterValue& b, CompareMode mode,
                   bool ignoreCase) {
    switch (mode) {
        case CompareMode::Text:
            return holds(op, text_fold::compare(a.text, b.text, ignoreCase && isEquality(op)));
        case CompareMode::Moment:
            return holdsOrdered(op, dateTimeToMilliseconds(a.number), dateTimeToMilliseconds(b.number));
        case CompareMode::Number:
            break;
    }
    return holdsOrdered(op, a.number, b.number);
}

}  // namespace

CompareNode::CompareNode(FilterNodePtr left, CompareOp op, FilterNodePtr right, CompareMode mode,
                         bool ignoreCase)
    : m_left(std::move(left)), m_right(std::move(right)), m_op(op), m_mode(mode), m_ignoreCase(ignoreCase) {}

int CompareNode::cost() const {
    return m_left->cost() + m_right->cost() + 1;
}

bool CompareNode::test(const RecordReader& record) const {
    const FilterValue a = m_left->eval(record);
    if (a.null)
        return false;
    const FilterValue b = m_right->eval(record);
    if (b.null)
        return false;
    return compareValues(a, m_op, b, m_mode, m_ignoreCase);
}

TextConstantCompareNode::TextConstantCompareNode(FilterNodePtr left, CompareOp op, std::string constant,
                                                 bool ignoreCase)
    : m_left(std::move(left)),
      m_op(op),
      m_constant(std::move(constant)),
      m_ignoreCase(ignoreCase && isEquality(op)) {
    if (isEquality(op) && m_constant.size() > 1 && m_constant.back() == '*') {
        m_prefix = true;
        m_constant.pop_back();
    }
    if (m_ignoreCase)
        m_constant = text_fold::lowered(m_constant);
}

bool TextConstantCompareNode::test(const RecordReader& record) const {
    const FilterValue a = m_left->eval(record);
    if (a.null)
        return false;
    if (m_prefix) {
        const bool starts =
            m_ignoreCase ? text_fold::startsWithFolded(a.text, m_constant)
                         : a.text.substr(0, std::min(a.text.size(), m_constant.size())) == m_constant &&
                               a.text.size() >= m_constant.size();
        return (m_op == CompareOp::Equal) == starts;
    }
    if (m_ignoreCase)
        return (m_op == CompareOp::Equal) == text_fold::equalsFolded(a.text, m_constant);
    return holds(m_op, text_fold::compare(a.text, m_constant, false));
}

bool IntegerFieldCompareNode::test(const RecordReader& record) const {
    if (record.isNull(m_field))
        return false;
    return holdsOrdered<std::int64_t>(m_op, record.integer(m_field), m_constant);
}

bool IntegerFieldInNode::test(const RecordReader& record) const {
    if (record.isNull(m_field))
        return false;
    const std::int64_t v = record.integer(m_field);
    for (std::int64_t item : m_values)
        if (item == v)
            return true;
    return false;
}

InNode::InNode(FilterNodePtr left, std::vector<FilterNodePtr> items, CompareMode mode, bool ignoreCase)
    : m_left(std::move(left)), m_items(std::move(items)), m_mode(mode), m_ignoreCase(ignoreCase) {}

int InNode::cost() const {
    int total = m_left->cost() + 1;
    for (const auto& item : m_items) total += item->cost() + 1;
    return total;
}

bool InNode::test(const RecordReader& record) const {
    const FilterValue a = m_left->eval(record);
    if (a.null)
        return false;
    for (const auto& item : m_items) {
        const FilterValue b = item->eval(record);
        if (!b.null && compareValues(a, CompareOp::Equal, b, m_mode, m_ignoreCase))
            return true;
    }
    return false;
}

bool LikeNode::test(const RecordReader& record) const {
    const FilterValue a = m_left->eval(record);
    return !a.null && m_pattern.matches(a.text);
}

bool DynamicLikeNode::test(const RecordReader& record) const {
    const FilterValue a = m_left->eval(record);
    if (a.null)
        return false;
    const FilterValue p = m_pattern->eval(record);
    return !p.null && LikePattern::matches(a.text, p.text, m_ignoreCase);
}

bool NullTestNode::test(const RecordReader& record) const {
    return m_operand->eval(record).null == m_wantNull;
}

JunctionNode::JunctionNode(bool all, std::vector<FilterNodePtr> terms)
    : m_all(all), m_terms(std::move(terms)) {
    std::stable_sort(m_terms.begin(), m_terms.end(),
                     [](const FilterNodePtr& a, const FilterNodePtr& b) { return a->cost() < b->cost(); });
}

int JunctionNode::cost() const {
    int total = 0;
    for (const auto& t : m_terms) total += t->cost();
    return total;
}

bool JunctionNode::test(const RecordReader& record) const {
    for (const auto& t : m_terms)
        if (t->test(record) != m_all)
            return !m_all;
    return m_all;
}

}  // namespace corvane
