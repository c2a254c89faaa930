#include <gtest/gtest.h>

#include "platform/AppFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A scratch tree laid out as a build folder or an installation would be.
class ScratchTree {
public:
    ScratchTree() {
        std::string pattern = (fs::temp_directory_path() / "corvane-appfolder-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
    }
    ~ScratchTree() {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    std::string folder(const std::string& relative) const {
        fs::create_directories(m_root / relative);
        return (m_root / relative).string() + "/";
    }
    void file(const std::string& relative) const {
        fs::create_directories((m_root / relative).parent_path());
        std::ofstream(m_root / relative) << "x";
    }

private:
    fs::path m_root;
};

TEST(ProgramFolder, BuildTreeThenShareBesideTheExecutableThenTheCompiledInFolder) {
    struct Row {
        const char* name;
        const char* marker;  // relative to the scratch root; null: none
        const char* share;   // folder made; null: none
        const char* exe;
        const char* expected;  // relative to the scratch root; null: the compiled-in folder
    };
    const Row rows[] = {
        {"build tree", "build/MessageSet.vtx", nullptr, "build", "build"},
        {"build tree wins over a share folder", "p/bin/MessageSet.vtx", "p/share/corvane", "p/bin", "p/bin"},
        {"installed under any prefix", nullptr, "opt/x/share/corvane", "opt/x/bin", "opt/x/share/corvane"},
        {"moved installation", "q/share/corvane/MessageSet.vtx", nullptr, "q/bin", "q/share/corvane"},
        {"nothing found", nullptr, nullptr, "lonely/bin", nullptr},
    };
    for (const Row& r : rows) {
        ScratchTree tree;
        if (r.marker)
            tree.file(r.marker);
        if (r.share)
            tree.folder(r.share);
        const std::string exe = tree.folder(r.exe);
        const std::string expected = r.expected ? tree.folder(r.expected) : "/compiled/in/";
        EXPECT_EQ(chooseProgramFolder(exe, "/compiled/in"), expected) << r.name;
        // Without its trailing slash the executable's folder gives the same answer.
        EXPECT_EQ(chooseProgramFolder(exe.substr(0, exe.size() - 1), "/compiled/in/"), expected) << r.name;
    }
    EXPECT_EQ(chooseProgramFolder("", "/compiled/in"), "/compiled/in/");
}

}  // namespace
}  // namespace corvane
