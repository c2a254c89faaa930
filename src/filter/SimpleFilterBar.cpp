#include "filter/SimpleFilterBar.h"

#include <charconv>
#include <exception>
#include <limits>

namespace corvane {

namespace {

constexpr std::string_view kFilterError = "Error Filtering Messages.";
constexpr std::string_view kFilterErrorTitle = "Filter Change";
constexpr std::string_view kAny = "Any";
constexpr std::int64_t kMsPerMinute = 60'000;
constexpr std::int64_t kMsPerHour = 60 * kMsPerMinute;
constexpr std::int64_t kMsPerDay = 24 * kMsPerHour;

// A decimal integer as the amount edit holds it: leading blanks, an optional sign, digits.
bool readAmount(std::string_view text, std::int32_t& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool inCalendarRange(DateTime value) {
    // Years 1 to 9999: what the date formats can write and read back.
    constexpr DateTime kFirst = -693593.0;  // 1 January 0001
    constexpr DateTime kLast = 2958466.0;   // 1 January 10000
    return value >= kFirst && value < kLast;
}

}  // namespace

std::string quoteFilterText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '\'';
    for (const char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    out += '\'';
    return out;
}

SimpleFilterBar::SimpleFilterBar(Table& messageSet, Table& filterSet, LocaleFormats formats, Hooks hooks)
    : m_messageSet(messageSet),
      m_filterSet(filterSet),
      m_formats(std::move(formats)),
      m_hooks(std::move(hooks)),
      m_messageKeyField(messageSet.requireField("Key")) {}

SimpleFilterBar::~SimpleFilterBar() {
    if (m_eventsAttached)
        m_messageSet.setFilterCallback({});
}

DateTime SimpleFilterBar::currentTime() const {
    return m_hooks.now ? m_hooks.now() : now();
}

std::int32_t SimpleFilterBar::filterKey(std::string_view field) const {
    if (!m_filterSet.isOpen() || m_filterSet.recNo() == 0)
        return 0;
    const Value v = m_filterSet.value(field);
    return v.kind == Value::Kind::Integer ? v.integer : 0;
}

std::string SimpleFilterBar::lookupText(std::string_view field) const {
    if (!m_filterSet.isOpen() || m_filterSet.recNo() == 0)
        return {};
    const Value v = m_filterSet.value(field);
    return v.kind == Value::Kind::Text ? v.text : std::string();
}

void SimpleFilterBar::dbDropDown(List list) {
    switch (list) {
        case List::Facility:
            m_rememberedKey = filterKey("FacilityKey");
            break;
        case List::Increment:
            m_rememberedKey = filterKey("TimeKey");
            break;
        case List::Severity:
            m_rememberedKey = filterKey("SeverityKey");
            break;
        case List::Address:
            m_rememberedKey = filterKey("HostKey");
            break;
    }
}

void SimpleFilterBar::attachEventsFilter(bool on) {
    if (on == m_eventsAttached)
        return;
    m_eventsAttached = on;
    if (on)
        m_messageSet.setFilterCallback([this](const RecordReader& r) { return LastEventsFilter(r); });
    else
        m_messageSet.setFilterCallback({});
}

void SimpleFilterBar::IncrementChange(bool fromAmount, std::string_view amountText) {
    const std::int32_t unit = filterKey("TimeKey");
    if (unit == m_rememberedKey && !fromAmount)
        return;
    std::int32_t amount = 0;
    if (!readAmount(amountText, amount))
        return;

    std::string period;
    if (!periodFor(unit, amount, amountText, period))
        return;

    attachEventsFilter(false);
    m_periodPart.clear();
    m_eventThreshold = 0;
    m_thresholdSet = false;
    if (unit == kUnitEvents) {
        m_eventLimit = amount;
        attachEventsFilter(true);
    } else if (!period.empty()) {
        m_periodPart = std::move(period);
    }
    ApplyFilter();
}

bool SimpleFilterBar::periodFor(std::int32_t unit, std::int32_t amount, std::string_view amountText,
                                std::string& period) {
    std::int64_t back = 0;
    switch (unit) {
        case kUnitDays:
            back = amount * kMsPerDay;
            break;
        case kUnitHours:
            back = amount * kMsPerHour;
            break;
        case kUnitMinutes:
            back = amount * kMsPerMinute;
            break;
        default:
            return true;
    }
    const DateTime start = millisecondsToDateTime(dateTimeToMilliseconds(currentTime()) - back);
    if (!inCalendarRange(start)) {
        // An amount that reaches outside the calendar cannot be written as a date.
        if (m_hooks.error)
            m_hooks.error(std::string(kFilterError),
                          "'" + std::string(amountText) + "' is not a valid period",
                          std::string(kFilterErrorTitle));
        return false;
    }
    period = "[Date] > '" + m_formats.formatDateTime(start) + "'";
    return true;
}

void SimpleFilterBar::ApplySavedChoices(std::string_view amountText) {
    attachEventsFilter(false);
    m_eventThreshold = 0;
    m_thresholdSet = false;
    m_periodPart.clear();
    const std::int32_t unit = filterKey("TimeKey");
    std::int32_t amount = 0;
    if (readAmount(amountText, amount)) {
        if (unit == kUnitEvents) {
            m_eventLimit = amount;
            attachEventsFilter(true);
        } else {
            std::string period;
            if (periodFor(unit, amount, amountText, period))
                m_periodPart = std::move(period);
        }
    }
    auto keyPart = [this](std::string_view keyField, std::string_view lookupField) -> std::string {
        const std::string name = lookupText(lookupField);
        if (name.empty() || name == kAny)
            return {};
        return "[" + std::string(keyField) + "] = " + std::to_string(filterKey(keyField));
    };
    m_facilityPart = keyPart("FacilityKey", "Facillity");
    m_severityPart = keyPart("SeverityKey", "Severity");
    const std::string host = lookupText("Host");
    m_addressPart = host.empty() || host == kAny ? std::string()
                                                 : "[Address] = " + quoteFilterText(lookupText("Address"));
    ApplyFilter();
}

void SimpleFilterBar::keyPartChange(std::string_view keyField, std::string_view lookupField,
                                    std::string& part) {
    const std::int32_t key = filterKey(keyField);
    if (key == m_rememberedKey)
        return;
    if (lookupText(lookupField) == kAny)
        part.clear();
    else
        part = "[" + std::string(keyField) + "] = " + std::to_string(key);
    ApplyFilter();
}

void SimpleFilterBar::dbSeverityChange() {
    keyPartChange("SeverityKey", "Severity", m_severityPart);
}

void SimpleFilterBar::dbFacilityChange() {
    keyPartChange("FacilityKey", "Facillity", m_facilityPart);
}

void SimpleFilterBar::dbAddressChange() {
    const std::int32_t key = filterKey("HostKey");
    if (key == m_rememberedKey)
        return;
    if (lookupText("Host") == kAny)
        m_addressPart.clear();
    else
        m_addressPart = "[Address] = " + quoteFilterText(lookupText("Address"));
    ApplyFilter();
}

void SimpleFilterBar::clearFacilitySeverityPeriod() {
    m_facilityPart.clear();
    m_severityPart.clear();
    m_periodPart.clear();
}

std::string SimpleFilterBar::ComposeFilter() const {
    if (!m_advancedPart.empty())
        return m_advancedPart;
    std::string out;
    for (const std::string* part : {&m_facilityPart, &m_severityPart, &m_periodPart, &m_addressPart}) {
        if (part->empty())
            continue;
        if (!out.empty())
            out += " and ";
        out += *part;
    }
    return out;
}

bool SimpleFilterBar::LastEventsFilter(const RecordReader& record) const {
    // The first message's key is 0, so "no threshold" cannot be told by the value alone.
    if (!m_thresholdSet)
        return true;
    return !record.isNull(m_messageKeyField) && m_eventThreshold < record.integer(m_messageKeyField);
}

void SimpleFilterBar::failed(const std::string& detail, int position) {
    m_lastApplyFailed = true;
    m_lastErrorPosition = position;
    if (m_hooks.error)
        m_hooks.error(std::string(kFilterError), detail, std::string(kFilterErrorTitle));
}

void SimpleFilterBar::ApplyFilter() {
    m_lastApplyFailed = false;
    m_lastErrorPosition = -1;
    if (!m_messageSet.isOpen()) {
        if (m_hooks.eventCount)
            m_hooks.eventCount(0);
        return;
    }

    const bool noParts = m_advancedPart.empty() && m_facilityPart.empty() && m_severityPart.empty() &&
                         m_periodPart.empty() && m_addressPart.empty();
    if (noParts && m_eventLimit < 1) {
        m_messageSet.setFiltered(false);
        m_messageSet.setFilterText({});
        m_messageSet.last();
    } else {
        if (m_hooks.beginUpdate)
            m_hooks.beginUpdate();
        try {
            m_eventThreshold = 0;
            m_thresholdSet = false;
            m_messageSet.setFiltered(false);
            std::string text = ComposeFilter();
            const bool any = !text.empty();
            m_messageSet.setFilterText(std::move(text));
            Table::FilterStatus status;
            if (any)
                status = m_messageSet.setFiltered(true);
            if (!status.ok) {
                failed(status.error, status.errorPosition);
            } else {
                m_messageSet.last();
                if (m_eventLimit > 0 && m_eventsAttached) {
                    // The records before the last N of the view: the threshold is the key of the
                    // last of them, so only later keys pass.
                    const int before = m_messageSet.recordCount() - m_eventLimit;
                    if (before > 0) {
                        const Value key = m_messageSet.valueAt(before - 1, m_messageKeyField);
                        m_eventThreshold = key.kind == Value::Kind::Integer ? key.integer : 0;
                        m_thresholdSet = key.kind == Value::Kind::Integer;
                        m_messageSet.setFiltered(false);
                        status = m_messageSet.setFiltered(true);
                        if (!status.ok)
                            failed(status.error, status.errorPosition);
                        m_messageSet.last();
                    }
                }
            }
        } catch (const std::exception& e) {
            failed(e.what(), -1);
        }
        if (m_hooks.endUpdate)
            m_hooks.endUpdate();
    }
    if (m_hooks.eventCount)
        m_hooks.eventCount(m_messageSet.recordCount());
}

}  // namespace corvane
