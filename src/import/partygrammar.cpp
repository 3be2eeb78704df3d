// PartyPoker, both layouts: "#Game No : " (old and later files) and
// "***** Hand History for Game " (also the body of e-mailed transcripts).
// The preamble lines come in different orders across the years, so they
// are told apart by their own shape, not by their place.

#include "import/fieldreader.h"
#include "import/historyparser.h"

namespace torvel::import {

namespace {

constexpr std::string_view kGameNoHeader = "#Game No : ";

std::string_view nameBefore(std::string_view line, std::size_t marker) { return slice(line, 0, marker); }

}  // namespace

std::size_t partyHeaderEnd(std::string_view line) {
    const std::size_t at = line.find("***** Hand History ");
    if (at == std::string_view::npos)
        return at;
    const std::size_t word = at + 19;
    if (line.size() < word + 9)
        return std::string_view::npos;
    const std::string_view forGame = line.substr(word, 9);
    if ((forGame[0] != 'f' && forGame[0] != 'F') || forGame.substr(1) != "or Game ")
        return std::string_view::npos;
    return word + 9;
}

void HistoryParser::feedParty(std::string_view line) {
    if (format_ == HistoryFormat::PartyGameNo) {
        if (const std::size_t at = line.find(kGameNoHeader); at != std::string_view::npos) {
            startHand(line.substr(at + kGameNoHeader.size()));
            return;
        }
    } else if (const std::size_t after = partyHeaderEnd(line); after != std::string_view::npos) {
        std::size_t end = after;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9')
            ++end;
        startHand(line.substr(after, end - after));
        return;
    }
    if (!hand_)
        return;

    if (heroRaisePending_) {
        if (contains(line, "is all-In"))
            seat(hand_->heroSeat).isAllIn = true;
        evaluate();
        return;
    }

    switch (state_) {
    case kSeekingBlinds:
    case kSeekingButton:
    case kReadingSeats:
        partyPreamble(line);
        break;
    case kSeekingHoleCards:
        if (const std::size_t at = line.find("Dealt to "); at != std::string_view::npos) {
            const std::size_t nameStart = at + 9;
            const std::size_t open = line.rfind(" [");
            if (open == std::string_view::npos || open < nameStart)
                return;
            const std::size_t close = line.find(']', open);
            heroLine(slice(line, nameStart, open), slice(line, open + 1, close));
        }
        break;
    case kReadingActions:
        partyActions(line);
        break;
    default:
        break;
    }
}

void HistoryParser::partyPreamble(std::string_view line) {
    if (contains(line, "** Dealing down cards **")) {
        state_ = kSeekingHoleCards;
        return;
    }
    // Somebody acting before the cards: not a hand this layout can show.
    if (format_ == HistoryFormat::PartyGameNo &&
        (contains(line, " folds") || contains(line, " checks") || contains(line, " calls"))) {
        drop("actions before the cards were dealt");
        return;
    }

    const std::size_t blindsWithAnte = line.find("Blinds-Antes(");
    const std::size_t blinds = blindsWithAnte != std::string_view::npos ? blindsWithAnte : line.find("Blinds(");
    if (blinds != std::string_view::npos) {
        const std::size_t open = line.find('(', blinds);
        const std::size_t close = line.find(')', open);
        if (const auto read = blindsAt(line, open + 1); read && !blindsKnown_) {
            setBlinds(read->smallBlind, read->bigBlind);
            if (blindsWithAnte != std::string_view::npos) {
                const std::size_t dash = line.find('-', read->end);
                if (dash != std::string_view::npos && dash < close)
                    if (const auto ante = findAmount(line, dash + 1, close))
                        statedAnte_ = ante->value;
            }
        }
        constexpr std::string_view kBuyIn = " Buy-in Trny";
        const std::size_t dollar = line.find('$');
        const std::size_t buyIn = line.find(kBuyIn);
        if (dollar != std::string_view::npos && buyIn != std::string_view::npos && dollar < buyIn)
            hand_->buyInText = std::string(slice(line, dollar, buyIn + kBuyIn.size()));
        if (state_ == kSeekingBlinds)
            state_ = kSeekingButton;
    } else if (!blindsKnown_ && contains(line, "Hold'em")) {
        // Mailed transcripts open with "30/60 Tourney Texas Hold'em ...".
        if (const auto read = blindsAt(line, 0))
            setBlinds(read->smallBlind, read->bigBlind);
    }

    if (const std::size_t button = line.find(" is the button"); button != std::string_view::npos) {
        const std::size_t seatWord = line.rfind("Seat ", button);
        if (seatWord != std::string_view::npos && !GameState::validSeat(hand_->buttonSeat))
            if (const auto number = digitsAt(line, seatWord + 5))
                setButton(*number);
        if (state_ < kReadingSeats)
            state_ = kReadingSeats;
        return;
    }
    if (const auto seatRead = readSeatLine(line)) {
        seatLine(seatRead->seatNumber, seatRead->name, seatRead->stack);
        return;
    }
    if (contains(line, "There is no Small Blind")) {
        sawNoSmallBlindLine_ = true;
        return;
    }
    if (const std::size_t at = line.find(" posts small blind"); at != std::string_view::npos) {
        sawSmallBlindPost_ = true;
        if (const auto amount = findAmount(line, at + 18); amount && !blindsKnown_)
            hand_->smallBlind = amount->value;
        return;
    }
    if (const std::size_t at = line.find(" posts big blind"); at != std::string_view::npos) {
        sawBigBlindPost_ = true;
        if (const auto amount = findAmount(line, at + 16); amount && !blindsKnown_)
            hand_->bigBlind = amount->value;
        return;
    }
    if (const std::size_t at = line.find(" posts ante"); at != std::string_view::npos && statedAnte_ < 0)
        if (const auto amount = findAmount(line, at + 11))
            statedAnte_ = amount->value;
}

void HistoryParser::partyActions(std::string_view line) {
    if (contains(line, "** Dealing")) {
        // The hero saw the flop without being asked to act.
        heroActs(5);
        return;
    }
    if (contains(line, "** Summary **")) {
        drop("the hero never acted");
        return;
    }
    if (const std::size_t at = line.find(" folds"); at != std::string_view::npos) {
        const std::string_view name = nameBefore(line, at);
        if (isHero(name))
            heroActs(0);
        else if (const int s = seatByName(name); s >= 0)
            opponentFolds(s);
        return;
    }
    if (const std::size_t at = line.find(" calls "); at != std::string_view::npos) {
        const std::string_view name = nameBefore(line, at);
        if (isHero(name))
            heroActs(1);
        else if (const int s = seatByName(name); s >= 0)
            if (const auto amount = findAmount(line, at + 7))
                opponentCalls(s, amount->value);
        return;
    }
    if (const std::size_t at = line.find(" raises "); at != std::string_view::npos) {
        const std::string_view name = nameBefore(line, at);
        if (isHero(name)) {
            if (format_ == HistoryFormat::PartyHandHistory) {
                hand_->heroAction = 2;
                heroRaisePending_ = true;
            } else {
                heroActs(2);
            }
        } else if (const int s = seatByName(name); s >= 0) {
            if (const auto amount = findAmount(line, at + 8))
                opponentRaises(s, amount->value);
        }
        return;
    }
    if (const std::size_t at = line.find(" is all-In"); at != std::string_view::npos) {
        const std::string_view name = nameBefore(line, at);
        if (isHero(name)) {
            heroActs(3);
        } else if (const int s = seatByName(name); s >= 0 && !seat(s).isAllIn) {
            // "is all-In." without an amount: everything he has goes in.
            const auto amount = findAmount(line, at + 10);
            opponentAllIn(s, amount ? amount->value : seat(s).stack + seat(s).bet, kActionRaise, true);
        }
        return;
    }
    if (const std::size_t at = line.find(" checks"); at != std::string_view::npos && isHero(nameBefore(line, at)))
        heroActs(5);
}

}  // namespace torvel::import
