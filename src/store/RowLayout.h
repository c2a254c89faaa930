#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Field.h comes before DateTime.h: its FieldType::DateTime must not shadow the alias.
#include "store/Field.h"
#include "store/RecordFilter.h"
#include "protocol/DateTime.h"

namespace corvane {

struct FreeDeleter {
    void operator()(std::uint8_t* p) const { std::free(p); }
};

// A stored record: one heap block holding
//   [u32 block size][u32 row id][null bits][fixed slots][text bytes].
// Integers take 4-byte slots, date-times 8-byte slots (milliseconds), and a text slot holds the
// end offset of its bytes within the text area; a text starts where the previous one ended.
using RowPtr = std::unique_ptr<std::uint8_t[], FreeDeleter>;

// The pending values of one record while it is built or edited.
struct RowBuffer {
    std::vector<unsigned char> nulls;   // per field
    std::vector<std::int64_t> numbers;  // per field: integer or milliseconds
    std::vector<std::string> texts;     // per field

    void reset(std::size_t fieldCount);
    void setAllNull();
};

// Where each field of a table lives inside a row block.
class RowLayout {
public:
    static constexpr std::size_t kHeaderSize = 8;

    RowLayout() = default;
    explicit RowLayout(std::span<const FieldDef> fields);

    std::size_t fieldCount() const { return m_fields.size(); }
    bool isStored(int field) const { return m_fields[field].offset >= 0; }
    FieldType type(int field) const { return m_fields[field].type; }
    int textSize(int field) const { return m_fields[field].size; }

    // Encodes the buffer (texts already cut and trimmed) into a new block.
    RowPtr encode(const RowBuffer& buffer, std::uint32_t rowId) const;
    // The same from values held elsewhere (a file being read): one entry per field, texts
    // already cut and trimmed.
    RowPtr encode(const unsigned char* nulls, const std::int64_t* numbers, const std::string_view* texts,
                  std::uint32_t rowId) const;
    void decode(const std::uint8_t* row, RowBuffer& buffer) const;

    static std::uint32_t rowId(const std::uint8_t* row) { return load32(row + 4); }
    static std::uint32_t blockSize(const std::uint8_t* row) { return load32(row); }

    bool isNull(const std::uint8_t* row, int field) const {
        const int bit = m_fields[field].nullBit;
        return bit < 0 || (row[kHeaderSize + bit / 8] >> (bit % 8)) & 1;
    }
    std::int32_t integer(const std::uint8_t* row, int field) const {
        return static_cast<std::int32_t>(load32(row + m_fields[field].offset));
    }
    std::int64_t milliseconds(const std::uint8_t* row, int field) const {
        std::int64_t v;
        std::memcpy(&v, row + m_fields[field].offset, sizeof v);
        return v;
    }
    DateTime dateTime(const std::uint8_t* row, int field) const {
        return millisecondsToDateTime(milliseconds(row, field));
    }
    std::string_view text(const std::uint8_t* row, int field) const {
        const Slot& s = m_fields[field];
        const std::uint32_t begin = s.prevTextOffset < 0 ? 0 : load32(row + s.prevTextOffset);
        const std::uint32_t end = load32(row + s.offset);
        return {reinterpret_cast<const char*>(row + m_textStart + begin), end - begin};
    }

private:
    struct Slot {
        FieldType type = FieldType::Integer;
        int size = 0;
        int offset = -1;  // of the fixed slot in the block; -1 for fields not stored
        int nullBit = -1;
        int prevTextOffset = -1;  // fixed slot of the previous text field
    };

    template <class TextOf>
    RowPtr encodeWith(const unsigned char* nulls, const std::int64_t* numbers, TextOf textOf,
                      std::uint32_t rowId) const;

    static std::uint32_t load32(const std::uint8_t* p) {
        std::uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }

    std::vector<Slot> m_fields;
    std::vector<int> m_textFields;
    std::size_t m_textStart = kHeaderSize;
};

// Cuts a text to the field size and removes trailing blanks, as every stored text is kept. A
// UTF-8 text is cut at a character boundary, so it stays UTF-8; other text at the size.
std::string_view storedText(std::string_view text, int size);

// Reads one stored row for filters and grids; cheap to make, never allocates.
class RowReader final : public RecordReader {
public:
    RowReader(const RowLayout& layout, const std::uint8_t* row) : m_layout(&layout), m_row(row) {}
    bool isNull(int field) const override { return m_layout->isNull(m_row, field); }
    std::int32_t integer(int field) const override { return m_layout->integer(m_row, field); }
    double dateTime(int field) const override { return m_layout->dateTime(m_row, field); }
    std::string_view text(int field) const override { return m_layout->text(m_row, field); }

private:
    const RowLayout* m_layout;
    const std::uint8_t* m_row;
};

// Reads a pending record buffer the same way.
class BufferReader final : public RecordReader {
public:
    explicit BufferReader(const RowBuffer& buffer) : m_buffer(&buffer) {}
    bool isNull(int field) const override { return m_buffer->nulls[field] != 0; }
    std::int32_t integer(int field) const override {
        return static_cast<std::int32_t>(m_buffer->numbers[field]);
    }
    double dateTime(int field) const override { return millisecondsToDateTime(m_buffer->numbers[field]); }
    std::string_view text(int field) const override { return m_buffer->texts[field]; }

private:
    const RowBuffer* m_buffer;
};

}  // namespace corvane
