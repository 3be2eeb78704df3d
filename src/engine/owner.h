#pragma once
// What a situation record needs from whoever holds it: the shared tables,
// the payout structure, the nicknames, a running instance counter and a
// place to report errors. The main window implements it in the program; a
// plain object serves the command-line tool and the tests.

#include <string>
#include <vector>

namespace torvel {

class EquityTable;
class HandRanking;

class GameStateOwner {
public:
    virtual ~GameStateOwner() = default;

    virtual const EquityTable& equityTable() const = 0;
    virtual const HandRanking& handRanking() const = 0;
    // The payout of place 1..10 (index 0..9) in percent of the prize pool,
    // as typed in the payout fields; 0 or less means not paid.
    virtual double payoutPercent(int place) const = 0;
    virtual const std::vector<std::string>& nicknames() const = 0;
    // Advances the instance counter and returns its new value.
    virtual int nextInstanceNumber() = 0;
    // Shows an error to the user (a message box in the program).
    virtual void reportError(const std::string& text, const std::string& caption) = 0;
    // Tells the user of a problem that the program worked around (a damaged
    // profile file replaced by the defaults).
    virtual void reportWarning(const std::string& text) { reportError(text, "Warning"); }
    // Directory of the calling-range profile files.
    virtual std::string profileDirectory() const { return "data"; }
};

}  // namespace torvel
