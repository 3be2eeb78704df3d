#include "import/handexport.h"

#include <filesystem>

#include <cstdio>

#include "engine/atomicfile.h"
#include "engine/cards.h"

namespace torvel::import {

namespace {

constexpr const char* kLineEnd = "\r\n";

void writeSituation(std::string& out, const GameState& g, int number) {
    const std::string n = std::to_string(number);
    const std::string blinds = "Blinds(" + std::to_string(g.smallBlind) + "/" + std::to_string(g.bigBlind) + ")";
    auto line = [&out](const std::string& text) {
        out += text;
        out += kLineEnd;
    };
    line("Game #" + n + " starts.");
    line("");
    line("#Game No : " + n + " ");
    line("***** Hand History for Game " + n + " *****");
    line("NL Texas Hold'em $100 Buy-in Trny: " + n + " Level: 1   " + blinds +
         " - Saturday, January 06, 07:18:02 ET 2007");
    line("Table $200K Speed Qualifier #1 (Real Money)");
    line("Seat " + std::to_string(g.buttonSeat + 1) + " is the button");
    line("Total number of players : " + std::to_string(g.playerCount) + " ");
    for (int s = 0; s < kSeatCount; ++s) {
        const SeatState& seat = g.seats[static_cast<std::size_t>(s)];
        if (!seat.occupied())
            continue;
        const std::string name = seat.status == kSeatHero ? std::string("Hero") : std::string(seat.name);
        line("Seat " + std::to_string(s + 1) + ": " + name + " ( $" + std::to_string(seat.totalChips()) + " )");
    }
    line("Trny: 1 Level: 1");
    line(blinds);
    line("** Dealing down cards **");

    const bool heroSeated = GameState::validSeat(g.heroSeat) &&
                            g.seats[static_cast<std::size_t>(g.heroSeat)].occupied();
    if (heroSeated) {
        const SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
        line("Dealt to Hero [  " + cardName(hero.card1) + " " + cardName(hero.card2) + " ]");
        // From the seat after the big blind round to the hero; the walk
        // cannot pass more seats than the table has.
        int s = g.nextOccupiedSeat(g.nextOccupiedSeat(g.buttonSeat));
        for (int step = 0; step < kSeatCount; ++step) {
            s = g.nextOccupiedSeat(s);
            if (s == g.heroSeat || !GameState::validSeat(s))
                break;
            const SeatState& seat = g.seats[static_cast<std::size_t>(s)];
            const std::string name(seat.name);
            switch (seat.action) {
            case kActionFold:
                line(name + " folds");
                break;
            case kActionCall:
                line(name + " calls [" + std::to_string(seat.bet) + "]");
                break;
            case kActionRaise:
                line(name + " raises [" + std::to_string(seat.bet) + "]");
                break;
            default:
                break;
            }
        }
        switch (g.heroAction) {
        case 0:
            line("Hero folds");
            break;
        case 1:
            line("Hero calls [" + std::to_string(hero.bet) + "]");
            break;
        case 2:
            line("Hero raises [" + std::to_string(hero.bet) + "]");
            break;
        case 3:
            line("Hero is all-In  [" + std::to_string(hero.totalChips()) + "]");
            break;
        case 5:
            line("Hero checks");
            break;
        default:
            break;
        }
    }
    line("");
    line("");
}

}  // namespace

std::string exportText(const std::vector<const GameState*>& situations) {
    std::string out;
    int number = 0;
    for (const GameState* g : situations) {
        ++number;
        if (g != nullptr)
            writeSituation(out, *g, number);
    }
    return out;
}

std::string exportFileName(const std::string& chosen) {
    const std::string suffix = ".txt";
    if (chosen.size() >= suffix.size() && chosen.compare(chosen.size() - suffix.size(), suffix.size(), suffix) == 0)
        return chosen;
    return chosen + suffix;
}

std::string exportRefusal(const std::string& target, const std::vector<std::string>& inputs, std::size_t decisions) {
    for (const std::string& input : inputs) {
        std::error_code error;
        if (input == target || std::filesystem::equivalent(input, target, error))
            return "The export " + target + " is one of the imported hand histories: it was not written.";
    }
    if (decisions == 0)
        return "There is no graded decision to export: " + target + " was not written.";
    return {};
}

WriteResult writeFileAtomically(const std::string& path, const std::string& text) {
    const AtomicWriteResult written = torvel::writeFileAtomically(path, text);
    return {written.ok, written.reason};
}

}  // namespace torvel::import
