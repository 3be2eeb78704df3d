#pragma once
// The line-by-line state machine behind the import: one grammar per layout
// over shared steps (a new hand, a seat, the hero, an action, the
// evaluation of the hero's decision).

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "engine/gamestate.h"
#include "import/importtypes.h"

namespace torvel::import {

// Position right after "***** Hand History for Game " ("For" in mailed
// transcripts), or npos.
std::size_t partyHeaderEnd(std::string_view line);

// "*** FLOP ***", "*** SUMMARY ***" and the like: the preflop round is over.
bool isStreetOrSummary(std::string_view line);

// How an action line reads in the Stars and Full Tilt layouts: the name,
// then one of the verbs.
struct ActionWords {
    std::string_view folds;
    std::string_view calls;   // followed by the amount
    std::string_view raises;  // "... to <amount>" later in the line
    std::string_view checks;
    std::string_view allIn;   // anywhere in a call or raise line
    bool allInCallRaises;     // an all-in call makes the caller the raiser
};

class HistoryParser {
public:
    HistoryParser(HistoryFormat format, GameStateOwner* owner, const ImportCallbacks& callbacks);
    ~HistoryParser();
    HistoryParser(const HistoryParser&) = delete;
    HistoryParser& operator=(const HistoryParser&) = delete;

    void feed(std::string_view line);
    // The end of the file: a hand still open is settled.
    void finish();

    int handCount() const { return handCount_; }
    int relevantCount() const { return relevantCount_; }

private:
    enum State : int {
        kSeekingHeader = 0,
        kSeekingBlinds = 1,
        kSeekingButton = 2,
        kReadingSeats = 3,
        kSeekingHoleCards = 4,
        kReadingActions = 5,
        kHeroActed = 6
    };

    void feedParty(std::string_view line);
    void feedStars(std::string_view line);
    void feedFullTilt(std::string_view line);
    // GGPoker, Winamax and the Winning Poker Network: the PokerStars shape
    // with their own header, verbs and ante lines.
    void feedSeatListLayout(std::string_view line);
    void feedBovada(std::string_view line);
    void feedPacific(std::string_view line);
    void feedIPoker(std::string_view line);
    // Reads the game from its XML, which it overwrites.
    void ipokerGame(std::string& gameXml);
    void ipokerSession(std::string_view text);

    void partyPreamble(std::string_view line);
    void partyActions(std::string_view line);
    // The flop or the summary before the hero acted drops the hand.
    void namedActions(std::string_view line, const ActionWords& words);

    // Shared steps.
    void startHand(std::string_view handId);
    // A new hand whose number is the digits at number in line; the layouts
    // with such headers post no small blind until a line says so. Returns
    // where the digits end.
    std::size_t startNumberedHand(std::string_view line, std::size_t number);
    // Settles a hand that is still open when the next header or the end of
    // the file comes.
    void closeOpenHand(bool atEndOfFile);
    void drop(const std::string& reason);
    void seatLine(int seatNumber, std::string_view name, int stack);
    void setButton(int seatNumber);
    // False when the line is not the hero's (no cards in it); a hero who
    // matches no seat drops the hand.
    bool heroLine(std::string_view name, std::string_view cardText);
    int seatByName(std::string_view name) const;
    bool isHero(std::string_view name) const { return !heroName_.empty() && name == heroName_; }
    void heroActs(int action);
    void opponentFolds(int seat);
    void opponentCalls(int seat, int amount);
    void opponentRaises(int seat, int amount);
    // Bet set to amount, stack to 0.
    void opponentAllIn(int seat, int amount, int action, bool becomesRaiser);
    void setBlinds(int smallBlind, int bigBlind);

    // Layouts whose blinds and antes are posted line by line: the chips
    // move when posted, so a blind or ante all-in for less stays as it was.
    enum class ForcedBet { Ante, SmallBlind, BigBlind };
    void postForcedBet(int seat, ForcedBet kind, int amount);
    // An opponent puts chips in: a call or raise by so much (puts), or a
    // raise to a total for the round (raisesTo, antes not counted). Whoever
    // ends with an empty stack is all-in.
    void opponentPuts(int seat, int chips, int action);
    void opponentRaisesTo(int seat, int total);
    // One action line of those layouts, by the hero or an opponent.
    enum class Verb { Fold, Call, RaiseTo, RaiseBy, Check, AllInBy };
    void postedAction(std::string_view name, Verb verb, int amount, bool saysAllIn);
    // A seat's chips in the pot for this round, its ante left out.
    int roundBet(int seat) const;
    int highestRoundBet() const;
    void settlePostedForcedBets();
    int commonAnte() const;
    void evaluate();
    void applyAnteTable();

    SeatState& seat(int index) { return hand_->seats[static_cast<std::size_t>(index)]; }

    HistoryFormat format_;
    GameStateOwner* owner_;
    const ImportCallbacks& callbacks_;
    std::unique_ptr<GameState> hand_;
    int state_ = kSeekingHeader;
    std::array<std::string, 10> seatNames_;
    std::string heroName_;
    bool noSmallBlind_ = false;
    bool blindsKnown_ = false;
    bool sawSmallBlindPost_ = false;
    bool sawBigBlindPost_ = false;
    bool sawNoSmallBlindLine_ = false;
    int statedAnte_ = -1;
    int allInCount_ = 0;
    bool forcedBetsPosted_ = false;
    // PokerStars lists each player's ante; the chips move at the decision.
    bool antesListed_ = false;
    int postedSmallBlindSeat_ = -1;
    int postedBigBlindSeat_ = -1;
    std::array<int, kSeatCount> postedAnte_{};
    // iPoker: the XML of the game being read, and the session's player.
    std::string xmlBuffer_;
    bool inXmlGame_ = false;
    std::string sessionHero_;
    std::string sessionBuyIn_;
    // The hero raised in the "*****" layout: the next line says whether it
    // was all-in.
    bool heroRaisePending_ = false;
    int handCount_ = 0;
    int relevantCount_ = 0;
};

}  // namespace torvel::import
