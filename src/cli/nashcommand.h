#pragma once
// torvel-cli nash: the push/fold equilibrium of a table as JSON.

#include <iosfwd>
#include <string>
#include <vector>

namespace torvel::cli {

// args[0] is "nash". Returns 0 solved, 2 bad arguments or missing tables.
int nashCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const std::string& dataDirectory);

}  // namespace torvel::cli
