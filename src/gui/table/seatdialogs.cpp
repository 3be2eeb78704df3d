#include "gui/table/seatdialogs.h"

#include "engine/gamestate.h"
#include "gui/dialogs/crange.h"
#include "gui/table/coppaction.h"

void openOpponentAction(grabber* mainWindow, torvel::SeatState& seat, int seatIndex, CResult* report, QWidget* parent) {
    if (!mainWindow || !torvel::GameState::validSeat(seatIndex))
        return;
    COppAction dialog(mainWindow, seat, seatIndex, report, parent);
    dialog.exec();
}

void openRangeDialog(grabber* mainWindow, CPlayer* seatWidget, int mode, QWidget* parent) {
    CRange dialog(mainWindow, seatWidget, mode, parent);
    dialog.exec();
}
