#include "app/IntakeFakes.h"

#include "app/Notification.h"

namespace corvane {
namespace {

using namespace test;

class Notification : public ::testing::Test {
protected:
    Notification() : data(openStore(folder.path())) {}

    // Appends a message record as intake leaves it before posting, and checks it.
    bool check(int facility, int severity, const std::string& text = "text",
               const std::string& address = "10.0.0.5") {
        Table& m = data->MessageSet();
        m.append();
        m.setInteger(m.requireField("FacilityKey"), facility);
        m.setInteger(m.requireField("SeverityKey"), severity);
        m.setText(m.requireField("Data"), text);
        m.setText(m.requireField("Address"), address);
        const bool matched = CheckNotification(state, m, data->FacilitySet(), data->SeveritySet(), actions);
        m.post();
        return matched;
    }

    TempDataFolder folder;
    std::unique_ptr<TData> data;
    NotificationState state;
    RecordingActions actions;
};

TEST_F(Notification, FacilityAndSeverityConditions) {
    struct Case {
        const char* name;
        std::string facility, severity;
        int facilityKey, severityKey;
        bool matches;
    };
    const Case cases[] = {
        {"defaults match System and Emergency", "System", "Emergency", 3, 0, true},
        {"defaults refuse another severity", "System", "Emergency", 3, 1, false},
        {"defaults refuse another facility", "System", "Emergency", 4, 0, false},
        {"names compare without case", "sYSTEM", "emergency", 3, 0, true},
        {"Any and Any match everything", "Any", "Any", 25, 7, true},
        {"a failed facility is not rescued by Any", "Kernel", "Any", 1, 0, false},
        {"a failed facility stays failed", "Kernel", "Emergency", 1, 0, false},
        {"empty names do not restrict", "", "", 30, 5, true},
        {"unknown names do not restrict", "Nonsense", "Bogus", 30, 5, true},
        {"unknown severity leaves the facility to decide", "User", "Bogus", 1, 4, true},
        // The settings dialog's own spellings select their code.
        {"dialog item Informational is code 6", "Any", "Informational", 2, 6, true},
        {"dialog item Informational refuses code 0", "Any", "Informational", 2, 0, false},
        {"dialog item local use 0 is code 16", "local use 0", "Any", 16, 3, true},
        {"dialog item local use 7 refuses code 16", "local use 7", "Any", 16, 3, false},
        {"dialog item Security/Access is code 4", "Security/Access", "Any", 4, 3, true},
    };
    for (const Case& c : cases) {
        state.NotifyFacility = c.facility;
        state.NotifySeverity = c.severity;
        actions.sounds.clear();
        EXPECT_EQ(check(c.facilityKey, c.severityKey), c.matches) << c.name;
        EXPECT_EQ(actions.sounds.size(), c.matches ? 1u : 0u) << c.name;
        if (c.matches) {
            EXPECT_EQ(actions.sounds[0], "Warning");
        }
    }
}

TEST_F(Notification, TextAndAddressConditions) {
    state.NotifyFacility = "Any";
    state.NotifySeverity = "Any";
    state.NotifyCondition = "disk";
    EXPECT_TRUE(check(1, 1, "the disk is full"));
    EXPECT_FALSE(check(1, 1, "THE DISK IS FULL"));
    state.NotifyCondition.clear();
    state.NotifyAddress = "10.0.0.5";
    EXPECT_TRUE(check(1, 1, "x", "10.0.0.5"));
    EXPECT_FALSE(check(1, 1, "x", "10.0.0.50"));
    state.NotifyFacility = "Kernel";
    EXPECT_FALSE(check(1, 1, "x", "10.0.0.5"));
}

TEST_F(Notification, ActionsFollowTheirSwitches) {
    state.NotifyFacility = "Any";
    state.NotifySeverity = "Any";
    state.NotifySound = false;
    state.NotifyEmail = true;
    state.NotifyExec = true;
    state.ExecPath = "/bin/ab";  // 7 characters: never started
    EXPECT_TRUE(check(1, 1));
    EXPECT_TRUE(actions.sounds.empty());
    EXPECT_TRUE(actions.programs.empty());

    state.ExecPath = "/bin/abc";
    state.NotifySound = true;
    EXPECT_TRUE(check(1, 1));
    EXPECT_EQ(actions.sounds, std::vector<std::string>{"Warning"});
    EXPECT_EQ(actions.programs, std::vector<std::string>{"/bin/abc"});

    state.NotifyExec = false;
    EXPECT_TRUE(check(1, 1));
    EXPECT_EQ(actions.programs.size(), 1u);
}

TEST_F(Notification, FoundRowsBecomeCurrent) {
    state.NotifyFacility = "Mail";
    state.NotifySeverity = "Warning";
    check(2, 4);
    EXPECT_EQ(data->FacilitySet().value("Name").text, "Mail");
    EXPECT_EQ(data->SeveritySet().value("Name").text, "Warning");
}

}  // namespace
}  // namespace corvane
