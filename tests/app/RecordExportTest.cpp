#include "app/ExportSupport.h"
#include "app/IntakeFakes.h"

#include "app/RecordExport.h"
#include "app/RecordText.h"
#include "store/FileIo.h"

#include <sys/resource.h>
#include <csignal>
#include <cstdlib>

namespace corvane {
namespace {

using namespace test;

std::string goldenPath(const std::string& name) {
    return std::string(CORVANE_SOURCE_DIR) + "/tests/app/golden/" + name;
}

SampleRecord filler(int key, std::string message) {
    SampleRecord r;
    r.key = key;
    r.message = std::move(message);
    r.address = "10.1.1.1";
    return r;
}

// Exports under a file-size limit and answers 0 when the failure was reported and no file is
// left behind.
int exportUnderSizeLimit(const Table& table, const std::string& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1 << 20, 1 << 20};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const ExportResult r = exportRecords(table, path, ExportFormat::Csv);
    const bool reported = r.error == "Could not write the export file " + path +
                                         ": File too large. The incomplete file was removed.";
    const bool removed = !std::filesystem::exists(path) && !std::filesystem::exists(path + ".part");
    return reported && removed && r.records == 0 ? 0 : 1;
}

class Export : public ::testing::Test {
protected:
    Export() {
        table.open();
        for (const SampleRecord& r : awkwardSamples()) appendSample(table, r);
    }
    std::string out(const char* name) { return folder.path() + name; }

    TempDataFolder folder;
    Table table{"MessageSet", messageSetFields()};
};

TEST_F(Export, FormatsMatchTheirGoldenFiles) {
    struct Row {
        const char* name;
        ExportFormat format;
        std::vector<std::string> columns;
        const char* golden;
    };
    const Row rows[] = {
        {"csv of chosen columns",
         ExportFormat::Csv,
         {"Date", "Severity", "Host", "Message", "PID"},
         "export-columns.csv"},
        {"csv of every field", ExportFormat::Csv, {}, "export-all.csv"},
        {"json lines", ExportFormat::JsonLines, {"Date"}, "export.jsonl"},
        {"syslog text", ExportFormat::SyslogText, {}, "export.log"},
    };
    for (const Row& row : rows) {
        const std::string path = out("out");
        const ExportResult r = exportRecords(table, path, row.format, row.columns);
        ASSERT_TRUE(r.ok()) << row.name << ": " << r.error;
        EXPECT_EQ(r.records, awkwardSamples().size()) << row.name;
        EXPECT_EQ(readFile(path), readFile(goldenPath(row.golden))) << row.name;
        if (std::getenv("CORVANE_WRITE_GOLDEN"))
            std::filesystem::copy_file(path, goldenPath(row.golden),
                                       std::filesystem::copy_options::overwrite_existing);
    }
}

TEST_F(Export, OnlyTheRecordsInViewAreWritten) {
    table.setFilterCallback(
        [&](const RecordReader& r) { return r.text(table.requireField("Host")) == "web-01"; });
    ASSERT_TRUE(table.setFiltered(true).ok);
    const ExportResult r = exportRecords(table, out("view.log"), ExportFormat::SyslogText);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.records, 3u);
    const std::string text = readFile(out("view.log"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

TEST_F(Export, ErrorsAreReportedAndLeaveNoFile) {
    struct Row {
        const char* name;
        std::string path;
        std::vector<std::string> columns;
        std::string error;
    };
    const Row rows[] = {
        {"missing folder",
         folder.path() + "no/such/out.csv",
         {},
         "Could not create the export file " + folder.path() + "no/such/out.csv: No such file or directory"},
        {"unknown column", out("x.csv"), {"Date", "Colour"}, "There is no field named Colour."},
    };
    for (const Row& row : rows) {
        const ExportResult r = exportRecords(table, row.path, ExportFormat::Csv, row.columns);
        EXPECT_FALSE(r.ok()) << row.name;
        EXPECT_EQ(r.error, row.error) << row.name;
        EXPECT_FALSE(std::filesystem::exists(row.path)) << row.name;
        EXPECT_FALSE(std::filesystem::exists(row.path + ".part")) << row.name;
    }
}

TEST_F(Export, CancelRemovesThePartialFileAndKeepsAnOldOne) {
    for (int i = 0; i < 40000; ++i) appendSample(table, filler(100 + i, "filler"));
    const std::string path = out("old.jsonl");
    ASSERT_EQ(writeFileAtomically(path, "old contents\n"), "");
    int asked = 0;
    const ExportResult r =
        exportRecords(table, path, ExportFormat::JsonLines, {}, [&](std::size_t done, std::size_t total) {
            EXPECT_LE(done, total);
            return ++asked < 2;
        });
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(readFile(path), "old contents\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

// A file-size limit makes the system refuse the write as a full disk would.
TEST_F(Export, AFailedWriteSaysSoAndRemovesThePartialFile) {
    for (int i = 0; i < 20000; ++i) appendSample(table, filler(100 + i, std::string(300, 'x')));
    const std::string path = out("full.csv");
    EXPECT_EXIT(std::exit(exportUnderSizeLimit(table, path)), ::testing::ExitedWithCode(0), "");
}

TEST(RecordText, DateTimesAndUtf8) {
    struct Row {
        const char* text;
        bool valid;
    };
    for (const Row& row : std::initializer_list<Row>{{"2026-12-10 14:46:08.123", true},
                                                     {"2026-12-10T14:46:08", true},
                                                     {"2026-02-30 14:46:08", false},
                                                     {"2026-12-10 14:46", false},
                                                     {"2026-12-10 14:46:08.12", false}})
        EXPECT_EQ(record_text::readDateTime(row.text).has_value(), row.valid) << row.text;
    std::string s;
    record_text::appendDateTime(s, *record_text::readDateTime("1999-01-02 03:04:05.006"));
    EXPECT_EQ(s, "1999-01-02 03:04:05.006");

    EXPECT_TRUE(record_text::isValidUtf8("plain ascii text longer than eight"));
    EXPECT_TRUE(record_text::isValidUtf8("\xe2\x82\xac \xf0\x9f\x98\x80"));
    EXPECT_FALSE(record_text::isValidUtf8("caf\xe9"));
    EXPECT_FALSE(record_text::isValidUtf8("\xed\xa0\x80"));  // a surrogate
    EXPECT_FALSE(record_text::isValidUtf8("\xc0\xaf"));      // overlong
    EXPECT_FALSE(record_text::isValidUtf8("\xe2\x82"));      // cut short
}

}  // namespace
}  // namespace corvane
