#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "store/Table.h"
#include "filter/LocaleFormats.h"

namespace corvane {

// The logic of the simple filter bar, without any widget: the four choices live in the single
// FilterSet record, each produces one part of a filter text, and the parts (or the advanced part
// alone) become the filter of MessageSet. The "Events" unit keeps the most recent N messages of
// the view through a per-record callback with a key threshold.
//
// The window wires its lists to the handlers: dbDropDown when a list opens, the change handlers
// when a list closes, IncrementChange(true) on every edit of the amount.
class SimpleFilterBar {
public:
    enum class List : unsigned char { Facility, Increment, Severity, Address };

    // Time units: the keys of the TimeSet rows.
    static constexpr std::int32_t kUnitAny = -1;
    static constexpr std::int32_t kUnitDays = 0;
    static constexpr std::int32_t kUnitHours = 1;
    static constexpr std::int32_t kUnitMinutes = 2;
    static constexpr std::int32_t kUnitEvents = 3;

    struct Hooks {
        std::function<DateTime()> now;  // local wall-clock time; the system clock when empty
        // Display updates of the message views are held back between these two calls.
        std::function<void()> beginUpdate;
        std::function<void()> endUpdate;
        // "Error Filtering Messages." with the error's text as detail and "Filter Change" as title.
        std::function<void(const std::string& message, const std::string& detail, const std::string& title)>
            error;
        // The event counter of the status bar.
        std::function<void(int count)> eventCount;
    };

    SimpleFilterBar(Table& messageSet, Table& filterSet, LocaleFormats formats, Hooks hooks);
    ~SimpleFilterBar();
    SimpleFilterBar(const SimpleFilterBar&) = delete;
    SimpleFilterBar& operator=(const SimpleFilterBar&) = delete;

    void setFormats(const LocaleFormats& formats) { m_formats = formats; }

    // A list opens: its current key becomes the remembered key.
    void dbDropDown(List list);
    // The amount's text changed (fromAmount) or the unit list closed.
    void IncrementChange(bool fromAmount, std::string_view amountText);
    void dbSeverityChange();
    void dbFacilityChange();
    void dbAddressChange();

    std::string ComposeFilter() const;
    void ApplyFilter();
    bool LastEventsFilter(const RecordReader& record) const;

    // The window's create step empties these three parts; the filter already set stays.
    void clearFacilitySeverityPeriod();

    // Start-up: every part from the choices saved in the filter record (the period or "Events"
    // limit from the unit and amountText), applied once, so the view is filtered exactly as the
    // bar shows them. A choice whose lookup row is "Any" or missing adds no part.
    void ApplySavedChoices(std::string_view amountText);

    // The advanced part replaces the simple parts while it is not empty.
    const std::string& advancedPart() const { return m_advancedPart; }
    void setAdvancedPart(std::string text) { m_advancedPart = std::move(text); }

    // Where the last ApplyFilter failed; -1 when it did not (for underlining the offending token).
    int lastErrorPosition() const { return m_lastErrorPosition; }
    bool lastApplyFailed() const { return m_lastApplyFailed; }

    const std::string& periodPart() const { return m_periodPart; }
    const std::string& addressPart() const { return m_addressPart; }
    const std::string& facilityPart() const { return m_facilityPart; }
    const std::string& severityPart() const { return m_severityPart; }
    std::int32_t eventLimit() const { return m_eventLimit; }
    std::int32_t eventThreshold() const { return m_eventThreshold; }
    bool eventsFilterAttached() const { return m_eventsAttached; }
    std::int32_t rememberedKey() const { return m_rememberedKey; }

private:
    std::int32_t filterKey(std::string_view field) const;
    std::string lookupText(std::string_view field) const;
    void keyPartChange(std::string_view keyField, std::string_view lookupField, std::string& part);
    void attachEventsFilter(bool on);
    void failed(const std::string& detail, int position);
    // The period part for a unit and amount; false (after reporting) when the start time falls
    // outside the calendar.
    bool periodFor(std::int32_t unit, std::int32_t amount, std::string_view amountText, std::string& period);
    DateTime currentTime() const;

    Table& m_messageSet;
    Table& m_filterSet;
    LocaleFormats m_formats;
    Hooks m_hooks;
    int m_messageKeyField;

    std::int32_t m_rememberedKey = 0;
    std::string m_periodPart;
    std::string m_addressPart;
    std::string m_facilityPart;
    std::string m_severityPart;
    std::string m_advancedPart;
    std::int32_t m_eventLimit = 0;
    std::int32_t m_eventThreshold = 0;
    bool m_thresholdSet = false;
    bool m_eventsAttached = false;
    int m_lastErrorPosition = -1;
    bool m_lastApplyFailed = false;
};

// The quoted form of a text constant in a filter expression (quotes doubled).
std::string quoteFilterText(std::string_view text);

}  // namespace corvane
