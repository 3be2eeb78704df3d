#pragma once
// The state of the desk without any widget: the situation on the table and
// the situations waiting to leave it, the mode, the trainer score, the
// values the table keeps between situations and the client directories.
// Widgets read it and change it through its methods and follow its signals.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/equitytable.h"
#include "engine/handranking.h"
#include "engine/owner.h"
#include "gui/desk/nashstore.h"

namespace torvel {
class GameState;
}

enum class DeskMode : int { HandList = 0, Trainer = 1, Editor = 2 };

// What the table keeps from one situation to the next.
struct KeptTableValues {
    int smallBlind = 100;
    int bigBlind = 200;
    int ante = 0;
    int playerCount = 0;
    int buttonSeat = 0;
    int heroSeat = -1;
};

class DeskModel : public QObject, public torvel::GameStateOwner {
    Q_OBJECT

public:
    explicit DeskModel(QObject* parent = nullptr);
    ~DeskModel() override;

    // Reads table.res and ranking.res; false (and a reason naming the file)
    // when one of them could not be read.
    bool loadTables();
    bool tablesLoaded() const { return tablesLoaded_; }
    QString tableLoadError() const { return tableLoadError_; }

    // The owner interface of the situations.
    const torvel::EquityTable& equityTable() const override { return equityTable_; }
    const torvel::HandRanking& handRanking() const override { return handRanking_; }
    double payoutPercent(int place) const override;
    const std::vector<std::string>& nicknames() const override { return nicknames_; }
    int nextInstanceNumber() override { return ++instanceCounter_; }
    void reportError(const std::string& text, const std::string& caption) override;
    // Where the payout of a place comes from (the payout panel).
    void setPayoutSource(std::function<double(int)> source) { payoutSource_ = std::move(source); }

    torvel::GameState* situation() const { return situation_; }
    bool isOnTable(const torvel::GameState* situation) const { return situation && situation == situation_; }
    // Makes situation the one on the table and lets every situation no list
    // owns go, except this one. Emits situationChanged before they go.
    void putOnTable(torvel::GameState* situation);
    // Takes over a situation no list owns until it leaves the table.
    void keepUntilReplaced(std::unique_ptr<torvel::GameState> situation);
    // Hands over a situation kept here; null when it is not kept here.
    std::unique_ptr<torvel::GameState> takeUnlisted(torvel::GameState* situation);
    // A new empty situation on the table; the hero, the players and the
    // button are forgotten. Emits no signal: the caller clears the table.
    torvel::GameState* startFreshSituation();

    DeskMode mode() const { return mode_; }
    void setMode(DeskMode mode);
    // Whether the table can be edited (seats, button, blinds, cards).
    bool editMode() const { return editMode_; }
    void setEditMode(bool on) { editMode_ = on; }

    int answerCount() const { return answerCount_; }
    int correctCount() const { return correctCount_; }
    void resetScore() { setScore(0, 0); }
    void recordAnswer(bool correct) { setScore(answerCount_ + 1, correctCount_ + (correct ? 1 : 0)); }
    void setScore(int answers, int correct);

    const KeptTableValues& kept() const { return kept_; }
    void keepBlinds(int smallBlind, int bigBlind, int ante);
    void keepHeroSeat(int seat) { kept_.heroSeat = seat; }
    void keepPlayerCount(int count) { kept_.playerCount = count; }
    void keepButtonSeat(int seat) { kept_.buttonSeat = seat; }

    // Equilibria solved so far in this session.
    NashStore& nashStore() { return nashStore_; }

    QString partyPokerDirectory() const { return partyPokerDirectory_; }
    QString pokerStarsDirectory() const { return pokerStarsDirectory_; }
    void setPartyPokerDirectory(const QString& directory) { partyPokerDirectory_ = directory; }
    void setPokerStarsDirectory(const QString& directory) { pokerStarsDirectory_ = directory; }

    // A dialog changed the chips (or the ranges) of a seat of situation; the
    // table follows when it is the one on the table.
    void seatChipsEdited(const torvel::GameState* situation, int seat, bool betToo);
    void seatRangesEdited(const torvel::GameState* situation, int seat);
    // The situation on the table was edited: its verdict, pushing range and
    // graded answer belong to what it was before, so they go.
    void forgetVerdict();

signals:
    void situationChanged(torvel::GameState* situation);
    // The situation on the table, or the payouts it is played for, changed
    // in place.
    void situationEdited();
    void modeChanged(DeskMode mode);
    void scoreChanged();
    void errorReported(const QString& text, const QString& caption);
    void tableSeatChipsEdited(int seat, bool betToo);
    void tableSeatRangesEdited(int seat);

private:
    torvel::EquityTable equityTable_;
    torvel::HandRanking handRanking_;
    bool tablesLoaded_ = false;
    QString tableLoadError_;
    std::vector<std::string> nicknames_;
    int instanceCounter_ = 0;
    std::function<double(int)> payoutSource_;

    torvel::GameState* situation_ = nullptr;
    // Situations no list owns: the editor's own, a dealt trainer spot not
    // answered yet, an imported decision on its way into the hand list, or
    // a deleted entry still on the table. Whatever of them leaves the table
    // is released.
    std::vector<std::unique_ptr<torvel::GameState>> unlisted_;

    DeskMode mode_ = DeskMode::Editor;
    bool editMode_ = true;
    int answerCount_ = 0;
    int correctCount_ = 0;
    KeptTableValues kept_;
    QString partyPokerDirectory_;
    QString pokerStarsDirectory_;
    NashStore nashStore_;
};
