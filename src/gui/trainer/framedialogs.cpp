#include "gui/trainer/framedialogs.h"

#include "gui/handlist/causwertung.h"
#include "gui/plot/cplot.h"
#include "gui/dialogs/cresult.h"
#include "gui/trainer/cmgr.h"
#include "gui/trainer/csetting.h"

CAuswertung* createHandList(grabber* mainWindow, CMgr* frame) { return new CAuswertung(mainWindow, frame); }
CSetting* createTrainerSettings(grabber* mainWindow, CMgr* frame) { return new CSetting(mainWindow, frame); }
void openReport(grabber* mainWindow, torvel::GameState* situation, const QString& caption, QWidget* parent) {
    if (!situation)
        return;
    CResult report(mainWindow, caption, parent);
    report.buildReport(situation);
    report.exec();
}
void openEquityPlot(grabber* mainWindow, torvel::GameState* situation, CMgr* frame) {
    CPlot plot(mainWindow, situation, frame);
    plot.exec();
}
