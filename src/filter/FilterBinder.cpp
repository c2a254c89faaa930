#include "filter/FilterBinder.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "filter/FilterTexts.h"

namespace corvane {
namespace {

constexpr std::size_t kMaxComparedText = 255;

std::optional<std::int32_t> parseInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view text, char separator) {
    std::string plain(text);
    for (char& c : plain)
        if (c == separator)
            c = '.';
        else if (c == '.')
            c = ',';  // a point is no separator unless it is the user's
    std::string_view v = plain;
    if (!v.empty() && v.front() == '+')
        v.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (ec != std::errc{} || end != v.data() + v.size() || v.empty() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The comparison class of two types, or nothing when they do not compare.
std::optional<CompareMode> modeOf(FilterType a, FilterType b) {
    if (a == FilterType::Text && b == FilterType::Text)
        return CompareMode::Text;
    if (isDateLike(a) && isDateLike(b))
        return CompareMode::Moment;
    if ((isNumeric(a) || isDateLike(a)) && (isNumeric(b) || isDateLike(b)))
        return CompareMode::Number;
    return std::nullopt;
}

CompareOp mirrored(CompareOp op) {
    switch (op) {
        case CompareOp::Less:
            return CompareOp::Greater;
        case CompareOp::Greater:
            return CompareOp::Less;
        case CompareOp::LessEqual:
            return CompareOp::GreaterEqual;
        case CompareOp::GreaterEqual:
            return CompareOp::LessEqual;
        default:
            return op;
    }
}

void inherit(FilterOperand& out, const FilterOperand& a, const FilterOperand& b) {
    out.varying = a.varying || b.varying;
    out.aggregate = a.aggregate || b.aggregate;
    out.aggregatePosition = a.aggregate ? a.aggregatePosition : b.aggregatePosition;
}

const FieldNode* asField(const FilterNodePtr& node) {
    return dynamic_cast<const FieldNode*>(node.get());
}

FilterValue constantValue(const FilterNodePtr& node) {
    const auto* c = dynamic_cast<const ConstantNode*>(node.get());
    return c ? c->value() : FilterValue{};
}

}  // namespace

bool FilterBinder::fail(std::string message, int position) {
    if (m_error.position < 0)
        m_error = {std::move(message), position};
    return false;
}

bool FilterBinder::mixCheck(const FilterOperand& a, const FilterOperand& b, int position) {
    if ((a.aggregate && b.varying) || (b.aggregate && a.varying))
        return fail(std::string(filter_texts::kAggregateMixed), position);
    return true;
}

bool FilterBinder::adopt(FilterOperand& c, FilterType target, bool cutText) {
    using namespace filter_texts;
    const auto wrongType = [&] { return fail(format(kConstantWrongType, c.display), c.position); };
    if (c.constant == ConstantKind::Null) {
        c.node = ConstantNode::null(target);
    } else if (c.constant == ConstantKind::Boolean) {
        if (!isNumeric(target))
            return wrongType();
        c.node = ConstantNode::number(target, c.value == "1" ? 1 : 0);
    } else if (target == FilterType::Text) {
        std::string text = c.value;
        if (cutText && text.size() > kMaxComparedText)
            text.resize(kMaxComparedText);
        c.node = ConstantNode::text(std::move(text));
    } else if (target == FilterType::Integer) {
        const auto v = parseInteger(c.value);
        if (!v)
            return fail(format(kNotAnInteger, c.value), c.position);
        c.node = ConstantNode::number(FilterType::Integer, *v);
    } else if (isNumeric(target) || (isDateLike(target) && c.constant == ConstantKind::Number)) {
        const auto v = parseNumber(c.value, m_formats.decimalSeparator);
        if (!v)
            return wrongType();
        c.node = ConstantNode::number(target == FilterType::Boolean ? FilterType::Float : target, *v);
    } else if (isDateLike(target)) {
        std::optional<DateTime> v;
        if (target == FilterType::Time)
            v = m_formats.parseTime(c.value);
        if (!v)
            v = m_formats.parseDateTime(c.value);
        if (!v)
            return fail(format(kNotADateTime, c.value), c.position);
        c.node = ConstantNode::number(target, *v);
    } else {
        return wrongType();
    }
    c.type = c.node->type();
    return true;
}

bool FilterBinder::materialize(FilterOperand& operand) {
    if (operand.node)
        return true;
    switch (operand.constant) {
        case ConstantKind::Text:
            return adopt(operand, FilterType::Text, false);
        case ConstantKind::Number:
            return adopt(operand, FilterType::Float, false);
        case ConstantKind::Boolean:
            return adopt(operand, FilterType::Boolean, false);
        default:
            return adopt(operand, FilterType::Null, false);
    }
}

bool FilterBinder::nullTest(FilterOperand& operand, bool wantNull, FilterOperand& out) {
    if (!materialize(operand))
        return false;
    out.varying = operand.varying;
    out.aggregate = operand.aggregate;
    out.aggregatePosition = operand.aggregatePosition;
    out.type = FilterType::Boolean;
    out.node = std::make_unique<NullTestNode>(std::move(operand.node), wantNull);
    return true;
}

bool FilterBinder::compare(FilterOperand& left, CompareOp op, FilterOperand& right, int opPosition,
                           FilterOperand& out) {
    if (!mixCheck(left, right, opPosition))
        return false;
    const bool leftNull = left.constant == ConstantKind::Null;
    const bool rightNull = right.constant == ConstantKind::Null;
    if (leftNull || rightNull) {
        if (op != CompareOp::Equal && op != CompareOp::NotEqual)
            return fail(std::string(filter_texts::kNullOnlyWithEquals),
                        leftNull ? left.position : right.position);
        return nullTest(rightNull ? left : right, op == CompareOp::Equal, out);
    }
    FilterOperand* a = &left;
    FilterOperand* b = &right;
    if (a->isConstant() && !b->isConstant()) {
        std::swap(a, b);
        op = mirrored(op);
    }
    if (!materialize(*a))
        return false;
    if (b->isConstant() && !a->isConstant()) {
        if (!adopt(*b, a->type, true))
            return false;
    } else if (!materialize(*b)) {
        return false;
    }
    const auto mode = modeOf(a->type, b->type);
    if (!mode)
        return fail(std::string(filter_texts::kTypeMismatch), opPosition);

    inherit(out, *a, *b);
    out.type = FilterType::Boolean;
    const FieldNode* field = asField(a->node);
    if (field && a->type == FilterType::Integer && b->isConstant() && b->type == FilterType::Integer) {
        const double v = constantValue(b->node).number;
        out.node =
            std::make_unique<IntegerFieldCompareNode>(field->field(), op, static_cast<std::int64_t>(v));
    } else if (*mode == CompareMode::Text && b->isConstant()) {
        std::string constant(constantValue(b->node).text);
        out.node = std::make_unique<TextConstantCompareNode>(std::move(a->node), op, std::move(constant),
                                                             m_ignoreCase);
    } else {
        out.node =
            std::make_unique<CompareNode>(std::move(a->node), op, std::move(b->node), *mode, m_ignoreCase);
    }
    return true;
}

bool FilterBinder::like(FilterOperand& left, FilterOperand& right, int opPosition, FilterOperand& out) {
    if (!mixCheck(left, right, opPosition))
        return false;
    for (const FilterOperand* o : {&left, &right})
        if (o->constant == ConstantKind::Null)
            return fail(std::string(filter_texts::kNullOnlyWithEquals), o->position);
    if (left.isConstant() && !right.isConstant()) {
        if (!materialize(right) || !adopt(left, right.type, true))
            return false;
    } else if (right.isConstant() && !left.isConstant()) {
        if (!materialize(left) || !adopt(right, left.type, true))
            return false;
    } else if (!materialize(left) || !materialize(right)) {
        return false;
    }
    if (left.type != FilterType::Text || right.type != FilterType::Text)
        return fail(std::string(filter_texts::kTypeMismatch), opPosition);

    inherit(out, left, right);
    out.type = FilterType::Boolean;
    if (right.isConstant()) {
        const std::string_view pattern = constantValue(right.node).text;
        out.node = std::make_unique<LikeNode>(std::move(left.node), LikePattern(pattern, m_ignoreCase));
    } else {
        out.node =
            std::make_unique<DynamicLikeNode>(std::move(left.node), std::move(right.node), m_ignoreCase);
    }
    return true;
}

bool FilterBinder::in(FilterOperand& left, std::vector<FilterOperand>& items, int opPosition,
                      FilterOperand& out) {
    for (const FilterOperand& item : items)
        if (!mixCheck(left, item, opPosition))
            return false;
    // The list's type comes from the left side, else from the first listed non-constant.
    FilterOperand* reference = left.isConstant() ? nullptr : &left;
    for (std::size_t i = 0; !reference && i < items.size(); ++i)
        if (!items[i].isConstant())
            reference = &items[i];

    auto bind = [&](FilterOperand& o) {
        if (reference && o.isConstant()) {
            if (!materialize(*reference))
                return false;
            return adopt(o, reference->type, true);
        }
        return materialize(o);
    };
    if (!bind(left))
        return false;
    std::optional<CompareMode> mode;
    bool integerConstants = left.type == FilterType::Integer;
    for (FilterOperand& item : items) {
        if (!bind(item))
            return false;
        if (item.type == FilterType::Null || left.type == FilterType::Null)
            continue;
        const auto m = modeOf(left.type, item.type);
        if (!m || (mode && *m != *mode))
            return fail(std::string(filter_texts::kTypeMismatch), opPosition);
        mode = m;
        integerConstants = integerConstants && item.isConstant() && item.type == FilterType::Integer;
    }

    out.type = FilterType::Boolean;
    out.varying = left.varying;
    out.aggregate = left.aggregate;
    out.aggregatePosition = left.aggregatePosition;
    for (const FilterOperand& item : items) {
        out.varying = out.varying || item.varying;
        if (item.aggregate && !out.aggregate) {
            out.aggregate = true;
            out.aggregatePosition = item.aggregatePosition;
        }
    }
    const FieldNode* field = asField(left.node);
    if (field && integerConstants) {
        std::vector<std::int64_t> values;
        for (const FilterOperand& item : items) {
            const FilterValue v = constantValue(item.node);
            if (!v.null)
                values.push_back(static_cast<std::int64_t>(v.number));
        }
        out.node = std::make_unique<IntegerFieldInNode>(field->field(), std::move(values));
        return true;
    }
    std::vector<FilterNodePtr> nodes;
    for (FilterOperand& item : items) nodes.push_back(std::move(item.node));
    out.node = std::make_unique<InNode>(std::move(left.node), std::move(nodes),
                                        mode.value_or(CompareMode::Number), m_ignoreCase);
    return true;
}

bool FilterBinder::arithmetic(FilterOperand& first, std::vector<Step>& steps, FilterOperand& out) {
    if (steps.empty()) {
        out = std::move(first);
        return true;
    }
    // Constants meeting a non-constant take a fitting type: text as a date-time beside a
    // date-time, as a number beside a number; a number as text beside text.
    auto fit = [&](FilterOperand& constant, FilterType other) {
        if (constant.constant == ConstantKind::Text && isDateLike(other))
            return adopt(constant, FilterType::Moment, false);
        if (constant.constant == ConstantKind::Text && isNumeric(other))
            return adopt(constant, other == FilterType::Integer ? FilterType::Integer : FilterType::Float,
                         false);
        if (constant.constant == ConstantKind::Number && other == FilterType::Text)
            return adopt(constant, FilterType::Text, false);
        return materialize(constant);
    };

    FilterOperand& second = steps.front().operand;
    if (first.isConstant() && !second.isConstant()) {
        if (!materialize(second) || !fit(first, second.type))
            return false;
    } else if (!materialize(first)) {
        return false;
    }

    FilterType acc = first.type;
    out.varying = first.varying;
    out.aggregate = first.aggregate;
    out.aggregatePosition = first.aggregatePosition;
    bool accIsConstant = first.isConstant();
    std::vector<ArithmeticNode::Step> nodeSteps;
    for (Step& step : steps) {
        FilterOperand& o = step.operand;
        if (!mixCheck(out, o, step.position))
            return false;
        if (o.isConstant() && !accIsConstant) {
            if (!fit(o, acc))
                return false;
        } else if (!materialize(o)) {
            return false;
        }
        const FilterType t = o.type;
        std::optional<FilterType> result;
        if (acc == FilterType::Null || t == FilterType::Null) {
            const FilterType other = acc == FilterType::Null ? t : acc;
            result = isDateLike(other) ? FilterType::Moment : isNumeric(other) ? FilterType::Float : other;
        } else if (isNumeric(acc) && isNumeric(t)) {
            result = FilterType::Float;
        } else if (step.op == '+' && acc == FilterType::Text && t == FilterType::Text) {
            result = FilterType::Text;
        } else if (step.op == '+' &&
                   ((isDateLike(acc) && isNumeric(t)) || (isNumeric(acc) && isDateLike(t)))) {
            result = FilterType::Moment;
        } else if (step.op == '-' && isDateLike(acc) && isNumeric(t)) {
            result = FilterType::Moment;
        } else if (step.op == '-' && isDateLike(acc) && isDateLike(t)) {
            result = FilterType::Float;
        }
        if (!result)
            return fail(std::string(filter_texts::kTypeMismatch), step.position);
        acc = *result;
        accIsConstant = accIsConstant && o.isConstant();
        out.varying = out.varying || o.varying;
        if (o.aggregate && !out.aggregate) {
            out.aggregate = true;
            out.aggregatePosition = o.aggregatePosition;
        }
        nodeSteps.push_back({step.op, std::move(o.node), acc});
    }
    out.type = acc;
    out.position = first.position;
    out.display = first.display;
    out.node = std::make_unique<ArithmeticNode>(std::move(first.node), std::move(nodeSteps));
    return true;
}

bool FilterBinder::function(FilterFunction f, std::vector<FilterOperand>& args, int position,
                            FilterOperand& out) {
    const auto mismatch = [&] { return fail(std::string(filter_texts::kTypeMismatch), position); };
    std::size_t minArgs = 1;
    std::size_t maxArgs = 1;
    FilterType result = FilterType::Text;
    switch (f) {
        case FilterFunction::GetDate:
            minArgs = maxArgs = 0;
            result = FilterType::Moment;
            break;
        case FilterFunction::Substring:
            minArgs = 2;
            maxArgs = 3;
            break;
        case FilterFunction::Upper:
        case FilterFunction::Lower:
        case FilterFunction::Trim:
        case FilterFunction::TrimLeft:
        case FilterFunction::TrimRight:
            break;
        case FilterFunction::Date:
            result = FilterType::Date;
            break;
        case FilterFunction::Time:
            result = FilterType::Time;
            break;
        default:
            result = FilterType::Integer;
            break;
    }
    if (args.size() < minArgs || args.size() > maxArgs)
        return mismatch();

    std::vector<FilterNodePtr> nodes;
    for (std::size_t i = 0; i < args.size(); ++i) {
        FilterOperand& a = args[i];
        const bool textArgument = result == FilterType::Text && i == 0;
        bool ok = true;
        if (a.constant == ConstantKind::Null) {
            ok = materialize(a);
        } else if (textArgument) {
            ok = a.isConstant() ? adopt(a, FilterType::Text, false) : materialize(a);
            if (ok && a.type != FilterType::Text)
                return mismatch();
        } else if (result == FilterType::Text) {  // SUBSTRING's start and length
            ok = a.isConstant() ? adopt(a, FilterType::Float, false) : materialize(a);
            if (ok && !isNumeric(a.type))
                return mismatch();
        } else {
            ok = a.constant == ConstantKind::Text ? adopt(a, FilterType::Moment, false) : materialize(a);
            if (ok && !isDateLike(a.type))
                return mismatch();
        }
        if (!ok)
            return false;
        out.varying = out.varying || a.varying;
        if (a.aggregate && !out.aggregate) {
            out.aggregate = true;
            out.aggregatePosition = a.aggregatePosition;
        }
        nodes.push_back(std::move(a.node));
    }
    out.type = result;
    out.position = position;
    out.node = std::make_unique<FunctionNode>(result, f, std::move(nodes));
    return true;
}

bool FilterBinder::condition(FilterOperand& operand, FilterNodePtr& out) {
    if (!materialize(operand))
        return false;
    if (operand.type != FilterType::Boolean)
        return fail(std::string(filter_texts::kNotACondition), operand.position);
    out = std::move(operand.node);
    return true;
}

bool FilterBinder::junction(bool all, std::vector<FilterOperand>& terms, int opPosition, FilterOperand& out) {
    std::vector<FilterNodePtr> nodes;
    for (FilterOperand& t : terms) {
        if (!mixCheck(out, t, opPosition))
            return false;
        inherit(out, out, t);
        FilterNodePtr node;
        if (!condition(t, node))
            return false;
        nodes.push_back(std::move(node));
    }
    out.type = FilterType::Boolean;
    out.node = std::make_unique<JunctionNode>(all, std::move(nodes));
    return true;
}

bool FilterBinder::negation(FilterOperand& operand, FilterOperand& out) {
    FilterNodePtr node;
    if (!condition(operand, node))
        return false;
    out.varying = operand.varying;
    out.aggregate = operand.aggregate;
    out.aggregatePosition = operand.aggregatePosition;
    out.type = FilterType::Boolean;
    out.node = std::make_unique<NotNode>(std::move(node));
    return true;
}

}  // namespace corvane
