#pragma once
// Lists of numbers given on the command line, such as "--stacks 1,2,3".

#include <string>
#include <vector>

namespace torvel::cli {

// Splits "1,2,3" into numbers; false when the list is empty or any part
// (also an empty one, as in "1,,2" or "1,2,") is not a finite number.
bool parseNumberList(const std::string& text, std::vector<double>& values);

}  // namespace torvel::cli
