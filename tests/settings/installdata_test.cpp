#include "settings/installdata.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include <unistd.h>

#include "testfiles.h"

namespace fs = std::filesystem;
using namespace torvel::settings;

namespace {

void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string read(const fs::path& path) { return torvel::testing::readText(path.string()); }

class InstallDataTest : public ::testing::Test {
protected:
    fs::path root = fs::temp_directory_path() / ("torvel-installdata-" + std::to_string(::getpid()));
    fs::path prefix = root / "prefix";
    fs::path installed = prefix / "share" / "torvel";
    fs::path work = root / "home" / "torvel";

    void SetUp() override {
        fs::remove_all(root);
        write(installed / "table.res", "new table");
        write(installed / "ranking.res", "new ranking");
        write(installed / "images" / "torvel.png", "new icon");
        write(installed / "data" / "callrange0.conf", "default 0");
        write(installed / "data" / "callrange1.conf", "default 1");
    }
    void TearDown() override { fs::remove_all(root); }
};

TEST_F(InstallDataTest, FindsTheDataBesideTheBinDirectoryOnly) {
    EXPECT_EQ(installedDataDirectory(prefix / "bin" / "torvel-cli"), installed);
    EXPECT_TRUE(installedDataDirectory(root / "build" / "bin" / "torvel-cli").empty());
    fs::remove(installed / "table.res");
    EXPECT_TRUE(installedDataDirectory(prefix / "bin" / "torvel-cli").empty());
}

TEST_F(InstallDataTest, RefreshesTablesAndPicturesButKeepsTheUsersFiles) {
    write(work / "table.res", "old table");
    write(work / "images" / "torvel.png", "old icon");
    write(work / "VAZ.ini", "[VAZ]\nmsMin=3\n");
    write(work / "data" / "callrange0.conf", "saved by the user");

    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(prepareWorkingDirectory(installed, work), "");
        const std::pair<const char*, const char*> expected[] = {
            {"table.res", "new table"},
            {"ranking.res", "new ranking"},
            {"images/torvel.png", "new icon"},
            {"VAZ.ini", "[VAZ]\nmsMin=3\n"},
            {"data/callrange0.conf", "saved by the user"},
            {"data/callrange1.conf", "default 1"},
        };
        for (const auto& [file, text] : expected) EXPECT_EQ(read(work / file), text) << file;
        EXPECT_FALSE(fs::exists(work / "table.res.new"));
    }
}

TEST_F(InstallDataTest, FillsAFreshWorkingDirectoryOrReportsThatItCannot) {
    ASSERT_EQ(prepareWorkingDirectory(installed, work), "");
    for (const char* file : {"table.res", "ranking.res", "images/torvel.png", "data/callrange0.conf"})
        EXPECT_EQ(read(work / file), read(installed / file)) << file;
    fs::remove_all(root / "home");
    write(root / "home", "a file where the directory belongs");
    EXPECT_NE(prepareWorkingDirectory(installed, work), "");
}

TEST(UserWorkingDirectoryTest, TorvelHomeThenXdgThenHome) {
    struct Case {
        const char* torvelHome;
        const char* xdgDataHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/t", "/x", "/h", "/t"},
        {"", "/x", "/h", "/x/torvel"},
        {nullptr, nullptr, "/h", "/h/.local/share/torvel"},
        {nullptr, nullptr, nullptr, ""},
    };
    const auto set = [](const char* name, const char* value) {
        if (value) ::setenv(name, value, 1); else ::unsetenv(name);
    };
    const char* names[] = {"TORVEL_HOME", "XDG_DATA_HOME", "HOME"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i)
        if (const char* value = std::getenv(names[i])) saved[i] = value;
    for (const Case& c : cases) {
        set("TORVEL_HOME", c.torvelHome);
        set("XDG_DATA_HOME", c.xdgDataHome);
        set("HOME", c.home);
        EXPECT_EQ(userWorkingDirectory(), fs::path(c.expected)) << c.expected;
    }
    for (int i = 0; i < 3; ++i) set(names[i], saved[i] ? saved[i]->c_str() : nullptr);
}

}  // namespace
