#pragma once
// The main window: builds the desk model, the table frame and the menus,
// connects them, and carries out what the panels ask of the program
// (analysis with its progress dialog, the next trainer spot, the report).

#include <QMainWindow>
#include <QPointer>

#include <memory>

#include "gui/desk/deskactions.h"
#include "gui/desk/deskmodel.h"
#include "gui/desk/tableresources.h"

class IcmCalculatorDialog;
class NashRangesWindow;
class LeakReportWindow;
class QAction;
class QActionGroup;
class QDialog;
class TableFrame;

class MainWindow : public QMainWindow, public DeskActions {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // False when table.res or ranking.res could not be read; the reason
    // names the file.
    bool tablesLoaded() const { return desk_.tablesLoaded(); }
    QString tableLoadError() const { return desk_.tableLoadError(); }

    DeskModel& desk() { return desk_; }
    const TableResources& resources() const { return resources_; }
    TableFrame* frame() const { return frame_; }
    IcmCalculatorDialog* icmCalculator() const { return icmWindow_; }
    QAction* payoutAction() const { return payoutAction_; }
    // Null until "Nash Ranges" is first opened.
    NashRangesWindow* nashRanges() const { return nashWindow_; }
    // The open leak report, if any.
    LeakReportWindow* leakReport() const;

    // What the panels ask of the program.
    int runAnalysis(int answer) override;
    void showSituation(torvel::GameState* situation) override;
    void nextTrainerSituation() override;
    void updateScore() override;
    void enterInHandList(torvel::GameState* situation) override;
    void startFreshSituation() override;
    void openReport(torvel::GameState* situation, const QString& caption, QWidget* parent) override;

public slots:
    void openIcmCalculator();
    void openNashRanges();
    void openPartyPokerDirectoryDialog();
    void openAbout();
    void closeAbout();
    void showHandList();
    void importHandHistories();
    void exportHandHistories();
    void showStoredHands();
    void openLeakReport();
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
    // Shows the frame's controls for the mode; the hand list wants room.
    void onModeChanged(DeskMode mode);
    // Offers a client's look only while its table picture is there.
    void syncLookActions();

    DeskModel desk_;
    TableResources resources_;
    TableFrame* frame_ = nullptr;
    QDialog* aboutDialog_ = nullptr;
    QAction* payoutAction_ = nullptr;
    // The ICM calculator: one window, kept with its values until the end.
    IcmCalculatorDialog* icmWindow_ = nullptr;
    QActionGroup* layoutGroup_ = nullptr;
    QAction* pokerStarsLookAction_ = nullptr;
    QAction* partyPokerLookAction_ = nullptr;
    QAction* ownLookAction_ = nullptr;
    // The editor's size before the hand list stretched the window.
    QSize sizeBeforeStretch_;
    NashRangesWindow* nashWindow_ = nullptr;
    QPointer<LeakReportWindow> leakReport_;
};
