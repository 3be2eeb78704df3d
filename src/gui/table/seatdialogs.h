#pragma once
// Entry points of the seat dialogs (opponent action and range choice), so
// the table and the report open them without knowing their classes.

class QWidget;
class CPlayer;
class CResult;
class grabber;

namespace torvel {
struct SeatState;
}

// The opponent's action before the hero; report is null when opened from
// the table.
void openOpponentAction(grabber* mainWindow, torvel::SeatState& seat, int seatIndex, CResult* report, QWidget* parent);

// The range dialog for the own range (mode 0) or the calling range (mode 1).
void openRangeDialog(grabber* mainWindow, CPlayer* seatWidget, int mode, QWidget* parent);
