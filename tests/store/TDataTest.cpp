#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

#include "store/DataPacketWriter.h"
#include "store/TData.h"
#include "StoreTestSupport.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using test::exists;
using test::fileText;

constexpr const char* kFiles[] = {"MessageSet.vtx", "HostSet.vtx", "FacilitySet.vtx", "SeveritySet.vtx",
                                  "FilterSet.vtx"};

struct Report {
    TData::ReportKind kind;
    std::string caption;
    std::string text;
};

// A data module over a temporary data folder with the shipped templates, recording its reports.
struct Store {
    explicit Store(const std::string& folder, const std::string& app = test::templateFolder())
        : data(folder, app, [this](TData::ReportKind k, const std::string& c, const std::string& t) {
              reports.push_back({k, c, t});
          }) {
        data.DataModuleCreate();
    }
    std::vector<Report> reports;
    TData data;
};

std::vector<std::string> column(Table& t, std::string_view field) {
    std::vector<std::string> out;
    const int f = t.requireField(field);
    for (int i = 0; i < t.recordCount(); ++i) {
        const Value v = t.valueAt(i, f);
        out.push_back(v.kind == Value::Kind::Text ? v.text : v.isNull() ? "null" : std::to_string(v.integer));
    }
    return out;
}

void addMessage(TData& d, std::string_view severity, int severityKey, std::string_view text = "hello") {
    Table& m = d.MessageSet();
    m.append();
    m.setValue("Severity", Value::ofText(severity));
    m.setValue("SeverityKey", Value::ofInteger(severityKey));
    m.setValue("Message", Value::ofText(text));
    m.post();
}

std::vector<std::string> damagedFiles(const std::string& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().find(".damaged-") != std::string::npos)
            out.push_back(e.path().filename().string());
    return out;
}

TEST(TData, FirstStartCopiesTemplatesAndFillsTheBuiltInRows) {
    test::TempFolder root;
    const std::string folder = root / "profile/AppData/Local/Corvane/";
    Store s(folder);
    EXPECT_TRUE(s.reports.empty());
    for (const char* f : kFiles) EXPECT_TRUE(exists(folder + f)) << f;

    Table& fac = s.data.FacilitySet();
    ASSERT_EQ(fac.recordCount(), 25);
    EXPECT_EQ(fac.valueAt(0, 0), Value::ofInteger(-1));
    EXPECT_EQ(fac.valueAt(0, 1), Value::ofText("Any"));
    EXPECT_EQ(fac.valueAt(1, 1), Value::ofText("Kernel"));
    EXPECT_EQ(fac.valueAt(24, 0), Value::ofInteger(23));
    EXPECT_EQ(s.data.keyCounter(fac), 25);
    EXPECT_FALSE(fac.hasUnsavedChanges());  // written at once

    Table& sev = s.data.SeveritySet();
    ASSERT_EQ(sev.recordCount(), 9);
    EXPECT_EQ(column(sev, "Key"), (std::vector<std::string>{"-1", "0", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(sev.valueAt(1, 1), Value::ofText("Emergency"));
    EXPECT_TRUE(sev.valueAt(1, 2).isNull());

    EXPECT_EQ(column(s.data.TimeSet(), "Of"),
              (std::vector<std::string>{"Any", "Days", "Hours", "Minutes", "Events"}));
    EXPECT_EQ(column(s.data.TimeSet(), "Key"), (std::vector<std::string>{"-1", "0", "1", "2", "3"}));
    EXPECT_EQ(column(s.data.HostSet(), "Name"), (std::vector<std::string>{"Any"}));
    EXPECT_EQ(s.data.MessageSet().recordCount(), 0);
    EXPECT_EQ(s.data.keyCounter(s.data.MessageSet()), 0);

    Table& filter = s.data.FilterSet();
    ASSERT_TRUE(filter.isOpen());
    ASSERT_EQ(filter.recordCount(), 1);
    EXPECT_EQ(filter.value("Facillity"), Value::ofText("Any"));
    EXPECT_EQ(filter.value("Severity"), Value::ofText("Any"));
    EXPECT_EQ(filter.value("Host"), Value::ofText("Any"));
    EXPECT_EQ(filter.value("Address"), Value::ofText("Any"));
    EXPECT_EQ(filter.value("OfTime"), Value::ofText("Days"));
    EXPECT_EQ(filter.value("Amount"), Value::ofInteger(3));

    // Choosing a lookup value stores that row's key.
    filter.edit();
    filter.setValue("Facillity", Value::ofText("Mail"));
    filter.setValue("OfTime", Value::ofText("Events"));
    filter.setValue("Amount", Value::ofText("05"));
    filter.post();
    EXPECT_EQ(filter.value("FacilityKey"), Value::ofInteger(2));
    EXPECT_EQ(filter.value("TimeKey"), Value::ofInteger(3));
    EXPECT_EQ(filter.value("Amount"), Value::ofInteger(5));
}

TEST(TData, LaterStartsKeepTheDataFiles) {
    test::TempFolder root;
    {
        Store first(root.path());
        Table& h = first.data.HostSet();
        h.append();
        h.setValue("Name", Value::ofText("a-very-long-host-name-of-thirty"));
        h.setValue("Address", Value::ofText("10.0.0.1"));
        h.post();
        EXPECT_EQ(h.value("Key"), Value::ofInteger(1));  // the first host after "Any"
        EXPECT_EQ(h.value("Name"), Value::ofText("a-very-long-host-nam"));
        h.append();
        h.setValue("Address", Value::ofText("10.0.0.2"));
        h.post();
        EXPECT_EQ(h.value("Key"), Value::ofInteger(2));
        addMessage(first.data, "Error", 3, std::string(600, 'm'));
        EXPECT_EQ(first.data.MessageSet().text(first.data.MessageSet().requireField("Message")).size(), 512u);
        ASSERT_TRUE(first.data.SaveData().ok());
    }
    Store second(root.path());
    EXPECT_TRUE(second.reports.empty());
    EXPECT_EQ(column(second.data.HostSet(), "Address"),
              (std::vector<std::string>{"Any", "10.0.0.1", "10.0.0.2"}));
    EXPECT_EQ(second.data.MessageSet().recordCount(), 1);
    EXPECT_EQ(second.data.keyCounter(second.data.MessageSet()), 1);
    EXPECT_EQ(second.data.keyCounter(second.data.HostSet()), 3);
    EXPECT_EQ(second.data.HostSet().autoIncValue(), 3);
}

TEST(TData, KeyCountersFollowTheHighestKey) {
    test::TempFolder root;
    {
        Store s(root.path());
        Table& m = s.data.MessageSet();
        for (int key : {3, 41, 7}) {
            m.append();
            m.setValue("Key", Value::ofInteger(key));
            m.post();
        }
        ASSERT_TRUE(s.data.SaveData().ok());
        // A host file whose stored counter is 7 gives the next new host key 7.
        s.data.HostSet().setAutoIncValue(7);
        ASSERT_TRUE(s.data.SaveTable(s.data.HostSet(), true).ok());
        EXPECT_NE(fileText(root / "HostSet.vtx").find("AUTOINCVALUE=\"7\""), std::string::npos);
    }
    Store s(root.path());
    EXPECT_EQ(s.data.keyCounter(s.data.MessageSet()), 42);
    addMessage(s.data, "Error", 3);
    EXPECT_EQ(s.data.MessageSet().value("Key"), Value::ofInteger(42));
    EXPECT_EQ(s.data.keyCounter(s.data.MessageSet()), 43);
    Table& h = s.data.HostSet();
    h.append();
    h.post();
    EXPECT_EQ(h.value("Key"), Value::ofInteger(7));
}

TEST(TData, MissingHostFileLeavesHostsEmptyWithoutCopyingTemplates) {
    test::TempFolder root;
    {
        Store s(root.path());
        addMessage(s.data, "Error", 3);
        ASSERT_TRUE(s.data.SaveData().ok());
    }
    fs::remove(root / "HostSet.vtx");
    Store s(root.path());
    EXPECT_TRUE(s.reports.empty());
    EXPECT_EQ(s.data.HostSet().recordCount(), 0);
    EXPECT_TRUE(s.data.HostSet().isOpen());
    EXPECT_EQ(s.data.MessageSet().recordCount(), 1);
    EXPECT_FALSE(exists(root / "HostSet.vtx"));
}

// A sender that is new to a host table made afresh never takes the key an old sender's messages
// carry.
TEST(TData, FreshHostTableContinuesAboveTheMessagesHostKeys) {
    const struct {
        const char* name;
        bool damaged;  // else missing
    } cases[] = {{"damaged host file", true}, {"missing host file", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder root;
        {
            Store s(root.path());
            Table& m = s.data.MessageSet();
            for (int hostKey : {4, 12, 9}) {
                m.append();
                m.setValue("HostKey", Value::ofInteger(hostKey));
                m.post();
            }
            ASSERT_TRUE(s.data.SaveData().ok());
        }
        if (c.damaged)
            std::ofstream(root / "HostSet.vtx", std::ios::trunc) << "<DATAPACKET><METADATA>";
        else
            fs::remove(root / "HostSet.vtx");
        Store s(root.path());
        Table& h = s.data.HostSet();
        h.append();
        h.setValue("Address", Value::ofText("10.0.0.1"));
        h.post();
        EXPECT_EQ(h.value("Key"), Value::ofInteger(13));
    }
}

TEST(TData, ExpiryTakesTheOldestMessagesBeyondCountOrAge) {
    const DateTime day0 = *encodeDateTime({2026, 12, 1, 12, 0, 0, 0});
    const struct {
        const char* name;
        int keepMessages, keepDays, stored;
        DateTime now;
        int expired;
        int firstKeyLeft;
    } cases[] = {
        {"below both limits", 300, 30, 300, day0 + 10, 0, 0},
        {"no limits at all", 0, 0, 300, day0 + 1000, 0, 0},
        {"past the count the oldest go, with 1/128 of it more", 256, 0, 300, day0, 46, 46},
        {"a small limit is kept exactly", 100, 0, 120, day0, 20, 20},
        {"older than the days kept", 0, 2, 300, day0 + 2 + 99.5 / 24, 100, 100},
        {"both: the count takes more", 200, 2, 300, day0 + 2 + 49.5 / 24, 101, 101},
        {"both: the age takes more", 290, 2, 300, day0 + 2 + 199.5 / 24, 200, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder root;
        Store s(root.path());
        Table& m = s.data.MessageSet();
        for (int i = 0; i < c.stored; ++i) {
            m.append();
            m.setValue("Date", Value::ofDateTime(day0 + i / 24.0));  // one an hour
            m.post();
        }
        s.data.setExpiry(c.keepMessages, c.keepDays);
        EXPECT_EQ(s.data.ExpireMessages(c.now), c.expired);
        EXPECT_EQ(m.totalRecordCount(), c.stored - c.expired);
        m.first();
        EXPECT_EQ(m.value("Key"), Value::ofInteger(c.firstKeyLeft));
        EXPECT_EQ(s.data.ExpireMessages(c.now), 0) << "a second pass finds nothing more";
    }
}

TEST(TData, AgeIsLookedAtOnceAMinuteAndExpiredMessagesAreWritten) {
    const DateTime day0 = *encodeDateTime({2026, 12, 1, 12, 0, 0, 0});
    test::TempFolder root;
    {
        Store s(root.path());
        Table& m = s.data.MessageSet();
        for (int i = 0; i < 10; ++i) {
            m.append();
            m.setValue("Date", Value::ofDateTime(day0 + i / 1440.0));  // one a minute
            m.post();
        }
        s.data.setExpiry(0, 1);
        EXPECT_EQ(s.data.ExpireMessages(day0 + 1 + 0.5 / 1440), 1);
        EXPECT_EQ(s.data.ExpireMessages(day0 + 1 + 1.2 / 1440), 0) << "within the minute";
        EXPECT_EQ(s.data.ExpireMessages(day0 + 1 + 3.5 / 1440), 3);
        ASSERT_TRUE(s.data.SaveData().ok());
    }
    Store s(root.path());
    EXPECT_EQ(s.data.MessageSet().totalRecordCount(), 6);
    EXPECT_EQ(s.data.keyCounter(s.data.MessageSet()), 10) << "keys are never given again";
}

TEST(TData, TimeUnitsAreNeverWritten) {
    test::TempFolder root;
    Store s(root.path());
    ASSERT_TRUE(s.data.SaveTable(s.data.TimeSet()).ok());
    EXPECT_FALSE(exists(root / "TimeSet.vtx"));
}

TEST(TData, MissingFilterFileLeavesTheFilterClosed) {
    test::TempFolder root;
    { Store s(root.path()); }
    fs::remove(root / "FilterSet.vtx");
    Store s(root.path());
    EXPECT_FALSE(s.data.FilterSet().isOpen());
    EXPECT_TRUE(s.data.SaveData().ok());
    EXPECT_FALSE(exists(root / "FilterSet.vtx"));
}

TEST(TData, MissingLookupFileIsReportedFilledAndTheRestStillLoads) {
    test::TempFolder root;
    {
        Store s(root.path());
        addMessage(s.data, "Error", 3);
        ASSERT_TRUE(s.data.SaveData().ok());
    }
    fs::remove(root / "FacilitySet.vtx");
    Store s(root.path());
    ASSERT_EQ(s.reports.size(), 1u);
    EXPECT_EQ(s.reports[0].kind, TData::ReportKind::ApplicationError);
    EXPECT_NE(s.reports[0].text.find("FacilitySet.vtx"), std::string::npos) << s.reports[0].text;
    EXPECT_EQ(s.data.FacilitySet().recordCount(), 25);
    EXPECT_TRUE(exists(root / "FacilitySet.vtx"));
    EXPECT_EQ(s.data.MessageSet().recordCount(), 1);
    EXPECT_EQ(s.data.HostSet().recordCount(), 1);
    EXPECT_EQ(s.data.FilterSet().recordCount(), 1);
    EXPECT_EQ(s.data.TimeSet().recordCount(), 5);
}

TEST(TData, DamagedFilesAreMovedAsideReportedAndReplaced) {
    struct Case {
        const char* file;
        int rowsAfter;  // in the fresh table
    };
    for (const Case c : {Case{"MessageSet.vtx", 0}, Case{"HostSet.vtx", 0}, Case{"FilterSet.vtx", 1},
                         Case{"SeveritySet.vtx", 9}}) {
        SCOPED_TRACE(c.file);
        test::TempFolder root;
        {
            Store s(root.path());
            addMessage(s.data, "Error", 3);
            ASSERT_TRUE(s.data.SaveData(true).ok());
        }
        const std::string damaged = fileText(root / c.file).substr(0, 120);
        ASSERT_EQ(writeFileAtomically(root / c.file, damaged), "");
        {
            Store s(root.path());
            ASSERT_EQ(s.reports.size(), 1u);
            EXPECT_EQ(s.reports[0].kind, TData::ReportKind::ApplicationError);
            const auto aside = damagedFiles(root.path());
            ASSERT_EQ(aside.size(), 1u);
            EXPECT_EQ(aside[0].rfind(std::string(c.file) + ".damaged-", 0), 0u) << aside[0];
            EXPECT_EQ(fileText(root / aside[0]), damaged);
            EXPECT_NE(s.reports[0].text.find(aside[0]), std::string::npos) << s.reports[0].text;
            EXPECT_NE(fileText(root / c.file), damaged);  // a fresh table file was written at once
            const std::string name = std::string(c.file).substr(0, std::string(c.file).find('.'));
            for (Table* t :
                 {&s.data.MessageSet(), &s.data.HostSet(), &s.data.FilterSet(), &s.data.SeveritySet()}) {
                if (t->name() == name) {
                    EXPECT_EQ(t->recordCount(), c.rowsAfter);
                    if (t == &s.data.FilterSet()) {
                        // The fresh filter row is the template's: every part of it "Any".
                        const RowReader row = t->readerOfRecord(0);
                        EXPECT_EQ(row.integer(t->fieldIndex("HostKey")), 0);
                        EXPECT_EQ(row.integer(t->fieldIndex("FacilityKey")), -1);
                        EXPECT_EQ(row.integer(t->fieldIndex("SeverityKey")), -1);
                        EXPECT_EQ(row.integer(t->fieldIndex("TimeKey")), 0);
                    }
                } else if (t == &s.data.MessageSet()) {
                    EXPECT_EQ(t->recordCount(), 1);  // the other tables are loaded as they were
                }
            }
        }
        Store again(root.path());  // not taken for a first start
        EXPECT_TRUE(again.reports.empty());
        if (std::string(c.file) != "MessageSet.vtx") {
            EXPECT_EQ(again.data.MessageSet().recordCount(), 1);
        }
    }
}

TEST(TData, MissingTemplatesAreSkippedSilentlyOnFirstStart) {
    test::TempFolder root;
    test::TempFolder app;
    ASSERT_EQ(writeFileAtomically(app / "HostSet.vtx", fileText(test::templateFolder() + "HostSet.vtx")), "");
    Store s(root / "data/", app.path());
    // Only the two lookup files are reported missing; they are filled and written.
    EXPECT_EQ(s.reports.size(), 2u);
    EXPECT_EQ(s.data.HostSet().recordCount(), 1);
    EXPECT_EQ(s.data.FacilitySet().recordCount(), 25);
    EXPECT_FALSE(s.data.FilterSet().isOpen());
    EXPECT_FALSE(exists(root / "data/MessageSet.vtx"));
}

TEST(TData, ClearAllDeletesOnlyTheMessagesInView) {
    test::TempFolder root;
    Store s(root.path());
    for (int i = 0; i < 6; ++i) addMessage(s.data, i % 2 ? "Error" : "Notice", i % 2 ? 3 : 5);
    ASSERT_TRUE(s.data.SaveData().ok());
    Table& m = s.data.MessageSet();
    const int sevKey = m.requireField("SeverityKey");
    m.setFilterCallback([sevKey](const RecordReader& r) { return r.integer(sevKey) == 3; });
    ASSERT_TRUE(m.setFiltered(true).ok);
    int scrolls = 0;
    m.afterScroll = [&](Table&) { ++scrolls; };
    s.data.ClearMessagesInView();
    EXPECT_EQ(m.recordCount(), 0);
    EXPECT_GE(scrolls, 1);
    m.setFiltered(false);
    EXPECT_EQ(column(m, "Severity"), (std::vector<std::string>{"Notice", "Notice", "Notice"}));
    EXPECT_EQ(column(m, "Key"), (std::vector<std::string>{"0", "2", "4"}));
    EXPECT_TRUE(m.hasUnsavedChanges());
    ASSERT_TRUE(s.data.SaveData().ok());
    Store after(root.path());
    EXPECT_EQ(after.data.MessageSet().recordCount(), 3);
    EXPECT_EQ(after.data.HostSet().recordCount(), 1);  // hosts stay
}

TEST(TData, SaveLookupsWritesOnlyChangedTables) {
    test::TempFolder root;
    Store s(root.path());
    fs::remove(root / "FacilitySet.vtx");
    fs::remove(root / "SeveritySet.vtx");
    ASSERT_TRUE(s.data.SaveLookups().ok());
    EXPECT_FALSE(exists(root / "FacilitySet.vtx"));
    EXPECT_FALSE(exists(root / "SeveritySet.vtx"));

    Table& sev = s.data.SeveritySet();
    ASSERT_TRUE(sev.locate("Key", Value::ofInteger(3)));
    sev.edit();
    sev.setValue("Name", Value::ofText("Failure"));
    EXPECT_TRUE(sev.hasUnsavedChanges());  // a pending edit counts
    ASSERT_TRUE(s.data.SaveLookups().ok());
    EXPECT_FALSE(exists(root / "FacilitySet.vtx"));
    EXPECT_NE(fileText(root / "SeveritySet.vtx").find("Name=\"Failure\""), std::string::npos);
    EXPECT_FALSE(sev.hasUnsavedChanges());

    // The settings dialog's Cancel: everything since the last write is undone.
    sev.edit();
    sev.setValue("Name", Value::ofText("Oops"));
    sev.post();
    sev.last();
    sev.deleteRecord();
    sev.discardChanges();
    EXPECT_EQ(sev.recordCount(), 9);
    ASSERT_TRUE(sev.locate("Key", Value::ofInteger(3)));
    EXPECT_EQ(sev.value("Name"), Value::ofText("Failure"));
}

// The file size limit makes every write past a few bytes fail, as a full disk would, even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit l = m_old;
        l.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(TData, AFullDiskKeepsWhatWasDurableAndWritesTheRestWhenSpaceReturns) {
    test::TempFolder root;
    Store s(root.path());
    addMessage(s.data, "Error", 3);
    ASSERT_TRUE(s.data.SaveData().ok());
    const std::string journal = root / "MessageSet.vtx.journal";
    const std::string durable = fileText(journal);
    ASSERT_FALSE(durable.empty());
    for (int i = 0; i < 3; ++i) addMessage(s.data, "Error", 3, std::string(500, 'x'));
    {
        FileSizeLimit limit(durable.size() + 10);
        for (int attempt = 0; attempt < 2; ++attempt) {
            const TData::SaveResult r = s.data.SaveData();
            ASSERT_FALSE(r.ok());
            EXPECT_NE(r.error.find("MessageSet.vtx.journal"), std::string::npos) << r.error;
            EXPECT_EQ(fileText(journal), durable) << "what did not fit is cut off again";
        }
        addMessage(s.data, "Error", 3, "while the disk is full");
        EXPECT_FALSE(s.data.SaveData().ok());
    }
    ASSERT_TRUE(s.data.SaveData().ok());
    Store after(root.path());
    const std::vector<std::string> texts = column(after.data.MessageSet(), "Message");
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[3], std::string(500, 'x'));
    EXPECT_EQ(texts.back(), "while the disk is full");
    EXPECT_TRUE(after.reports.empty());
}

TEST(TData, FailedFinalSaveKeepsTheOldFileAndTheJournal) {
    test::TempFolder root;
    Store s(root.path());
    addMessage(s.data, "Error", 3);
    ASSERT_TRUE(s.data.SaveData(true).ok());
    const std::string before = fileText(root / "MessageSet.vtx");
    addMessage(s.data, "Error", 3, std::string(500, 'x'));
    ASSERT_TRUE(s.data.SaveData().ok());
    {
        FileSizeLimit limit(before.size() + 10);
        const TData::SaveResult r = s.data.SaveData(true);
        ASSERT_FALSE(r.ok());
        EXPECT_NE(r.error.find("MessageSet.vtx"), std::string::npos) << r.error;
    }
    EXPECT_EQ(fileText(root / "MessageSet.vtx"), before);
    for (const auto& e : fs::directory_iterator(root.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << e.path();

    Store after(root.path());
    EXPECT_EQ(after.data.MessageSet().recordCount(), 2) << "the journal still holds the second";
}

TEST(TData, LargeTablesAreWrittenWholeOrNotAtAll) {
    test::TempFolder root;
    Store s(root.path());
    const std::string text(400, 't');
    for (int i = 0; i < 8000; ++i)  // several pieces of text
        addMessage(s.data, "Notice", 5, text + std::to_string(i));
    ASSERT_TRUE(s.data.SaveData(true).ok());
    const std::string before = fileText(root / "MessageSet.vtx");
    ASSERT_GT(before.size(), 3u << 20);

    addMessage(s.data, "Notice", 5, "one more");
    {
        FileSizeLimit limit(before.size() / 2);  // fails in the middle of the file
        EXPECT_FALSE(s.data.SaveData(true).ok());
    }
    EXPECT_EQ(fileText(root / "MessageSet.vtx"), before);
    ASSERT_TRUE(s.data.SaveData(true).ok());

    Store after(root.path());
    Table& m = after.data.MessageSet();
    ASSERT_EQ(m.recordCount(), 8001);
    EXPECT_EQ(m.valueAt(4321, m.requireField("Message")).text, text + "4321");
    EXPECT_EQ(m.valueAt(8000, m.requireField("Message")).text, "one more");
}

TEST(TData, SaveMakesARemovedDataFolderAgain) {
    test::TempFolder root;
    const std::string folder = root / "data/";
    Store s(folder);
    addMessage(s.data, "Error", 3);
    ASSERT_TRUE(s.data.SaveData().ok());
    addMessage(s.data, "Error", 3);
    fs::remove_all(folder);
    ASSERT_TRUE(s.data.SaveData().ok());
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_NE(fileText(folder + "MessageSet.vtx").find("Severity=\"Error\""), std::string::npos);
    Store after(folder);
    EXPECT_EQ(after.data.MessageSet().recordCount(), 2);
}

// Waits (boundedly) until the data module reports that background writes have ended.
bool waitForEnded(const std::atomic<int>& ended, int count) {
    for (int i = 0; i < 2000 && ended.load() < count; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return ended.load() >= count;
}

int rowsInFile(const std::string& path) {
    const std::string text = fileText(path);
    int rows = 0;
    for (std::size_t p = text.find("<ROW "); p != std::string::npos; p = text.find("<ROW ", p + 1)) ++rows;
    return rows;
}

TEST(TData, AGrownJournalIsCompactedInTheBackgroundAndLaterChangesGoToTheNextJournal) {
    test::TempFolder root;
    Store s(root.path());
    s.data.journal(s.data.MessageSet())->setMinimum(0);
    std::atomic<int> ended{0};
    s.data.setBackgroundSaveEnded([&ended] { ++ended; });
    for (int i = 0; i < 100; ++i) addMessage(s.data, "Notice", 5, "message " + std::to_string(i));
    ASSERT_TRUE(s.data.SaveData().ok());  // the journal outgrew the file: a rewrite starts

    // While the rewrite may still run: a new record, an edit and a deletion of records it holds.
    Table& m = s.data.MessageSet();
    addMessage(s.data, "Error", 3, "after the snapshot");
    m.moveTo(0);
    m.edit();
    m.setValue("Message", Value::ofText("edited"));
    m.post();
    m.moveTo(1);
    m.deleteRecord();
    ASSERT_TRUE(s.data.SaveData().ok());
    ASSERT_TRUE(waitForEnded(ended, 1));
    ASSERT_TRUE(s.data.SaveData().ok());
    EXPECT_FALSE(s.data.backgroundSaveRunning());
    EXPECT_EQ(rowsInFile(root / "MessageSet.vtx"), 100) << "the snapshot as it was";
    EXPECT_FALSE(exists(root / "MessageSet.vtx.journal-next"));
    EXPECT_NE(fileText(root / "MessageSet.vtx.journal").find("after the snapshot"), std::string::npos);

    const auto check = [](const std::string& folder) {
        Store after(folder);
        const std::vector<std::string> texts = column(after.data.MessageSet(), "Message");
        ASSERT_EQ(texts.size(), 100u);
        EXPECT_EQ(texts.front(), "edited");
        EXPECT_EQ(texts[1], "message 2");
        EXPECT_EQ(texts.back(), "after the snapshot");
        EXPECT_TRUE(after.reports.empty());
    };
    check(root.path());
    ASSERT_TRUE(s.data.SaveData(true).ok());
    EXPECT_FALSE(exists(root / "MessageSet.vtx.journal")) << "a clean exit leaves no journal";
    EXPECT_EQ(rowsInFile(root / "MessageSet.vtx"), 100);
    check(root.path());
}

TEST(TData, DiscardingWhileABackgroundWriteRunsKeepsWhatItWrote) {
    test::TempFolder root;
    Store s(root.path());
    s.data.journal(s.data.MessageSet())->setMinimum(0);
    for (int i = 0; i < 2000; ++i) addMessage(s.data, "Notice", 5, std::string(200, 'x'));
    ASSERT_TRUE(s.data.SaveData().ok());
    Table& m = s.data.MessageSet();
    m.moveTo(0);
    m.deleteRecord();
    // Discarding frees blocks the writer may be reading: it first waits for the write, and
    // undoes only the deletion.
    m.discardChanges();
    EXPECT_EQ(m.recordCount(), 2000);
    EXPECT_FALSE(m.hasUnsavedChanges());
    EXPECT_FALSE(s.data.backgroundSaveRunning());
}

TEST(TData, AFailedBackgroundRewriteIsReportedByTheNextSaveAndLosesNothing) {
    test::TempFolder root;
    Store s(root.path());
    for (int i = 0; i < 200; ++i) addMessage(s.data, "Notice", 5, std::string(100, 'y'));
    ASSERT_TRUE(s.data.SaveData(true).ok());
    const std::string before = fileText(root / "MessageSet.vtx");
    s.data.journal(s.data.MessageSet())->setMinimum(0);
    s.data.journal(s.data.MessageSet())->setShare(0.1);
    std::atomic<int> ended{0};
    s.data.setBackgroundSaveEnded([&ended] { ++ended; });
    for (int i = 0; i < 100; ++i) addMessage(s.data, "Notice", 5, std::string(100, 'y'));
    {
        FileSizeLimit limit(before.size() + 1000);  // the journal fits, the rewritten file does not
        ASSERT_TRUE(s.data.SaveData().ok()) << "the rewrite runs on";
        ASSERT_TRUE(waitForEnded(ended, 1));
    }
    EXPECT_EQ(fileText(root / "MessageSet.vtx"), before);
    const TData::SaveResult next = s.data.SaveData();
    EXPECT_FALSE(next.ok());
    EXPECT_NE(next.error.find("MessageSet.vtx"), std::string::npos) << next.error;
    {
        Store meanwhile(root.path());
        EXPECT_EQ(meanwhile.data.MessageSet().recordCount(), 300) << "both journals are read";
    }
    ASSERT_TRUE(s.data.SaveData(true).ok());
    Store after(root.path());
    EXPECT_EQ(after.data.MessageSet().recordCount(), 300);
    EXPECT_EQ(rowsInFile(root / "MessageSet.vtx"), 300);
}

}  // namespace
}  // namespace corvane
