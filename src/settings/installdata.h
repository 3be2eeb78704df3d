#pragma once
// Where an installed program keeps its read-only data, and the per-user
// working directory it prepares from it.
#include <filesystem>
#include <string>

namespace torvel::settings {

// <prefix>/share/torvel for an executable in <prefix>/bin; empty when no
// tables lie there (a program started from the build tree).
std::filesystem::path installedDataDirectory(const std::filesystem::path& executable);

// The running program's own file (empty where the system does not say).
std::filesystem::path runningExecutable();

// TORVEL_HOME, else $XDG_DATA_HOME/torvel, else ~/.local/share/torvel; empty
// when neither the variables nor HOME are set.
std::filesystem::path userWorkingDirectory();

// Refreshes the tables and pictures in workDirectory from installedData and
// copies default profiles only where none exist; other files (the settings,
// saved profiles, the hand database) are never touched. Returns "" or the
// reason it failed.
std::string prepareWorkingDirectory(const std::filesystem::path& installedData,
                                    const std::filesystem::path& workDirectory);

}  // namespace torvel::settings
