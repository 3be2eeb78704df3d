// PokerStars: "PokerStars Game #" headers and the later "PokerStars Hand #"
// (and "PokerStars Home Game Hand #"), otherwise the same layout.

#include <algorithm>

#include "import/fieldreader.h"
#include "import/historyparser.h"

namespace torvel::import {

namespace {

// The hand number of a header line, or npos.
std::size_t starsHandNumber(std::string_view line) {
    if (line.substr(0, 11) != "PokerStars ")
        return std::string_view::npos;
    const std::size_t game = line.find("Game #", 11);
    const std::size_t hand = line.find("Hand #", 11);
    const std::size_t at = std::min(game, hand);
    if (at == std::string_view::npos || at + 6 >= line.size() || line[at + 6] < '0' || line[at + 6] > '9')
        return std::string_view::npos;
    return at + 6;
}

constexpr ActionWords kStarsWords{": folds", ": calls ", ": raises ", ": checks", " and is all-in", false};

}  // namespace

void HistoryParser::feedStars(std::string_view line) {
    if (const std::size_t number = starsHandNumber(line); number != std::string_view::npos) {
        startNumberedHand(line, number);
    }
    if (!hand_)
        return;

    switch (state_) {
    case kSeekingBlinds: {
        if (!contains(line, " ("))
            return;
        // The first parenthesis that holds two amounts: "Level I (10/20)".
        for (std::size_t open = line.find('('); open != std::string_view::npos; open = line.find('(', open + 1)) {
            if (const auto blinds = blindsAt(line, open + 1)) {
                setBlinds(blinds->smallBlind, blinds->bigBlind);
                break;
            }
        }
        const std::size_t dollar = line.find('$');
        const std::size_t holdem = line.find(" Hold'em");
        if (dollar != std::string_view::npos && holdem != std::string_view::npos && dollar < holdem)
            hand_->buyInText = std::string(slice(line, dollar, holdem + 12));
        state_ = kSeekingButton;
        return;
    }
    case kSeekingButton:
    case kReadingSeats:
        if (state_ == kSeekingButton) {
            if (const std::size_t at = line.find("Seat #"); at != std::string_view::npos) {
                if (const auto number = digitsAt(line, at + 6))
                    setButton(*number);
                state_ = kReadingSeats;
                return;
            }
        } else if (const auto seatRead = readSeatLine(line); seatRead && !contains(line, " out of hand")) {
            seatLine(seatRead->seatNumber, seatRead->name, seatRead->stack);
            return;
        }
        if (contains(line, "posts small blind")) {
            noSmallBlind_ = false;
        } else if (const std::size_t at = line.find(": posts the ante "); at != std::string_view::npos) {
            // Every player's ante, or only the big blind's.
            const int poster = seatByName(slice(line, 0, at));
            if (const auto ante = findAmount(line, at + 17); ante && poster >= 0) {
                postedAnte_[static_cast<std::size_t>(poster)] = ante->value;
                antesListed_ = true;
            }
        } else if (contains(line, "*** HOLE CARDS ***")) {
            state_ = kSeekingHoleCards;
        }
        return;
    case kSeekingHoleCards:
        if (line.substr(0, 9) == "Dealt to ") {
            const std::size_t open = line.rfind(" [");
            if (open == std::string_view::npos || open < 9)
                return;
            heroLine(slice(line, 9, open), slice(line, open + 1, line.find(']', open)));
        }
        return;
    case kReadingActions:
        namedActions(line, kStarsWords);
        return;
    default:
        return;
    }
}

}  // namespace torvel::import
