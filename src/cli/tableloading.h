#pragma once
// What every command that needs the equity tables does first.

#include <iosfwd>
#include <string>

namespace torvel {
class PlainOwner;
}

namespace torvel::cli {

// name below the data directory ("." or empty: the working directory).
std::string dataPath(const std::string& directory, const std::string& name);

// Loads the tables below dataDirectory, sends warnings to err and reads the
// calling-range profiles from its data folder. False (with the reason told
// on err) when the tables are missing or damaged.
bool loadTablesInto(PlainOwner& owner, const std::string& dataDirectory, std::ostream& err);

}  // namespace torvel::cli
