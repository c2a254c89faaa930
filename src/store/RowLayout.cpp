#include "store/RowLayout.h"

#include <new>

namespace corvane {

void RowBuffer::reset(std::size_t fieldCount) {
    nulls.assign(fieldCount, 1);
    numbers.assign(fieldCount, 0);
    texts.resize(fieldCount);
    for (auto& t : texts) t.clear();
}

void RowBuffer::setAllNull() {
    std::fill(nulls.begin(), nulls.end(), 1);
    std::fill(numbers.begin(), numbers.end(), 0);
    for (auto& t : texts) t.clear();
}

RowLayout::RowLayout(std::span<const FieldDef> fields) {
    m_fields.resize(fields.size());
    int stored = 0;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].kind == FieldKind::Data)
            ++stored;
    const int nullBytes = (stored + 7) / 8;
    int offset = static_cast<int>(kHeaderSize) + nullBytes;
    int bit = 0;
    int prevText = -1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        Slot& s = m_fields[i];
        s.type = fields[i].type;
        s.size = fields[i].size;
        if (fields[i].kind != FieldKind::Data)
            continue;
        s.nullBit = bit++;
        s.offset = offset;
        if (s.type == FieldType::DateTime) {
            offset += 8;
        } else {
            offset += 4;
        }
        if (s.type == FieldType::Text) {
            s.prevTextOffset = prevText;
            prevText = s.offset;
            m_textFields.push_back(static_cast<int>(i));
        }
    }
    m_textStart = static_cast<std::size_t>(offset);
}

RowPtr RowLayout::encode(const RowBuffer& buffer, std::uint32_t rowId) const {
    std::size_t textBytes = 0;
    for (int f : m_textFields)
        if (!buffer.nulls[f])
            textBytes += buffer.texts[f].size();
    const std::size_t size = m_textStart + textBytes;
    auto* p = static_cast<std::uint8_t*>(std::calloc(1, size));
    if (!p)
        throw std::bad_alloc();
    RowPtr row(p);
    const auto size32 = static_cast<std::uint32_t>(size);
    std::memcpy(p, &size32, 4);
    std::memcpy(p + 4, &rowId, 4);
    std::uint32_t textEnd = 0;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const Slot& s = m_fields[i];
        if (s.offset < 0)
            continue;
        const bool null = buffer.nulls[i] != 0;
        if (null)
            p[kHeaderSize + s.nullBit / 8] |= static_cast<std::uint8_t>(1u << (s.nullBit % 8));
        switch (s.type) {
            case FieldType::DateTime: {
                const std::int64_t v = null ? 0 : buffer.numbers[i];
                std::memcpy(p + s.offset, &v, 8);
                break;
            }
            case FieldType::Text:
                if (!null) {
                    const std::string& t = buffer.texts[i];
                    std::memcpy(p + m_textStart + textEnd, t.data(), t.size());
                    textEnd += static_cast<std::uint32_t>(t.size());
                }
                std::memcpy(p + s.offset, &textEnd, 4);
                break;
            case FieldType::Integer:
            case FieldType::AutoInc: {
                const auto v = static_cast<std::int32_t>(null ? 0 : buffer.numbers[i]);
                std::memcpy(p + s.offset, &v, 4);
                break;
            }
        }
    }
    return row;
}

void RowLayout::decode(const std::uint8_t* row, RowBuffer& buffer) const {
    buffer.reset(m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const int f = static_cast<int>(i);
        if (m_fields[i].offset < 0 || isNull(row, f))
            continue;
        buffer.nulls[i] = 0;
        switch (m_fields[i].type) {
            case FieldType::DateTime:
                buffer.numbers[i] = milliseconds(row, f);
                break;
            case FieldType::Text:
                buffer.texts[i] = text(row, f);
                break;
            case FieldType::Integer:
            case FieldType::AutoInc:
                buffer.numbers[i] = integer(row, f);
                break;
        }
    }
}

std::string_view storedText(std::string_view text, int size) {
    if (size > 0 && text.size() > static_cast<std::size_t>(size))
        text = text.substr(0, static_cast<std::size_t>(size));
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace corvane
