#pragma once
// torvel-cli import: the hand-history import of the hand list, without a
// window. Every relevant decision is graded and printed as a JSON line.

#include <iosfwd>
#include <string>
#include <vector>

namespace torvel::cli {

// args[0] is "import". Returns 0 done, 2 bad arguments, missing tables, a
// file that cannot be read or an export that cannot be written.
int importCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& dataDirectory);

}  // namespace torvel::cli
