// Reads arbitrary bytes as a data file, in the text form and (behind the magic number) in the
// binary form. A packet that loads is written and read again: the second reading must succeed
// and, when its field names are distinct, give back the same text.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "store/BinaryPacketReader.h"
#include "store/DataPacketReader.h"
#include "store/DataPacketWriter.h"

namespace {

using namespace corvane;

bool distinctNames(const Table& t) {
    std::set<std::string> names;
    for (const FieldDef& f : t.fields()) {
        std::string name = f.name;
        for (char& c : name)
            if (std::string_view(" !#$%()*?=/<>\"'\t\n\r").find(c) != std::string_view::npos)
                c = '_';
        if (!names.insert(name).second)
            return false;
    }
    return true;
}

void roundTrip(std::string_view bytes) {
    PacketReadResult first = DataPacketReader::read(bytes);
    if (!first.ok())
        return;
    Table table("Fuzz");
    table.load(std::move(first.contents));
    const std::string written = DataPacketWriter::write(table);

    PacketReadResult second = DataPacketReader::read(written);
    if (!second.ok()) {
        std::fprintf(stderr, "our own text does not load: %s\n%s\n", second.error.c_str(), written.c_str());
        std::abort();
    }
    Table again("Fuzz");
    again.load(std::move(second.contents));
    if (again.recordCount() != table.recordCount())
        std::abort();
    if (distinctNames(table) && DataPacketWriter::write(again) != written)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    roundTrip(bytes);

    std::string binary("\x96\x19\xE0\xBD", 4);
    binary.append(bytes);
    roundTrip(binary);
    return 0;
}
