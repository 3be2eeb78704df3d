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

constexpr ActionWords kFullTiltWords{" folds", " calls ", " raises", " checks", " and is all in", true};

}  // namespace

void HistoryParser::feedFullTilt(std::string_view line) {
    if (const std::size_t number = fullTiltHandNumber(line); number != std::string_view::npos) {
        // A hand still being filled is settled here: a new header always
        // starts afresh.
        const std::size_t end = startNumberedHand(line, number);

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
            namedActions(line, kFullTiltWords);
        return;
    default:
        return;
    }
}

}  // namespace torvel::import
