#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "filter/FilterNode.h"
#include "filter/LikePattern.h"

namespace corvane {

enum class CompareOp : unsigned char { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

// How two values of compatible types are compared: text by bytes (optionally ignoring case),
// numbers as numbers, two date-times by their millisecond, the precision the store keeps.
enum class CompareMode : unsigned char { Text, Number, Moment };

// A comparison with a null operand is false.
class CompareNode final : public ConditionNode {
public:
    CompareNode(FilterNodePtr left, CompareOp op, FilterNodePtr right, CompareMode mode, bool ignoreCase);
    bool test(const RecordReader& record) const override;
    int cost() const override;

private:
    FilterNodePtr m_left;
    FilterNodePtr m_right;
    CompareOp m_op;
    CompareMode m_mode;
    bool m_ignoreCase;
};

// Text compared with a text constant. With "=" and "<>", a constant of more than one character
// that ends in "*" tests only whether the text begins with the characters before the "*".
class TextConstantCompareNode final : public ConditionNode {
public:
    TextConstantCompareNode(FilterNodePtr left, CompareOp op, std::string constant, bool ignoreCase);
    bool test(const RecordReader& record) const override;
    int cost() const override { return m_left->cost() + 2; }

private:
    FilterNodePtr m_left;
    CompareOp m_op;
    std::string m_constant;  // folded when ignoring case for "=" and "<>"
    bool m_ignoreCase;
    bool m_prefix = false;
};

// An integer field compared with an integer constant: the common key tests, read directly.
class IntegerFieldCompareNode final : public ConditionNode {
public:
    IntegerFieldCompareNode(int field, CompareOp op, std::int64_t constant)
        : m_field(field), m_op(op), m_constant(constant) {}
    bool test(const RecordReader& record) const override;

private:
    int m_field;
    CompareOp m_op;
    std::int64_t m_constant;
};

class IntegerFieldInNode final : public ConditionNode {
public:
    IntegerFieldInNode(int field, std::vector<std::int64_t> values)
        : m_field(field), m_values(std::move(values)) {}
    bool test(const RecordReader& record) const override;
    int cost() const override { return 1 + static_cast<int>(m_values.size()) / 8; }

private:
    int m_field;
    std::vector<std::int64_t> m_values;
};

// True when the left value equals one of the listed values (null items never do).
class InNode final : public ConditionNode {
public:
    InNode(FilterNodePtr left, std::vector<FilterNodePtr> items, CompareMode mode, bool ignoreCase);
    bool test(const RecordReader& record) const override;
    int cost() const override;

private:
    FilterNodePtr m_left;
    std::vector<FilterNodePtr> m_items;
    CompareMode m_mode;
    bool m_ignoreCase;
};

class LikeNode final : public ConditionNode {
public:
    LikeNode(FilterNodePtr left, LikePattern pattern)
        : m_left(std::move(left)), m_pattern(std::move(pattern)) {}
    bool test(const RecordReader& record) const override;
    int cost() const override { return m_left->cost() + 8; }

private:
    FilterNodePtr m_left;
    LikePattern m_pattern;
};

class DynamicLikeNode final : public ConditionNode {
public:
    DynamicLikeNode(FilterNodePtr left, FilterNodePtr pattern, bool ignoreCase)
        : m_left(std::move(left)), m_pattern(std::move(pattern)), m_ignoreCase(ignoreCase) {}
    bool test(const RecordReader& record) const override;
    int cost() const override { return m_left->cost() + m_pattern->cost() + 16; }

private:
    FilterNodePtr m_left;
    FilterNodePtr m_pattern;
    bool m_ignoreCase;
};

// IS NULL, = NULL (wantNull) and IS NOT NULL, <> NULL.
class NullTestNode final : public ConditionNode {
public:
    NullTestNode(FilterNodePtr operand, bool wantNull)
        : m_operand(std::move(operand)), m_wantNull(wantNull) {}
    bool test(const RecordReader& record) const override;
    int cost() const override { return m_operand->cost(); }

private:
    FilterNodePtr m_operand;
    bool m_wantNull;
};

// AND (all) or OR (any) of conditions, tested cheapest first and stopping at the first answer.
class JunctionNode final : public ConditionNode {
public:
    JunctionNode(bool all, std::vector<FilterNodePtr> terms);
    bool test(const RecordReader& record) const override;
    int cost() const override;

private:
    bool m_all;
    std::vector<FilterNodePtr> m_terms;
};

class NotNode final : public ConditionNode {
public:
    explicit NotNode(FilterNodePtr operand) : m_operand(std::move(operand)) {}
    bool test(const RecordReader& record) const override { return !m_operand->test(record); }
    int cost() const override { return m_operand->cost(); }

private:
    FilterNodePtr m_operand;
};

}  // namespace corvane
