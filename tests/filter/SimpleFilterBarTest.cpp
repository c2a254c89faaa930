#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/StoreTables.h"
#include "store/Table.h"
#include "filter/ExpressionFilterCompiler.h"
#include "filter/SimpleFilterBar.h"

namespace corvane {
namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return *encodeDateTime({y, mo, d, h, mi, s, ms});
}

// The message table, the filter record and its four lookup tables, wired as the data module does.
class SimpleFilterBarTest : public ::testing::Test {
protected:
    SimpleFilterBarTest() {
        for (Table* t : {&m_messages, &m_filter, &m_hosts, &m_facilities, &m_severities, &m_times})
            t->setFilterCompiler(&m_compiler);
        m_messages.setCaseInsensitive(true);
        m_filter.setLookupResolver([this](std::string_view name) -> const Table* {
            for (const Table* t : {&m_hosts, &m_facilities, &m_severities, &m_times})
                if (t->name() == name)
                    return t;
            return nullptr;
        });
        for (const FieldDef& f : filterSetLookups()) m_filter.addLookupField(f);
        for (Table* t : {&m_messages, &m_filter, &m_hosts, &m_facilities, &m_severities, &m_times}) t->open();

        row(m_times, {{"Key", Value::ofInteger(-1)}, {"Of", Value::ofText("Any")}});
        row(m_times, {{"Key", Value::ofInteger(0)}, {"Of", Value::ofText("Days")}});
        row(m_times, {{"Key", Value::ofInteger(1)}, {"Of", Value::ofText("Hours")}});
        row(m_times, {{"Key", Value::ofInteger(2)}, {"Of", Value::ofText("Minutes")}});
        row(m_times, {{"Key", Value::ofInteger(3)}, {"Of", Value::ofText("Events")}});
        for (auto [key, name] :
             std::vector<std::pair<int, const char*>>{{-1, "Any"}, {3, "Error"}, {4, "Warning"}}) {
            row(m_severities, {{"Key", Value::ofInteger(key)}, {"Name", Value::ofText(name)}});
        }
        for (auto [key, name] : std::vector<std::pair<int, const char*>>{{-1, "Any"}, {16, "Local 0"}}) {
            row(m_facilities, {{"Key", Value::ofInteger(key)}, {"Name", Value::ofText(name)}});
        }
        m_hosts.setAutoIncValue(0);  // the host keys are counted: "Any" gets 0, as in the template
        row(m_hosts, {{"Key", Value::ofInteger(0)},
                      {"Name", Value::ofText("Any")},
                      {"Address", Value::ofText("Any")}});
        row(m_hosts, {{"Key", Value::ofInteger(1)},
                      {"Name", Value::ofText("router")},
                      {"Address", Value::ofText("192.168.1.20")}});
        row(m_filter, {{"Key", Value::ofInteger(1)},
                       {"FacilityKey", Value::ofInteger(-1)},
                       {"SeverityKey", Value::ofInteger(-1)},
                       {"HostKey", Value::ofInteger(0)},
                       {"Amount", Value::ofInteger(3)},
                       {"TimeKey", Value::ofInteger(0)}});
    }

    static void row(Table& t, std::vector<std::pair<std::string, Value>> values) {
        t.append();
        for (const auto& [name, value] : values) t.setValue(name, value);
        t.post();
    }

    void message(int key, DateTime date, int facility, int severity, const std::string& address) {
        row(m_messages, {{"Key", Value::ofInteger(key)},
                         {"Date", Value::ofDateTime(date)},
                         {"FacilityKey", Value::ofInteger(facility)},
                         {"SeverityKey", Value::ofInteger(severity)},
                         {"Address", Value::ofText(address)}});
    }

    // Chooses a value in a list as the operator does: open it, pick, close it.
    void choose(SimpleFilterBar::List list, const char* keyField, int key) {
        m_bar.dbDropDown(list);
        m_filter.edit();
        m_filter.setValue(keyField, Value::ofInteger(key));
        m_filter.post();
        switch (list) {
            case SimpleFilterBar::List::Severity:
                m_bar.dbSeverityChange();
                break;
            case SimpleFilterBar::List::Facility:
                m_bar.dbFacilityChange();
                break;
            case SimpleFilterBar::List::Address:
                m_bar.dbAddressChange();
                break;
            case SimpleFilterBar::List::Increment:
                m_bar.IncrementChange(false, m_amount);
                break;
        }
    }

    LocaleFormats m_formats{"M/d/yy", "h:mm:ss AP", '.'};
    ExpressionFilterCompiler m_compiler{m_formats};
    Table m_messages{"MessageSet", messageSetFields()};
    Table m_filter{"FilterSet", filterSetFields()};
    Table m_hosts{"HostSet", hostSetFields()};
    Table m_facilities{"FacilitySet", facilitySetFields()};
    Table m_severities{"SeveritySet", facilitySetFields()};
    Table m_times{"TimeSet", timeSetFields()};
    DateTime m_now = at(2024, 12, 8, 14, 30, 0, 250);
    std::string m_amount = "3";
    std::vector<std::string> m_errors;
    int m_counter = -1;
    int m_updates = 0;
    SimpleFilterBar m_bar{m_messages, m_filter, m_formats,
                          SimpleFilterBar::Hooks{
                              [this] { return m_now; },
                              [this] { ++m_updates; },
                              [this] { --m_updates; },
                              [this](const std::string& m, const std::string& d, const std::string& t) {
                                  m_errors.push_back(t + "|" + m + "|" + d);
                              },
                              [this](int n) { m_counter = n; },
                          }};
};

TEST_F(SimpleFilterBarTest, EachListSetsItsPartAndTheComposedText) {
    message(1, m_now, 16, 3, "192.168.1.20");
    message(2, m_now, 16, 4, "192.168.1.20");
    message(3, m_now, 1, 3, "10.0.0.5");

    choose(SimpleFilterBar::List::Facility, "FacilityKey", 16);
    EXPECT_EQ(m_messages.filterText(), "[FacilityKey] = 16");
    EXPECT_EQ(m_counter, 2);

    choose(SimpleFilterBar::List::Severity, "SeverityKey", 3);
    EXPECT_EQ(m_messages.filterText(), "[FacilityKey] = 16 and [SeverityKey] = 3");
    EXPECT_EQ(m_counter, 1);

    m_amount = "2";
    choose(SimpleFilterBar::List::Increment, "TimeKey", 1);
    choose(SimpleFilterBar::List::Address, "HostKey", 1);
    EXPECT_EQ(m_messages.filterText(),
              "[FacilityKey] = 16 and [SeverityKey] = 3 and [Date] > '12/8/24 12:30:00 PM' and "
              "[Address] = '192.168.1.20'");
    EXPECT_TRUE(m_messages.filtered());
    EXPECT_EQ(m_counter, 1);
    EXPECT_EQ(m_updates, 0);  // every hold on the display was let go

    // "Any" empties only its own part.
    choose(SimpleFilterBar::List::Severity, "SeverityKey", -1);
    EXPECT_EQ(m_messages.filterText(),
              "[FacilityKey] = 16 and [Date] > '12/8/24 12:30:00 PM' and [Address] = '192.168.1.20'");
    choose(SimpleFilterBar::List::Facility, "FacilityKey", -1);
    choose(SimpleFilterBar::List::Address, "HostKey", 0);
    choose(SimpleFilterBar::List::Increment, "TimeKey", -1);
    EXPECT_EQ(m_messages.filterText(), "");
    EXPECT_FALSE(m_messages.filtered());
    EXPECT_EQ(m_counter, 3);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SimpleFilterBarTest, ClosingAListWithoutAChangeDoesNothing) {
    message(1, m_now, 16, 3, "192.168.1.20");
    choose(SimpleFilterBar::List::Severity, "SeverityKey", 3);
    m_counter = -1;
    choose(SimpleFilterBar::List::Severity, "SeverityKey", 3);
    EXPECT_EQ(m_counter, -1);
    // A unit list closed on its old unit does nothing either; an amount edit always applies.
    m_bar.dbDropDown(SimpleFilterBar::List::Increment);
    m_bar.IncrementChange(false, "3");
    EXPECT_EQ(m_counter, -1);
    m_bar.IncrementChange(true, "3");
    EXPECT_EQ(m_counter, 1);
    EXPECT_EQ(m_messages.filterText(), "[SeverityKey] = 3 and [Date] > '12/5/24 2:30:00 PM'");
}

TEST_F(SimpleFilterBarTest, PeriodBoundaryIsStrictlyLater) {
    message(1, at(2024, 12, 8, 12, 30, 0, 0), 1, 3, "a");
    message(2, at(2024, 12, 8, 12, 30, 0, 400), 1, 3, "a");
    message(3, at(2024, 12, 8, 12, 29, 59, 999), 1, 3, "a");
    m_amount = "2";
    choose(SimpleFilterBar::List::Increment, "TimeKey", 1);
    EXPECT_EQ(m_bar.periodPart(), "[Date] > '12/8/24 12:30:00 PM'");
    EXPECT_EQ(m_messages.recordCount(), 1);
    EXPECT_EQ(m_messages.integer(m_messages.requireField("Key")), 2);

    // A non-integer amount leaves everything as it was.
    m_bar.IncrementChange(true, "2x");
    EXPECT_EQ(m_bar.periodPart(), "[Date] > '12/8/24 12:30:00 PM'");
    m_bar.IncrementChange(true, "");
    EXPECT_EQ(m_messages.recordCount(), 1);
    // Minutes and days.
    m_bar.dbDropDown(SimpleFilterBar::List::Increment);
    m_filter.edit();
    m_filter.setValue("TimeKey", Value::ofInteger(2));
    m_filter.post();
    m_bar.IncrementChange(false, "90");
    EXPECT_EQ(m_bar.periodPart(), "[Date] > '12/8/24 1:00:00 PM'");
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SimpleFilterBarTest, EventsKeepTheMostRecentOfTheView) {
    for (int k = 1; k <= 12; ++k) message(k * 10, m_now, 1, k % 2 ? 3 : 4, "a");
    m_amount = "5";
    choose(SimpleFilterBar::List::Increment, "TimeKey", 3);
    EXPECT_TRUE(m_bar.eventsFilterAttached());
    EXPECT_EQ(m_messages.recordCount(), 5);
    EXPECT_EQ(m_bar.eventThreshold(), 70);
    m_messages.first();
    EXPECT_EQ(m_messages.integer(m_messages.requireField("Key")), 80);
    EXPECT_EQ(m_counter, 5);

    // Later messages have greater keys and join the view.
    message(130, m_now, 1, 3, "a");
    EXPECT_EQ(m_messages.recordCount(), 6);

    // With a severity part the limit applies to the narrowed view: 7 of severity 3, keep 5.
    choose(SimpleFilterBar::List::Severity, "SeverityKey", 3);
    EXPECT_EQ(m_messages.recordCount(), 5);
    m_messages.first();
    EXPECT_EQ(m_messages.integer(m_messages.requireField("Key")), 50);

    // A view of five or fewer keeps them all.
    m_bar.IncrementChange(true, "7");
    EXPECT_EQ(m_messages.recordCount(), 7);
    m_bar.IncrementChange(true, "50");
    EXPECT_EQ(m_messages.recordCount(), 7);
    EXPECT_EQ(m_bar.eventThreshold(), 0);

    // Zero or a negative amount applies no limit.
    choose(SimpleFilterBar::List::Severity, "SeverityKey", -1);
    m_bar.IncrementChange(true, "0");
    EXPECT_EQ(m_messages.recordCount(), 13);
    m_bar.IncrementChange(true, "-4");
    EXPECT_EQ(m_messages.recordCount(), 13);
    EXPECT_FALSE(m_messages.filtered());
}

TEST_F(SimpleFilterBarTest, AdvancedPartReplacesTheSimpleParts) {
    message(1, m_now, 16, 3, "192.168.1.20");
    message(2, m_now, 16, 4, "10.0.0.5");
    choose(SimpleFilterBar::List::Severity, "SeverityKey", 3);
    m_bar.setAdvancedPart("[Address] LIKE '10.%'");
    m_bar.ApplyFilter();
    EXPECT_EQ(m_messages.filterText(), "[Address] LIKE '10.%'");
    EXPECT_EQ(m_counter, 1);
    m_bar.setAdvancedPart({});
    m_bar.ApplyFilter();
    EXPECT_EQ(m_messages.filterText(), "[SeverityKey] = 3");
}

TEST_F(SimpleFilterBarTest, RefusedTextIsReportedAndShowsEveryMessage) {
    message(1, m_now, 16, 3, "a");
    message(2, m_now, 16, 4, "b");
    m_bar.setAdvancedPart("[Severity = 3");
    m_bar.ApplyFilter();
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0], "Filter Change|Error Filtering Messages.|Unterminated field name");
    EXPECT_TRUE(m_bar.lastApplyFailed());
    EXPECT_FALSE(m_messages.filtered());
    EXPECT_EQ(m_messages.filterText(), "[Severity = 3");
    EXPECT_EQ(m_counter, 2);
    EXPECT_EQ(m_updates, 0);
}

TEST_F(SimpleFilterBarTest, AddressWithACommaSeparatorStillFilters) {
    // Quoted, the address is a text constant whatever the decimal separator.
    LocaleFormats comma{"dd.MM.yyyy", "HH:mm:ss", ','};
    ExpressionFilterCompiler compiler{comma};
    m_messages.setFilterCompiler(&compiler);
    m_bar.setFormats(comma);
    message(1, m_now, 16, 3, "192.168.1.20");
    message(2, m_now, 16, 3, "192.168.1.2");
    choose(SimpleFilterBar::List::Address, "HostKey", 1);
    EXPECT_TRUE(m_errors.empty());
    EXPECT_EQ(m_counter, 1);
    m_messages.setFilterCompiler(&m_compiler);
}

TEST_F(SimpleFilterBarTest, RenamedAnyRowFiltersByItsKey) {
    m_severities.first();
    m_severities.edit();
    m_severities.setValue("Name", Value::ofText("All"));
    m_severities.post();
    message(1, m_now, 16, 3, "a");
    choose(SimpleFilterBar::List::Severity, "SeverityKey", 3);
    choose(SimpleFilterBar::List::Severity, "SeverityKey", -1);
    EXPECT_EQ(m_messages.filterText(), "[SeverityKey] = -1");
    EXPECT_EQ(m_counter, 0);
}

TEST(QuoteFilterText, DoublesQuotes) {
    EXPECT_EQ(quoteFilterText("O'Brien"), "'O''Brien'");
    EXPECT_EQ(quoteFilterText(""), "''");
}

}  // namespace
}  // namespace corvane
