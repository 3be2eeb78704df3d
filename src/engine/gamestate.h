#pragma once
// The record of one preflop decision: ten seats, blinds, ante, button, the
// hero and the raiser before him, the hero's actual action and every working
// field and result of the push/fold analysis.

#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include "engine/constants.h"
#include "engine/icmmodel.h"

namespace torvel {
class IcmEvaluator;
}

namespace torvel {

class GameStateOwner;

// Codes used across the program.
enum SeatStatus : int { kSeatEmpty = 0, kSeatHero = 1, kSeatOpponent = 2 };
enum SeatAction : int { kActionNone = -1, kActionFold = 0, kActionCall = 1, kActionRaise = 2 };
enum Decision : int { kDecisionFold = 0, kDecisionPush = 3, kDecisionNotComputed = -3 };

struct SeatState {
    int handLow = 0;
    int handHigh = 0;
    int card1 = 0;
    int card2 = 0;
    int rangeFrom = 0;
    int rangeTo = 0;
    int range2To = 0;
    int range2From = 0;
    int stack = 0;
    int status = kSeatEmpty;
    bool isButton = false;
    bool isBigBlind = false;
    bool isSmallBlind = false;
    bool isAllIn = false;
    float rangeShare = 1.0f;
    float callProbability = 1.0f;
    float winProbability = 0.0f;
    float loseProbability = 0.0f;
    float equityIfWin = 0.0f;
    float equityIfLose = 0.0f;
    char name[kNameLength] = {};
    int action = kActionNone;
    int bet = 0;
    char position[kPositionLength] = {};

    bool occupied() const { return status > 0; }
    long long totalChips() const { return static_cast<long long>(stack) + bet; }
    // Narrows the calling range (range2) to a part of the range.
    void keepCallingRangeWithinRange();
};

class GameState {
public:
    explicit GameState(GameStateOwner* owner);

    // Clears all ten seats (names and positions are kept).
    void resetSeats();
    // The first occupied seat after (before) seat, clockwise with wrap-around;
    // seat itself is looked at last. -1 when no seat is occupied.
    int nextOccupiedSeat(int seat) const;
    int previousOccupiedSeat(int seat) const;
    // Index of the n-th occupied seat (from 0) in seat order; 0 when fewer
    // than n + 1 seats are occupied.
    int nthOccupiedSeat(int n) const;
    // Gives the ten seats distinct random nicknames from the owner's list;
    // draw(n) gives a number 0..n-1 (rand() mod n when not given).
    void assignNicknames();
    void assignNicknames(const std::function<int(int)>& draw);

    // Range equity (rangeequity.cpp).
    // The hero's equity against the range of seat; 1.0 for an empty range.
    // May rewrite the hero's class in place when it was written in reverse.
    double getEdgeVs(int seat);
    // The raiser's range against every possible caller: fills their
    // winProbability and loseProbability.
    void EdgePusherVs();

    // Calling-range profiles (callingprofile.cpp): reads profile 0, 1 or 2
    // ("Tight", "Medium", "Loose") and sets the ranges of every seat.
    void assignCallingRanges(int profile);

    // Push/fold analysis (analysis.cpp). Returns the verdict, 3 push (or
    // call) or 0 fold.
    int analyze(int heroActionGiven);
    void computeEquityBefore();
    void computeShowdownEquities(int caller, int pusher);
    // Every seat's chips after the all-in between caller and pusher: the
    // smaller total is matched, the winner takes his total, the matched
    // amount and the other bets in the pot, the loser keeps the rest.
    std::array<long long, kSeatCount> showdownStacks(int caller, int pusher, bool pusherWins) const;
    void computeFoldEquity();
    void computeEquityAllFold(int winner);
    void computeCallProbabilities();

    // Evaluates the embedded ICM model, through icmEvaluator when one is set.
    void computeIcm();

    int occupiedSeatCount() const;
    static bool validSeat(int seat) { return seat >= 0 && seat < kSeatCount; }
    void setName(int seat, const std::string& name);
    void setPushRangeText(const std::string& text);

    GameStateOwner* owner = nullptr;
    IcmModel icm;
    std::array<SeatState, kSeatCount> seats{};
    int smallBlind = 0;
    int ante = 0;
    int playerCount = 0;
    int buttonSeat = -1;
    int raiserSeat = -1;
    int bigBlind = 0;
    int heroSeat = -1;
    long long pot = 0;
    float evFold = 0.0f;
    float evPush = 0.0f;
    float foldProbability = 0.0f;
    float foldEquityPart = 0.0f;
    float equityAllFold = 0.0f;
    int heroAction = -1;
    int decision = kDecisionNotComputed;
    std::string handId;
    std::string buyInText;
    // Where the hand was played, as the hand history tells it: the site,
    // the tournament number and the start time ("YYYY-MM-DD HH:MM:SS", local
    // to the header; empty when not stated).
    std::string site;
    std::string tournamentId;
    std::string playedAt;
    char pushRangeText[kPushRangeTextLength] = {};
    float callRanges[10][10] = {};
    float potOddsRanges[10] = {};
    float bubbleRanges[10][10] = {};
    std::array<float, kSeatCount> equityBefore{};
    std::array<float, kSeatCount> equityIfSeatWins{};
    // Set for the length of a computation that evaluates the same stacks
    // many times (not owned).
    IcmEvaluator* icmEvaluator = nullptr;
};

// Copies text into a fixed buffer, cut to fit and always terminated.
template <std::size_t N>
void copyToBuffer(char (&buffer)[N], const std::string& text) {
    const std::size_t n = std::min(text.size(), N - 1);
    text.copy(buffer, n);
    buffer[n] = '\0';
}

}  // namespace torvel
