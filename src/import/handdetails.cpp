#include "import/handdetails.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <vector>

namespace torvel::import {

namespace {

constexpr std::size_t kMaxTournamentLength = 40;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> found;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ',' || line[i] == '['))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',' && line[i] != '[')
            ++i;
        if (i > start)
            found.push_back(line.substr(start, i - start));
    }
    return found;
}

// The value of a run of 1..max digits that is the whole word, else nothing.
std::optional<int> wholeNumber(std::string_view word, std::size_t maxDigits) {
    if (word.empty() || word.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (char c : word) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

bool plausible(const Date& d) {
    return d.year >= 1990 && d.year <= 2199 && d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31;
}

// "2010/06/05" or "2021-04-22".
std::optional<Date> isoDate(std::string_view word) {
    if (word.size() != 10 || (word[4] != '/' && word[4] != '-') || word[7] != word[4])
        return std::nullopt;
    const auto y = wholeNumber(word.substr(0, 4), 4);
    const auto m = wholeNumber(word.substr(5, 2), 2);
    const auto d = wholeNumber(word.substr(8, 2), 2);
    if (!y || !m || !d)
        return std::nullopt;
    return Date{*y, *m, *d};
}

int monthFromName(std::string_view word) {
    static constexpr std::array<std::string_view, 12> kMonths{"jan", "feb", "mar", "apr", "may", "jun",
                                                              "jul", "aug", "sep", "oct", "nov", "dec"};
    if (word.size() < 3)
        return 0;
    std::string lower;
    for (char c : word)
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    for (std::size_t m = 0; m < kMonths.size(); ++m)
        if (lower.substr(0, 3) == kMonths[m])
            return static_cast<int>(m) + 1;
    return 0;
}

// "18:20:59" or "6:53:14" as "HH:MM:SS".
std::string clockTime(std::string_view word) {
    const std::size_t first = word.find(':');
    if (first == std::string_view::npos || first == 0 || first > 2 || word.size() != first + 6 ||
        word[first + 3] != ':')
        return {};
    const auto h = wholeNumber(word.substr(0, first), 2);
    const auto m = wholeNumber(word.substr(first + 1, 2), 2);
    const auto s = wholeNumber(word.substr(first + 4, 2), 2);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 60)
        return {};
    char text[40];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", *h, *m, *s);
    return text;
}

std::optional<Date> dateIn(const std::vector<std::string_view>& w) {
    for (const auto word : w)
        if (const auto d = isoDate(word); d && plausible(*d))
            return d;
    // A month name, the day after it and a year somewhere later.
    for (std::size_t i = 0; i + 1 < w.size(); ++i) {
        const int month = monthFromName(w[i]);
        const auto day = wholeNumber(w[i + 1], 2);
        if (month == 0 || !day)
            continue;
        for (std::size_t j = i + 2; j < w.size(); ++j)
            if (const auto year = wholeNumber(w[j], 4); year && w[j].size() == 4) {
                if (const Date d{*year, month, *day}; plausible(d))
                    return d;
                break;
            }
    }
    // "27 10 2016": day, month, year as numbers.
    for (std::size_t i = 0; i + 2 < w.size(); ++i) {
        const auto day = wholeNumber(w[i], 2);
        const auto month = wholeNumber(w[i + 1], 2);
        const auto year = wholeNumber(w[i + 2], 4);
        if (day && month && year && w[i + 2].size() == 4)
            if (const Date d{*year, *month, *day}; plausible(d))
                return d;
    }
    return std::nullopt;
}

// The id after marker: letters, digits and dashes.
std::string idAfter(std::string_view line, std::string_view marker) {
    const std::size_t at = line.find(marker);
    if (at == std::string_view::npos)
        return {};
    std::size_t i = at + marker.size();
    while (i < line.size() && line[i] == ' ')
        ++i;
    const std::size_t start = i;
    while (i < line.size() && i - start < kMaxTournamentLength &&
           (std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '-'))
        ++i;
    const std::string_view id = line.substr(start, i - start);
    for (char c : id)
        if (isDigit(c))
            return std::string(id);
    return {};
}

}  // namespace

std::string tournamentIn(std::string_view line) {
    for (const std::string_view marker : {"Tournament #", "Trny:", "TournamentId:"})
        if (std::string id = idAfter(line, marker); !id.empty())
            return id;
    // "$5 Sit & Go (Super Turbo) (253843023), Table 1", "Double(27536269)#0":
    // only table lines, so a stack in parentheses is never taken.
    if (line.find("Table") == std::string_view::npos && line.find("Sit & Go") == std::string_view::npos)
        return {};
    for (std::size_t open = line.find('('); open != std::string_view::npos; open = line.find('(', open + 1)) {
        const std::size_t close = line.find(')', open);
        if (close == std::string_view::npos)
            break;
        const std::string_view inside = line.substr(open + 1, close - open - 1);
        bool digits = inside.size() >= 6 && inside.size() <= kMaxTournamentLength;
        for (char c : inside)
            digits = digits && isDigit(c);
        if (digits)
            return std::string(inside);
    }
    return {};
}

std::string timestampIn(std::string_view line) {
    const auto w = words(line);
    const auto date = dateIn(w);
    if (!date)
        return {};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->year, date->month, date->day);
    std::string stamp = text;
    for (const auto word : w)
        if (std::string time = clockTime(word); !time.empty())
            return stamp + " " + time;
    return stamp;
}

void readHandDetails(std::string_view line, GameState& g) {
    if (g.tournamentId.empty())
        g.tournamentId = tournamentIn(line);
    if (g.playedAt.empty())
        g.playedAt = timestampIn(line);
}

}  // namespace torvel::import
