#include "import/fieldreader.h"

#include <algorithm>

namespace torvel::import {

namespace {

constexpr long long kAmountCeiling = kMaxAmount;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Length of a thousands separator at pos: ',', '.', blank, or a no-break
// space (U+00A0, U+202F) as UTF-8; 0 when none.
std::size_t separatorLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return 0;
    const char c = text[pos];
    if (c == ',' || c == '.' || c == ' ')
        return 1;
    if (text.substr(pos, 2) == "\xC2\xA0")
        return 2;
    if (text.substr(pos, 3) == "\xE2\x80\xAF")
        return 3;
    return 0;
}

bool threeDigitsAt(std::string_view text, std::size_t pos) {
    return pos + 3 <= text.size() && isDigit(text[pos]) && isDigit(text[pos + 1]) && isDigit(text[pos + 2]) &&
           (pos + 3 == text.size() || !isDigit(text[pos + 3]));
}

// Passes over currency signs and blanks before an amount: "$", "€", "£".
std::size_t skipCurrency(std::string_view text, std::size_t pos) {
    while (pos < text.size()) {
        if (text[pos] == '$' || text[pos] == ' ')
            ++pos;
        else if (text.substr(pos, 3) == "\xE2\x82\xAC")
            pos += 3;
        else if (text.substr(pos, 2) == "\xC2\xA3")
            pos += 2;
        else
            break;
    }
    return pos;
}

int cardRankLetter(char c) {
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return std::string_view("23456789TJQKA").find(upper) != std::string_view::npos ? upper : 0;
}

char cardSuitLetter(char c) {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return std::string_view("hdcs").find(lower) != std::string_view::npos ? lower : 0;
}

}  // namespace

std::optional<AmountField> amountAt(std::string_view text, std::size_t pos) {
    const std::size_t n = text.size();
    if (pos >= n || !isDigit(text[pos]))
        return std::nullopt;
    long long whole = 0;
    auto addDigit = [&whole](char c) { whole = std::min(whole * 10 + (c - '0'), kAmountCeiling * 10); };
    std::size_t i = pos;
    while (i < n && isDigit(text[i]))
        addDigit(text[i++]);
    for (;;) {
        const std::size_t separator = separatorLength(text, i);
        if (separator == 0 || !threeDigitsAt(text, i + separator))
            break;
        i += separator;
        for (int k = 0; k < 3; ++k)
            addDigit(text[i++]);
    }
    long long fraction = 0;
    long long fractionScale = 1;
    if (i + 1 < n && (text[i] == '.' || text[i] == ',') && isDigit(text[i + 1])) {
        ++i;
        while (i < n && isDigit(text[i])) {
            if (fractionScale < 1'000'000) {
                fraction = fraction * 10 + (text[i] - '0');
                fractionScale *= 10;
            }
            ++i;
        }
    }
    long long multiplier = 1;
    if (i < n && (text[i] == 'K' || text[i] == 'k' || text[i] == 'M' || text[i] == 'm') &&
        (i + 1 == n || !isLetter(text[i + 1]))) {
        multiplier = (text[i] == 'K' || text[i] == 'k') ? 1000 : 1'000'000;
        ++i;
    }
    const long long value = std::min(whole * multiplier + fraction * multiplier / fractionScale, kAmountCeiling);
    return AmountField{static_cast<int>(value), i};
}

std::optional<AmountField> findAmount(std::string_view text, std::size_t pos, std::size_t stop) {
    const std::size_t end = std::min(stop, text.size());
    for (std::size_t i = pos; i < end; ++i)
        if (isDigit(text[i]))
            return amountAt(text, i);
    return std::nullopt;
}

std::optional<int> digitsAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || !isDigit(text[pos]))
        return std::nullopt;
    long long value = 0;
    for (std::size_t i = pos; i < text.size() && isDigit(text[i]); ++i)
        value = std::min(value * 10 + (text[i] - '0'), kAmountCeiling);
    return static_cast<int>(value);
}

std::string_view slice(std::string_view text, std::size_t from, std::size_t to) {
    from = std::min(from, text.size());
    to = std::min(std::max(to, from), text.size());
    return text.substr(from, std::min(to - from, kMaxFieldLength));
}

std::optional<SeatLine> readSeatLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] == ' ')
        ++i;
    if (line.substr(i, 5) != "Seat ")
        return std::nullopt;
    i += 5;
    const auto number = digitsAt(line, i);
    if (!number)
        return std::nullopt;
    while (i < line.size() && isDigit(line[i]))
        ++i;
    if (i >= line.size() || line[i] != ':')
        return std::nullopt;
    ++i;
    if (i < line.size() && line[i] == ' ')
        ++i;
    const std::size_t nameStart = i;
    // The stack is the last parenthesis that opens with an amount, so that
    // names with brackets of their own stay whole.
    for (std::size_t open = line.rfind('('); open != std::string_view::npos && open > nameStart;
         open = open == 0 ? std::string_view::npos : line.rfind('(', open - 1)) {
        const std::size_t first = skipCurrency(line, open + 1);
        const auto stack = amountAt(line, first);
        if (!stack)
            continue;
        std::size_t nameEnd = open;
        while (nameEnd > nameStart && line[nameEnd - 1] == ' ')
            --nameEnd;
        if (nameEnd == nameStart)
            return std::nullopt;
        return SeatLine{*number, slice(line, nameStart, nameEnd), stack->value};
    }
    return std::nullopt;
}

std::optional<std::string> readHoleCards(std::string_view bracketed) {
    std::string cards;
    std::size_t i = 0;
    const std::size_t n = bracketed.size();
    while (i < n && cards.size() < 4) {
        if (!isDigit(bracketed[i]) && !isLetter(bracketed[i])) {
            ++i;
            continue;
        }
        std::size_t tokenEnd = i;
        while (tokenEnd < n && (isDigit(bracketed[tokenEnd]) || isLetter(bracketed[tokenEnd])))
            ++tokenEnd;
        const std::string_view token = bracketed.substr(i, tokenEnd - i);
        i = tokenEnd;
        char rank = 0;
        char suit = 0;
        if (token.size() == 2) {
            rank = static_cast<char>(cardRankLetter(token[0]));
            suit = cardSuitLetter(token[1]);
        } else if (token.size() == 3 && token.substr(0, 2) == "10") {
            rank = 'T';
            suit = cardSuitLetter(token[2]);
        }
        if (rank == 0 || suit == 0)
            return std::nullopt;
        cards += rank;
        cards += suit;
    }
    if (cards.size() != 4)
        return std::nullopt;
    return cards;
}

std::optional<BlindsField> blindsAt(std::string_view text, std::size_t pos) {
    pos = skipCurrency(text, pos);
    const auto small = amountAt(text, pos);
    if (!small || small->end >= text.size() || text[small->end] != '/')
        return std::nullopt;
    const auto big = amountAt(text, skipCurrency(text, small->end + 1));
    // A date (2011/03/28) is not a pair of blinds.
    if (!big || (big->end < text.size() && text[big->end] == '/'))
        return std::nullopt;
    return BlindsField{small->value, big->value, big->end};
}

}  // namespace torvel::import
