// Full Tilt Poker: "Full Tilt Poker Game #" (and "Hand #") headers, with the
// blinds after the table ("Table 1 - 10/20 - No Limit Hold'em") or after
// the game ("Table 1 - NL Hold'em - 15/30"), "Match 2" for heads-up.

#include "import/fieldreader.h"
#include "import/historyparser.h"

namespace torvel::import {

namespace {

std::size_t fullTiltHandNumber(std::string_view line) {
    for (const std::string_view prefix : {"Full Tilt Poker ", "FullTiltPoker "}) {
        if (line.substr(0, prefix.size()) != prefix)
            continue;
        const std::string_view rest = line.substr(prefix.size());
        if (rest.substr(0, 6) != "Game #" && rest.substr(0, 6) != "Hand #")
            return std::string_view::npos;
        const std::size_t at = prefix.size() + 6;
        if (at >= line.size() || line[at] < '0' || line[at] > '9')
            return std::string_view::npos;
        return at;
    }
    return std::string_view::npos;
}

}  // namespace

void HistoryParser::feedFullTilt(std::string_view line) {
    if (const std::size_t number = fullTiltHandNumber(line); number != std::string_view::npos) {
        std::size_t end = number;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9')
            ++end;
        // A hand still being filled is settled here: a new header always
        // starts afresh.
        startHand(line.substr(number, end - number));
        noSmallBlind_ = true;

        // The blinds are the first " - " part that reads "small/big",
        // possibly followed by "Ante 25".
        for (std::size_t part = line.find(" - ", end); part != std::string_view::npos;
             part = line.find(" - ", part + 3)) {
            if (const auto blinds = blindsAt(line, part + 3)) {
                setBlinds(blinds->smallBlind, blinds->bigBlind);
                const std::size_t ante = line.find(" Ante ", blinds->end);
                if (ante != std::string_view::npos && ante == blinds->end)
                    if (const auto amount = amountAt(line, ante + 6))
                        statedAnte_ = amount->value;
                break;
            }
        }
        const std::size_t dollar = line.find('$');
        const std::size_t plus = line.find(" + ");
        if (dollar != std::string_view::npos && plus != std::string_view::npos && dollar < plus)
            hand_->buyInText = std::string(slice(line, dollar, plus + 1));
        state_ = kReadingSeats;
        return;
    }
    if (!hand_)
        return;

    switch (state_) {
    case kSeekingBlinds:
    case kReadingSeats:
        if (const std::size_t at = line.find("The button is in seat #"); at != std::string_view::npos) {
            if (const auto number = digitsAt(line, at + 23))
                setButton(*number);
            state_ = kSeekingHoleCards;
        } else if (const auto seatRead = readSeatLine(line)) {
            seatLine(seatRead->seatNumber, seatRead->name, seatRead->stack);
        } else if (contains(line, " posts the small blind")) {
            noSmallBlind_ = false;
        } else if (const std::size_t ante = line.find(" posts an ante of "); ante != std::string_view::npos) {
            if (const auto amount = findAmount(line, ante + 17); amount && statedAnte_ < 0)
                statedAnte_ = amount->value;
        } else if (contains(line, "*** HOLE CARDS ***")) {
            state_ = kSeekingHoleCards;
        }
        return;
    case kSeekingHoleCards:
        if (hand_->playerCount >= 1 && line.substr(0, 9) == "Dealt to ") {
            const std::size_t open = line.rfind(" [");
            if (open == std::string_view::npos || open < 9)
                return;
            heroLine(slice(line, 9, open), slice(line, open + 1, line.find(']', open)));
        } else if (const std::size_t at = line.find("The button is in seat #"); at != std::string_view::npos) {
            if (const auto number = digitsAt(line, at + 23))
                setButton(*number);
        }
        return;
    case kReadingActions:
        if (hand_->playerCount >= 1)
            fullTiltActions(line);
        return;
    default:
        return;
    }
}

void HistoryParser::fullTiltActions(std::string_view line) {
    if (isStreetOrSummary(line)) {
        drop("the hero never acted");
        return;
    }
    if (const std::size_t at = line.find(" folds"); at != std::string_view::npos) {
        const std::string_view name = slice(line, 0, at);
        if (isHero(name))
            heroActs(0);
        else if (const int s = seatByName(name); s >= 0)
            opponentFolds(s);
        return;
    }
    const bool allIn = contains(line, " and is all in");
    if (const std::size_t at = line.find(" calls "); at != std::string_view::npos) {
        const std::string_view name = slice(line, 0, at);
        if (isHero(name)) {
            heroActs(1);
        } else if (const int s = seatByName(name); s >= 0) {
            if (const auto amount = amountAt(line, at + 7)) {
                if (allIn)
                    opponentAllIn(s, amount->value, kActionCall, true);
                else
                    opponentCalls(s, amount->value);
            }
        }
        return;
    }
    if (const std::size_t at = line.find(" raises"); at != std::string_view::npos) {
        const std::string_view name = slice(line, 0, at);
        if (isHero(name)) {
            heroActs(allIn ? 3 : 2);
        } else if (const int s = seatByName(name); s >= 0) {
            const std::size_t to = line.find(" to ", at);
            if (to == std::string_view::npos)
                return;
            if (const auto amount = amountAt(line, to + 4)) {
                if (allIn)
                    opponentAllIn(s, amount->value, kActionRaise, true);
                else
                    opponentRaises(s, amount->value);
            }
        }
        return;
    }
    if (const std::size_t at = line.find(" checks"); at != std::string_view::npos && isHero(slice(line, 0, at)))
        heroActs(5);
}

}  // namespace torvel::import
