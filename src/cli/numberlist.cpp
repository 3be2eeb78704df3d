#include "cli/numberlist.h"

#include <cmath>
#include <sstream>

namespace torvel::cli {

bool parseNumberList(const std::string& text, std::vector<double>& values) {
    values.clear();
    if (!text.empty() && text.back() == ',')
        return false;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ',')) {
        if (part.empty())
            return false;
        std::size_t used = 0;
        double v = 0;
        try {
            v = std::stod(part, &used);
        } catch (...) {
            return false;
        }
        if (used != part.size() || !std::isfinite(v))
            return false;
        values.push_back(v);
    }
    return !values.empty();
}

}  // namespace torvel::cli
