#include "gui/desk/deskmodel.h"

#include <algorithm>

#include "engine/gamestate.h"
#include "engine/plainowner.h"

using torvel::GameState;

DeskModel::DeskModel(QObject* parent) : QObject(parent), nicknames_(torvel::defaultNicknames()) {}

DeskModel::~DeskModel() = default;

bool DeskModel::loadTables() {
    if (auto r = equityTable_.load("table.res"); !r) {
        tableLoadError_ = QString::fromStdString(r.reason);
        return false;
    }
    if (auto r = handRanking_.load("ranking.res"); !r) {
        tableLoadError_ = QString::fromStdString(r.reason);
        return false;
    }
    tablesLoaded_ = true;
    return true;
}

double DeskModel::payoutPercent(int place) const { return payoutSource_ ? payoutSource_(place) : 0.0; }

void DeskModel::reportError(const std::string& text, const std::string& caption) {
    emit errorReported(QString::fromStdString(text), QString::fromStdString(caption));
}

void DeskModel::putOnTable(GameState* situation) {
    if (!situation)
        return;
    situation_ = situation;
    emit situationChanged(situation);
    std::erase_if(unlisted_, [situation](const auto& kept) { return kept.get() != situation; });
}

void DeskModel::keepUntilReplaced(std::unique_ptr<GameState> situation) {
    if (situation)
        unlisted_.push_back(std::move(situation));
}

std::unique_ptr<GameState> DeskModel::takeUnlisted(GameState* situation) {
    const auto it = std::find_if(unlisted_.begin(), unlisted_.end(),
                                 [situation](const auto& kept) { return kept.get() == situation; });
    if (!situation || it == unlisted_.end())
        return nullptr;
    std::unique_ptr<GameState> taken = std::move(*it);
    unlisted_.erase(it);
    return taken;
}

GameState* DeskModel::startFreshSituation() {
    unlisted_.push_back(std::make_unique<GameState>(this));
    GameState* fresh = unlisted_.back().get();
    situation_ = fresh;
    std::erase_if(unlisted_, [fresh](const auto& kept) { return kept.get() != fresh; });
    kept_.heroSeat = -1;
    kept_.playerCount = 0;
    kept_.buttonSeat = 0;
    return fresh;
}

void DeskModel::setMode(DeskMode mode) {
    mode_ = mode;
    emit modeChanged(mode);
}

void DeskModel::setScore(int answers, int correct) {
    answerCount_ = answers;
    correctCount_ = correct;
    emit scoreChanged();
}

void DeskModel::keepBlinds(int smallBlind, int bigBlind, int ante) {
    kept_.smallBlind = smallBlind;
    kept_.bigBlind = bigBlind;
    kept_.ante = ante;
}

void DeskModel::seatChipsEdited(const GameState* situation, int seat, bool betToo) {
    if (isOnTable(situation) && GameState::validSeat(seat)) {
        emit tableSeatChipsEdited(seat, betToo);
        emit situationEdited();
    }
}

void DeskModel::seatRangesEdited(const GameState* situation, int seat) {
    if (isOnTable(situation) && GameState::validSeat(seat))
        emit tableSeatRangesEdited(seat);
}

void DeskModel::forgetVerdict() {
    if (!situation_)
        return;
    situation_->decision = torvel::kDecisionNotComputed;
    situation_->setPushRangeText({});
    situation_->heroAction = -1;
    emit situationEdited();
}
