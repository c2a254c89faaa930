#include "MessageStoreFixture.h"

#include "app/Settings.h"
#include "store/Table.h"
#include "ui/AdvancedFilterPanel.h"
#include "ui/FilterBarController.h"
#include "widgets/QtTestApp.h"
#include "widgets/TImageButton.h"
#include "widgets/TnControl.h"

#include <QComboBox>
#include <QLineEdit>

namespace corvane {
namespace {

using test::MessageStore;
using L = SimpleFilterBar::List;

struct Report {
    std::string message, detail, title;
};

// The filter bar's controls on their own, over a store of 12 messages of two hosts, two
// facilities and three severities; "now" is fixed at 8 December 2024, 14:30:00.250.
class FilterBarControllerTest : public ::testing::Test {
protected:
    FilterBarControllerTest() {
        routerKey = store.addHost("router", "192.168.1.20");
        switchKey = store.addHost("switch", "10.0.0.5");
        for (int i = 0; i < 12; ++i)
            store.add({.severity = i % 3 == 0 ? 3 : (i % 3 == 1 ? 4 : 6),
                       .facility = i < 6 ? 16 : 1,
                       .address = i % 2 == 0 ? "192.168.1.20" : "10.0.0.5",
                       .date = MessageStore::at(2024, 12, 8, 8 + i, 0, 0)});
        filter.resize(760, 54);
        simple.resize(706, 50);
        advanced.resize(706, 27);
        advanced.hide();
        SimpleFilterBar::Hooks hooks;
        hooks.now = [] { return MessageStore::at(2024, 12, 8, 14, 30, 0, 250); };
        hooks.error = [this](const std::string& m, const std::string& d, const std::string& t) {
            reports.push_back({m, d, t});
        };
        hooks.eventCount = [this](int n) { counts.push_back(n); };
        controller = std::make_unique<FilterBarController>(
            *store.data,
            FilterBarWidgets{&filter, &simple, &advanced, &switchButton, &amount, &increment, &address,
                             &facility, &severity},
            MessageStore::formats(), hooks);
    }

    Table& messages() { return store.messages(); }
    std::string filterText() { return messages().filterText(); }
    int indexOf(QComboBox& box, const char* text) { return box.findText(QString::fromLatin1(text)); }
    void pick(QComboBox& box, L list, const char* text) {
        const int i = indexOf(box, text);
        ASSERT_GE(i, 0) << text;
        box.setCurrentIndex(i);
        controller->listPicked(list, i);
    }
    std::vector<int> keysInView() {
        std::vector<int> keys;
        const int key = messages().requireField("Key");
        for (int i = 0; i < messages().recordCount(); ++i) keys.push_back(messages().valueAt(i, key).integer);
        return keys;
    }

    MessageStore store;
    int routerKey = 0;
    int switchKey = 0;
    TnControl filter, simple, advanced;
    TImageButton switchButton;
    QLineEdit amount;
    QComboBox increment, address, facility, severity;
    std::vector<Report> reports;
    std::vector<int> counts;
    std::unique_ptr<FilterBarController> controller;
};

TEST_F(FilterBarControllerTest, StartUpFiltersTheViewExactlyAsTheBarShowsTheSavedChoices) {
    controller->startUp();
    EXPECT_EQ(amount.text(), QStringLiteral("03"));
    EXPECT_EQ(increment.currentText(), QStringLiteral("Days"));
    EXPECT_EQ(severity.currentText(), QStringLiteral("Any"));
    EXPECT_EQ(address.currentText(), QStringLiteral("Any"));
    ASSERT_EQ(increment.count(), 5);
    EXPECT_EQ(filterText(), "[Date] > '2024-12-05 14:30:00'") << "the saved 3 Days is applied";
    EXPECT_TRUE(messages().filtered());
    EXPECT_EQ(counts.back(), 12);
    EXPECT_TRUE(reports.empty());
}

TEST_F(FilterBarControllerTest, StartUpAppliesEverySavedChoiceAtOnce) {
    Table& f = store.data->FilterSet();
    f.edit();
    f.setValue("SeverityKey", Value::ofInteger(3));
    f.setValue("FacilityKey", Value::ofInteger(16));
    f.setValue("HostKey", Value::ofInteger(routerKey));
    f.setValue("TimeKey", Value::ofInteger(SimpleFilterBar::kUnitEvents));
    f.setValue("Amount", Value::ofInteger(1));
    f.post();
    controller->startUp();
    EXPECT_EQ(severity.currentText(), QStringLiteral("Error"));
    EXPECT_EQ(address.currentText(), QStringLiteral("192.168.1.20"));
    EXPECT_EQ(filterText(), "[FacilityKey] = 16 and [SeverityKey] = 3 and [Address] = '192.168.1.20'");
    // Severity 3 at 192.168.1.20 among the first six: records 1 and 7 (keys 0 and 6); the last one.
    EXPECT_EQ(keysInView(), std::vector<int>({0}));
    EXPECT_EQ(counts.size(), 1u) << "applied once";
}

TEST_F(FilterBarControllerTest, EachListSetsItsPartAndKeepsTheOthers) {
    controller->startUp();
    const std::string period = "[Date] > '2024-12-05 14:30:00'";
    pick(severity, L::Severity, "Error");
    EXPECT_EQ(filterText(), "[SeverityKey] = 3 and " + period);
    EXPECT_EQ(store.data->FilterSet().value("SeverityKey").integer, 3) << "the choice is stored";
    pick(facility, L::Facility, "Local 0");
    EXPECT_EQ(filterText(), "[FacilityKey] = 16 and [SeverityKey] = 3 and " + period);
    pick(address, L::Address, "192.168.1.20");
    EXPECT_EQ(filterText(),
              "[FacilityKey] = 16 and [SeverityKey] = 3 and " + period + " and [Address] = '192.168.1.20'");
    EXPECT_EQ(messages().recordCount(), 1);
    EXPECT_EQ(counts.back(), 1);

    pick(severity, L::Severity, "Any");
    EXPECT_EQ(filterText(), "[FacilityKey] = 16 and " + period + " and [Address] = '192.168.1.20'");
    EXPECT_EQ(messages().recordCount(), 3);

    // The same choice again changes nothing and applies nothing.
    const std::size_t applied = counts.size();
    pick(address, L::Address, "192.168.1.20");
    EXPECT_EQ(counts.size(), applied);

    pick(address, L::Address, "Any");
    pick(facility, L::Facility, "Any");
    EXPECT_EQ(filterText(), period);
    pick(increment, L::Increment, "Any");
    EXPECT_EQ(filterText(), "");
    EXPECT_FALSE(messages().filtered());
    EXPECT_EQ(counts.back(), 12);
    EXPECT_TRUE(reports.empty());
}

TEST_F(FilterBarControllerTest, PeriodStartsAtWholeSecondsAndKeepsOnlyLaterMessages) {
    controller->startUp();
    store.add({.text = "at the start", .date = MessageStore::at(2024, 12, 8, 12, 30, 0, 0)});
    store.add({.text = "just after", .date = MessageStore::at(2024, 12, 8, 12, 30, 0, 400)});
    amount.setText(QStringLiteral("2"));
    controller->amountEdited(QStringLiteral("2"));
    pick(increment, L::Increment, "Hours");
    EXPECT_EQ(filterText(), "[Date] > '2024-12-08 12:30:00'");
    // 13:00 and 14:00... no: messages at 13:00 (i = 5) and later, plus "just after".
    const int message = messages().requireField("Message");
    std::vector<std::string> texts;
    for (int i = 0; i < messages().recordCount(); ++i) texts.push_back(messages().valueAt(i, message).text);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "at the start"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "just after"), 1);
    EXPECT_EQ(store.data->FilterSet().value("Amount").integer, 2) << "the amount is stored";

    // Every keystroke that leaves an integer re-applies; anything else changes nothing.
    controller->amountEdited(QStringLiteral("5"));
    EXPECT_EQ(filterText(), "[Date] > '2024-12-08 09:30:00'");
    controller->amountEdited(QStringLiteral("5x"));
    EXPECT_EQ(filterText(), "[Date] > '2024-12-08 09:30:00'");
    EXPECT_EQ(store.data->FilterSet().value("Amount").integer, 5);
}

TEST_F(FilterBarControllerTest, EventsKeepsTheLastNMessagesOfTheView) {
    controller->startUp();
    amount.setText(QStringLiteral("5"));
    controller->amountEdited(QStringLiteral("5"));
    pick(increment, L::Increment, "Events");
    EXPECT_EQ(filterText(), "");
    EXPECT_EQ(keysInView(), std::vector<int>({7, 8, 9, 10, 11}));
    EXPECT_EQ(counts.back(), 5);

    // A view of five or fewer keeps all of them.
    pick(facility, L::Facility, "Local 0");
    EXPECT_EQ(keysInView(), std::vector<int>({1, 2, 3, 4, 5}));
    pick(severity, L::Severity, "Error");
    EXPECT_EQ(keysInView(), std::vector<int>({0, 3}));

    // 0 applies no limit; a later message joins the view.
    pick(severity, L::Severity, "Any");
    controller->amountEdited(QStringLiteral("0"));
    EXPECT_EQ(keysInView().size(), 6u);
}

TEST_F(FilterBarControllerTest, AdvancedApplyReplacesTheSimplePartsAndClearReturnsToThem) {
    const std::string iniPath = std::filesystem::temp_directory_path() / "corvane-ui-advanced.ini";
    Settings settings(iniPath);
    QLineEdit edit;
    TImageButton clear, apply;
    AdvancedFilterPanel panel(&edit, &clear, &apply, controller->bar(), [&] { return &settings; });
    controller->setAdvancedPanel(&panel);
    EXPECT_FALSE(panel.loadSaved());
    EXPECT_EQ(edit.text(), QString::fromLatin1(AdvancedFilterPanel::kPlaceholder));
    EXPECT_TRUE(panel.placeholderShown());
    EXPECT_EQ(edit.palette().color(QPalette::Text), panel.greyColor());
    controller->startUp();
    pick(severity, L::Severity, "Error");
    const std::string simpleText = filterText();

    controller->iBtnAdvancedMouseUp();
    EXPECT_TRUE(controller->advancedShown());
    EXPECT_EQ(filter.height(), 30);
    EXPECT_EQ(switchButton.toolTip(), QStringLiteral(" Simple "));
    EXPECT_EQ(filterText(), simpleText) << "showing the panel changes no filter";

    panel.EditEnter();
    EXPECT_TRUE(edit.text().isEmpty()) << "the placeholder goes on entry";
    edit.setText(QStringLiteral("[Address] = 10.0.0.5"));
    edit.setModified(true);
    EXPECT_EQ(edit.palette().color(QPalette::Text), panel.textColor());
    ASSERT_TRUE(panel.btnApplyMouseUp());
    EXPECT_EQ(filterText(), "[Address] = 10.0.0.5");
    EXPECT_EQ(messages().recordCount(), 6);
    EXPECT_TRUE(settings.readBool(Settings::kOptions, "AdvancedActive", false));
    EXPECT_EQ(settings.readString(Settings::kOptions, "AdvancedFilter", ""), "[Address] = 10.0.0.5");

    // A simple choice made meanwhile does not displace the expression.
    controller->amountEdited(QStringLiteral("4"));
    EXPECT_EQ(filterText(), "[Address] = 10.0.0.5");

    // A faulty expression: reported, its token underlined, the applied one stays in force.
    edit.setText(QStringLiteral("[Severity] = 'Error' and [Nope] = 1"));
    ASSERT_FALSE(panel.btnApplyMouseUp());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].message, "Error Filtering Messages.");
    EXPECT_EQ(reports[0].detail, "Field 'Nope' not found");
    EXPECT_EQ(reports[0].title, "Filter Change");
    EXPECT_EQ(panel.errorStart(), 25);
    EXPECT_EQ(panel.errorLength(), 6);
    EXPECT_EQ(filterText(), "[Address] = 10.0.0.5");
    EXPECT_TRUE(messages().filtered());

    // Clear: the placeholder, the key removed, the simple parts back in force.
    panel.btnClearMouseUp();
    EXPECT_TRUE(panel.placeholderShown());
    EXPECT_FALSE(settings.keyExists(Settings::kOptions, "AdvancedFilter"));
    EXPECT_FALSE(settings.readBool(Settings::kOptions, "AdvancedActive", true));
    EXPECT_EQ(filterText(), "[SeverityKey] = 3 and [Date] > '2024-12-04 14:30:00'");
    std::filesystem::remove(iniPath);
}

TEST_F(FilterBarControllerTest, LeavingThePanelWithdrawsTheExpressionAndTheNextStartRestoresIt) {
    const std::string iniPath = std::filesystem::temp_directory_path() / "corvane-ui-advanced2.ini";
    Settings settings(iniPath);
    QLineEdit edit;
    AdvancedFilterPanel panel(&edit, nullptr, nullptr, controller->bar(), [&] { return &settings; });
    controller->setAdvancedPanel(&panel);
    panel.loadSaved();
    controller->startUp();
    controller->iBtnAdvancedMouseUp();
    edit.setText(QStringLiteral("[SeverityKey] IN (3, 4)"));
    edit.setModified(true);
    ASSERT_TRUE(panel.btnApplyMouseUp());
    EXPECT_EQ(messages().recordCount(), 8);

    // A second panel on the same settings stands for the next start.
    QLineEdit nextEdit;
    AdvancedFilterPanel next(&nextEdit, nullptr, nullptr, controller->bar(), [&] { return &settings; });
    EXPECT_TRUE(next.loadSaved());
    EXPECT_EQ(nextEdit.text(), QStringLiteral("[SeverityKey] IN (3, 4)"));
    EXPECT_FALSE(next.placeholderShown());

    controller->iBtnAdvancedMouseUp();
    EXPECT_FALSE(controller->advancedShown());
    EXPECT_EQ(filter.height(), 54);
    EXPECT_EQ(filterText(), "[Date] > '2024-12-05 14:30:00'");
    EXPECT_FALSE(settings.readBool(Settings::kOptions, "AdvancedActive", true));
    EXPECT_EQ(settings.readString(Settings::kOptions, "AdvancedFilter", ""), "[SeverityKey] IN (3, 4)")
        << "the typed text stays";
    std::filesystem::remove(iniPath);
}

}  // namespace
}  // namespace corvane
