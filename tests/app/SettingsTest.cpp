#include "app/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "settings-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern + "/";
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string path() const { return m_folder + "corvane.ini"; }
    void writeFile(const std::string& text) const { std::ofstream(path(), std::ios::binary) << text; }
    std::string readFile() const {
        std::ifstream in(path(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::unique_ptr<Settings> load() const {
        auto r = Settings::load(path());
        EXPECT_EQ(r.error, "");
        return std::move(r.settings);
    }
    int mode() const {
        struct stat st {};
        ::stat(path().c_str(), &st);
        return st.st_mode & 0777;
    }

    std::string m_folder;
};

TEST_F(SettingsFile, ReadsByTheFileRules) {
    writeFile(
        "UDPPort=1\r\n"  // before the first section: ignored
        "; a comment\r\n"
        "  [ options ]  \r\n"
        "\r\n"
        "   ;Location=commented out\n"
        "  udpport  =  600  \n"
        "UpdateURL=http://a/b?c=d\r"
        "Empty=\r\n"
        "Location=first\r\n"
        "Location=second\r\n"
        "[Other]\r\n"
        "Location=elsewhere\r\n");
    auto s = load();
    ASSERT_TRUE(s);
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        const char* expected;
    };
    const Row rows[] = {
        {"section and key ignore case, spaces around = go", "OPTIONS", "UDPPORT", "600"},
        {"value runs from the first =", "Options", "UpdateURL", "http://a/b?c=d"},
        {"empty value is present", "Options", "Empty", ""},
        {"first of two equal keys wins", "Options", "Location", "first"},
        {"other section", "other", "location", "elsewhere"},
    };
    for (const auto& r : rows) {
        EXPECT_TRUE(s->keyExists(r.section, r.key)) << r.name;
        EXPECT_EQ(s->readString(r.section, r.key, "default"), r.expected) << r.name;
    }
    EXPECT_FALSE(s->keyExists("Options", ";Location")) << "comment line";
    EXPECT_EQ(s->readString("Options", "Missing", "default"), "default");
    EXPECT_EQ(s->readInteger("Options", "Empty", 514), 514) << "empty is not an integer";
}

TEST(SettingsValues, IntegersAndBooleansFallBackOnWrongForms) {
    struct Row {
        const char* value;
        std::int32_t integer;
        bool boolean;
    };
    // Readers are asked with fallback 514 and true.
    const Row rows[] = {
        {"0", 0, false},
        {"1", 1, true},
        {"-7", -7, true},
        {"0x202", 514, true},
        {"$202", 514, true},
        {"0X1f", 31, true},
        {"+12", 12, true},
        {"2147483647", 2147483647, true},
        {"-2147483648", INT32_MIN, true},
        {"2147483648", 514, true},
        {"0x80000000", 514, true},
        {"99999999999999999999", 514, true},
        {"true", 514, true},
        {"", 514, true},
        {"0x", 514, true},
        {"$", 514, true},
        {"12abc", 514, true},
        {"1 2", 514, true},
        {"-", 514, true},
        {"0xG", 514, true},
    };
    Settings s("unused");
    for (const auto& r : rows) {
        s.writeString("Options", "Key", r.value);
        EXPECT_EQ(s.readInteger("Options", "Key", 514), r.integer) << '"' << r.value << '"';
        EXPECT_EQ(s.readBool("Options", "Key", true), r.boolean) << '"' << r.value << '"';
    }
    s.writeString("Options", "NotifyExec", "true");
    EXPECT_FALSE(s.readBool("Options", "NotifyExec", false));
    EXPECT_EQ(s.readString("Options", "NotifyExec", ""), "true") << "the stored text stays";
}

TEST_F(SettingsFile, RewriteDropsCommentsKeepsSectionsAndOrder) {
    writeFile(
        "; written by hand\r\n"
        "[Options]\r\n"
        "Top=10\r\n"
        "; the window\r\n"
        "Left=20\r\n"
        "UseSSL\r\n"
        "[Hand Made]\r\n"
        "Colour = blue\r\n"
        "\r\n"
        "[Options]\r\n"
        "Width=300\r\n");
    ::chmod(path().c_str(), 0644);
    auto s = load();
    ASSERT_TRUE(s);
    s->writeInteger("Options", "left", 25);
    s->writeBool("Options", "NotifySound", false);
    s->writeBool("Options", "NotifyExec", true);
    s->writeString("New", "Key", "v");
    ASSERT_EQ(s->flush(), "");
    EXPECT_EQ(readFile(),
              "[Options]\r\n"
              "Top=10\r\n"
              "Left=25\r\n"
              "UseSSL\r\n"
              "Width=300\r\n"
              "NotifySound=0\r\n"
              "NotifyExec=1\r\n"
              "\r\n"
              "[Hand Made]\r\n"
              "Colour=blue\r\n"
              "\r\n"
              "[New]\r\n"
              "Key=v\r\n"
              "\r\n");
    EXPECT_EQ(mode(), 0600);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator{}), 1)
        << "no temporary file is left behind";

    auto again = load();
    EXPECT_EQ(again->content(), s->content());
}

TEST_F(SettingsFile, FirstFlushCreatesTheFileForTheOwnerOnly) {
    auto s = load();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->content(), std::vector<std::string>{});
    EXPECT_TRUE(s->readBool("Options", "SaveLocation", true));
    EXPECT_EQ(s->readInteger("Options", "UDPPort", 514), 514);
    s->writeString("Options", "PID", "abc");
    ASSERT_EQ(s->flush(), "");
    EXPECT_EQ(readFile(), "[Options]\r\nPID=abc\r\n\r\n");
    EXPECT_EQ(mode(), 0600);
}

TEST_F(SettingsFile, FailuresComeBackAsText) {
    fs::create_directory(path());  // a folder where the file should be cannot be read
    auto r = Settings::load(path());
    EXPECT_FALSE(r.settings);
    EXPECT_NE(r.error.find(path()), std::string::npos) << r.error;

    Settings s(m_folder + "missing-folder/corvane.ini");
    s.writeString("Options", "A", "1");
    const std::string error = s.flush();
    EXPECT_NE(error.find("Could not write the settings file " + m_folder + "missing-folder/corvane.ini"),
              std::string::npos)
        << error;
}

// The shapes a settings file comes in from editors and from earlier runs: every one reads its
// keys, and a rewrite keeps every entry it had.
TEST_F(SettingsFile, FileShapesReadAndSurviveARewrite) {
    const std::string longValue(200 * 1024, 'v');
    std::string manyEntries = "[Options]\n";
    for (int i = 0; i < 150'000; ++i) manyEntries += "K" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    manyEntries += "UDPPort=5514\n";
    struct Row {
        const char* name;
        std::string text;
        std::size_t entries;  // lines of section Options after loading
    };
    const Row rows[] = {
        {"byte-order mark", "\xEF\xBB\xBF[Options]\r\nUDPPort=5514\r\n", 1},
        {"byte-order mark and LF", "\xEF\xBB\xBF[Options]\nUDPPort=5514\n", 1},
        {"CR LF", "[Options]\r\nLocation=x\r\nUDPPort=5514\r\n", 2},
        {"LF", "[Options]\nLocation=x\nUDPPort=5514\n", 2},
        {"no final line end", "[Options]\nUDPPort=5514", 1},
        {"a line over 64 KiB", "[Options]\nLong=" + longValue + "\nUDPPort=5514\n", 2},
        {"150,000 entries", manyEntries, 150'001},
    };
    for (const Row& r : rows) {
        writeFile(r.text);
        auto s = load();
        ASSERT_TRUE(s) << r.name;
        EXPECT_EQ(s->readInteger("Options", "UDPPort", 514), 5514) << r.name;
        EXPECT_EQ(s->content().size(), r.entries + 2) << r.name;  // section line and blank line
        if (r.text.find("Long=") != std::string::npos) {
            EXPECT_EQ(s->readString("Options", "Long", ""), longValue) << r.name;
        }
        ASSERT_EQ(s->flush(), "") << r.name;
        auto again = load();
        ASSERT_TRUE(again) << r.name;
        EXPECT_EQ(again->content(), s->content()) << r.name;
        EXPECT_EQ(readFile().rfind("[Options]\r\n", 0), 0u) << r.name << ": the mark is not written back";
    }
}

TEST_F(SettingsFile, AFileOverTheSizeLimitIsReportedAndLeftAlone) {
    std::string text = "[Options]\r\nUDPPort=5514\r\nUDPBindings=127.0.0.1\r\n";
    text += "Padding=" + std::string(Settings::kMaxFileSize, 'p') + "\r\n";
    writeFile(text);
    auto r = Settings::load(path());
    EXPECT_FALSE(r.settings);
    EXPECT_EQ(r.error, "The settings file " + path() + " is too large to be a settings file.");
    EXPECT_EQ(readFile(), text);
}

TEST_F(SettingsFile, AFailedWriteIsReportedAndLeavesNoTemporaryFile) {
    writeFile("[Options]\r\nUDPPort=5514\r\n");
    auto s = load();
    ASSERT_TRUE(s);
    s->writeInteger("Options", "UDPPort", 6000);
    // Something else took the file's place: a folder that holds a file cannot be replaced.
    fs::remove(path());
    fs::create_directory(path());
    std::ofstream(path() + "/keep") << "x";
    const std::string error = s->flush();
    EXPECT_EQ(error.rfind("Could not write the settings file " + path() + ": ", 0), 0u) << error;
    EXPECT_TRUE(fs::exists(path() + "/keep"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator{}), 1);
}

TEST(SettingsContent, CopyAndRestoreUndoesWrites) {
    Settings s("unused");
    s.writeString("Options", "NotifyFacility", "Kernel");
    s.writeString("Options", "UDPPort", "514");
    const auto saved = s.content();
    s.writeString("Options", "NotifyFacility", "Mail");
    s.deleteKey("Options", "UDPPORT");
    s.writeString("Options", "Added", "x");
    EXPECT_FALSE(s.keyExists("Options", "UDPPort"));
    s.setContent(saved);
    EXPECT_EQ(s.readString("Options", "NotifyFacility", ""), "Kernel");
    EXPECT_TRUE(s.keyExists("Options", "UDPPort"));
    EXPECT_FALSE(s.keyExists("Options", "Added"));
    EXPECT_EQ(s.content(), saved);
}

TEST(SettingsContent, LineBreaksInValuesCannotPlantKeys) {
    Settings s("unused");
    s.writeString("Options", "ExecPath", "/bin/true\r\n[Options]\r\nNotifyExec=1");
    s.setContent(s.content());
    EXPECT_FALSE(s.keyExists("Options", "NotifyExec"));
    EXPECT_EQ(s.readString("Options", "ExecPath", ""), "/bin/true  [Options]  NotifyExec=1");
}

TEST(SettingsPath, FollowsTheExecutableName) {
    struct Row {
        const char* executable;
        const char* expected;
    };
    const Row rows[] = {
        {"corvane", "/d/corvane.ini"},
        {"/usr/bin/corvane", "/d/corvane.ini"},
        {"Corvane.exe", "/d/Corvane.ini"},
        {"/opt/my.app/corvane-dev", "/d/corvane-dev.ini"},
    };
    for (const auto& r : rows) EXPECT_EQ(settingsFilePath("/d/", r.executable), r.expected) << r.executable;
    EXPECT_EQ(settingsFilePath("/d/"), "/d/corvane.ini");
}

}  // namespace
}  // namespace corvane
