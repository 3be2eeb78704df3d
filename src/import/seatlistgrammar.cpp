// GGPoker ("Poker Hand #TM…"), Winamax ("Winamax Poker - Tournament …") and
// the Winning Poker Network ("Game Hand #… - Tournament #…"): a header, the
// button, the seat list, blinds and antes posted line by line, "Dealt to"
// and one action per line. GGPoker writes "name: verb", the others
// "name verb".

#include "import/fieldreader.h"
#include "import/historyparser.h"

namespace torvel::import {

namespace {

struct Header {
    std::string_view handId;
    std::size_t blindsFrom = 0;  // where the blinds may start
    std::string_view buyIn;      // the tournament's buy-in or name, as written
};

std::string_view between(std::string_view line, std::string_view open, std::string_view close) {
    const std::size_t at = line.find(open);
    if (at == std::string_view::npos)
        return {};
    const std::size_t from = at + open.size();
    const std::size_t to = line.find(close, from);
    return to == std::string_view::npos ? std::string_view() : slice(line, from, to);
}

std::string_view idUntil(std::string_view line, std::size_t from, std::string_view stops) {
    std::size_t end = from;
    while (end < line.size() && stops.find(line[end]) == std::string_view::npos)
        ++end;
    return slice(line, from, end);
}

std::optional<Header> readHeader(HistoryFormat format, std::string_view line) {
    switch (format) {
    case HistoryFormat::GGPoker: {
        if (line.substr(0, 12) != "Poker Hand #")
            return std::nullopt;
        // "Tournament #25313424, L-03: $52.50 Bounty Hunters Main Event Hold'em"
        const std::string_view tournament = between(line, "Tournament #", " Hold'em");
        const std::size_t comma = tournament.find(", ");
        return Header{idUntil(line, 12, ": "), 12,
                      comma == std::string_view::npos ? std::string_view() : tournament.substr(comma + 2)};
    }
    case HistoryFormat::Winamax: {
        const std::size_t id = line.find(" - HandId: #");
        if (line.substr(0, 16) != "Winamax Poker - " || id == std::string_view::npos)
            return std::nullopt;
        return Header{idUntil(line, id + 12, " "), id + 12, between(line, "buyIn: ", " level: ")};
    }
    default: {
        // A session block may run into the header on the same line.
        const std::size_t at = line.find("Game Hand #");
        if (at == std::string_view::npos || !digitsAt(line, at + 11))
            return std::nullopt;
        return Header{idUntil(line, at + 11, " :-"), at + 11, {}};
    }
    }
}

// "(10/20)", "Level1(100/200)", Winamax's "(ante/small/big)".
void readHeaderBlinds(std::string_view line, std::size_t from, int& ante, int& smallBlind, int& bigBlind) {
    for (std::size_t open = line.find('(', from); open != std::string_view::npos; open = line.find('(', open + 1)) {
        int amounts[3] = {};
        int count = 0;
        std::size_t pos = open + 1;
        while (count < 3) {
            const std::size_t digit = line.find_first_not_of("$ \xE2\x82\xAC", pos);
            const auto amount = amountAt(line, digit == std::string_view::npos ? line.size() : digit);
            if (!amount)
                break;
            amounts[count++] = amount->value;
            pos = amount->end;
            while (pos < line.size() && (line[pos] == '$' || line[pos] == ' '))
                ++pos;
            if (pos >= line.size() || line[pos] != '/')
                break;
            ++pos;
        }
        if (count < 2 || pos >= line.size() || line[pos] != ')')
            continue;
        ante = count == 3 ? amounts[0] : 0;
        smallBlind = amounts[count - 2];
        bigBlind = amounts[count - 1];
        return;
    }
}

// The name in front of a verb: "Hero: folds", "atm money man calls 60.00".
std::string_view nameBefore(std::string_view line, std::size_t at) {
    std::size_t end = at;
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == ':'))
        --end;
    return slice(line, 0, end);
}

int amountAfter(std::string_view line, std::size_t from) {
    const auto amount = findAmount(line, from);
    return amount ? amount->value : 0;
}

}  // namespace

void HistoryParser::feedSeatListLayout(std::string_view line) {
    if (const auto header = readHeader(format_, line)) {
        startHand(header->handId);
        noSmallBlind_ = true;
        hand_->buyInText = std::string(header->buyIn);
        int ante = 0;
        int smallBlind = 0;
        int bigBlind = 0;
        readHeaderBlinds(line, header->blindsFrom, ante, smallBlind, bigBlind);
        if (bigBlind > 0)
            setBlinds(smallBlind, bigBlind);
        state_ = kReadingSeats;
        return;
    }
    if (!hand_)
        return;

    if (state_ == kReadingSeats) {
        if (const std::size_t at = line.find("Seat #"); at != std::string_view::npos && contains(line, "is the button")) {
            if (const auto number = digitsAt(line, at + 6))
                setButton(*number);
            return;
        }
        if (const auto seatRead = readSeatLine(line)) {
            if (!contains(line, " out of hand"))
                seatLine(seatRead->seatNumber, seatRead->name, seatRead->stack);
            return;
        }
        constexpr std::pair<std::string_view, ForcedBet> kPosts[] = {
            {"posts the ante ", ForcedBet::Ante},          {"posts ante ", ForcedBet::Ante},
            {"posts the small blind ", ForcedBet::SmallBlind}, {"posts small blind ", ForcedBet::SmallBlind},
            {"posts the big blind ", ForcedBet::BigBlind},   {"posts big blind ", ForcedBet::BigBlind}};
        for (const auto& [words, kind] : kPosts) {
            if (const std::size_t at = line.find(words); at != std::string_view::npos) {
                if (const int s = seatByName(nameBefore(line, at)); s >= 0)
                    postForcedBet(s, kind, amountAfter(line, at + words.size()));
                return;
            }
        }
        if (line.substr(0, 9) == "Dealt to ") {
            const std::size_t open = line.rfind(" [");
            if (open != std::string_view::npos && open > 9)
                heroLine(slice(line, 9, open), slice(line, open + 1, line.find(']', open)));
        } else if (line != "*** PRE-FLOP ***" && isStreetOrSummary(line)) {
            drop("no hole cards for the hero");
        }
        return;
    }
    if (state_ != kReadingActions || line.substr(0, 9) == "Dealt to " || line == "*** PRE-FLOP ***")
        return;
    if (isStreetOrSummary(line)) {
        drop("the hero never acted");
        return;
    }
    const bool allIn = contains(line, "all-in");
    if (const std::size_t at = line.find(" folds"); at != std::string_view::npos) {
        postedAction(nameBefore(line, at), Verb::Fold, 0, false);
    } else if (const std::size_t at = line.find(" calls "); at != std::string_view::npos) {
        postedAction(nameBefore(line, at), Verb::Call, amountAfter(line, at + 7), allIn);
    } else if (const std::size_t at = line.find(" raises "); at != std::string_view::npos) {
        const std::size_t to = line.find(" to ", at);
        if (to != std::string_view::npos)
            postedAction(nameBefore(line, at), Verb::RaiseTo, amountAfter(line, to + 4), allIn);
        else
            postedAction(nameBefore(line, at), Verb::RaiseBy, amountAfter(line, at + 8), allIn);
    } else if (const std::size_t at = line.find(" checks"); at != std::string_view::npos) {
        postedAction(nameBefore(line, at), Verb::Check, 0, false);
    }
}

}  // namespace torvel::import
