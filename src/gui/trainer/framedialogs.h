#pragma once
// Entry points of the frame's panels and dialogs that live in other areas
// (hand list, trainer settings, report, plot).

class HandListPanel;
class TableFrame;
class TrainerSettingsPanel;
class QString;
class QWidget;
class MainWindow;

namespace torvel {
class GameState;
}

HandListPanel* createHandList(MainWindow* mainWindow, TableFrame* frame);
TrainerSettingsPanel* createTrainerSettings(MainWindow* mainWindow, TableFrame* frame);
void openReport(MainWindow* mainWindow, torvel::GameState* situation, const QString& caption, QWidget* parent);
void openEquityPlot(MainWindow* mainWindow, torvel::GameState* situation, TableFrame* frame);
