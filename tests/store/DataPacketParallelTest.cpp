// Reading the records of a large packet on two threads gives exactly what reading it on one does.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "store/DataPacketReader.h"

namespace corvane {
namespace {

constexpr std::size_t kAlways = 1;  // split however small the packet is

std::string packet(const std::string& rows) {
    return R"(<?xml version="1.0" standalone="yes"?><DATAPACKET Version="2.0"><METADATA><FIELDS>)"
           R"(<FIELD attrname="Key" fieldtype="i4"/><FIELD attrname="Message" fieldtype="string" WIDTH="512"/>)"
           R"(<FIELD attrname="When" fieldtype="dateTime"/></FIELDS><PARAMS AUTOINCVALUE="9"/></METADATA>)"
           R"(<ROWDATA>)" +
           rows + "</ROWDATA></DATAPACKET>";
}

std::string numberedRows(int from, int count) {
    std::string rows;
    for (int i = from; i < from + count; ++i)
        rows += R"(<ROW Key=")" + std::to_string(i) + R"(" Message="text &amp; more )" + std::to_string(i) +
                R"(" When="20261209T21:00:00000"/>)";
    return rows;
}

TEST(DataPacketParallel, SplitReadingMatchesOneThread) {
    const std::string bigValue(3000, 'A');
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"plain records", packet(numberedRows(1, 400))},
        {"a record inside a value at the middle",
         packet(numberedRows(1, 2) + "<ROW Key=\"3\" Message='" + bigValue + "<ROW Key=\"99\"/>'/>" +
                numberedRows(4, 2))},
        {"a record inside a comment at the middle",
         packet(numberedRows(1, 2) + "<!--" + bigValue + "<ROW Key=\"99\"/>-->" + numberedRows(4, 2))},
        {"counter after the records",
         R"(<DATAPACKET><METADATA><FIELDS><FIELD attrname="Key" fieldtype="i4"/></FIELDS></METADATA><ROWDATA>)" +
             std::string(200, ' ') +
             R"(<ROW Key="1"/><ROW Key="2"/></ROWDATA><METADATA><PARAMS AUTOINCVALUE="5"/></METADATA></DATAPACKET>)"},
        {"a bad value in the second half",
         packet(numberedRows(1, 300) + R"(<ROW Key="x"/>)" + numberedRows(302, 3))},
        {"truncated in the second half",
         packet(numberedRows(1, 300)).substr(0, packet(numberedRows(1, 300)).size() - 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PacketReadResult one = DataPacketReader::readXml(c.text, std::string_view::npos);
        const PacketReadResult two = DataPacketReader::readXml(c.text, kAlways);
        ASSERT_EQ(two.error, one.error);
        EXPECT_EQ(two.contents.autoIncValue, one.contents.autoIncValue);
        ASSERT_EQ(two.contents.rows.size(), one.contents.rows.size());
        for (std::size_t i = 0; i < one.contents.rows.size(); ++i) {
            const std::uint8_t* a = one.contents.rows[i].get();
            const std::uint8_t* b = two.contents.rows[i].get();
            ASSERT_EQ(RowLayout::blockSize(a), RowLayout::blockSize(b)) << "record " << i;
            EXPECT_EQ(std::memcmp(a, b, RowLayout::blockSize(a)), 0) << "record " << i;
        }
    }
}

TEST(DataPacketParallel, RecordsKeepTheirValuesAndOrder) {
    const PacketReadResult r = DataPacketReader::readXml(packet(numberedRows(1, 1000)), kAlways);
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.contents.rows.size(), 1000u);
    const RowLayout layout(r.contents.fields);
    for (std::size_t i = 0; i < r.contents.rows.size(); ++i) {
        const std::uint8_t* row = r.contents.rows[i].get();
        ASSERT_EQ(layout.integer(row, 0), static_cast<int>(i + 1));
        ASSERT_EQ(RowLayout::rowId(row), i + 1);
        ASSERT_EQ(layout.text(row, 1), "text & more " + std::to_string(i + 1));
    }
}

}  // namespace
}  // namespace corvane
