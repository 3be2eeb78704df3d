#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/clientdirs.h"
#include "app/inifile.h"
#include "fakeregistry.h"
#include "testfiles.h"

using namespace torvel;
using torvel::testing::FakeRegistry;
using torvel::testing::ScratchDir;

namespace {

class ClientDirsTest : public ::testing::Test {
protected:
    ScratchDir scratch;
    IniFile settings{scratch.file("VAZ.ini")};
};

TEST_F(ClientDirsTest, PartyPokerDirectoryComesFromTheProgramPath) {
    struct Case {
        std::string appPath;
        std::string directory;
    };
    const Case cases[] = {
        {"C:\\Games\\PartyGaming\\RunApp.exe", "C:\\Games\\PartyGaming\\PartyPoker"},
        {"C:\\Games\\PartyGaming\\", "C:\\Games\\PartyGaming\\PartyPoker"},
        {"PartyGaming", "PartyGaming\\PartyPoker"},
        {"", "\\PartyPoker"},
        // The value ends at its terminator, whatever the buffer holds after it.
        {std::string("D:\\Party\\app.exe\0D:\\junk\\x", 26), "D:\\Party\\PartyPoker"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.directory);
        ScratchDir fresh;
        IniFile freshSettings(fresh.file("VAZ.ini"));
        FakeRegistry registry;
        registry.put(RegistryRoot::CurrentUser, "Software\\PartyGaming\\PartyPoker", "AppPath",
                     {RegistryValueType::String, c.appPath});
        EXPECT_EQ(findPartyPokerDirectory(freshSettings, registry), c.directory);
        EXPECT_EQ(freshSettings.readString("VAZ", "ppdir", "unset"), c.directory);
        EXPECT_EQ(freshSettings.readString("VAZ", "starsdir", "unset"), "unset");
        EXPECT_EQ(registry.reads(), 1);
    }
}

TEST_F(ClientDirsTest, PokerStarsDirectoryIsTakenAsItIs) {
    FakeRegistry registry;
    registry.put(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PokerStars",
                 "InstallLocation", {RegistryValueType::String, std::string("C:\\Program Files\\PokerStars\\\0", 29)});
    EXPECT_EQ(findPokerStarsDirectory(settings, registry), "C:\\Program Files\\PokerStars\\");
    EXPECT_EQ(settings.readString("VAZ", "starsdir", ""), "C:\\Program Files\\PokerStars\\");
    EXPECT_EQ(settings.readString("VAZ", "ppdir", "unset"), "unset");
}

TEST_F(ClientDirsTest, StoredDirectoriesWinAndTheRegistryIsNotAsked) {
    ASSERT_TRUE(settings.writeString("VAZ", "ppdir", "/home/anna/party"));
    ASSERT_TRUE(settings.writeString("VAZ", "starsdir", "/home/anna/stars"));
    FakeRegistry registry;
    registry.putString(kPartyPokerRegistryEntry, "C:\\Other\\app.exe");
    registry.putString(kPokerStarsRegistryEntry, "C:\\Other\\Stars");

    EXPECT_EQ(findPartyPokerDirectory(settings, registry), "/home/anna/party");
    EXPECT_EQ(findPokerStarsDirectory(settings, registry), "/home/anna/stars");
    EXPECT_EQ(registry.reads(), 0);

    // An empty stored value counts as not stored.
    ASSERT_TRUE(settings.writeString("VAZ", "ppdir", ""));
    EXPECT_EQ(findPartyPokerDirectory(settings, registry), "C:\\Other\\PartyPoker");
    EXPECT_EQ(registry.reads(), 1);
}

TEST_F(ClientDirsTest, NothingFoundLeavesTheDirectoryEmptyAndWritesNothing) {
    {
        SCOPED_TRACE("no registry on this platform");
        const NoRegistry none;
        EXPECT_EQ(findPartyPokerDirectory(settings, none), "");
        EXPECT_EQ(findPokerStarsDirectory(settings, none), "");
    }
    {
        SCOPED_TRACE("values of the wrong kind or under the wrong root");
        FakeRegistry registry;
        registry.put(RegistryRoot::CurrentUser, kPartyPokerRegistryEntry.key, "AppPath",
                     {RegistryValueType::Other, std::string("C:\\a\\b.exe\0", 11)});
        registry.put(RegistryRoot::CurrentUser, kPokerStarsRegistryEntry.key, "InstallLocation",
                     {RegistryValueType::String, std::string("C:\\Stars\0", 9)});
        EXPECT_EQ(findPartyPokerDirectory(settings, registry), "");
        EXPECT_EQ(findPokerStarsDirectory(settings, registry), "");
    }
    EXPECT_FALSE(std::filesystem::exists(settings.path()));
}

TEST_F(ClientDirsTest, DirectoriesAreHeldToTheSettingsLength) {
    FakeRegistry registry;
    registry.putString(kPokerStarsRegistryEntry, std::string(700, 's'));
    registry.putString(kPartyPokerRegistryEntry, std::string(600, 'p') + "\\app.exe");
    EXPECT_EQ(findPokerStarsDirectory(settings, registry), std::string(kSettingsValueCapacity - 1, 's'));
    EXPECT_EQ(findPartyPokerDirectory(settings, registry), std::string(kSettingsValueCapacity - 1, 'p'));
    EXPECT_EQ(settings.readString("VAZ", "starsdir", ""), std::string(kSettingsValueCapacity - 1, 's'));
}

TEST_F(ClientDirsTest, LookPicturesAreFoundBelowADirectoryPickedHere) {
    const std::filesystem::path party = std::filesystem::path(scratch.path()) / "Party Poker";
    const std::filesystem::path stars = std::filesystem::path(scratch.path()) / "PokerStars";
    std::filesystem::create_directories(party / "Images");
    std::filesystem::create_directories(stars / "Gx");
    std::ofstream(party / "Images" / "table.jpg") << "party table";
    std::ofstream(stars / "Gx" / "fg.bmp") << "stars table";

    for (const std::string& directory : {party.string(), party.string() + "/"}) {
        SCOPED_TRACE(directory);
        const std::string picture = partyPokerLookPicture(directory);
        EXPECT_TRUE(std::filesystem::is_regular_file(picture)) << picture;
        EXPECT_EQ(std::filesystem::path(picture).filename(), "table.jpg");
    }
    for (const std::string& directory : {stars.string(), stars.string() + "/"}) {
        SCOPED_TRACE(directory);
        const std::string picture = pokerStarsLookPicture(directory);
        EXPECT_TRUE(std::filesystem::is_regular_file(picture)) << picture;
        EXPECT_EQ(std::filesystem::path(picture).filename(), "fg.bmp");
    }
    // No directory, no look: not a picture relative to the working directory.
    EXPECT_EQ(partyPokerLookPicture(""), "");
    EXPECT_EQ(pokerStarsLookPicture(""), "");
}

}  // namespace
