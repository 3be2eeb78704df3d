#include "gui/table/seatdialogs.h"

#include "engine/gamestate.h"
#include "gui/dialogs/rangedialog.h"
#include "gui/table/opponentactiondialog.h"

void openOpponentAction(MainWindow* mainWindow, torvel::SeatState& seat, int seatIndex, AnalysisReportDialog* report, QWidget* parent) {
    if (!mainWindow || !torvel::GameState::validSeat(seatIndex))
        return;
    OpponentActionDialog dialog(mainWindow, seat, seatIndex, report, parent);
    dialog.exec();
}

void openRangeDialog(MainWindow* mainWindow, SeatWidget* seatWidget, int mode, QWidget* parent) {
    RangeDialog dialog(mainWindow, seatWidget, mode, parent);
    dialog.exec();
}
