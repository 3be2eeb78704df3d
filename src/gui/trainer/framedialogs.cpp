#include "gui/trainer/framedialogs.h"

#include "gui/handlist/handlistpanel.h"
#include "gui/plot/equityplotdialog.h"
#include "gui/dialogs/analysisreportdialog.h"
#include "gui/trainer/tableframe.h"
#include "gui/trainer/trainersettingspanel.h"

HandListPanel* createHandList(MainWindow* mainWindow, TableFrame* frame) { return new HandListPanel(mainWindow, frame); }
TrainerSettingsPanel* createTrainerSettings(MainWindow* mainWindow, TableFrame* frame) { return new TrainerSettingsPanel(mainWindow, frame); }
void openReport(MainWindow* mainWindow, torvel::GameState* situation, const QString& caption, QWidget* parent) {
    if (!situation)
        return;
    AnalysisReportDialog report(mainWindow, caption, parent);
    report.buildReport(situation);
    report.exec();
}
void openEquityPlot(MainWindow* mainWindow, torvel::GameState* situation, TableFrame* frame) {
    EquityPlotDialog plot(mainWindow, situation, frame);
    plot.exec();
}
