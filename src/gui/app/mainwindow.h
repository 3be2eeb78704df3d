#pragma once
// The main window: owns the tables, pictures, pens, nicknames, score and the
// situation on the table, builds the menus and switches the frame between
// the editor, the trainer and the hand list.

#include <QMainWindow>
#include <QPen>
#include <QPixmap>
#include <QStringList>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/equitytable.h"
#include "engine/handranking.h"
#include "engine/owner.h"

class IcmCalculatorDialog;
class TableFrame;
class QAction;
class QActionGroup;
class QDialog;

namespace torvel {
class GameState;
}

enum WindowModeValue : int { kModeHandList = 0, kModeTrainer = 1, kModeEditor = 2 };

class MainWindow : public QMainWindow, public torvel::GameStateOwner {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // False when table.res or ranking.res could not be read; the reason
    // names the file.
    bool tablesLoaded() const { return tablesLoaded_; }
    QString tableLoadError() const { return tableLoadError_; }

    // The owner interface of the situations.
    const torvel::EquityTable& equityTable() const override { return equityTable_; }
    const torvel::HandRanking& handRanking() const override { return handRanking_; }
    double payoutPercent(int place) const override;
    const std::vector<std::string>& nicknames() const override { return nicknameList_; }
    int nextInstanceNumber() override { return ++instanceCounter_; }
    void reportError(const std::string& text, const std::string& caption) override;

    // Puts a situation on the table; a null pointer does nothing.
    void showSituation(torvel::GameState* situation);
    void nextTrainerSituation();
    // Checks and analyses the situation on the table with the hero's answer
    // (-2 none, 0 fold, 3 push, or an imported action): 1 when refused.
    int runAnalysis(int answer);
    void updateScore();
    // Takes over a situation no list owns until it leaves the table.
    void keepUntilReplaced(std::unique_ptr<torvel::GameState> situation);
    // Hands a situation of the main window to the hand list; one already
    // listed stays as it is.
    void enterInHandList(torvel::GameState* situation);
    // A new empty situation with blinds 100/200 on a cleared table.
    void startFreshSituation();
    void enterHandListMode() { setMode(kModeHandList); }

    torvel::GameState* currentSituation() const { return current; }
    TableFrame* frameWidget() const { return frame; }
    const QPixmap& cardPicture(int index) const;

    // Trainer score.
    int answerCount = 0;
    int correctCount = 0;
    TableFrame* frame = nullptr;
    QDialog* aboutDialog = nullptr;
    std::array<QPixmap, 53> cardPictures;
    QPen highlightPen;
    QPen selectionPen;
    QStringList nicknameTexts;
    QPixmap buttonPicture;
    QAction* payoutAction = nullptr;
    // Situation cache: the values of the situation on the table.
    int keptSmallBlind = 100;
    int keptAnte = 0;
    int keptPlayerCount = 0;
    int keptButtonSeat = 0;
    int keptBigBlind = 200;
    int keptHeroSeat = -1;
    torvel::GameState* current = nullptr;
    // The ICM calculator: one window, kept with its values until the end.
    IcmCalculatorDialog* icmWindow = nullptr;
    int windowMode = kModeEditor;
    QString starsDirectory;
    QString partyPokerDirectory;

public slots:
    void openIcmCalculator();
    void openPartyPokerDirectoryDialog();
    void openAbout();
    void closeAbout();
    void showHandList();
    void importHandHistories();
    void exportHandHistories();
    void startTrainer();
    void startEditor();
    void usePokerStarsLook();
    void usePartyPokerLook();
    void useOwnLook();
    void togglePayoutPanel();
    void syncWindowMenu();
    void openCallingRangeEditor();

private:
    void buildMenus();
    void loadTables();
    void setMode(int mode);

    torvel::EquityTable equityTable_;
    torvel::HandRanking handRanking_;
    bool tablesLoaded_ = false;
    QString tableLoadError_;
    std::vector<std::string> nicknameList_;
    int instanceCounter_ = 0;
    // The editor's own situation; situations from the hand list are owned there.
    // Situations no list owns: the editor's own, a dealt trainer spot not
    // answered yet, an imported decision on its way into the hand list, or
    // a deleted entry still on the table. Whatever of them leaves the table
    // is released.
    std::vector<std::unique_ptr<torvel::GameState>> unlisted_;
    QActionGroup* layoutGroup_ = nullptr;
};
