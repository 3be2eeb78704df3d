#include "cli/tableloading.h"

#include <filesystem>
#include <ostream>

#include "engine/plainowner.h"

namespace torvel::cli {

std::string dataPath(const std::string& directory, const std::string& name) {
    return directory.empty() || directory == "." ? name : (std::filesystem::path(directory) / name).string();
}

bool loadTablesInto(PlainOwner& owner, const std::string& dataDirectory, std::ostream& err) {
    owner.setWarningSink([&err](const std::string& text) { err << "torvel-cli: warning: " << text << "\n"; });
    if (auto loaded = owner.loadTables(dataDirectory); !loaded) {
        err << "torvel-cli: " << loaded.reason << "\n";
        return false;
    }
    owner.setProfileDirectory(dataPath(dataDirectory, "data"));
    return true;
}

}  // namespace torvel::cli
