#pragma once

// Field.h comes before DateTime.h: its FieldType::DateTime must not shadow the alias.
#include "store/Field.h"
#include "protocol/DateTime.h"

#include <array>
#include <climits>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvane {

class Table;

// What the Senders page shows of one host row.
struct SenderRow {
    std::int32_t hostKey = 0;
    std::string name;
    std::string address;
    std::uint64_t total = 0;        // messages stored from it
    std::uint32_t lastHour = 0;     // of them, received in the hour before now
    double perMinute = 0;           // received in the 60 seconds before now
    int highestSeverityToday = -1;  // the most severe code (0 Emergency ... 7 Debug) of today; -1 none
    DateTime firstSeen = 0;         // 0 when no message of it is stored
    DateTime lastSeen = 0;
};

// Traffic figures per sender over every stored message (the filter does not apply). A refresh
// takes in only the records added since the last one, so its cost follows the traffic, not the
// size of the store. The oldest records removed (expiry) are taken off the totals at the same
// cost; first seen keeps the earliest message counted. Any other removal counts everything again.
//
// REQUIRES: the tables outlive this object; refresh() runs on the thread that changes them.
class SenderStats {
public:
    SenderStats(const Table& messages, const Table& hosts);

    // Brings the figures up to `now` (local date-time).
    void refresh(DateTime now);
    const std::vector<SenderRow>& rows() const { return m_rows; }
    // Records taken in by the last refresh, and whether it counted everything again.
    std::size_t lastTaken() const { return m_lastTaken; }
    bool lastWasRecount() const { return m_lastRecount; }

private:
    struct Counts {
        std::uint64_t total = 0;
        std::array<std::int64_t, 60> minuteOf{};  // the minute each slot counts
        std::array<std::uint32_t, 60> inMinute{};
        int bestToday = -1;
        DateTime first = 0, last = 0;
    };

    void recount();
    void take(int orderPosition);
    // Takes the records that went from the front of key order off the figures; false when
    // anything else changed.
    bool dropFront();
    void buildRows(DateTime now);

    const Table& m_messages;
    const Table& m_hosts;
    struct Taken {
        std::int32_t key;
        std::int32_t hostKey;  // kNoHost when the record has none
    };
    static constexpr std::int32_t kNoHost = INT32_MIN;

    std::unordered_map<std::int32_t, Counts> m_counts;  // by host key
    std::deque<Taken> m_taken;                          // the records counted, in key order
    std::vector<SenderRow> m_rows;
    int m_seen = 0;              // records of the message table taken in, in key order
    std::int64_t m_lastKey = 0;  // the key of the last of them
    std::int64_t m_today = -1;   // the day the severity figures are of
    std::size_t m_lastTaken = 0;
    bool m_lastRecount = false;
    int m_hostKeyField = -1, m_dateField = -1, m_severityField = -1, m_keyField = -1;
};

}  // namespace corvane
