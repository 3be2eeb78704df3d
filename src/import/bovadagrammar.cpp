// Bovada and Ignition: "Bovada Hand #…" / "Ignition Hand #…" headers,
// players named by their position ("UTG+1", "Big Blind"), "[ME]" after the
// hero's, and "position : verb" lines, many of which are not actions
// ("Table enter user", "Seat sit down", "Draw for dealer"). Seat numbers
// run past ten on some tables, so seats are laid out by position: the
// dealer first, then the blinds, then UTG onwards.

#include "import/fieldreader.h"
#include "import/historyparser.h"

namespace torvel::import {

namespace {

constexpr std::string_view kHeroMark = " [ME]";

std::size_t bovadaHandNumber(std::string_view line) {
    for (const std::string_view site : {"Bovada Hand #", "Ignition Hand #", "Bodog Hand #"})
        if (const std::size_t at = line.find(site); at != std::string_view::npos && digitsAt(line, at + site.size()))
            return at + site.size();
    return std::string_view::npos;
}

// The table position of a player name, 0 for the dealer; -1 for none.
int positionIndex(std::string_view name) {
    if (name == "Dealer")
        return 0;
    if (name == "Small Blind")
        return 1;
    if (name == "Big Blind")
        return 2;
    if (name == "UTG")
        return 3;
    if (name.substr(0, 4) == "UTG+")
        if (const auto n = digitsAt(name, 4); n && *n >= 1 && *n <= 6 && name.size() == 5)
            return 3 + *n;
    return -1;
}

std::string_view withoutHeroMark(std::string_view name, bool& isHero) {
    isHero = name.size() > kHeroMark.size() && name.substr(name.size() - kHeroMark.size()) == kHeroMark;
    return isHero ? name.substr(0, name.size() - kHeroMark.size()) : name;
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

int amountIn(std::string_view text, std::size_t from = 0) {
    const auto amount = findAmount(text, from);
    return amount ? amount->value : 0;
}

}  // namespace

void HistoryParser::feedBovada(std::string_view line) {
    if (const std::size_t number = bovadaHandNumber(line); number != std::string_view::npos) {
        // A hand cut off mid-line may run straight into the next header.
        const std::size_t end = startNumberedHand(line, number);
        for (std::size_t open = line.find('(', end); open != std::string_view::npos; open = line.find('(', open + 1)) {
            if (const auto blinds = blindsAt(line, open + 1)) {
                setBlinds(blinds->smallBlind, blinds->bigBlind);
                break;
            }
        }
        state_ = kReadingSeats;
        return;
    }
    if (!hand_)
        return;

    if (state_ == kReadingSeats && startsWith(line, "Seat ")) {
        if (const auto seatRead = readSeatLine(line)) {
            bool hero = false;
            const std::string_view name = withoutHeroMark(seatRead->name, hero);
            const int index = positionIndex(name);
            if (index < 0)
                return;
            seatLine(index + 1, name, seatRead->stack);
            if (index == 0)
                setButton(1);
        }
        return;
    }
    const std::size_t colon = line.find(" : ");
    if (colon == std::string_view::npos) {
        if (state_ == kReadingSeats && line == "*** HOLE CARDS ***")
            state_ = kSeekingHoleCards;
        else if (state_ >= kSeekingHoleCards && isStreetOrSummary(line))
            drop(state_ == kSeekingHoleCards ? "no hole cards for the hero" : "the hero never acted");
        return;
    }
    bool isHeroLine = false;
    const std::string_view name = withoutHeroMark(slice(line, 0, colon), isHeroLine);
    const std::string_view verb = line.substr(colon + 3);

    if (state_ == kReadingSeats) {
        const int s = seatByName(name);
        if (s < 0)
            return;
        if (startsWith(verb, "Ante chip"))
            postForcedBet(s, ForcedBet::Ante, amountIn(verb));
        else if (startsWith(verb, "Small Blind") || startsWith(verb, "Small blind") ||
                 startsWith(verb, "Ante/Small blind"))
            postForcedBet(s, ForcedBet::SmallBlind, amountIn(verb));
        else if (startsWith(verb, "Big Blind") || startsWith(verb, "Big blind"))
            postForcedBet(s, ForcedBet::BigBlind, amountIn(verb));
        return;
    }
    if (state_ == kSeekingHoleCards) {
        if (isHeroLine && startsWith(verb, "Card dealt to a spot")) {
            const std::size_t open = verb.find('[');
            heroLine(name, slice(verb, open, verb.find(']', open)));
        }
        return;
    }
    if (state_ != kReadingActions)
        return;
    const bool allIn = startsWith(verb, "All-in");
    const std::size_t to = verb.find(" to ");
    if (startsWith(verb, "Fold"))
        postedAction(name, Verb::Fold, 0, false);
    else if (startsWith(verb, "Call"))
        postedAction(name, Verb::Call, amountIn(verb), false);
    else if ((startsWith(verb, "Raise") || startsWith(verb, "All-in(raise)")) && to != std::string_view::npos)
        postedAction(name, Verb::RaiseTo, amountIn(verb, to + 4), allIn);
    else if (allIn)
        postedAction(name, Verb::AllInBy, amountIn(verb), true);
    else if (startsWith(verb, "Check"))
        postedAction(name, Verb::Check, 0, false);
}

}  // namespace torvel::import
