#include "store/Table.h"
#include "app/TrafficHistory.h"

#include <cmath>

namespace corvane {

namespace {

std::int64_t minuteOf(DateTime t) {
    return static_cast<std::int64_t>(std::floor(t * 1440.0));
}

}  // namespace

std::uint32_t TrafficHistory::Minute::total() const {
    std::uint32_t sum = unknown;
    for (std::uint32_t n : bySeverity) sum += n;
    return sum;
}

TrafficHistory::TrafficHistory(const Table& messages) : m_messages(messages) {}

int TrafficHistory::firstAfter(std::int64_t key) const {
    int low = 0, high = m_messages.totalRecordCount();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (m_messages.readerOfRecord(mid).integer(m_keyField) <= key)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

void TrafficHistory::refresh(DateTime now) {
    m_keyField = m_messages.fieldIndex("Key");
    m_dateField = m_messages.fieldIndex("Date");
    m_severityField = m_messages.fieldIndex("SeverityKey");
    m_lastRecount = false;
    const bool usable = m_messages.isOpen() && m_keyField >= 0 && m_dateField >= 0;
    const int total = usable ? m_messages.totalRecordCount() : 0;
    int from = 0;
    if (m_lastKey >= 0) {
        from = usable ? firstAfter(m_lastKey) : 0;
        const bool stillThere =
            from > 0 && m_messages.readerOfRecord(from - 1).integer(m_keyField) == m_lastKey;
        if (!stillThere) {
            m_slots = {};
            m_lastKey = -1;
            m_lastRecount = true;
            m_primed = false;
            from = 0;
        }
    }
    // The first reading and a recount find what was stored before; only later records are new.
    for (int p = from; p < total; ++p) take(p);
    if (m_primed && total > from)
        m_added += static_cast<std::uint64_t>(total - from);
    m_primed = usable;
    if (total > from)
        m_lastKey = m_messages.readerOfRecord(total - 1).integer(m_keyField);

    const std::int64_t nowMinute = minuteOf(now);
    for (int i = 0; i < kMinutes; ++i) {
        const std::int64_t wanted = nowMinute - (kMinutes - 1 - i);
        const Slot& s = m_slots[static_cast<std::size_t>(((wanted % kMinutes) + kMinutes) % kMinutes)];
        m_view[static_cast<std::size_t>(i)] = s.minute == wanted ? s.counts : Minute{};
    }
}

void TrafficHistory::take(int position) {
    const RowReader row = m_messages.readerOfRecord(position);
    if (row.isNull(m_dateField))
        return;
    const std::int64_t minute = minuteOf(row.dateTime(m_dateField));
    Slot& s = m_slots[static_cast<std::size_t>(((minute % kMinutes) + kMinutes) % kMinutes)];
    if (minute < s.minute)
        return;  // older than the hour this slot now counts
    if (minute > s.minute) {
        s.minute = minute;
        s.counts = {};
    }
    const int severity =
        m_severityField >= 0 && !row.isNull(m_severityField) ? row.integer(m_severityField) : -1;
    if (severity >= 0 && severity < kSeverities)
        ++s.counts.bySeverity[static_cast<std::size_t>(severity)];
    else
        ++s.counts.unknown;
}

const TrafficHistory::Minute& TrafficHistory::minute(int index) const {
    return m_view[static_cast<std::size_t>(index)];
}

TrafficHistory::Minute TrafficHistory::hour() const {
    Minute sum;
    for (const Minute& m : m_view) {
        for (int s = 0; s < kSeverities; ++s)
            sum.bySeverity[static_cast<std::size_t>(s)] += m.bySeverity[static_cast<std::size_t>(s)];
        sum.unknown += m.unknown;
    }
    return sum;
}

}  // namespace corvane
