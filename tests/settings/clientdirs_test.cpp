#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <tuple>

#include "settings/clientdirs.h"
#include "settings/inifile.h"
#include "testfiles.h"

using namespace torvel;
using torvel::testing::ScratchDir;

namespace {

// A registry the test fills.
struct FakeRegistry final : Registry {
    void put(const RegistryEntry& entry, RegistryValue data) {
        values[{entry.root, entry.key, entry.value}] = std::move(data);
    }
    std::optional<RegistryValue> read(RegistryRoot root, std::string_view key, std::string_view value) const override {
        const auto found = values.find({root, std::string(key), std::string(value)});
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    std::map<std::tuple<RegistryRoot, std::string, std::string>, RegistryValue> values;
};

using Finder = std::string (*)(IniFile&, const Registry&);

TEST(ClientDirs, TheRegistryValueGivesTheDirectoryWhichIsStored) {
    // Where the clients write their install paths.
    const RegistryEntry partyEntry{RegistryRoot::CurrentUser, "Software\\PartyGaming\\PartyPoker", "AppPath"};
    const RegistryEntry starsEntry{RegistryRoot::LocalMachine,
                                   "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PokerStars",
                                   "InstallLocation"};
    const std::tuple<Finder, std::string, std::string> cases[] = {
        {findPartyPokerDirectory, "C:\\Games\\PartyGaming\\RunApp.exe", "C:\\Games\\PartyGaming\\PartyPoker"},
        {findPartyPokerDirectory, "PartyGaming", "PartyGaming\\PartyPoker"},
        // The value ends at its terminator, whatever the buffer holds after it.
        {findPartyPokerDirectory, std::string("D:\\Party\\app.exe\0D:\\junk\\x", 26), "D:\\Party\\PartyPoker"},
        {findPokerStarsDirectory, std::string("C:\\Program Files\\PokerStars\\\0", 29), "C:\\Program Files\\PokerStars\\"},
        // Held to the length of a settings value.
        {findPartyPokerDirectory, std::string(600, 'p') + "\\app.exe", std::string(kSettingsValueCapacity - 1, 'p')},
    };
    for (const auto& [find, registryValue, directory] : cases) {
        SCOPED_TRACE(directory.substr(0, 40));
        const bool isParty = find == findPartyPokerDirectory;
        ScratchDir scratch;
        IniFile settings(scratch.file("VAZ.ini"));
        FakeRegistry registry;
        registry.put(isParty ? partyEntry : starsEntry, {RegistryValueType::String, registryValue});
        EXPECT_EQ(find(settings, registry), directory);
        EXPECT_EQ(settings.readString("VAZ", isParty ? "ppdir" : "starsdir", "unset"), directory);
    }
}

TEST(ClientDirs, StoredDirectoriesWinAndNothingFoundWritesNothing) {
    ScratchDir scratch;
    IniFile settings(scratch.file("VAZ.ini"));
    // Values of the wrong kind or under the wrong root are no values.
    FakeRegistry misplaced;
    misplaced.put({RegistryRoot::CurrentUser, kPartyPokerRegistryEntry.key, "AppPath"},
                  {RegistryValueType::Other, std::string("C:\\a\\b.exe\0", 11)});
    misplaced.put({RegistryRoot::CurrentUser, kPokerStarsRegistryEntry.key, "InstallLocation"},
                  {RegistryValueType::String, std::string("C:\\Stars\0", 9)});
    EXPECT_EQ(findPartyPokerDirectory(settings, misplaced), "");
    EXPECT_EQ(findPokerStarsDirectory(settings, misplaced), "");
    EXPECT_FALSE(std::filesystem::exists(settings.path()));

    ASSERT_TRUE(settings.writeString("VAZ", "ppdir", "/home/anna/party"));
    ASSERT_TRUE(settings.writeString("VAZ", "starsdir", "/home/anna/stars"));
    FakeRegistry registry;
    registry.put(kPartyPokerRegistryEntry, {RegistryValueType::String, "C:\\Other\\app.exe"});
    registry.put(kPokerStarsRegistryEntry, {RegistryValueType::String, "C:\\Other\\Stars"});
    EXPECT_EQ(findPartyPokerDirectory(settings, registry), "/home/anna/party");
    EXPECT_EQ(findPokerStarsDirectory(settings, registry), "/home/anna/stars");
    // An empty stored value counts as not stored.
    ASSERT_TRUE(settings.writeString("VAZ", "ppdir", ""));
    EXPECT_EQ(findPartyPokerDirectory(settings, registry), "C:\\Other\\PartyPoker");
}

TEST(ClientDirs, LookPicturesLieBelowTheDirectory) {
    EXPECT_EQ(partyPokerLookPicture("/games/Party Poker/"), "/games/Party Poker/Images/table.jpg");
    EXPECT_EQ(pokerStarsLookPicture("/games/PokerStars"), "/games/PokerStars/Gx/fg.bmp");
    // No directory, no look: not a picture relative to the working directory.
    EXPECT_EQ(partyPokerLookPicture(""), "");
    EXPECT_EQ(pokerStarsLookPicture(""), "");
}

}  // namespace
