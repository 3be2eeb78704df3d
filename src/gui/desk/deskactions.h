#pragma once
// What a panel of the desk asks of the program without knowing the main
// window: analyse the spot on the table, deal the next one, show a listed
// one, keep the score and open the report.

class QString;
class QWidget;

namespace torvel {
class GameState;
}

class DeskActions {
public:
    virtual ~DeskActions() = default;

    // Checks and analyses the situation on the table with the hero's answer
    // (-2 none, 0 fold, 3 push, or an imported action): 1 when refused.
    virtual int runAnalysis(int answer) = 0;
    // Puts a situation on the table; a null pointer does nothing.
    virtual void showSituation(torvel::GameState* situation) = 0;
    virtual void nextTrainerSituation() = 0;
    // Recounts the score from the hand list.
    virtual void updateScore() = 0;
    // Hands a situation kept by the desk to the hand list; one already
    // listed stays as it is.
    virtual void enterInHandList(torvel::GameState* situation) = 0;
    // A new empty situation with blinds 100/200 on a cleared table.
    virtual void startFreshSituation() = 0;
    virtual void openReport(torvel::GameState* situation, const QString& caption, QWidget* parent) = 0;
};
