#pragma once
// Where the PartyPoker and PokerStars clients are installed, so the table can
// be drawn in their looks: from the settings file when stored there, else from
// the registry entries the clients write on Windows (then stored for the next
// start), and the picture of each look below its directory.

#include <optional>
#include <string>
#include <string_view>

namespace torvel {

class IniFile;

inline constexpr char kPartyPokerDirectoryKey[] = "ppdir";
inline constexpr char kPokerStarsDirectoryKey[] = "starsdir";

enum class RegistryRoot { CurrentUser, LocalMachine };
enum class RegistryValueType { String, Other };

struct RegistryValue {
    RegistryValueType type = RegistryValueType::Other;
    std::string data;  // raw bytes; a string usually ends in a NUL
};

struct RegistryEntry {
    RegistryRoot root;
    const char* key;
    const char* value;
};

inline constexpr RegistryEntry kPartyPokerRegistryEntry{RegistryRoot::CurrentUser, "Software\\PartyGaming\\PartyPoker",
                                                        "AppPath"};
inline constexpr RegistryEntry kPokerStarsRegistryEntry{
    RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PokerStars", "InstallLocation"};

// Read access to the system registry.
class Registry {
public:
    virtual ~Registry() = default;
    // Nothing when the key cannot be opened or has no such value.
    virtual std::optional<RegistryValue> read(RegistryRoot root, std::string_view key,
                                              std::string_view value) const = 0;
};

// This platform has no registry: every lookup finds nothing, and the settings
// file and the directory dialog remain the ways in.
class NoRegistry final : public Registry {
public:
    std::optional<RegistryValue> read(RegistryRoot, std::string_view, std::string_view) const override {
        return std::nullopt;
    }
};

// The client program's path cut at its last backslash, then "\PartyPoker".
std::string partyPokerDirectoryFromAppPath(std::string_view appPath);

// "ppdir" from the settings; when empty, the registry's "AppPath" made into
// the directory and stored in "ppdir". Empty when neither knows it.
std::string findPartyPokerDirectory(IniFile& settings, const Registry& registry);
// "starsdir" from the settings; when empty, the registry's "InstallLocation"
// as it is, stored in "starsdir".
std::string findPokerStarsDirectory(IniFile& settings, const Registry& registry);

// The picture of each look below its client directory, with this platform's
// separators; empty for an empty directory, which has no look.
std::string partyPokerLookPicture(std::string_view directory);
std::string pokerStarsLookPicture(std::string_view directory);

}  // namespace torvel
