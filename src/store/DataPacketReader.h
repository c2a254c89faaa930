#pragma once

#include <string>
#include <string_view>

#include "store/Table.h"

namespace corvane {

// The outcome of reading a data file: the table's structure, counter and records, or the reason
// it could not be read.
struct PacketReadResult {
    TableContents contents;
    std::string error;

    bool ok() const { return error.empty(); }
};

// Reads a data packet in either form. The input is untrusted: every count and length is bounded,
// nothing recurses, entity definitions of a DOCTYPE are never expanded.
class DataPacketReader {
public:
    // The records of a text packet of at least `parallelFrom` bytes are read on two threads.
    static constexpr std::size_t kParallelFrom = std::size_t{8} << 20;

    static PacketReadResult read(std::string_view bytes);
    static PacketReadResult readXml(std::string_view bytes, std::size_t parallelFrom = kParallelFrom);
    // Parses a date-time of the text form; false when it is not one.
    static bool parseDateTime(std::string_view text, DateTime& out);
};

}  // namespace corvane
