#pragma once
// torvel-cli report: the leak report of the decisions kept in the hand
// database, as one JSON object.

#include <iosfwd>
#include <string>
#include <vector>

namespace torvel::cli {

// args[0] is "report". Returns 0 done, 2 bad arguments or a database that
// cannot be read.
// The default database is hands.sqlite in dataDirectory.
int reportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& dataDirectory);

}  // namespace torvel::cli
