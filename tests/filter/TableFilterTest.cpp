#include <gtest/gtest.h>

#include "FilterFixture.h"
#include "filter/ExpressionFilterCompiler.h"
#include "store/Table.h"

namespace corvane {
namespace {

// The compiler plugged into a real table: the filtered view, a refused text, and the stored
// forms of values (texts cut and trimmed, date-times kept to the millisecond).
class TableFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_table.setFilterCompiler(&m_compiler);
        m_table.setCaseInsensitive(true);
        m_table.open();
        add(1, testing::at(2024, 12, 8, 12, 30, 0, 0), 3, "Disk ERROR on sda   ");
        add(2, testing::at(2024, 12, 8, 12, 30, 0, 400), 4, "link up");
        add(3, testing::at(2024, 12, 8, 9, 0, 0), 6, std::string(600, 'x'));
    }

    void add(int key, double date, int severity, const std::string& message) {
        m_table.append();
        m_table.setInteger(m_table.requireField("Key"), key);
        m_table.setDateTime(m_table.requireField("Date"), date);
        m_table.setInteger(m_table.requireField("SeverityKey"), severity);
        m_table.setText(m_table.requireField("Message"), message);
        m_table.post();
    }

    int countWith(const std::string& text) {
        EXPECT_TRUE(m_table.setFilterText(text).ok);
        const auto status = m_table.setFiltered(true);
        EXPECT_TRUE(status.ok) << text << ": " << status.error;
        return m_table.recordCount();
    }

    ExpressionFilterCompiler m_compiler{LocaleFormats{"M/d/yy", "h:mm:ss AP", '.'}};
    Table m_table{"MessageSet", testing::messageFields()};
};

TEST_F(TableFilterTest, FiltersTheView) {
    EXPECT_EQ(countWith("[Message] LIKE '%error%' and [SeverityKey] IN (3, 4)"), 1);
    EXPECT_EQ(countWith("[Message] = 'disk error on sda'"), 1);  // trailing blanks were removed on store
    EXPECT_EQ(countWith("[Message] LIKE '%x'"), 1);              // cut to 512, still ends in x
    EXPECT_EQ(countWith("[Date] > '12/8/24 12:30:00 PM'"), 1);   // 12:30:00.400 is later, 12:30:00.000 is not
    EXPECT_EQ(countWith("[Date] >= '12/8/24 12:30:00 PM'"), 2);
    EXPECT_TRUE(m_table.setFiltered(false).ok);
    EXPECT_EQ(m_table.recordCount(), 3);
}

TEST_F(TableFilterTest, RefusedTextLeavesTheFilterOff) {
    ASSERT_TRUE(m_table.setFilterText("[Key] > 5 and").ok);
    const auto status = m_table.setFiltered(true);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.error, "Expression expected but nothing found");
    EXPECT_EQ(status.errorPosition, 13);
    EXPECT_FALSE(m_table.filtered());
    EXPECT_EQ(m_table.recordCount(), 3);
}

}  // namespace
}  // namespace corvane
