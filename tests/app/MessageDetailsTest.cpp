#include <gtest/gtest.h>

#include "store/StoreTables.h"
#include "store/Table.h"
#include "app/MessageDetails.h"

namespace corvane {
namespace {

TEST(MessageDetails, ProcessIdIsRightAlignedInEight) {
    EXPECT_EQ(formatProcessId(1234), "    1234");
    EXPECT_EQ(formatProcessId(-1), "      -1");
    EXPECT_EQ(formatProcessId(123456789), "123456789");
    EXPECT_EQ(formatProcessId(0), "       0");
}

TEST(MessageDetails, CurrentRecordAsThePaneShowsIt) {
    Table t("MessageSet", messageSetFields());
    const LocaleFormats formats{"M/d/yy", "h:mm:ss AP", '.'};
    MessageDetails d;
    t.open();
    EXPECT_FALSE(readMessageDetails(t, formats, d));  // no current record: the pane keeps its texts

    t.append();
    t.setValue("Key", Value::ofInteger(1));
    t.setValue("Facility", Value::ofText("Security/Aothorize"));
    t.setValue("FacilityKey", Value::ofInteger(4));
    t.setValue("Date", Value::ofDateTime(*encodeDateTime({2024, 12, 8, 14, 30, 5, 0})));
    t.setValue("Severity", Value::ofText("Critical"));
    t.setValue("Process", Value::ofText("su[123]:"));
    t.setValue("PID", Value::ofInteger(123));
    t.setValue("Address", Value::ofText("192.168.1.5"));
    t.setValue("Host", Value::ofText("mymachine"));
    t.setValue("Data", Value::ofText("<34>Oct 11 22:14:15 mymachine su[123]: 'su root' failed"));
    t.post();
    ASSERT_TRUE(readMessageDetails(t, formats, d));
    EXPECT_EQ(d.facility, "Security/Aothorize");
    EXPECT_EQ(d.facilityImage, 5);
    EXPECT_EQ(d.date, "12/8/24 2:30:05 PM");
    EXPECT_EQ(d.severity, "Critical");
    EXPECT_EQ(d.processId, "     123");
    EXPECT_EQ(d.address, "192.168.1.5");
    EXPECT_EQ(d.host, "mymachine");
    EXPECT_EQ(d.process, "su[123]:");

    // Facility codes 24-31 have no name: the facility caption stays empty, the
    // picture index still follows the code; a null PID shows as 0.
    t.append();
    t.setValue("Key", Value::ofInteger(2));
    t.setValue("FacilityKey", Value::ofInteger(25));
    t.setValue("Date", Value::ofDateTime(*encodeDate(2024, 12, 8)));
    t.post();
    ASSERT_TRUE(readMessageDetails(t, formats, d));
    EXPECT_EQ(d.facility, "");
    EXPECT_EQ(d.facilityImage, 26);
    EXPECT_EQ(d.date, "12/8/24");  // midnight: the time is left out
    EXPECT_EQ(d.processId, "       0");
    EXPECT_EQ(d.address, "");
    EXPECT_EQ(d.host, "");
}

}  // namespace
}  // namespace corvane
