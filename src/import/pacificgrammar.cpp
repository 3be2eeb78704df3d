// 888poker (also 888.ro, Pacific Poker): "#Game No : …" then "***** 888poker
// Hand History for Game …", blinds "$10/$20 Blinds", "100 $/200 $ Blinds" or
// "25 000/50 000 Blinds", amounts in brackets ("calls [$50]") that are what
// the player puts in with that action.

#include "import/fieldreader.h"
#include "import/historyparser.h"

namespace torvel::import {

namespace {

// The hand number in "***** 888poker Hand History for Game 123 *****".
std::size_t pacificHandNumber(std::string_view line) {
    if (line.substr(0, 6) != "***** ")
        return std::string_view::npos;
    const std::size_t at = line.find(" Hand History for Game ");
    if (at == std::string_view::npos || !digitsAt(line, at + 23))
        return std::string_view::npos;
    return at + 23;
}

// An amount with the currency before or after it: "$10", "100 $", "1.550 $".
std::optional<AmountField> moneyAt(std::string_view text, std::size_t pos) {
    pos = text.find_first_not_of("$ ", pos);
    if (pos == std::string_view::npos)
        return std::nullopt;
    auto amount = amountAt(text, pos);
    if (amount)
        while (amount->end < text.size() && (text[amount->end] == ' ' || text[amount->end] == '$'))
            ++amount->end;
    return amount;
}

int bracketAmount(std::string_view line, std::size_t from) {
    const std::size_t open = line.find('[', from);
    if (open == std::string_view::npos)
        return 0;
    const auto amount = moneyAt(line, open + 1);
    return amount ? amount->value : 0;
}

}  // namespace

void HistoryParser::feedPacific(std::string_view line) {
    if (const std::size_t number = pacificHandNumber(line); number != std::string_view::npos) {
        startNumberedHand(line, number);
        state_ = kReadingSeats;
        return;
    }
    if (!hand_)
        return;

    if (state_ == kReadingSeats) {
        if (const std::size_t at = line.find(" Blinds "); at != std::string_view::npos && !blindsKnown_) {
            const auto small = moneyAt(line, 0);
            if (small && small->end < at && line[small->end] == '/')
                if (const auto big = moneyAt(line, small->end + 1))
                    setBlinds(small->value, big->value);
            return;
        }
        if (line.substr(0, 12) == "Tournament #") {
            // "Tournament #89473760 $0.45 + $0.05 - Table #3 9 Max (Real Money)"
            const std::size_t from = line.find(' ', 12);
            const std::size_t to = line.find(" - Table");
            if (from != std::string_view::npos && to != std::string_view::npos && from < to)
                hand_->buyInText = std::string(slice(line, from + 1, to));
            return;
        }
        if (line.substr(0, 5) == "Seat " && contains(line, " is the button")) {
            if (const auto number = digitsAt(line, 5))
                setButton(*number);
            return;
        }
        if (const auto seatRead = readSeatLine(line)) {
            seatLine(seatRead->seatNumber, seatRead->name, seatRead->stack);
            return;
        }
        constexpr std::pair<std::string_view, ForcedBet> kPosts[] = {{" posts ante ", ForcedBet::Ante},
                                                                     {" posts small blind ", ForcedBet::SmallBlind},
                                                                     {" posts big blind ", ForcedBet::BigBlind}};
        for (const auto& [words, kind] : kPosts) {
            if (const std::size_t at = line.find(words); at != std::string_view::npos) {
                if (const int s = seatByName(slice(line, 0, at)); s >= 0)
                    postForcedBet(s, kind, bracketAmount(line, at));
                return;
            }
        }
        if (contains(line, "** Dealing down cards **"))
            state_ = kSeekingHoleCards;
        return;
    }
    if (state_ == kSeekingHoleCards) {
        if (line.substr(0, 9) == "Dealt to ") {
            const std::size_t open = line.rfind(" [");
            if (open != std::string_view::npos && open > 9)
                heroLine(slice(line, 9, open), slice(line, open + 1, line.find(']', open)));
        } else if (contains(line, "** Summary **")) {
            drop("no hole cards for the hero");
        }
        return;
    }
    if (state_ != kReadingActions)
        return;
    // Everybody all-in before the hero had to act, or folded to his blind.
    if (contains(line, "** Dealing") || contains(line, "** Summary **")) {
        drop("the hero never acted");
        return;
    }
    constexpr std::pair<std::string_view, Verb> kVerbs[] = {
        {" folds", Verb::Fold}, {" calls ", Verb::Call}, {" raises ", Verb::RaiseBy},
        {" is all-in ", Verb::AllInBy}, {" is all-In ", Verb::AllInBy}, {" checks", Verb::Check}};
    for (const auto& [words, verb] : kVerbs) {
        if (const std::size_t at = line.find(words); at != std::string_view::npos) {
            postedAction(slice(line, 0, at), verb, bracketAmount(line, at), verb == Verb::AllInBy);
            return;
        }
    }
}

}  // namespace torvel::import
