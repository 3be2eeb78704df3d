#pragma once
// The tournament number and start time of a hand, read from the lines
// before the hole cards. Every site words its header differently, so the
// reading goes by the shape of the fields, not by their place.

#include <string>
#include <string_view>

#include "engine/gamestate.h"

namespace torvel::import {

// Fills g.tournamentId and g.playedAt from line where they are still empty.
void readHandDetails(std::string_view line, GameState& g);

// "Tournament #123", "Trny: 123", "TournamentId: 123" or a long number in
// parentheses on a table line; empty when the line holds none.
std::string tournamentIn(std::string_view line);

// "YYYY-MM-DD HH:MM:SS" (or "YYYY-MM-DD" without a time) from the first
// date of the line, as "2010/06/05 18:20:59", "19:02:47 ET - 2013/05/14",
// "Sun Jun 13 12:21:39 EDT 2010", "Friday, April 13, 23:24:26 MSK 2018" or
// "27 10 2016 18:03:49"; empty when the line holds no date.
std::string timestampIn(std::string_view line);

}  // namespace torvel::import
