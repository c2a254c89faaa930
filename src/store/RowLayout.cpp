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

template <class TextOf>
RowPtr RowLayout::encodeWith(const unsigned char* nulls, const std::int64_t* numbers, TextOf textOf,
                             std::uint32_t rowId) const {
    std::size_t textBytes = 0;
    for (int f : m_textFields)
        if (!nulls[f])
            textBytes += textOf(f).size();
    const std::size_t size = m_textStart + textBytes;
    auto* p = static_cast<std::uint8_t*>(std::malloc(size));
    if (!p)
        throw std::bad_alloc();
    RowPtr row(p);
    // Every slot and text byte is written below; only the null bits start cleared.
    std::memset(p, 0, m_textStart);
    const auto size32 = static_cast<std::uint32_t>(size);
    std::memcpy(p, &size32, 4);
    std::memcpy(p + 4, &rowId, 4);
    std::uint32_t textEnd = 0;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const Slot& s = m_fields[i];
        if (s.offset < 0)
            continue;
        const bool null = nulls[i] != 0;
        if (null)
            p[kHeaderSize + s.nullBit / 8] |= static_cast<std::uint8_t>(1u << (s.nullBit % 8));
        switch (s.type) {
            case FieldType::DateTime: {
                const std::int64_t v = null ? 0 : numbers[i];
                std::memcpy(p + s.offset, &v, 8);
                break;
            }
            case FieldType::Text:
                if (!null) {
                    const std::string_view t = textOf(static_cast<int>(i));
                    std::memcpy(p + m_textStart + textEnd, t.data(), t.size());
                    textEnd += static_cast<std::uint32_t>(t.size());
                }
                std::memcpy(p + s.offset, &textEnd, 4);
                break;
            case FieldType::Integer:
            case FieldType::AutoInc: {
                const auto v = static_cast<std::int32_t>(null ? 0 : numbers[i]);
                std::memcpy(p + s.offset, &v, 4);
                break;
            }
        }
    }
    return row;
}

RowPtr RowLayout::encode(const RowBuffer& buffer, std::uint32_t rowId) const {
    return encodeWith(
        buffer.nulls.data(), buffer.numbers.data(),
        [&buffer](int f) { return std::string_view(buffer.texts[static_cast<std::size_t>(f)]); }, rowId);
}

RowPtr RowLayout::encode(const unsigned char* nulls, const std::int64_t* numbers,
                         const std::string_view* texts, std::uint32_t rowId) const {
    return encodeWith(
        nulls, numbers, [texts](int f) { return texts[f]; }, rowId);
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

namespace {

// Length of the valid UTF-8 prefix of `text`, up to `limit` bytes, ending at a character
// boundary; npos when the text is not valid UTF-8 throughout (it is then taken as 8-bit text).
std::size_t utf8Cut(std::string_view text, std::size_t limit) {
    std::size_t i = 0;
    std::size_t boundary = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t n = 0;
        if (c < 0x80)
            n = 1;
        else if (c >= 0xC2 && c <= 0xDF)
            n = 2;
        else if (c >= 0xE0 && c <= 0xEF)
            n = 3;
        else if (c >= 0xF0 && c <= 0xF4)
            n = 4;
        else
            return std::string_view::npos;
        for (std::size_t k = 1; k < n; ++k) {
            // A character cut off by the end of the received text still counts as valid: the
            // sender's text was cut before it reached us.
            if (i + k >= text.size())
                return boundary;
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return std::string_view::npos;
        }
        if (i + n <= limit)
            boundary = i + n;
        i += n;
    }
    return boundary;
}

}  // namespace

std::string_view storedText(std::string_view text, int size) {
    if (size > 0 && text.size() > static_cast<std::size_t>(size)) {
        const auto limit = static_cast<std::size_t>(size);
        const std::size_t cut = utf8Cut(text, limit);
        text = text.substr(0, cut == std::string_view::npos ? limit : cut);
    }
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace corvane
