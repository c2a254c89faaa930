#include "app/ExportSupport.h"
#include "app/IntakeFakes.h"

#include "app/LogImport.h"
#include "app/MessageIntake.h"
#include "app/RecordExport.h"
#include "app/RecordText.h"
#include "store/FileIo.h"

#include <zlib.h>

namespace corvane {
namespace {
using namespace std::string_literals;

using namespace test;

void writeGzip(const std::string& path, const std::string& text) {
    gzFile f = gzopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(gzwrite(f, text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
    gzclose(f);
}

class Import : public ::testing::Test {
protected:
    Import() : data(openStore(folder.path())), intake(*data, window, dialogs, actions, notification) {
        notification.NotifySound = true;
        notification.NotifyExec = true;
        notification.ExecPath = "/usr/bin/true";
        notification.NotifyFacility = "Any";
        notification.NotifySeverity = "Any";
    }
    Table& messages() { return data->MessageSet(); }
    std::string file(const std::string& name, const std::string& text) {
        const std::string path = folder.path() + name;
        EXPECT_EQ(writeFileAtomically(path, text), "");
        return path;
    }
    DateTime at(int year, int month, int day, int h, int m, int s) {
        return *encodeDateTime({year, month, day, h, m, s, 0});
    }

    TempDataFolder folder;
    std::unique_ptr<TData> data;
    RecordingWindow window;
    RecordingDialogs dialogs;
    RecordingActions actions;
    NotificationState notification;
    MessageIntake intake;
};

TEST_F(Import, SyslogLinesGoThroughTheParserWithTheFileAsSender) {
    const std::string path = file("syslog.1",
                                  "Dec  9 06:25:01 web01 CRON[4711]: (root) CMD (run-parts /etc/cron.daily)\n"
                                  "<165>1 2003-10-11T22:14:15.003Z mymachine.example evntslog - ID47 "
                                  "[exampleSDID@32473 iut=\"3\"] An application event\r\n"
                                  "\n"
                                  "<34>Oct 11 22:14:15 mymachine su: 'su root' failed\n");
    const ImportSummary s = importLogFile(intake, *data, path);
    EXPECT_TRUE(s.ok()) << s.error;
    EXPECT_EQ(s.linesRead, 4u);
    EXPECT_EQ(s.stored, 3u);
    EXPECT_EQ(s.skipped, 1u);
    EXPECT_EQ(s.firstBadLine, 0u);
    ASSERT_EQ(messages().recordCount(), 3);

    EXPECT_EQ(textAt(messages(), 0, "Address"), "syslog.1");
    EXPECT_EQ(textAt(messages(), 0, "Host"), "web01");
    EXPECT_EQ(textAt(messages(), 0, "Process"), "CRON[4711]:");
    EXPECT_EQ(valueAt(messages(), 0, "PID"), Value::ofInteger(4711));
    EXPECT_EQ(textAt(messages(), 0, "Message"), "(root) CMD (run-parts /etc/cron.daily)");
    EXPECT_EQ(textAt(messages(), 0, "Severity"), "Notice");
    const Value stamp = valueAt(messages(), 0, "TimeStamp");
    // A stamp without a year lies at most 7 days after the import, else it is last year's.
    DateTime expected = at(currentYear(), 12, 9, 6, 25, 1);
    if (expected > now() + 7)
        expected = at(currentYear() - 1, 12, 9, 6, 25, 1);
    EXPECT_EQ(stamp.dateTime, expected);
    EXPECT_EQ(valueAt(messages(), 0, "Date"), stamp) << "the line's own time";

    EXPECT_EQ(textAt(messages(), 1, "Host"), "mymachine.example");
    EXPECT_EQ(textAt(messages(), 1, "SubProcess"), "ID47");
    EXPECT_EQ(textAt(messages(), 1, "Message"), "An application event");
    EXPECT_EQ(valueAt(messages(), 1, "Date"), valueAt(messages(), 1, "TimeStamp"));
    EXPECT_EQ(textAt(messages(), 2, "Severity"), "Critical");

    // Past events: no window raised, no sound, no program; the tables were saved once.
    EXPECT_EQ(window.raised, 0);
    EXPECT_TRUE(actions.sounds.empty());
    EXPECT_TRUE(actions.programs.empty());
    EXPECT_EQ(window.selected.size(), 1u);
    data->SaveData(true);
    auto saved = readTableFile(data->dataFile(messages()));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->recordCount(), 3);
}

TEST_F(Import, LinesWithoutATimeStampAreDatedByTheImport) {
    const DateTime before = now();
    const ImportSummary s = importLogFile(intake, *data, file("plain.txt", "just some words of text here\n"));
    EXPECT_TRUE(s.ok());
    ASSERT_EQ(messages().recordCount(), 1);
    EXPECT_GE(valueAt(messages(), 0, "Date").dateTime, before - 1e-8);
    EXPECT_LE(valueAt(messages(), 0, "Date").dateTime, now() + 1e-8);
}

TEST_F(Import, CompressedRotatedFilesAndLongNames) {
    const std::string path =
        folder.path() + "a-rather-long-rotated-name-of-a-log-file-from-a-router.log.2.gz";
    writeGzip(path, "Dec  9 06:25:01 web-01 sshd[1]: one\nDec  9 06:25:02 web-01 sshd[1]: two");
    const ImportSummary s = importLogFile(intake, *data, path);
    EXPECT_TRUE(s.ok()) << s.error;
    EXPECT_EQ(s.stored, 2u);
    ASSERT_EQ(messages().recordCount(), 2);
    EXPECT_EQ(textAt(messages(), 1, "Message"), "two");
    EXPECT_EQ(textAt(messages(), 0, "Address"), "a-rather-long-rotated-name-of-a-log-file-from-a-")
        << "cut to the address field";
}

TEST_F(Import, SummaryCountsBadLinesAndNamesTheFirst) {
    struct Row {
        const char* name;
        std::string text;
        std::size_t read, stored, skipped, firstBad;
    };
    const Row rows[] = {
        {"binary line", "Dec  9 06:25:01 h a: ok\nab\0cd\n{\"Message\":\"x\"}\n"s, 3, 2, 1, 2},
        {"broken json", "{\"Message\":\"x\"}\n{\"Message\":\n{\"PID\":\"text\"}\n", 3, 1, 2, 2},
        {"json of wrong types", "{\"Date\":\"yesterday\"}\n", 1, 0, 1, 1},
        {"blank lines only", "\n  \n\t\n", 3, 0, 3, 0},
    };
    for (const Row& row : rows) {
        const ImportSummary s = importLogFile(intake, *data, file("bad.log", row.text));
        EXPECT_TRUE(s.ok()) << row.name;
        EXPECT_EQ(s.linesRead, row.read) << row.name;
        EXPECT_EQ(s.stored, row.stored) << row.name;
        EXPECT_EQ(s.skipped, row.skipped) << row.name;
        EXPECT_EQ(s.firstBadLine, row.firstBad) << row.name;
    }
}

TEST_F(Import, MissingFileIsReported) {
    const ImportSummary s = importLogFile(intake, *data, folder.path() + "nothing.log");
    EXPECT_EQ(s.error, "Could not open " + folder.path() + "nothing.log: No such file or directory");
    EXPECT_FALSE(intake.busy());
}

TEST_F(Import, CancelKeepsWhatWasTakenAndEndsTheImport) {
    std::string text;
    for (int i = 0; i < 50000; ++i)
        text += "Dec  9 06:25:01 web-01 sshd[1]: line " + std::to_string(i) + "\n";
    const ImportSummary s = importLogFile(intake, *data, file("big.log", text), [](double) { return false; });
    EXPECT_TRUE(s.cancelled);
    EXPECT_EQ(static_cast<std::size_t>(messages().recordCount()), s.stored);
    EXPECT_LT(s.stored, 50000u);
    EXPECT_FALSE(intake.busy());
}

TEST_F(Import, ExportedJsonLinesComeBackAsTheSameRecords) {
    Table source("MessageSet", messageSetFields());
    source.open();
    for (const SampleRecord& r : awkwardSamples()) appendSample(source, r);
    const std::string path = folder.path() + "round.jsonl";
    ASSERT_TRUE(exportRecords(source, path, ExportFormat::JsonLines).ok());

    const ImportSummary s = importLogFile(intake, *data, path);
    EXPECT_TRUE(s.ok()) << s.error;
    EXPECT_EQ(s.stored, awkwardSamples().size());
    ASSERT_EQ(messages().recordCount(), source.recordCount());
    for (int i = 0; i < source.recordCount(); ++i) {
        for (const FieldDef& field : source.fields()) {
            if (field.name == "Key" || field.name == "HostKey")
                continue;
            Value expected = source.valueAt(i, source.requireField(field.name));
            if (expected.kind == Value::Kind::Text && !record_text::isValidUtf8(expected.text)) {
                std::string utf8;
                record_text::appendUtf8(utf8, expected.text);  // JSON holds UTF-8 only
                expected.text = utf8;
            }
            EXPECT_EQ(valueAt(messages(), i, field.name.c_str()), expected)
                << "record " << i << " " << field.name;
        }
    }
    // Hosts were found or added by address, named after the records.
    EXPECT_EQ(textAt(data->HostSet(), data->HostSet().recordCount() - 1, "Address"), "10.0.0.5");
}

TEST(ImportTimeStamp, LinesThatCarryTheirOwnTime) {
    struct Row {
        const char* line;
        bool own;
    };
    for (const Row& row : std::initializer_list<Row>{
             {"Dec  9 06:25:01 web-01 CRON[1]: x", true},
             {"<34>Oct 11 22:14:15 mymachine su: x", true},
             {"2026-12-09T06:25:01.123456+01:00 web-01 CRON[1]: x", true},
             {"2026-12-09 06:25:01 web-01 x", true},
             {"<165>1 2003-10-11T22:14:15.003Z host app - - - x", true},
             {"<165>1 - host app - - - x", false},
             {"Decide 9 06:25:01", false},
             {"hello world, no time here", false},
         })
        EXPECT_EQ(LogImport::hasOwnTimeStamp(row.line), row.own) << row.line;
}

}  // namespace
}  // namespace corvane
