#include "settings/clientdirs.h"

#include <filesystem>

#include "settings/inifile.h"

namespace torvel {

namespace {

// A registry string up to its terminator; nothing for any other kind.
std::optional<std::string> registryText(const Registry& registry, const RegistryEntry& entry) {
    const std::optional<RegistryValue> found = registry.read(entry.root, entry.key, entry.value);
    if (!found || found->type != RegistryValueType::String)
        return std::nullopt;
    const std::size_t end = found->data.find('\0');
    return found->data.substr(0, end);
}

template <typename MakeDirectory>
std::string findDirectory(IniFile& settings, const Registry& registry, const char* settingsKey,
                          const RegistryEntry& entry, MakeDirectory makeDirectory) {
    std::string directory = settings.readString(kSettingsSection, settingsKey, "");
    if (!directory.empty())
        return directory;
    const std::optional<std::string> text = registryText(registry, entry);
    if (!text)
        return {};
    directory = fittedToCapacity(makeDirectory(*text));
    // Losing the note only means asking the registry again next time.
    settings.writeString(kSettingsSection, settingsKey, directory);
    return directory;
}

std::string pictureBelow(std::string_view directory, const char* folder, const char* file) {
    if (directory.empty())
        return {};
    return (std::filesystem::path(std::string(directory)) / folder / file).string();
}

}  // namespace

std::string partyPokerDirectoryFromAppPath(std::string_view appPath) {
    const std::size_t lastBackslash = appPath.rfind('\\');
    std::string directory(appPath.substr(0, lastBackslash));
    directory += "\\PartyPoker";
    return directory;
}

std::string findPartyPokerDirectory(IniFile& settings, const Registry& registry) {
    return findDirectory(settings, registry, kPartyPokerDirectoryKey, kPartyPokerRegistryEntry,
                         [](const std::string& appPath) { return partyPokerDirectoryFromAppPath(appPath); });
}

std::string findPokerStarsDirectory(IniFile& settings, const Registry& registry) {
    return findDirectory(settings, registry, kPokerStarsDirectoryKey, kPokerStarsRegistryEntry,
                         [](const std::string& installLocation) { return installLocation; });
}

std::string partyPokerLookPicture(std::string_view directory) {
    return pictureBelow(directory, "Images", "table.jpg");
}

std::string pokerStarsLookPicture(std::string_view directory) {
    return pictureBelow(directory, "Gx", "fg.bmp");
}

}  // namespace torvel
