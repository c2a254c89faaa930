#include "widgets/KeyRanges.h"

#include <algorithm>
#include <limits>

namespace corvane {

namespace {
// The first range that ends at or after `key`.
auto firstEndingFrom(std::vector<KeyRanges::Range>& ranges, qint64 key) {
    return std::lower_bound(ranges.begin(), ranges.end(), key,
                            [](const KeyRanges::Range& r, qint64 k) { return r.second < k; });
}
}  // namespace

void KeyRanges::add(qint64 first, qint64 last) {
    if (first > last)
        std::swap(first, last);
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    // Ranges that overlap or touch [first, last] are swallowed by it.
    auto from = firstEndingFrom(m_ranges, first == kMin ? kMin : first - 1);
    auto to = from;
    while (to != m_ranges.end() && (last == kMax || to->first <= last + 1)) {
        first = std::min(first, to->first);
        last = std::max(last, to->second);
        ++to;
    }
    from = m_ranges.erase(from, to);
    m_ranges.insert(from, {first, last});
}

void KeyRanges::remove(qint64 key) {
    auto it = firstEndingFrom(m_ranges, key);
    if (it == m_ranges.end() || it->first > key)
        return;
    const Range r = *it;
    if (r.first == r.second) {
        m_ranges.erase(it);
    } else if (key == r.first) {
        it->first = key + 1;
    } else if (key == r.second) {
        it->second = key - 1;
    } else {
        it->second = key - 1;
        m_ranges.insert(it + 1, {key + 1, r.second});
    }
}

bool KeyRanges::contains(qint64 key) const {
    auto it = std::lower_bound(m_ranges.begin(), m_ranges.end(), key,
                               [](const Range& r, qint64 k) { return r.second < k; });
    return it != m_ranges.end() && it->first <= key;
}

}  // namespace corvane
