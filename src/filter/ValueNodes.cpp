#include "filter/ValueNodes.h"

#include <cmath>

#include "filter/TextFold.h"
#include "protocol/DateTime.h"

namespace corvane {

FilterNode::~FilterNode() = default;

bool FilterNode::test(const RecordReader& record) const {
    const FilterValue v = eval(record);
    return !v.null && v.number != 0;
}

ConstantNode::ConstantNode(FilterType type, FilterValue value, std::string text)
    : FilterNode(type), m_text(std::move(text)), m_value(value) {
    if (type == FilterType::Text && !m_value.null)
        m_value.text = m_text;
}

FilterNodePtr ConstantNode::null(FilterType type) {
    return FilterNodePtr(new ConstantNode(type, FilterValue{}, {}));
}

FilterNodePtr ConstantNode::number(FilterType type, double value) {
    return FilterNodePtr(new ConstantNode(type, FilterValue::ofNumber(value), {}));
}

FilterNodePtr ConstantNode::text(std::string value) {
    return FilterNodePtr(new ConstantNode(FilterType::Text, FilterValue::ofText({}), std::move(value)));
}

FilterValue FieldNode::eval(const RecordReader& record) const {
    if (record.isNull(m_field))
        return {};
    switch (type()) {
        case FilterType::Text:
            return FilterValue::ofText(record.text(m_field));
        case FilterType::Moment:
            return FilterValue::ofNumber(record.dateTime(m_field));
        default:
            return FilterValue::ofNumber(record.integer(m_field));
    }
}

ArithmeticNode::ArithmeticNode(FilterNodePtr first, std::vector<Step> steps)
    : FilterNode(steps.empty() ? first->type() : steps.back().resultType),
      m_first(std::move(first)),
      m_steps(std::move(steps)) {}

int ArithmeticNode::cost() const {
    int total = m_first->cost() + 1;
    for (const Step& s : m_steps) total += s.operand->cost() + 1;
    return total;
}

FilterValue ArithmeticNode::eval(const RecordReader& record) const {
    FilterValue acc = m_first->eval(record);
    FilterType accType = m_first->type();
    bool inBuffer = false;
    for (const Step& step : m_steps) {
        const FilterValue v = step.operand->eval(record);
        const FilterType vType = step.operand->type();
        if (acc.null || v.null) {
            acc = {};
        } else if (step.resultType == FilterType::Text) {
            if (!inBuffer)
                m_buffer.assign(acc.text);
            m_buffer.append(v.text);
            inBuffer = true;
            acc.text = m_buffer;
        } else if (isDateLike(accType) && isDateLike(vType)) {
            const auto ms = dateTimeToMilliseconds(acc.number) - dateTimeToMilliseconds(v.number);
            acc.number = static_cast<double>(ms) / 86'400'000.0;
        } else {
            switch (step.op) {
                case '+':
                    acc.number += v.number;
                    break;
                case '-':
                    acc.number -= v.number;
                    break;
                case '*':
                    acc.number *= v.number;
                    break;
                default:
                    acc.number /= v.number;
                    break;
            }
        }
        accType = step.resultType;
    }
    return acc;
}

FunctionNode::FunctionNode(FilterType type, FilterFunction function, std::vector<FilterNodePtr> arguments)
    : FilterNode(type), m_function(function), m_arguments(std::move(arguments)) {}

int FunctionNode::cost() const {
    int total = 4;
    for (const auto& a : m_arguments) total += a->cost();
    return total;
}

namespace {

bool isTrimmed(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view substring(std::string_view text, double start, const FilterValue* length) {
    if (std::isnan(start))
        return {};
    const double size = static_cast<double>(text.size());
    double from = std::trunc(start);
    double to = size + 1;  // one past the last position taken, 1-based
    if (length) {
        if (std::isnan(length->number) || length->number < 0)
            return {};
        to = std::min(to, from + std::trunc(length->number));
    }
    from = std::max(from, 1.0);
    if (from > size || to <= from)
        return {};
    const auto first = static_cast<std::size_t>(from) - 1;
    const auto count = static_cast<std::size_t>(to - from);
    return text.substr(first, count);
}

}  // namespace

FilterValue FunctionNode::eval(const RecordReader& record) const {
    if (m_function == FilterFunction::GetDate)
        return FilterValue::ofNumber(now());

    FilterValue a = m_arguments[0]->eval(record);
    if (a.null)
        return {};
    switch (m_function) {
        case FilterFunction::Upper:
        case FilterFunction::Lower:
            m_buffer.assign(a.text);
            for (char& c : m_buffer)
                c = m_function == FilterFunction::Upper ? text_fold::upper(c)
                                                        : static_cast<char>(text_fold::lower(c));
            return FilterValue::ofText(m_buffer);
        case FilterFunction::Substring: {
            const FilterValue start = m_arguments[1]->eval(record);
            if (start.null)
                return {};
            FilterValue length;
            if (m_arguments.size() > 2) {
                length = m_arguments[2]->eval(record);
                if (length.null)
                    return {};
            }
            return FilterValue::ofText(
                substring(a.text, start.number, m_arguments.size() > 2 ? &length : nullptr));
        }
        case FilterFunction::Trim:
        case FilterFunction::TrimLeft:
        case FilterFunction::TrimRight: {
            std::string_view t = a.text;
            if (m_function != FilterFunction::TrimRight)
                while (!t.empty() && isTrimmed(t.front())) t.remove_prefix(1);
            if (m_function != FilterFunction::TrimLeft)
                while (!t.empty() && isTrimmed(t.back())) t.remove_suffix(1);
            return FilterValue::ofText(t);
        }
        default:
            break;
    }

    const DateTimeFields f = decodeDateTime(a.number);
    switch (m_function) {
        case FilterFunction::Year:
            return FilterValue::ofNumber(f.year);
        case FilterFunction::Month:
            return FilterValue::ofNumber(f.month);
        case FilterFunction::Day:
            return FilterValue::ofNumber(f.day);
        case FilterFunction::Hour:
            return FilterValue::ofNumber(f.hour);
        case FilterFunction::Minute:
            return FilterValue::ofNumber(f.minute);
        case FilterFunction::Second:
            return FilterValue::ofNumber(f.second);
        case FilterFunction::Date: {
            const auto d = encodeDate(f.year, f.month, f.day);
            return d ? FilterValue::ofNumber(*d) : FilterValue{};
        }
        case FilterFunction::Time: {
            const auto t = encodeDateTime({1899, 12, 30, f.hour, f.minute, f.second, f.millisecond});
            return t ? FilterValue::ofNumber(*t) : FilterValue{};
        }
        default:
            return {};
    }
}

}  // namespace corvane
