#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/DataPacketReader.h"

namespace corvane {

// The binary form of a data packet: its header, column descriptions and properties. The store
// never writes this form; it reads the structure and refuses packets that carry records.
class BinaryPacketReader {
public:
    static constexpr std::uint32_t kMagic = 0xBDE01996u;

    struct Property {
        std::string name;
        std::uint16_t valueSize = 0;
        std::uint16_t valueType = 0;
        std::string value;  // raw bytes (for length-prefixed values, without the length)
    };
    struct Column {
        std::string name;
        std::uint16_t size = 0;
        std::uint16_t type = 0;
        std::uint16_t attributes = 0;
        std::vector<Property> properties;
    };
    struct Packet {
        std::uint16_t major = 0;
        std::uint16_t minor = 0;
        std::uint32_t headerSize = 0;
        std::uint32_t rowCount = 0;
        std::uint32_t attributes = 0;
        std::uint16_t descriptionsLength = 0;
        std::vector<Column> columns;
        std::vector<Property> properties;
    };

    static bool isBinary(std::string_view bytes);
    // The header and descriptions; the error text when they cannot be read.
    static bool parse(std::string_view bytes, Packet& packet, std::string& error);
    // The table structure and counter, or an error (also for a packet holding records).
    static PacketReadResult read(std::string_view bytes);
};

}  // namespace corvane
