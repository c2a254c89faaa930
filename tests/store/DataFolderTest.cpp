#include <gtest/gtest.h>

#include <map>

#include "store/DataFolder.h"
#include "StoreTestSupport.h"

namespace corvane {
namespace {

TEST(DataFolder, FollowsTheProfileThenTheXdgRule) {
    struct Row {
        const char* name;
        std::map<std::string, std::string> env;
        std::string folder;
    };
    const Row rows[] = {
        {"profile wins",
         {{"USERPROFILE", "C:\\Users\\op"}, {"XDG_DATA_HOME", "/x"}, {"HOME", "/home/op"}},
         "C:/Users/op/AppData/Local/Corvane/"},
        {"profile with slash", {{"USERPROFILE", "/p/"}}, "/p/AppData/Local/Corvane/"},
        {"empty profile is unset", {{"USERPROFILE", ""}, {"XDG_DATA_HOME", "/x"}}, "/x/Corvane/"},
        {"xdg", {{"XDG_DATA_HOME", "/data/"}, {"HOME", "/home/op"}}, "/data/Corvane/"},
        {"home default", {{"HOME", "/home/op"}}, "/home/op/.local/share/Corvane/"},
        {"nothing set", {}, ""},
    };
    for (const Row& r : rows) {
        const std::string folder = resolveDataFolder([&](const char* name) -> const char* {
            const auto it = r.env.find(name);
            return it == r.env.end() ? nullptr : it->second.c_str();
        });
        EXPECT_EQ(folder, r.folder) << r.name;
    }
}

}  // namespace
}  // namespace corvane
