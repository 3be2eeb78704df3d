#pragma once
// The commands of torvel-cli, runnable in-process.

#include <iosfwd>
#include <string>
#include <vector>

namespace torvel::cli {

// Runs torvel-cli with its arguments (without the program name), reading
// the data tables and profiles below dataDirectory. Returns the exit status:
// 0 done, 1 refused, 2 unreadable input or missing tables.
int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
           const std::string& dataDirectory = ".");

}  // namespace torvel::cli
