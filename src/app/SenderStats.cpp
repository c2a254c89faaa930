#include "store/Table.h"
#include "app/SenderStats.h"

#include <climits>
#include <cmath>

namespace corvane {

namespace {

std::int64_t minuteOf(DateTime t) {
    return static_cast<std::int64_t>(std::floor(t * 1440.0));
}
std::int64_t dayOf(DateTime t) {
    return static_cast<std::int64_t>(std::floor(t));
}

}  // namespace

SenderStats::SenderStats(const Table& messages, const Table& hosts) : m_messages(messages), m_hosts(hosts) {}

void SenderStats::refresh(DateTime now) {
    m_hostKeyField = m_messages.fieldIndex("HostKey");
    m_dateField = m_messages.fieldIndex("Date");
    m_severityField = m_messages.fieldIndex("SeverityKey");
    m_keyField = m_messages.fieldIndex("Key");
    m_lastTaken = 0;
    m_lastRecount = false;
    if (!m_messages.isOpen() || m_hostKeyField < 0 || m_dateField < 0 || m_keyField < 0) {
        m_counts.clear();
        m_seen = 0;
        buildRows(now);
        return;
    }
    const int total = m_messages.totalRecordCount();
    // Records come in at the end of key order; anything else (a deletion, a reload) means the
    // figures must be counted again.
    const bool unchanged =
        m_seen <= total &&
        (m_seen == 0 || m_messages.readerOfRecord(m_seen - 1).integer(m_keyField) == m_lastKey);
    const std::int64_t today = dayOf(now);
    if (today != m_today || (!unchanged && !dropFront())) {
        m_today = today;
        recount();
    } else {
        for (; m_seen < total; ++m_seen, ++m_lastTaken) take(m_seen);
    }
    if (m_seen > 0)
        m_lastKey = m_messages.readerOfRecord(m_seen - 1).integer(m_keyField);
    buildRows(now);
}

bool SenderStats::dropFront() {
    const int total = m_messages.totalRecordCount();
    if (m_taken.empty() || total == 0)
        return false;
    const std::int32_t first = m_messages.readerOfRecord(0).integer(m_keyField);
    std::size_t gone = 0;
    while (gone < m_taken.size() && m_taken[gone].key < first) ++gone;
    const std::size_t kept = m_taken.size() - gone;
    // Keys are unique and ascending: when the first and the last record counted are where the
    // count puts them, every record between them is still there.
    if (gone == 0 || kept == 0 || kept > static_cast<std::size_t>(total) || m_taken[gone].key != first ||
        m_messages.readerOfRecord(static_cast<int>(kept) - 1).integer(m_keyField) != m_lastKey)
        return false;
    for (std::size_t i = 0; i < gone; ++i)
        if (m_taken[i].hostKey != kNoHost)
            if (auto found = m_counts.find(m_taken[i].hostKey); found != m_counts.end())
                --found->second.total;
    m_taken.erase(m_taken.begin(), m_taken.begin() + static_cast<std::ptrdiff_t>(gone));
    m_seen = static_cast<int>(kept);
    return true;
}

void SenderStats::recount() {
    m_counts.clear();
    m_taken.clear();
    m_lastRecount = true;
    const int total = m_messages.totalRecordCount();
    for (m_seen = 0; m_seen < total; ++m_seen, ++m_lastTaken) take(m_seen);
}

void SenderStats::take(int position) {
    const RowReader row = m_messages.readerOfRecord(position);
    const bool hasHost = !row.isNull(m_hostKeyField);
    m_taken.push_back({row.integer(m_keyField), hasHost ? row.integer(m_hostKeyField) : kNoHost});
    if (!hasHost)
        return;
    Counts& c = m_counts[row.integer(m_hostKeyField)];
    ++c.total;
    if (row.isNull(m_dateField))
        return;
    const DateTime when = row.dateTime(m_dateField);
    if (c.first == 0 || when < c.first)
        c.first = when;
    if (when > c.last)
        c.last = when;
    const std::int64_t minute = minuteOf(when);
    const std::size_t slot = static_cast<std::size_t>(((minute % 60) + 60) % 60);
    if (c.minuteOf[slot] == minute) {
        ++c.inMinute[slot];
    } else if (minute > c.minuteOf[slot]) {
        c.minuteOf[slot] = minute;
        c.inMinute[slot] = 1;
    }
    if (m_severityField >= 0 && !row.isNull(m_severityField) && dayOf(when) == m_today) {
        const int severity = row.integer(m_severityField);
        if (c.bestToday < 0 || severity < c.bestToday)
            c.bestToday = severity;
    }
}

void SenderStats::buildRows(DateTime now) {
    const int keyField = m_hosts.fieldIndex("Key");
    const int nameField = m_hosts.fieldIndex("Name");
    const int addressField = m_hosts.fieldIndex("Address");
    m_rows.clear();
    if (!m_hosts.isOpen() || keyField < 0)
        return;
    const std::int64_t nowMinute = minuteOf(now);
    // The share of the minute before this one that still lies within the last 60 seconds.
    const double into = now * 1440.0 - static_cast<double>(nowMinute);
    const int hostCount = m_hosts.totalRecordCount();
    m_rows.reserve(static_cast<std::size_t>(hostCount));
    for (int i = 0; i < hostCount; ++i) {
        const RowReader host = m_hosts.readerOfRecord(i);
        if (host.isNull(keyField))
            continue;
        SenderRow r;
        r.hostKey = host.integer(keyField);
        if (nameField >= 0 && !host.isNull(nameField))
            r.name = host.text(nameField);
        if (addressField >= 0 && !host.isNull(addressField))
            r.address = host.text(addressField);
        if (const auto found = m_counts.find(r.hostKey); found != m_counts.end()) {
            const Counts& c = found->second;
            r.total = c.total;
            r.firstSeen = c.first;
            r.lastSeen = c.last;
            r.highestSeverityToday = c.bestToday;
            for (std::size_t s = 0; s < 60; ++s) {
                const std::int64_t age = nowMinute - c.minuteOf[s];
                if (age >= 0 && age < 60)
                    r.lastHour += c.inMinute[s];
                if (age == 0)
                    r.perMinute += c.inMinute[s];
                else if (age == 1)
                    r.perMinute += c.inMinute[s] * (1.0 - into);
            }
        }
        if (r.name == "Any" && r.total == 0)
            continue;  // the filter bar's row for no restriction
        m_rows.push_back(std::move(r));
    }
}

}  // namespace corvane
