#include "settings/installdata.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "testfiles.h"

namespace fs = std::filesystem;
using namespace torvel::settings;

namespace {

void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class InstallDataTest : public ::testing::Test {
protected:
    torvel::testing::ScratchDir scratch;
    fs::path prefix = fs::path(scratch.path()) / "prefix";
    fs::path installed = prefix / "share" / "torvel";
    fs::path work = fs::path(scratch.path()) / "home" / "torvel";

    void SetUp() override {
        for (const auto& [file, text] : {std::pair{"table.res", "new table"}, {"ranking.res", "new ranking"},
                                         {"images/torvel.png", "new icon"}, {"data/callrange0.conf", "default 0"},
                                         {"data/callrange1.conf", "default 1"}})
            write(installed / file, text);
    }
};

TEST_F(InstallDataTest, FindsTheDataBesideTheBinDirectoryOnly) {
    EXPECT_EQ(installedDataDirectory(prefix / "bin" / "torvel-cli"), installed);
    EXPECT_TRUE(installedDataDirectory(fs::path(scratch.path()) / "build" / "bin" / "torvel-cli").empty());
    fs::remove(installed / "table.res");
    EXPECT_TRUE(installedDataDirectory(prefix / "bin" / "torvel-cli").empty());
}

TEST_F(InstallDataTest, FillsTheWorkingDirectoryThenRefreshesTablesButKeepsTheUsersFiles) {
    ASSERT_EQ(prepareWorkingDirectory(installed, work), "");
    write(work / "table.res", "old table");
    write(work / "images" / "torvel.png", "old icon");
    write(work / "VAZ.ini", "[VAZ]\nmsMin=3\n");
    write(work / "data" / "callrange0.conf", "saved by the user");
    fs::remove(work / "data" / "callrange1.conf");
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(prepareWorkingDirectory(installed, work), "");
        const std::pair<const char*, const char*> expected[] = {
            {"table.res", "new table"},          {"ranking.res", "new ranking"},
            {"images/torvel.png", "new icon"},   {"VAZ.ini", "[VAZ]\nmsMin=3\n"},
            {"data/callrange0.conf", "saved by the user"}, {"data/callrange1.conf", "default 1"},
        };
        for (const auto& [file, text] : expected)
            EXPECT_EQ(torvel::testing::readText((work / file).string()), text) << file;
        EXPECT_FALSE(fs::exists(work / "table.res.new"));
    }
    fs::remove_all(work.parent_path());
    write(work.parent_path(), "a file where the directory belongs");
    EXPECT_NE(prepareWorkingDirectory(installed, work), "");
}

TEST(UserWorkingDirectoryTest, TorvelHomeThenXdgThenHome) {
    const char* names[] = {"TORVEL_HOME", "XDG_DATA_HOME", "HOME"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i)
        if (const char* value = std::getenv(names[i])) saved[i] = value;
    const auto set = [&names](int i, const char* text) { text ? ::setenv(names[i], text, 1) : ::unsetenv(names[i]); };
    const std::pair<std::array<const char*, 3>, const char*> cases[] = {
        {{"/t", "/x", "/h"}, "/t"},
        {{"", "/x", "/h"}, "/x/torvel"},
        {{nullptr, nullptr, "/h"}, "/h/.local/share/torvel"},
        {{nullptr, nullptr, nullptr}, ""},
    };
    for (const auto& [values, expected] : cases) {
        for (int i = 0; i < 3; ++i) set(i, values[i]);
        EXPECT_EQ(userWorkingDirectory(), fs::path(expected)) << expected;
    }
    for (int i = 0; i < 3; ++i) set(i, saved[i] ? saved[i]->c_str() : nullptr);
}

}  // namespace
