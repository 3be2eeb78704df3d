#pragma once
// torvel-cli deal: trainer spots from the dealer, as situation JSON.

#include <iosfwd>
#include <string>
#include <vector>

namespace torvel::cli {

int dealCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const std::string& dataDirectory);

}  // namespace torvel::cli
