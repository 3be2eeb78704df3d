#pragma once
// What an opponent did before the hero: fold, call an amount or raise to an
// amount. Edits the seat at once; "Close" makes an all-in player the raiser.

#include <QDialog>

class SeatWidget;
class AnalysisReportDialog;
class QCheckBox;
class QGridLayout;
class QIntValidator;
class QLabel;
class QLineEdit;
class QPushButton;
class MainWindow;

namespace torvel {
class GameState;
struct SeatState;
}  // namespace torvel

class OpponentActionDialog : public QDialog {
    Q_OBJECT

public:
    // report is null when the table opens the dialog; then the seat belongs
    // to the situation on the table.
    OpponentActionDialog(MainWindow* mainWindow, torvel::SeatState& seat, int seatIndex, AnalysisReportDialog* report, QWidget* parent);

    // The situation the seat belongs to: the report's or the table's.
    torvel::GameState* situation() const;

    AnalysisReportDialog* report = nullptr;
    torvel::SeatState* seat = nullptr;
    QGridLayout* grid = nullptr;
    MainWindow* mainWindow = nullptr;
    QCheckBox* callBox = nullptr;
    QLabel* callLabel = nullptr;
    QLineEdit* callEdit = nullptr;
    int seatIndex = 0;
    QCheckBox* raiseBox = nullptr;
    QLabel* raiseLabel = nullptr;
    QLineEdit* raiseEdit = nullptr;
    QCheckBox* foldBox = nullptr;
    QPushButton* closeButton = nullptr;
    QIntValidator* amountValidator = nullptr;

public slots:
    void onFoldToggled(int state);
    void onCallToggled(int state);
    void onRaiseToggled(int state);
    void onCloseClicked();
    void onCallAmountEdited();
    void onRaiseAmountEdited();

private:
    // Puts amount in front of the player; the rest of his chips stay behind.
    void putIn(QLineEdit* edit);
    // The table's seat widget keeps its own copy of stack and bet.
    void mirrorToTable();
};

// The table's widget of seat when situation is the one on the table, else
// null: edits of another situation must not reach the table.
SeatWidget* tableSeatWidget(MainWindow* mainWindow, const torvel::GameState* situation, int seat);
