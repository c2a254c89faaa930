#pragma once

#include <QtGlobal>

#include <utility>
#include <vector>

namespace corvane {

// A set of keys held as sorted, disjoint, non-adjacent closed ranges, so that a selection of a
// million rows costs one range.
//   KeyRanges s;
//   s.add(10, 20);
//   s.remove(15);  // now [10, 14] and [16, 20]
class KeyRanges {
public:
    using Range = std::pair<qint64, qint64>;  // first and last key, first <= last

    bool empty() const { return m_ranges.empty(); }
    void clear() { m_ranges.clear(); }
    // Adds every key from `first` to `last`, in either order; ranges that touch are merged.
    void add(qint64 first, qint64 last);
    void remove(qint64 key);
    bool contains(qint64 key) const;
    const std::vector<Range>& ranges() const { return m_ranges; }

private:
    std::vector<Range> m_ranges;
};

}  // namespace corvane
