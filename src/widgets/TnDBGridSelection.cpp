// The grid's current row and the selection around it.
#include "widgets/TnDBGrid.h"

#include <algorithm>

namespace corvane {

qint64 TnDBGrid::currentKey() const {
    const int current = m_source ? m_source->currentRow() : -1;
    return current >= 0 && current < rowCount() ? m_source->rowKey(current) : kNoKey;
}

void TnDBGrid::sourceChanged() {
    invalidateHeights();
    setTopRow(m_top);
    // The source may move the current row on its own, for a moment (a new record, held back by
    // the window) or for good (a filter, a deletion): the chosen rows stay chosen, and the
    // owner ends the selection when it means to.
    if (const qint64 key = currentKey(); key != m_currentKey) {
        m_currentKey = key;
        if (m_selection.empty())
            m_anchorKey = key;
    }
    if (m_source && m_followCurrent)
        scrollToRow(m_source->currentRow());
}

TnDBGrid::Select TnDBGrid::selectMode(Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    if (shift)
        return control ? Select::Add : Select::Extend;
    return control ? Select::Toggle : Select::Only;
}

void TnDBGrid::moveCurrent(int row, Select mode) {
    const int n = rowCount();
    if (!m_source || n == 0)
        return;
    row = std::clamp(row, 0, n - 1);
    const qint64 key = m_source->rowKey(row);
    const qint64 before = currentKey();
    switch (mode) {
        case Select::Only:
            m_selection.clear();
            m_anchorKey = key;
            break;
        case Select::Extend:
            m_selection.clear();
            [[fallthrough]];
        case Select::Add:
            if (m_anchorKey == kNoKey)
                m_anchorKey = before == kNoKey ? key : before;
            m_selection.add(m_anchorKey, key);
            break;
        case Select::Toggle:
            if (key == before)
                return;  // the current row is always selected
            if (m_selection.contains(key)) {
                m_selection.remove(key);
                viewport()->update();
                return;
            }
            if (before != kNoKey)
                m_selection.add(before, before);
            m_selection.add(key, key);
            m_anchorKey = key;
            break;
    }
    m_currentKey = key;
    m_source->setCurrentRow(row);
    scrollToRow(row);
    viewport()->update();
}

bool TnDBGrid::isRowSelected(int row) const {
    if (!m_source || row < 0 || row >= rowCount())
        return false;
    return row == m_source->currentRow() || m_selection.contains(m_source->rowKey(row));
}

std::vector<int> TnDBGrid::selectedRows() const {
    std::vector<int> rows;
    if (!m_source)
        return rows;
    const int n = rowCount();
    for (const auto& [first, last] : m_selection.ranges()) {
        const int from = m_source->rowOfKey(first);
        const int to = last == std::numeric_limits<qint64>::max() ? n : m_source->rowOfKey(last + 1);
        for (int r = from; r < std::min(to, n); ++r) rows.push_back(r);
    }
    if (const int current = m_source->currentRow(); current >= 0 && current < n) {
        auto at = std::lower_bound(rows.begin(), rows.end(), current);
        if (at == rows.end() || *at != current)
            rows.insert(at, current);
    }
    return rows;
}

bool TnDBGrid::hasMultiSelection() const {
    if (!m_source)
        return false;
    const int current = m_source->currentRow();
    for (const auto& [first, last] : m_selection.ranges()) {
        const int from = m_source->rowOfKey(first);
        const int to = last == std::numeric_limits<qint64>::max() ? rowCount() : m_source->rowOfKey(last + 1);
        if (to - from > 1 || (to - from == 1 && from != current))
            return true;
    }
    return false;
}

void TnDBGrid::selectAll() {
    const int n = rowCount();
    if (n == 0)
        return;
    m_selection.clear();
    m_selection.add(m_source->rowKey(0), m_source->rowKey(n - 1));
    viewport()->update();
}

void TnDBGrid::clearSelection() {
    m_selection.clear();
    m_anchorKey = currentKey();
    viewport()->update();
}

}  // namespace corvane
