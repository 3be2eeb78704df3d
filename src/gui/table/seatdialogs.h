#pragma once
// Entry points of the seat dialogs (opponent action and range choice), so
// the table and the report open them without knowing their classes.

class QWidget;
class SeatWidget;
class AnalysisReportDialog;
class MainWindow;

namespace torvel {
struct SeatState;
}

// The opponent's action before the hero; report is null when opened from
// the table.
void openOpponentAction(MainWindow* mainWindow, torvel::SeatState& seat, int seatIndex, AnalysisReportDialog* report, QWidget* parent);

// The range dialog for the own range (mode 0) or the calling range (mode 1).
void openRangeDialog(MainWindow* mainWindow, SeatWidget* seatWidget, int mode, QWidget* parent);
