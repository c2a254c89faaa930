#include <gtest/gtest.h>

#include "store/BinaryPacketReader.h"
#include "store/DataPacketReader.h"
#include "store/DataPacketWriter.h"

namespace corvane {
namespace {

FieldDef field(std::string name, FieldType type, int size = 0) {
    FieldDef f;
    f.name = std::move(name);
    f.type = type;
    f.size = size;
    return f;
}

Table hostTable() {
    return Table("HostSet", {field("Key", FieldType::AutoInc), field("Name", FieldType::Text, 20),
                             field("Address", FieldType::Text, 20), field("Date", FieldType::DateTime)});
}

TEST(DataPacket, WritesTheExactLayout) {
    Table t = hostTable();
    t.open();
    t.setAutoIncValue(7);
    t.append();
    t.setText(1, "a\"b\nc&<>'\t\r\\z");
    t.setDateTime(3, *encodeDateTime({2024, 1, 8, 14, 30, 5, 123}));
    t.post();
    t.append();
    t.setText(2, "10.0.0.1");
    t.setDateTime(3, *encodeDate(2024, 1, 8));
    t.post();
    EXPECT_EQ(
        DataPacketWriter::write(t),
        "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"Key\" fieldtype=\"i4\" readonly=\"true\" SUBTYPE=\"Autoinc\"/>"
        "<FIELD attrname=\"Name\" fieldtype=\"string\" WIDTH=\"20\"/>"
        "<FIELD attrname=\"Address\" fieldtype=\"string\" WIDTH=\"20\"/>"
        "<FIELD attrname=\"Date\" fieldtype=\"dateTime\"/></FIELDS><PARAMS AUTOINCVALUE=\"9\"/></METADATA>"
        "<ROWDATA><ROW Key=\"7\" Name=\"a&quot;b&#010;c&amp;&lt;&gt;&apos;&#009;&#013;&#092;z\" "
        "Date=\"20240108T14:30:05123\"/><ROW Key=\"8\" Address=\"10.0.0.1\" Date=\"20240108\"/>"
        "</ROWDATA></DATAPACKET>");
}

TEST(DataPacket, ReadsBackToIdenticalTable) {
    Table t = hostTable();
    t.open();
    std::string allBytes;
    for (int c = 1; c < 256; ++c)
        if (c != ' ')
            allBytes.push_back(static_cast<char>(c));
    for (const std::string& name :
         {std::string("x"), allBytes.substr(0, 20), allBytes.substr(100, 20), allBytes.substr(230, 20)}) {
        t.append();
        t.setText(1, name);
        t.setDateTime(3, *encodeDateTime({1999, 12, 31, 23, 59, 59, 999}));
        t.post();
    }
    const std::string text = DataPacketWriter::write(t);
    PacketReadResult r = DataPacketReader::read(text);
    ASSERT_TRUE(r.ok()) << r.error;
    Table back("HostSet");
    back.load(std::move(r.contents));
    EXPECT_EQ(back.fields().size(), 4u);
    EXPECT_EQ(back.fields()[0].type, FieldType::AutoInc);
    EXPECT_EQ(back.fields()[1].size, 20);
    EXPECT_EQ(back.autoIncValue(), t.autoIncValue());
    ASSERT_EQ(back.recordCount(), t.recordCount());
    for (int i = 0; i < t.recordCount(); ++i)
        for (int f = 0; f < 4; ++f) EXPECT_EQ(back.valueAt(i, f), t.valueAt(i, f)) << i << "/" << f;
    EXPECT_EQ(DataPacketWriter::write(back), text);
}

// Rows go to the file in the order they were added, whatever their keys, also after a key
// change moved one; reading the file back and writing it again keeps that order.
TEST(DataPacket, RowsAreWrittenInTheOrderTheyWereAdded) {
    Table t("X", {field("Key", FieldType::Integer), field("T", FieldType::Text, 5)});
    t.open();
    for (const auto& [key, text] : {std::pair{5, "a"}, std::pair{1, "b"}, std::pair{9, "c"}}) {
        t.append();
        t.setInteger(0, key);
        t.setText(1, text);
        t.post();
    }
    const auto rowsOf = [](const std::string& packet) {
        const std::size_t from = packet.find("<ROWDATA>");
        return packet.substr(from, packet.find("</ROWDATA>") - from);
    };
    EXPECT_EQ(rowsOf(DataPacketWriter::write(t)),
              "<ROWDATA><ROW Key=\"5\" T=\"a\"/><ROW Key=\"1\" T=\"b\"/><ROW Key=\"9\" T=\"c\"/>");
    ASSERT_TRUE(t.locate(0, Value::ofInteger(9)));
    t.edit();
    t.setInteger(0, 0);
    t.post();
    EXPECT_EQ(t.valueAt(0, 1).text, "c");  // first by key now
    const std::string text = DataPacketWriter::write(t);
    EXPECT_EQ(rowsOf(text),
              "<ROWDATA><ROW Key=\"5\" T=\"a\"/><ROW Key=\"1\" T=\"b\"/><ROW Key=\"0\" T=\"c\"/>");
    PacketReadResult r = DataPacketReader::read(text);
    ASSERT_TRUE(r.ok()) << r.error;
    Table back("X");
    back.load(std::move(r.contents));
    EXPECT_FALSE(back.rowsInAdditionOrder());
    EXPECT_EQ(DataPacketWriter::write(back), text);

    Table ordered("X", {field("Key", FieldType::Integer)});
    ordered.open();
    for (int key : {1, 2, 3}) {
        ordered.append();
        ordered.setInteger(0, key);
        ordered.post();
    }
    EXPECT_TRUE(ordered.rowsInAdditionOrder());
    ordered.append();
    ordered.setInteger(0, 0);
    ordered.post();
    EXPECT_FALSE(ordered.rowsInAdditionOrder());
    EXPECT_EQ(rowsOf(DataPacketWriter::write(ordered)),
              "<ROWDATA><ROW Key=\"1\"/><ROW Key=\"2\"/><ROW Key=\"3\"/><ROW Key=\"0\"/>");
    // Discarding the unsaved addition puts the saved order back.
    ordered.discardChanges();
    ordered.open();
    for (int key : {1, 2, 3}) {
        ordered.append();
        ordered.setInteger(0, key);
        ordered.post();
    }
    ordered.mergeChangeLog();
    ordered.append();
    ordered.setInteger(0, 0);
    ordered.post();
    EXPECT_FALSE(ordered.rowsInAdditionOrder());
    ordered.discardChanges();
    EXPECT_TRUE(ordered.rowsInAdditionOrder());
    EXPECT_EQ(rowsOf(DataPacketWriter::write(ordered)),
              "<ROWDATA><ROW Key=\"1\"/><ROW Key=\"2\"/><ROW Key=\"3\"/>");
}

TEST(DataPacket, ReaderAcceptsWhatOtherWritersProduce) {
    const std::string head =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE x [<!ENTITY boom \"&boom;&boom;\">]>\n<!-- c -->"
        "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"Key\" fieldtype=\"i4\"/><FIELD attrname=\"T\" fieldtype=\"string\" WIDTH=\"5\"/>"
        "<FIELD fieldname=\"A B\" attrname=\"A_B\" fieldtype=\"i4\"/>"
        "</FIELDS><PARAMS DEFAULT_ORDER=\"1\" LCID=\"1033\" CHANGE_LOG=\"1 0 4\"><PARAM Name=\"x\"/></PARAMS>"
        "</METADATA><ROWDATA>";
    const std::string rows =
        "<ROW RowState=\"4\" Key=\"3\" T=\"&#65;&#x42;c   \"/><ROW Key='-1' A_B=\"2\" T=\"abcdefgh\"/><ROW "
        "Key=\"2\"/>";
    PacketReadResult r = DataPacketReader::read(head + rows + "</ROWDATA></DATAPACKET>\n");
    ASSERT_TRUE(r.ok()) << r.error;
    Table t("X");
    t.load(std::move(r.contents));
    EXPECT_EQ(t.fields()[2].name, "A B");
    ASSERT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.valueAt(0, 0).integer, -1);  // ordered by Key
    EXPECT_EQ(t.valueAt(0, 1).text, "abcde");
    EXPECT_EQ(t.valueAt(0, 2).integer, 2);
    EXPECT_TRUE(t.valueAt(1, 1).isNull());
    EXPECT_EQ(t.valueAt(2, 1).text, "ABc");
    EXPECT_EQ(t.autoIncValue(), 1);
}

TEST(DataPacket, RejectsDamagedFiles) {
    const std::string good =
        "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"Key\" fieldtype=\"i4\"/><FIELD attrname=\"D\" fieldtype=\"dateTime\"/></FIELDS>"
        "<PARAMS/></METADATA><ROWDATA><ROW Key=\"1\" D=\"20240108T14:30:05123\"/></ROWDATA></DATAPACKET>";
    ASSERT_TRUE(DataPacketReader::read(good).ok());
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(DataPacketReader::read(good.substr(0, cut)).ok()) << cut;

    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string s = good;
        s.replace(s.find(from), from.size(), to);
        return s;
    };
    struct Row {
        const char* name;
        std::string text;
    };
    const Row rows[] = {
        {"not xml", "hello"},
        {"other root", "<OTHER/>"},
        {"integer out of range", replaced("Key=\"1\"", "Key=\"2147483648\"")},
        {"integer not a number", replaced("Key=\"1\"", "Key=\"1x\"")},
        {"invalid date", replaced("20240108T", "20240230T")},
        {"seconds past 59", replaced("05123", "60000")},
        {"huge numeric reference", replaced("Key=\"1\"", "Key=\"&#99999999999999999999;\"")},
        {"unknown entity", replaced("Key=\"1\"", "Key=\"&boom;\"")},
        {"unterminated attribute", replaced("Key=\"1\"", "Key=\"1")},
        {"mismatched close", replaced("</ROWDATA>", "</ROWS>")},
        {"unknown field type", replaced("dateTime", "blob")},
    };
    for (const auto& row : rows) EXPECT_FALSE(DataPacketReader::read(row.text).ok()) << row.name;
    EXPECT_EQ(DataPacketReader::read("").error, "The file is empty");
}

TEST(DataPacket, ReaderSurvivesHostileInput) {
    const std::string head =
        "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"Key\" fieldtype=\"i4\"/><FIELD attrname=\"Message\" fieldtype=\"string\" "
        "WIDTH=\"512\"/></FIELDS><PARAMS/></METADATA><ROWDATA>";
    const std::string tail = "</ROWDATA></DATAPACKET>";

    // A 100 MB value is cut to the field's size; cut off, it is refused.
    std::string file = head + "<ROW Key=\"1\" Message=\"";
    file.append(100u << 20, 'v');
    const std::size_t valueEnd = file.size();
    file += "\"/>" + tail;
    PacketReadResult r = DataPacketReader::read(file);
    ASSERT_TRUE(r.ok()) << r.error;
    Table t("X");
    t.load(std::move(r.contents));
    EXPECT_EQ(t.valueAt(0, 1).text, std::string(512, 'v'));
    EXPECT_EQ(DataPacketReader::read(std::string_view(file).substr(0, valueEnd)).error,
              "The data packet is cut off");
    file.clear();
    file.shrink_to_fit();

    // A long number is refused with a short message.
    r = DataPacketReader::read(head + "<ROW Key=\"" + std::string(1u << 20, '7') + "\"/>" + tail);
    EXPECT_EQ(r.error.substr(0, 15), "Invalid value \"") << r.error.substr(0, 100);
    EXPECT_LT(r.error.size(), 200u);

    // Entities a document type defines are never expanded.
    const std::string doctype =
        "<?xml version=\"1.0\"?><!DOCTYPE p [<!ENTITY a \"&b;&b;\"><!ENTITY b \"x\">]>";
    r = DataPacketReader::read(doctype + head.substr(head.find("<DATAPACKET")) + "<ROW Message=\"&a;\"/>" +
                               tail);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("Message"), std::string::npos) << r.error;

    std::string many = head + "<ROW";
    for (int i = 0; i < 5000; ++i) many += " a" + std::to_string(i) + "=\"\"";
    EXPECT_EQ(DataPacketReader::read(many + "/>" + tail).error,
              "The data packet is malformed: too many attributes");

    std::string deep = head;
    for (int i = 0; i < 100; ++i) deep += "<X>";
    EXPECT_EQ(DataPacketReader::read(deep).error, "The data packet is malformed: nesting too deep");
}

TEST(DataPacket, OddFieldNamesSurviveARoundTrip) {
    Table t("X", {field("Key", FieldType::Integer), field("a/b=c", FieldType::Integer),
                  field("x y\"z<", FieldType::Text, 4)});
    t.open();
    t.append();
    t.setInteger(1, 5);
    t.setText(2, "v");
    t.post();
    const std::string text = DataPacketWriter::write(t);
    EXPECT_NE(text.find("<FIELD fieldname=\"a/b=c\" attrname=\"a_b_c\""), std::string::npos) << text;
    EXPECT_NE(text.find("<FIELD fieldname=\"x y&quot;z&lt;\" attrname=\"x_y_z_\""), std::string::npos)
        << text;
    PacketReadResult r = DataPacketReader::read(text);
    ASSERT_TRUE(r.ok()) << r.error;
    Table back("X");
    back.load(std::move(r.contents));
    EXPECT_EQ(back.fields()[1].name, "a/b=c");
    EXPECT_EQ(back.valueAt(0, 1), Value::ofInteger(5));
    EXPECT_EQ(back.valueAt(0, 2), Value::ofText("v"));

    // A name that cannot stand as a ROW attribute is refused rather than misread.
    const std::string bad =
        "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a&#047;b\" fieldtype=\"i4\"/>"
        "</FIELDS></METADATA><ROWDATA></ROWDATA></DATAPACKET>";
    EXPECT_EQ(DataPacketReader::read(bad).error, "The data packet is malformed: attrname a/b");
}

std::string binaryPacket(std::uint32_t rows) {
    std::string s;
    const auto u = [&](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
    };
    const auto name = [&](std::string_view n) {
        s.push_back(static_cast<char>(n.size()));
        s += n;
    };
    u(0xBDE01996u, 4);
    u(1, 2);
    u(0, 2);
    u(24, 4);
    u(2, 2);
    u(rows, 4);
    u(3, 4);
    u(0, 2);
    name("Key");
    u(4, 2);
    u(1, 2);
    u(2, 2);
    u(1, 2);
    name("SUBTYPE");
    u(2, 2);
    u(0x49, 2);
    u(8, 2);
    s.append("Autoinc", 8);
    name("Name");
    u(1, 2);
    u(0x49, 2);
    u(0, 2);
    u(1, 2);
    name("WIDTH");
    u(2, 2);
    u(2, 2);
    u(20, 2);
    u(2, 2);
    name("AUTOINCVALUE");
    u(4, 2);
    u(1, 2);
    u(5, 4);
    name("DEFAULT_ORDER");
    u(2, 2);
    u(0x82, 2);
    u(1, 4);
    u(1, 2);
    return s;
}

TEST(DataPacket, BinaryFormStructureIsRead) {
    PacketReadResult r = DataPacketReader::read(binaryPacket(0));
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.contents.fields.size(), 2u);
    EXPECT_EQ(r.contents.fields[0].type, FieldType::AutoInc);
    EXPECT_TRUE(r.contents.fields[0].readOnly);
    EXPECT_EQ(r.contents.fields[1].size, 20);
    EXPECT_EQ(r.contents.autoIncValue, 5);

    std::string wide = binaryPacket(0);
    const std::size_t width = wide.find("WIDTH") + 9;
    wide[width] = '\0';  // a width of 0
    wide[width + 1] = '\0';
    EXPECT_EQ(DataPacketReader::read(wide).error, "The data packet is malformed: WIDTH of Name");

    const std::string withRows = binaryPacket(3);
    EXPECT_NE(DataPacketReader::read(withRows).error.find("binary"), std::string::npos);
    const std::string good = binaryPacket(0);
    for (std::size_t cut = 4; cut < good.size(); ++cut)
        EXPECT_FALSE(DataPacketReader::read(good.substr(0, cut)).ok()) << cut;
}

}  // namespace
}  // namespace corvane
