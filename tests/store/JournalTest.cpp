#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "store/DataPacketReader.h"
#include "store/DataPacketWriter.h"
#include "store/FolderLock.h"
#include "store/TData.h"
#include "StoreTestSupport.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using test::exists;
using test::fileText;

struct Store {
    explicit Store(const std::string& folder)
        : data(
              folder, test::templateFolder(),
              [this](TData::ReportKind, const std::string&, const std::string& t) { reports.push_back(t); }) {
        data.DataModuleCreate();
    }
    std::vector<std::string> reports;
    TData data;
};

void addMessage(TData& d, const std::string& text) {
    Table& m = d.MessageSet();
    m.append();
    m.setValue("Severity", Value::ofText("Notice"));
    m.setValue("Message", Value::ofText(text));
    m.post();
}

std::vector<std::string> messages(TData& d) {
    std::vector<std::string> out;
    Table& m = d.MessageSet();
    for (int i = 0; i < m.recordCount(); ++i) out.push_back(m.valueAt(i, m.requireField("Message")).text);
    return out;
}

std::vector<std::string> filesLike(const std::string& folder, const std::string& part) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().find(part) != std::string::npos)
            out.push_back(e.path().filename().string());
    return out;
}

void appendBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
}

// A store with "one", "two", "three" in its journal (not in its file).
void journalThree(const std::string& folder) {
    Store s(folder);
    for (const char* t : {"one", "two", "three"}) {
        addMessage(s.data, t);
        ASSERT_TRUE(s.data.SaveData().ok());
    }
}

TEST(Journal, ChangesReachTheJournalAndSurviveAnEndWithoutSaving) {
    test::TempFolder root;
    { Store first(root.path()); }
    const std::string before = fileText(root / "MessageSet.vtx");
    {
        Store s(root.path());
        for (const char* t : {"one", "two", "three", "four"}) addMessage(s.data, t);
        ASSERT_TRUE(s.data.SaveData().ok());
        Table& m = s.data.MessageSet();
        m.moveTo(1);
        m.edit();
        m.setValue("Message", Value::ofText("two, edited"));
        m.post();
        m.moveTo(2);
        m.deleteRecord();
        m.moveTo(0);
        m.edit();
        m.setValue("Key", Value::ofInteger(100));  // a new key: the old one is removed
        m.post();
        ASSERT_TRUE(s.data.SaveData().ok());
        EXPECT_EQ(fileText(root / "MessageSet.vtx"), before) << "the file itself is not rewritten";
    }
    Store after(root.path());
    EXPECT_TRUE(after.reports.empty());
    EXPECT_EQ(messages(after.data), (std::vector<std::string>{"two, edited", "four", "one"}));
    EXPECT_EQ(after.data.keyCounter(after.data.MessageSet()), 101);
}

TEST(Journal, HostKeysAndTheirCounterAreKept) {
    test::TempFolder root;
    {
        Store s(root.path());
        Table& h = s.data.HostSet();
        for (const char* a : {"10.0.0.1", "10.0.0.2"}) {
            h.append();
            h.setValue("Address", Value::ofText(a));
            h.post();
        }
        h.moveTo(h.recordCount() - 1);
        h.deleteRecord();
        ASSERT_TRUE(s.data.SaveData().ok());
    }
    Store after(root.path());
    Table& h = after.data.HostSet();
    ASSERT_EQ(h.recordCount(), 2);  // the template's "Any" row and 10.0.0.1
    EXPECT_EQ(h.valueAt(1, h.requireField("Key")), Value::ofInteger(1));
    EXPECT_EQ(h.autoIncValue(), 3) << "a deleted host's key is not given again";
}

TEST(Journal, ATornLastEntryIsIgnoredAndCutOff) {
    struct Case {
        const char* name;
        std::string tail;
    };
    const Case cases[] = {
        {"entry without its line end", "0badc0de P <ROW Key=\"9\" Message=\"half"},
        {"entry with a wrong check sum", "00000000 P <ROW Key=\"9\" Message=\"whole\"/>\n"},
        {"a few bytes", "0b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder root;
        journalThree(root.path());
        appendBytes(root / "MessageSet.vtx.journal", c.tail);
        {
            Store s(root.path());
            EXPECT_TRUE(s.reports.empty()) << s.reports.front();
            EXPECT_EQ(messages(s.data), (std::vector<std::string>{"one", "two", "three"}));
            addMessage(s.data, "four");
            ASSERT_TRUE(s.data.SaveData().ok());
        }
        Store after(root.path());
        EXPECT_EQ(messages(after.data), (std::vector<std::string>{"one", "two", "three", "four"}));
    }
}

TEST(Journal, DamageInTheMiddleKeepsWhatCameBeforeAndACopy) {
    test::TempFolder root;
    journalThree(root.path());
    const std::string path = root / "MessageSet.vtx.journal";
    std::string text = fileText(path);
    const std::size_t two = text.find("two");
    ASSERT_NE(two, std::string::npos);
    text[two] = 'T';  // its check sum no longer fits
    ASSERT_EQ(writeFileAtomically(path, text), "");
    Store s(root.path());
    EXPECT_EQ(messages(s.data), (std::vector<std::string>{"one"}));
    ASSERT_EQ(s.reports.size(), 1u);
    EXPECT_NE(s.reports[0].find("damaged"), std::string::npos) << s.reports[0];
    const auto copies = filesLike(root.path(), "journal.damaged-");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(fileText(root / copies[0]), text);
}

TEST(Journal, AJournalOfAnotherFileIsMovedAsideAndNeverApplied) {
    struct Case {
        const char* name;
        std::function<void(const std::string& folder)> change;
        const char* journal;
    };
    const Case cases[] = {
        {"message file of another generation",
         [](const std::string& folder) {
             const std::string file = folder + "MessageSet.vtx";
             std::string text = fileText(file);
             text.insert(text.rfind("</ROWDATA>"), "<ROW Key=\"50\" Message=\"restored\"/>");
             ASSERT_EQ(writeFileAtomically(file, text), "");
         },
         "MessageSet.vtx.journal"},
        {"message file removed (the templates come back)",
         [](const std::string& folder) { fs::remove(folder + "MessageSet.vtx"); }, "MessageSet.vtx.journal"},
        {"host file removed", [](const std::string& folder) { fs::remove(folder + "HostSet.vtx"); },
         "HostSet.vtx.journal"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder root;
        {
            Store s(root.path());
            Table& h = s.data.HostSet();
            h.append();
            h.setValue("Address", Value::ofText("10.0.0.1"));
            h.post();
            addMessage(s.data, "journaled");
            ASSERT_TRUE(s.data.SaveData().ok());
        }
        const std::string journal = fileText(root / c.journal);
        c.change(root.path());
        Store s(root.path());
        const bool messagesKept = std::string(c.journal) != "MessageSet.vtx.journal";
        EXPECT_EQ(messages(s.data) == std::vector<std::string>{"journaled"}, messagesKept);
        const auto aside = filesLike(root.path(), std::string(c.journal) + ".foreign-");
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(fileText(root / aside[0]), journal);
        bool told = false;
        for (const std::string& r : s.reports) told = told || r.find(aside[0]) != std::string::npos;
        EXPECT_TRUE(told);
        EXPECT_FALSE(exists(root / c.journal));
    }
}

TEST(Journal, ReplayingChangesTwiceAppliesThemOnce) {
    // The state a crash inside a rewrite can leave: the next journal repeats entries the old one
    // holds (its header still names no file).
    test::TempFolder root;
    journalThree(root.path());
    const std::string journal = fileText(root / "MessageSet.vtx.journal");
    std::string next = journal;
    next.replace(5, 33, std::string(16, '0') + " " + std::string(16, '0'));
    ASSERT_EQ(writeFileAtomically(root / "MessageSet.vtx.journal-next", next), "");
    {
        Store s(root.path());
        EXPECT_TRUE(s.reports.empty());
        EXPECT_EQ(messages(s.data), (std::vector<std::string>{"one", "two", "three"}));
        addMessage(s.data, "four");
        ASSERT_TRUE(s.data.SaveData(true).ok());
    }
    Store after(root.path());
    EXPECT_EQ(messages(after.data), (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_TRUE(filesLike(root.path(), "journal").empty());
}

TEST(Journal, ACleanExitLeavesTheFilesAsTheWriterMakesThemAndNoJournal) {
    const std::string golden =
        fileText(std::string(CORVANE_SOURCE_DIR) + "/tests/store/golden/MessageSet.vtx");
    PacketReadResult r = DataPacketReader::read(golden);
    ASSERT_TRUE(r.ok());
    Table source("MessageSet");
    source.load(std::move(r.contents));
    test::TempFolder root;
    const auto copy = [&source](TData& d, int row) {
        Table& m = d.MessageSet();
        m.append();
        for (std::size_t f = 0; f < source.fields().size(); ++f)
            m.setValue(source.fields()[f].name, source.valueAt(row, static_cast<int>(f)));
        m.post();
    };
    {
        Store s(root.path());
        copy(s.data, 0);
        addMessage(s.data, "deleted again");
        ASSERT_TRUE(s.data.SaveData().ok());
        s.data.MessageSet().last();
        s.data.MessageSet().deleteRecord();
        ASSERT_TRUE(s.data.SaveData().ok());
    }  // ends without a final save: the next start replays the journal
    {
        Store s(root.path());
        copy(s.data, 1);
        ASSERT_TRUE(s.data.SaveData().ok());
        ASSERT_TRUE(s.data.SaveData(true).ok());
        EXPECT_EQ(fileText(root / "MessageSet.vtx"), golden);
        EXPECT_EQ(fileText(root / "MessageSet.vtx"), DataPacketWriter::write(s.data.MessageSet()));
        EXPECT_EQ(fileText(root / "HostSet.vtx"), DataPacketWriter::write(s.data.HostSet()));
        EXPECT_TRUE(filesLike(root.path(), "journal").empty());
        ASSERT_TRUE(s.data.SaveData(true).ok()) << "a second final save finds nothing to do";
    }
    EXPECT_EQ(fileText(root / "MessageSet.vtx"), golden);
}

TEST(Journal, ALargeClearAllRewritesTheFile) {
    test::TempFolder root;
    Store s(root.path());
    for (int i = 0; i < TData::kLargeClear; ++i) addMessage(s.data, "m" + std::to_string(i));
    ASSERT_TRUE(s.data.SaveData(true).ok());
    const auto large = fs::file_size(root / "MessageSet.vtx");
    s.data.ClearMessagesInView();
    ASSERT_TRUE(s.data.SaveData().ok());
    ASSERT_TRUE(s.data.journal(s.data.MessageSet())->compactionRunning());
    EXPECT_TRUE(s.data.journal(s.data.MessageSet())->collect(true).empty());
    EXPECT_LT(fs::file_size(root / "MessageSet.vtx"), large / 100);
    Store after(root.path());
    EXPECT_EQ(after.data.MessageSet().recordCount(), 0);
}

TEST(FolderLock, ASecondHolderIsRefusedAndToldWhoHoldsIt) {
    test::TempFolder root;
    const std::string folder = root / "data/";
    FolderLock first(folder);
    ASSERT_TRUE(first.held()) << first.error();
    const std::string lockText = fileText(folder + FolderLock::kFileName);
    EXPECT_EQ(lockText, std::to_string(::getpid()) + "\n");
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    {
        FolderLock second(folder);
        EXPECT_FALSE(second.held());
        EXPECT_EQ(second.holder(), ::getpid());
        EXPECT_NE(second.error().find("in use by Corvane process " + std::to_string(::getpid())),
                  std::string::npos)
            << second.error();
        EXPECT_EQ(fileText(folder + FolderLock::kFileName), lockText) << "the second one writes nothing";
    }
    EXPECT_TRUE(first.held());
}

TEST(FolderLock, TheFolderIsFreeAgainWhenItsHolderEnds) {
    test::TempFolder root;
    { FolderLock first(root.path()); }
    FolderLock again(root.path());
    EXPECT_TRUE(again.held());
}

TEST(FolderLock, StartUpRemovesItsOwnTemporaryFilesAndMakesTheFilesPrivate) {
    test::TempFolder root;
    ::chmod(root.path().c_str(), 0755);
    for (const char* name :
         {"MessageSet.vtx.tmp-a1B2c3", "HostSet.vtx.tmp-XYZ123", "notes.txt.tmp-abc", "keep.txt"})
        appendBytes(root / name, "x");
    Store s(root.path());
    EXPECT_FALSE(exists(root / "MessageSet.vtx.tmp-a1B2c3"));
    EXPECT_FALSE(exists(root / "HostSet.vtx.tmp-XYZ123"));
    EXPECT_TRUE(exists(root / "notes.txt.tmp-abc")) << "not one of the program's own";
    EXPECT_TRUE(exists(root / "keep.txt"));
    addMessage(s.data, "one");
    ASSERT_TRUE(s.data.SaveData().ok());
    const auto mode = [](const std::string& path) {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_mode & 0777;
    };
    EXPECT_EQ(mode(root.path()), 0700u);
    for (const char* name : {"MessageSet.vtx", "HostSet.vtx", "FacilitySet.vtx", "SeveritySet.vtx",
                             "FilterSet.vtx", "MessageSet.vtx.journal"})
        EXPECT_EQ(mode(root / name), 0600u) << name;
}

}  // namespace
}  // namespace corvane
