#include <algorithm>

#include "store/Table.h"
#include "store/TableDetail.h"

namespace corvane {

// What a journal needs of a table: its logged changes in a form that can be replayed, and the
// replay itself.

std::size_t Table::keyPosition(std::int64_t key) const {
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), key,
                                     [this](const RowPtr& r, std::int64_t k) { return keyOf(r.get()) < k; });
    return static_cast<std::size_t>(it - m_rows.begin());
}

void Table::forEachChange(const ChangeVisitor& visit) const {
    const auto current = [this](const LogEntry& e) -> const std::uint8_t* {
        if (e.key == LogEntry::kUnknownKey) {
            for (const RowPtr& r : m_rows)
                if (RowLayout::rowId(r.get()) == e.rowId)
                    return r.get();
            return nullptr;
        }
        for (std::size_t p = keyPosition(e.key); p < m_rows.size() && keyOf(m_rows[p].get()) == e.key; ++p)
            if (RowLayout::rowId(m_rows[p].get()) == e.rowId)
                return m_rows[p].get();
        return nullptr;
    };
    for (const LogEntry& e : m_log) {
        switch (e.kind) {
            case LogEntry::Kind::Deleted:
                visit(Change::Remove, nullptr, keyOf(e.row.get()));
                break;
            case LogEntry::Kind::Modified:
                if (e.row && (e.key == LogEntry::kUnknownKey || keyOf(e.row.get()) != e.key))
                    visit(Change::Remove, nullptr, keyOf(e.row.get()));
                [[fallthrough]];
            case LogEntry::Kind::Inserted:
                if (const std::uint8_t* row = current(e))
                    visit(Change::Put, row, keyOf(row));
                break;
        }
    }
}

std::vector<RowPtr> Table::takeChangeLog() {
    std::vector<RowPtr> blocks;
    for (LogEntry& e : m_log)
        if (e.row)
            blocks.push_back(std::move(e.row));
    m_log.clear();
    return blocks;
}

void Table::replayPut(const RowBuffer& buffer) {
    RowPtr row = m_layout.encode(buffer, m_nextRowId);
    const std::int64_t key = keyOf(row.get());
    if (m_rows.empty() || key > keyOf(m_rows.back().get())) {
        ++m_nextRowId;
        m_rows.push_back(std::move(row));
        if (m_replayRemovedCount > 0)
            m_replayRemoved.push_back(0);
        return;
    }
    const std::size_t p = keyPosition(key);
    if (p < m_rows.size() && keyOf(m_rows[p].get()) == key) {
        // The record keeps its place among the additions.
        m_rows[p] = m_layout.encode(buffer, RowLayout::rowId(m_rows[p].get()));
        if (m_replayRemovedCount > 0 && m_replayRemoved[p]) {
            m_replayRemoved[p] = 0;
            --m_replayRemovedCount;
        }
        return;
    }
    dropReplayRemoved();
    ++m_nextRowId;
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(keyPosition(key)), std::move(row));
    m_rowsInAdditionOrder = false;
}

void Table::replayRemove(std::int64_t key) {
    const std::size_t p = keyPosition(key);
    if (p >= m_rows.size() || keyOf(m_rows[p].get()) != key)
        return;
    // Removals are taken out together, so clearing a million records stays one pass.
    if (m_replayRemoved.size() != m_rows.size())
        m_replayRemoved.assign(m_rows.size(), 0);
    if (!m_replayRemoved[p]) {
        m_replayRemoved[p] = 1;
        ++m_replayRemovedCount;
    }
}

void Table::dropReplayRemoved() {
    if (m_replayRemovedCount > 0) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            if (m_replayRemoved[i])
                continue;
            if (kept != i)
                m_rows[kept] = std::move(m_rows[i]);
            ++kept;
        }
        m_rows.resize(kept);
    }
    m_replayRemoved.clear();
    m_replayRemovedCount = 0;
}

void Table::finishReplay() {
    dropReplayRemoved();
    m_replayRemoved.shrink_to_fit();
    const auto byId = [](const RowPtr& a, const RowPtr& b) {
        return RowLayout::rowId(a.get()) < RowLayout::rowId(b.get());
    };
    m_rowsInAdditionOrder = std::is_sorted(m_rows.begin(), m_rows.end(), byId);
    rebuildView();
}

}  // namespace corvane
