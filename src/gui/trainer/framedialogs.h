#pragma once
// Entry points of the frame's panels and dialogs that live in other areas
// (hand list, trainer settings, report, plot).

class CAuswertung;
class CMgr;
class CSetting;
class QString;
class QWidget;
class grabber;

namespace torvel {
class GameState;
}

CAuswertung* createHandList(grabber* mainWindow, CMgr* frame);
CSetting* createTrainerSettings(grabber* mainWindow, CMgr* frame);
void openReport(grabber* mainWindow, torvel::GameState* situation, const QString& caption, QWidget* parent);
void openEquityPlot(grabber* mainWindow, torvel::GameState* situation, CMgr* frame);
