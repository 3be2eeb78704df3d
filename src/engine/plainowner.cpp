#include "engine/plainowner.h"

#include "engine/constants.h"

namespace torvel {

PlainOwner::PlainOwner() : nicknames_(defaultNicknames()) {}

LoadResult PlainOwner::loadTables(const std::string& directory) {
    const std::string prefix = directory.empty() ? std::string() : directory + "/";
    if (auto r = table_.load(prefix + "table.res"); !r)
        return r;
    return ranking_.load(prefix + "ranking.res");
}

double PlainOwner::payoutPercent(int place) const {
    return place >= 0 && place < kPlaceCount ? payouts_[static_cast<std::size_t>(place)] : 0.0;
}

void PlainOwner::setPayoutPercent(int place, double percent) {
    if (place >= 0 && place < kPlaceCount)
        payouts_[static_cast<std::size_t>(place)] = percent;
}

void PlainOwner::reportWarning(const std::string& text) {
    if (warningSink_)
        warningSink_(text);
    else
        reportError(text, "Warning");
}

void PlainOwner::reportError(const std::string& text, const std::string& caption) {
    errors_.push_back({text, caption});
}

const std::vector<std::string>& defaultNicknames() {
    static const std::vector<std::string> names = {
        "Nemo",       "Blackjack",  "Shorty",     "Riverrat",   "Maverick",   "Ace",        "Bluffalo",
        "Gambit",     "Rounder",    "Stonewall",  "Felix",      "Dutch",      "Whisper",    "Lucky7",
        "Grinder",    "Sunny",      "Tornado",    "Boomer",     "Pilgrim",    "Falcon",     "Nitro",
        "Jackal",     "Cobra",      "Domino",     "Oyster",     "Piranha",    "Marlin",     "Orca",
        "Kingfisher", "Rook",       "Bishop",     "Knightmare", "Wizard",     "Sphinx",     "Phantom",
        "Voodoo",     "Quicksilver", "Thunder",   "Blizzard",   "Sahara",     "Tundra",     "Glacier",
        "Monsoon",    "Comet",      "Nebula",     "Pulsar",     "Quasar",     "Zenith",     "Apex",
        "Summit",     "Granite",    "Basalt",     "Cobalt",     "Copper",     "Silver",     "Goldfinger",
        "Platinum",   "Titanium",   "Mercury",    "Jupiter",    "Saturn"};
    return names;
}

}  // namespace torvel
