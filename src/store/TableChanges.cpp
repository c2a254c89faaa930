#include "store/Table.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "protocol/Placeholders.h"
#include "store/StoreTexts.h"
#include "store/TableDetail.h"

namespace corvane {

// Appending, editing, posting and deleting records, and the change log behind discard.

void Table::append() {
    requireOpen();
    if (pending())
        post();
    m_buffer.reset(m_fields.size());
    m_state = State::Insert;
    m_editPosition = -1;
    if (onNewRecord)
        onNewRecord(*this);
    m_bufferChanged = false;
    scrolled();
}

void Table::edit() {
    requireOpen();
    if (pending())
        return;
    if (m_view.empty()) {
        append();
        return;
    }
    requireCurrent();
    m_editPosition = static_cast<int>(m_view[m_cursor]);
    m_layout.decode(m_rows[m_editPosition].get(), m_buffer);
    m_state = State::Edit;
    m_bufferChanged = false;
}

void Table::post() {
    if (!pending())
        return;
    if (m_state == State::Insert) {
        if (m_autoIncField >= 0) {
            m_buffer.nulls[m_autoIncField] = 0;
            m_buffer.numbers[m_autoIncField] = m_autoInc;
            if (m_autoInc < std::numeric_limits<std::int32_t>::max())
                ++m_autoInc;
        }
        const std::uint32_t id = m_nextRowId++;
        RowPtr row = m_layout.encode(m_buffer, id);
        const std::int64_t newKey = keyOf(row.get());
        const std::size_t pos = orderPositionFor(newKey);
        const bool visible = passes(row.get());
        if (pos == m_rows.size()) {
            m_rows.push_back(std::move(row));
            if (visible) {
                m_view.push_back(static_cast<std::uint32_t>(pos));
                m_cursor = recordCount() - 1;
            }
        } else {
            m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(pos), std::move(row));
            m_rowsInAdditionOrder = false;
            for (auto& v : m_view)
                if (v >= pos)
                    ++v;
            if (visible) {
                const auto it =
                    std::lower_bound(m_view.begin(), m_view.end(), static_cast<std::uint32_t>(pos));
                m_cursor = static_cast<int>(it - m_view.begin());
                m_view.insert(it, static_cast<std::uint32_t>(pos));
            }
        }
        indexRow(m_rows[pos].get());
        if (m_cursor >= recordCount())
            m_cursor = recordCount() - 1;
        m_bof = m_eof = m_view.empty();
        m_log.push_back({LogEntry::Kind::Inserted, id, nullptr, newKey});
        m_state = State::Browse;
        m_bufferChanged = false;
        if (afterPost)
            afterPost(*this);
        scrolled();
        return;
    }

    m_state = State::Browse;
    const int editPos = m_editPosition;
    m_editPosition = -1;
    if (!m_bufferChanged || editPos < 0) {
        if (afterPost)
            afterPost(*this);
        return;
    }
    m_bufferChanged = false;
    const std::uint32_t id = RowLayout::rowId(m_rows[editPos].get());
    RowPtr row = m_layout.encode(m_buffer, id);
    const std::int64_t newKey = keyOf(row.get());
    const bool sameKey = newKey == keyOf(m_rows[editPos].get());
    m_log.push_back({LogEntry::Kind::Modified, id, std::move(m_rows[editPos]), newKey});
    if (!m_indexes.empty())
        indexRow(row.get());
    if (sameKey) {
        m_rows[editPos] = std::move(row);
        if (m_filtered && !passes(m_rows[editPos].get())) {
            const auto it =
                std::lower_bound(m_view.begin(), m_view.end(), static_cast<std::uint32_t>(editPos));
            if (it != m_view.end() && *it == static_cast<std::uint32_t>(editPos))
                m_view.erase(it);
            if (m_cursor >= recordCount())
                m_cursor = recordCount() - 1;
            m_bof = m_eof = m_view.empty();
        }
    } else {
        m_rows.erase(m_rows.begin() + editPos);
        const std::size_t pos = orderPositionFor(keyOf(row.get()));
        m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(pos), std::move(row));
        if (pos != static_cast<std::size_t>(editPos))
            m_rowsInAdditionOrder = false;
        rebuildView(static_cast<int>(pos));
    }
    if (afterPost)
        afterPost(*this);
    scrolled();
}

void Table::cancel() {
    if (!pending())
        return;
    const bool wasInsert = m_state == State::Insert;
    m_state = State::Browse;
    m_bufferChanged = false;
    m_editPosition = -1;
    if (wasInsert)
        scrolled();
}

void Table::deleteRecord() {
    requireOpen();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    requireCurrent();
    const std::uint32_t pos = m_view[m_cursor];
    m_log.push_back({LogEntry::Kind::Deleted, RowLayout::rowId(m_rows[pos].get()), std::move(m_rows[pos])});
    m_rows.erase(m_rows.begin() + pos);
    m_view.erase(m_view.begin() + m_cursor);
    for (std::size_t i = static_cast<std::size_t>(m_cursor); i < m_view.size(); ++i) --m_view[i];
    if (m_cursor >= recordCount())
        m_cursor = recordCount() - 1;
    m_bof = m_eof = m_view.empty();
    scrolled();
}

void Table::deleteAllInView() {
    requireOpen();
    // Going through the view posts a pending record first, so it is deleted with the others.
    post();
    if (m_view.empty())
        return;
    std::vector<unsigned char> doomed(m_rows.size(), 0);
    for (std::uint32_t v : m_view) doomed[v] = 1;
    m_log.reserve(m_log.size() + m_view.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (doomed[i]) {
            const std::uint32_t id = RowLayout::rowId(m_rows[i].get());
            m_log.push_back({LogEntry::Kind::Deleted, id, std::move(m_rows[i])});
        } else {
            if (kept != i)
                m_rows[kept] = std::move(m_rows[i]);
            ++kept;
        }
    }
    m_rows.resize(kept);
    // Every record that was in view is gone; the others were outside it.
    m_view.clear();
    m_cursor = -1;
    m_bof = m_eof = true;
    scrolled();
}

void Table::deleteFirst(std::size_t count) {
    requireOpen();
    post();
    count = std::min(count, m_rows.size());
    if (count == 0)
        return;
    m_log.reserve(m_log.size() + count);
    for (std::size_t i = 0; i < count; ++i)
        m_log.push_back({LogEntry::Kind::Deleted, RowLayout::rowId(m_rows[i].get()), std::move(m_rows[i])});
    m_rows.erase(m_rows.begin(), m_rows.begin() + static_cast<std::ptrdiff_t>(count));
    const auto firstKept = std::lower_bound(m_view.begin(), m_view.end(), static_cast<std::uint32_t>(count));
    const int gone = static_cast<int>(firstKept - m_view.begin());
    m_view.erase(m_view.begin(), firstKept);
    for (auto& v : m_view) v -= static_cast<std::uint32_t>(count);
    if (m_view.empty())
        m_cursor = -1;
    else if (m_cursor >= 0)
        m_cursor = std::max(0, m_cursor - gone);
    m_bof = m_eof = m_view.empty();
    scrolled();
}

bool Table::hasUnsavedChanges() const {
    return (pending() && m_bufferChanged) || !m_log.empty();
}

void Table::discardChanges() {
    if (beforeBlocksFreed)
        beforeBlocksFreed();
    cancel();
    if (m_log.empty())
        return;
    dropIndexes();
    std::unordered_map<std::uint32_t, RowPtr> live;
    live.reserve(m_rows.size() + m_log.size());
    for (auto& r : m_rows) live.emplace(RowLayout::rowId(r.get()), std::move(r));
    for (auto it = m_log.rbegin(); it != m_log.rend(); ++it) {
        switch (it->kind) {
            case LogEntry::Kind::Inserted:
                live.erase(it->rowId);
                break;
            case LogEntry::Kind::Modified:
            case LogEntry::Kind::Deleted:
                live[it->rowId] = std::move(it->row);
                break;
        }
    }
    m_log.clear();
    m_rows.clear();
    m_rows.reserve(live.size());
    for (auto& [id, row] : live) m_rows.push_back(std::move(row));
    std::sort(m_rows.begin(), m_rows.end(), [this](const RowPtr& a, const RowPtr& b) {
        const auto ka = keyOf(a.get());
        const auto kb = keyOf(b.get());
        return ka != kb ? ka < kb : RowLayout::rowId(a.get()) < RowLayout::rowId(b.get());
    });
    m_rowsInAdditionOrder =
        std::is_sorted(m_rows.begin(), m_rows.end(), [](const RowPtr& a, const RowPtr& b) {
            return RowLayout::rowId(a.get()) < RowLayout::rowId(b.get());
        });
    rebuildView();
    scrolled();
}

void Table::mergeChangeLog() {
    if (beforeBlocksFreed)
        beforeBlocksFreed();
    m_log.clear();
    m_log.shrink_to_fit();
}

std::size_t Table::changeLogSize() const {
    return m_log.size();
}

void Table::mergeChangeLog(std::size_t entries) {
    if (beforeBlocksFreed)
        beforeBlocksFreed();
    m_log.erase(m_log.begin(), m_log.begin() + static_cast<std::ptrdiff_t>(std::min(entries, m_log.size())));
}

}  // namespace corvane
