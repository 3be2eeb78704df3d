#include "trainer/framedialogs.h"

// The hand list, the trainer settings, the report and the plot are not part
// of the program yet.
CAuswertung* createHandList(grabber*, CMgr*) { return nullptr; }
CSetting* createTrainerSettings(grabber*, CMgr*) { return nullptr; }
void openReport(grabber*, torvel::GameState*, const QString&, QWidget*) {}
void openEquityPlot(grabber*, torvel::GameState*, CMgr*) {}
