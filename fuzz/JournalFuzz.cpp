// Reads arbitrary bytes as the journal of a message file and replays it onto an empty message
// table. Whatever it holds, the replay ends, keeps the records in key order and leaves a journal
// that a second start reads to the same records.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "store/Journal.h"
#include "store/StoreTables.h"
#include "store/TableJournal.h"

namespace {

using namespace corvane;

const std::string& folder() {
    static const std::string path = [] {
        char name[] = "/tmp/corvane-journalfuzz-XXXXXX";
        if (!::mkdtemp(name))
            std::abort();
        return std::string(name) + "/";
    }();
    return path;
}

int replay(const std::string& data, const FileIdentity& base) {
    Table table("MessageSet", messageSetFields());
    table.open();
    TableJournal journal(data);
    (void)journal.open(table, &base);
    const int key = table.fieldIndex("Key");
    for (int i = 1; i < table.totalRecordCount(); ++i)
        if (table.readerOfRecord(i - 1).integer(key) > table.readerOfRecord(i).integer(key) &&
            !table.readerOfRecord(i - 1).isNull(key))
            std::abort();
    return table.totalRecordCount();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const JournalContents contents = JournalContents::parse(text);
    if (!contents.headerOk || contents.damaged)
        return 0;
    const std::string data = folder() + "MessageSet.vtx";
    std::filesystem::remove_all(folder());
    std::filesystem::create_directories(folder());
    std::ofstream(data + ".journal", std::ios::binary).write(text.data(), static_cast<std::streamsize>(size));
    const int first = replay(data, contents.base);
    if (replay(data, contents.base) != first)
        std::abort();
    return 0;
}
