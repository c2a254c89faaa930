#pragma once

// Field.h comes before DateTime.h: its FieldType::DateTime must not shadow the alias.
#include "store/Field.h"
#include "protocol/DateTime.h"

#include <array>
#include <cstdint>

namespace corvane {

class Table;

// Messages stored per minute over the last hour, by severity, for the traffic chart: the minute
// of a record is the minute of its `Date` (the time of receipt). A refresh takes in only the
// records added since the last one (found by key), so its cost follows the traffic; it counts
// every record again only when the last one it took in is gone (Clear All, a deletion of the
// newest message).
//
// REQUIRES: the table outlives this object; refresh() runs on the thread that changes it.
class TrafficHistory {
public:
    static constexpr int kMinutes = 60;
    static constexpr int kSeverities = 8;  // 0 Emergency ... 7 Debug

    struct Minute {
        std::array<std::uint32_t, kSeverities> bySeverity{};
        std::uint32_t unknown = 0;  // without a severity, or one outside the codes
        std::uint32_t total() const;
    };

    explicit TrafficHistory(const Table& messages);

    // Brings the figures up to `now` (local date-time).
    void refresh(DateTime now);
    // minute(0) is the oldest, minute(kMinutes - 1) the one now under way.
    const Minute& minute(int index) const;
    // Over the whole hour.
    Minute hour() const;
    bool lastWasRecount() const { return m_lastRecount; }
    // Records taken in as new since this object was made (a recount adds nothing): the
    // messages stored, for the rates.
    std::uint64_t added() const { return m_added; }

private:
    struct Slot {
        std::int64_t minute = -1;  // the minute this slot counts
        Minute counts;
    };

    void take(int orderPosition);
    // The position of the first record with a key above `key`, in key order.
    int firstAfter(std::int64_t key) const;

    const Table& m_messages;
    std::array<Slot, kMinutes> m_slots{};
    std::array<Minute, kMinutes> m_view{};
    std::int64_t m_lastKey = -1;  // the key of the last record taken in; -1 none
    bool m_lastRecount = false;
    std::uint64_t m_added = 0;
    bool m_primed = false;  // a reading was made: what comes after it is new
    int m_keyField = -1, m_dateField = -1, m_severityField = -1;
};

}  // namespace corvane
