#pragma once
// The hand list written out as text in the PartyPoker "#Game No" layout, so
// the decisions can be read again by the import or by other tools. The
// hero is always "Hero"; tournament, table and date lines are fixed.

#include <string>
#include <vector>

#include "engine/gamestate.h"

namespace torvel::import {

// The text of the situations in list order, numbered from 1, every line
// ending in CR LF. No situations give an empty text.
std::string exportText(const std::vector<const GameState*>& situations);

// The name the export writes to: ".txt" is added unless the name already
// ends in ".txt" (letter case counts).
std::string exportFileName(const std::string& chosen);

struct WriteResult {
    bool ok = true;
    std::string reason;  // what went wrong, for the user
    explicit operator bool() const { return ok; }
};

// Why an export of that many graded decisions must not go to target: it is
// one of the imported files (also through a link), or there is nothing to
// export and an existing file would only be wiped. Empty when it may.
std::string exportRefusal(const std::string& target, const std::vector<std::string>& inputs, std::size_t decisions);

// Writes text to a temporary file beside path and renames it over path, so
// a failure never leaves a half-written file behind.
WriteResult writeFileAtomically(const std::string& path, const std::string& text);

}  // namespace torvel::import
