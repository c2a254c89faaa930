#include <gtest/gtest.h>

#include <cstdlib>

#include "store/DataPacketReader.h"
#include "store/StoreTemplates.h"
#include "StoreTestSupport.h"

namespace corvane {
namespace {

constexpr const char* kTables[] = {"MessageSet", "HostSet", "FacilitySet", "SeveritySet", "FilterSet"};

// The shipped template files are exactly what the writer makes. Run with
// CORVANE_WRITE_TEMPLATES=1 to rewrite them after a deliberate change of a table's structure.
TEST(StoreTemplates, ShippedFilesEqualWhatTheWriterMakes) {
    const bool rewrite = std::getenv("CORVANE_WRITE_TEMPLATES") != nullptr;
    for (const char* table : kTables) {
        const std::string path = test::templateFolder() + table + ".vtx";
        const std::string made = templateText(table);
        ASSERT_FALSE(made.empty()) << table;
        if (rewrite) {
            ASSERT_EQ(writeFileAtomically(path, made), "") << path;
        }
        EXPECT_EQ(test::fileText(path), made) << table;
    }
    EXPECT_EQ(templateText("TimeSet"), "");
}

TEST(StoreTemplates, HoldTheInitialRows) {
    PacketReadResult hosts = DataPacketReader::read(templateText("HostSet"));
    ASSERT_TRUE(hosts.ok()) << hosts.error;
    Table h("HostSet");
    h.load(std::move(hosts.contents));
    ASSERT_EQ(h.recordCount(), 1);
    EXPECT_EQ(h.value("Key"), Value::ofInteger(0));
    EXPECT_EQ(h.value("Name"), Value::ofText("Any"));
    EXPECT_EQ(h.value("Address"), Value::ofText("Any"));
    EXPECT_TRUE(h.value("Date").isNull());
    EXPECT_EQ(h.autoIncValue(), 1);

    PacketReadResult filter = DataPacketReader::read(templateText("FilterSet"));
    ASSERT_TRUE(filter.ok()) << filter.error;
    Table f("FilterSet");
    f.load(std::move(filter.contents));
    ASSERT_EQ(f.recordCount(), 1);
    EXPECT_EQ(f.fields().size(), 15u);
    for (auto [field, value] : {std::pair{"Key", 0},
                                {"FacilityKey", -1},
                                {"SeverityKey", -1},
                                {"HostKey", 0},
                                {"Amount", 3},
                                {"TimeKey", 0}})
        EXPECT_EQ(f.value(field), Value::ofInteger(value)) << field;
    EXPECT_TRUE(f.value("OfTime").isNull());

    for (const char* empty : {"MessageSet", "FacilitySet", "SeveritySet"}) {
        PacketReadResult r = DataPacketReader::read(templateText(empty));
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_TRUE(r.contents.rows.empty()) << empty;
        EXPECT_EQ(r.contents.fields.size(), std::string_view(empty) == "MessageSet" ? 17u : 4u) << empty;
    }
}

}  // namespace
}  // namespace corvane
