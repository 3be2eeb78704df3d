#pragma once
// Importing hand histories: picks the layout of a file, reads every hand
// with the grammar of that layout and hands each of the hero's short-stack
// preflop decisions, as a filled situation, to the caller. Knows nothing of
// windows; the hand list and torvel-cli are its two callers.

#include <istream>
#include <string>
#include <vector>

#include "import/importtypes.h"

namespace torvel {
class GameStateOwner;
}

namespace torvel::import {

struct ImportSummary {
    HistoryFormat format = HistoryFormat::PartyGameNo;
    bool opened = true;   // false: the file could not be opened or read (reads as empty)
    std::string failure;  // why, when not opened
    int handCount = 0;    // hands whose header was recognised
    int relevantCount = 0;  // decisions handed to onDecision
};

// The layout from the first lines of a file (at most eleven are looked at).
HistoryFormat chooseFormat(const std::vector<std::string>& firstLines);

// Reads a whole stream. Situations are created with owner (may be null).
ImportSummary importHistory(std::istream& in, GameStateOwner* owner, const ImportCallbacks& callbacks);
ImportSummary importHistoryFile(const std::string& path, GameStateOwner* owner, const ImportCallbacks& callbacks);


}  // namespace torvel::import
