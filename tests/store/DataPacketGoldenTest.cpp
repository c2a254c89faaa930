#include <gtest/gtest.h>

#include <memory>

#include "store/DataPacketReader.h"
#include "store/DataPacketWriter.h"
#include "store/StoreTables.h"
#include "StoreTestSupport.h"

namespace corvane {
namespace {

std::string golden(const char* name) {
    return test::fileText(std::string(CORVANE_SOURCE_DIR) + "/tests/store/golden/" + name);
}

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return *encodeDateTime({y, mo, d, h, mi, s, ms});
}

void set(Table& t, std::string_view field, Value v) {
    t.setValue(field, v);
}

std::unique_ptr<Table> goldenMessages() {
    auto table = std::make_unique<Table>("MessageSet", messageSetFields());
    Table& t = *table;
    t.open();
    t.append();
    set(t, "Key", Value::ofInteger(0));
    set(t, "Date", Value::ofDateTime(at(2024, 1, 8, 14, 30, 5, 123)));
    set(t, "TimeStamp", Value::ofDateTime(at(2024, 1, 8)));
    set(t, "Severity", Value::ofText("Error"));
    set(t, "Process", Value::ofText("sshd"));
    set(t, "Message", Value::ofText("say \"hi\"\nnext & <b> 'x' \\ tab\t cr\r caf\xe9\x01"));
    set(t, "Host", Value::ofText("router"));
    set(t, "Address", Value::ofText("192.168.1.20"));
    set(t, "Facility", Value::ofText("Security/Authorize"));
    set(t, "PID", Value::ofInteger(42));
    set(t, "Data", Value::ofText("<86>Jan  8 14:30:05 router sshd[42]: say   "));
    set(t, "FacilityKey", Value::ofInteger(10));
    set(t, "HostKey", Value::ofInteger(1));
    set(t, "SeverityKey", Value::ofInteger(3));
    t.post();
    t.append();
    set(t, "Key", Value::ofInteger(1));
    set(t, "Date", Value::ofDateTime(millisecondsToDateTime(1)));
    set(t, "TimeStamp", Value::ofDateTime(at(1900, 1, 1, 23, 59, 59, 999)));
    set(t, "Severity", Value::ofText("Debug"));
    set(t, "Process", Value::ofText("Unknown"));
    set(t, "Message", Value::ofText("  leading kept"));
    set(t, "Host", Value::ofText("Unassigned"));
    set(t, "Address", Value::ofText("10.0.0.1"));
    set(t, "Facility", Value::ofText("User"));
    set(t, "PID", Value::ofInteger(-1));
    set(t, "FacilityKey", Value::ofInteger(1));
    set(t, "HostKey", Value::ofInteger(2));
    set(t, "SeverityKey", Value::ofInteger(7));
    t.post();
    return table;
}

TEST(DataPacketGolden, WriterProducesTheGoldenFiles) {
    Table facilities("FacilitySet", facilitySetFields());
    facilities.open();
    EXPECT_EQ(DataPacketWriter::write(facilities), golden("EmptyFacilitySet.vtx"));

    EXPECT_EQ(DataPacketWriter::write(*goldenMessages()), golden("MessageSet.vtx"));

    Table hosts("HostSet", hostSetFields());
    hosts.open();
    hosts.setAutoIncValue(0);
    hosts.append();
    set(hosts, "Name", Value::ofText("Any"));
    set(hosts, "Address", Value::ofText("Any"));
    hosts.post();
    hosts.setAutoIncValue(6);
    hosts.append();
    set(hosts, "Name", Value::ofText("core-switch"));
    set(hosts, "Address", Value::ofText("10.1.1.1"));
    set(hosts, "Date", Value::ofDateTime(at(2025, 12, 31, 23, 59, 59)));
    hosts.post();
    EXPECT_EQ(hosts.autoIncValue(), 7);
    EXPECT_EQ(DataPacketWriter::write(hosts), golden("HostSet.vtx"));
}

TEST(DataPacketGolden, GoldenFilesReadBackUnchanged) {
    for (const char* name : {"EmptyFacilitySet.vtx", "MessageSet.vtx", "HostSet.vtx"}) {
        const std::string text = golden(name);
        ASSERT_FALSE(text.empty()) << name;
        PacketReadResult r = DataPacketReader::read(text);
        ASSERT_TRUE(r.ok()) << name << ": " << r.error;
        Table t(name);
        t.load(std::move(r.contents));
        EXPECT_EQ(DataPacketWriter::write(t), text) << name;
    }

    const std::string messages = golden("MessageSet.vtx");
    for (std::size_t cut = 0; cut < messages.size(); ++cut)
        EXPECT_FALSE(DataPacketReader::read(std::string_view(messages).substr(0, cut)).ok()) << cut;

    PacketReadResult r = DataPacketReader::read(messages);
    const auto expected = goldenMessages();
    Table t("MessageSet");
    t.load(std::move(r.contents));
    ASSERT_EQ(t.recordCount(), 2);
    for (int row = 0; row < 2; ++row)
        for (int f = 0; f < static_cast<int>(t.fields().size()); ++f)
            EXPECT_EQ(t.valueAt(row, f), expected->valueAt(row, f)) << row << " " << t.fields()[f].name;
    EXPECT_EQ(t.valueAt(0, t.requireField("TimeStamp")), Value::ofDateTime(at(2024, 1, 8)));  // midnight
    EXPECT_TRUE(t.valueAt(0, t.requireField("SubProcess")).isNull());
    EXPECT_EQ(t.valueAt(0, t.requireField("Data")).text, "<86>Jan  8 14:30:05 router sshd[42]: say");
}

}  // namespace
}  // namespace corvane
