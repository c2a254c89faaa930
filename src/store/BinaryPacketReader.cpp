#include "store/BinaryPacketReader.h"

#include <cstring>

#include "protocol/Placeholders.h"
#include "store/StoreTexts.h"

namespace corvane {

namespace {

constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kMaxColumns = 1024;
constexpr std::size_t kMaxProperties = 256;
constexpr std::uint16_t kTypeInteger = 1;
constexpr std::uint16_t kTypeDateTime = 8;
constexpr std::uint16_t kTypeText = 0x49;
constexpr std::uint16_t kLengthPrefixed = 0x40;
constexpr std::uint16_t kArray = 0x80;

class Cursor {
public:
    explicit Cursor(std::string_view bytes) : m_bytes(bytes) {}
    bool ok() const { return m_ok; }
    std::size_t position() const { return m_pos; }
    std::uint32_t u(std::size_t n) {
        if (!take(n))
            return 0;
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < n; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(m_bytes[m_pos - n + i])) << (8 * i);
        return v;
    }
    std::string_view bytes(std::size_t n) {
        if (!take(n))
            return {};
        return m_bytes.substr(m_pos - n, n);
    }
    std::string shortString() { return std::string(bytes(u(1))); }

private:
    bool take(std::size_t n) {
        if (!m_ok || n > m_bytes.size() - m_pos) {
            m_ok = false;
            return false;
        }
        m_pos += n;
        return true;
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

bool readProperties(Cursor& c, std::vector<BinaryPacketReader::Property>& out) {
    const std::uint32_t count = c.u(2);
    if (count > kMaxProperties)
        return false;
    for (std::uint32_t i = 0; i < count && c.ok(); ++i) {
        BinaryPacketReader::Property p;
        p.name = c.shortString();
        p.valueSize = static_cast<std::uint16_t>(c.u(2));
        p.valueType = static_cast<std::uint16_t>(c.u(2));
        if (p.valueType & kLengthPrefixed) {
            if (p.valueSize == 0 || p.valueSize > 4)
                return false;
            p.value = c.bytes(c.u(p.valueSize));
        } else if (p.valueType & kArray) {
            const std::uint64_t n = c.u(4);
            const std::uint64_t total = n * p.valueSize;
            if (total > 0xFFFFFFFFu)
                return false;
            p.value = c.bytes(static_cast<std::size_t>(total));
        } else {
            p.value = c.bytes(p.valueSize);
        }
        out.push_back(std::move(p));
    }
    return c.ok();
}

std::uint32_t littleEndian(std::string_view v) {
    std::uint32_t r = 0;
    for (std::size_t i = 0; i < v.size() && i < 4; ++i)
        r |= static_cast<std::uint32_t>(static_cast<unsigned char>(v[i])) << (8 * i);
    return r;
}

}  // namespace

bool BinaryPacketReader::isBinary(std::string_view bytes) {
    return bytes.size() >= 4 && littleEndian(bytes.substr(0, 4)) == kMagic;
}

bool BinaryPacketReader::parse(std::string_view bytes, Packet& packet, std::string& error) {
    if (bytes.size() < kHeaderSize) {
        error = storetexts::kTruncated;
        return false;
    }
    Cursor c(bytes);
    c.u(4);
    packet.major = static_cast<std::uint16_t>(c.u(2));
    packet.minor = static_cast<std::uint16_t>(c.u(2));
    packet.headerSize = c.u(4);
    const std::uint32_t columns = c.u(2);
    packet.rowCount = c.u(4);
    packet.attributes = c.u(4);
    packet.descriptionsLength = static_cast<std::uint16_t>(c.u(2));
    if (packet.headerSize != kHeaderSize || columns > kMaxColumns) {
        error = fillIn(storetexts::kBadStructure, {"header"});
        return false;
    }
    for (std::uint32_t i = 0; i < columns && c.ok(); ++i) {
        Column col;
        col.name = c.shortString();
        col.size = static_cast<std::uint16_t>(c.u(2));
        col.type = static_cast<std::uint16_t>(c.u(2));
        col.attributes = static_cast<std::uint16_t>(c.u(2));
        if (!readProperties(c, col.properties))
            break;
        packet.columns.push_back(std::move(col));
    }
    if (c.ok())
        readProperties(c, packet.properties);
    if (!c.ok()) {
        error = storetexts::kTruncated;
        return false;
    }
    return true;
}

PacketReadResult BinaryPacketReader::read(std::string_view bytes) {
    PacketReadResult result;
    Packet packet;
    if (!parse(bytes, packet, result.error))
        return result;
    for (const Column& col : packet.columns) {
        if (col.name.empty()) {
            result.error = fillIn(storetexts::kBadStructure, {"a column without a name"});
            return result;
        }
        FieldDef f;
        f.name = col.name;
        f.readOnly = (col.attributes & 2) != 0;
        if (col.type == kTypeInteger) {
            f.type = FieldType::Integer;
            for (const Property& p : col.properties)
                if (p.name == "SUBTYPE" && std::string_view(p.value).substr(0, 7) == "Autoinc")
                    f.type = FieldType::AutoInc;
        } else if (col.type == kTypeDateTime) {
            f.type = FieldType::DateTime;
        } else if (col.type == kTypeText) {
            f.type = FieldType::Text;
            f.size = col.size == 1 ? 255 : 65535;
            for (const Property& p : col.properties) {
                if (p.name != "WIDTH")
                    continue;
                const std::uint32_t width = littleEndian(p.value);
                if (p.value.empty() || width < 1 || width > 65535) {
                    result.error = fillIn(storetexts::kBadStructure, {"WIDTH of " + col.name});
                    return result;
                }
                f.size = static_cast<int>(width);
            }
        } else {
            result.error = fillIn(storetexts::kBadStructure, {"field type of " + col.name});
            return result;
        }
        result.contents.fields.push_back(std::move(f));
    }
    for (const Property& p : packet.properties)
        if (p.name == "AUTOINCVALUE" && p.value.size() == 4)
            result.contents.autoIncValue = static_cast<std::int32_t>(littleEndian(p.value));
    if (packet.rowCount > 0) {
        result.contents = {};
        result.error = storetexts::kBinaryRows;
    }
    return result;
}

}  // namespace corvane
