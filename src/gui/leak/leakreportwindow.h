#pragma once
// "Leak Report": what the hero's mistakes among the stored decisions cost
// and where they cluster: the totals, a chart by stack and position, a
// sortable table of every breakdown and the ten costliest hands, which a
// click puts on the table.

#include <QDialog>

#include <vector>

#include "store/decisionrecord.h"
#include "store/leakreport.h"

class DeskActions;
class DeskModel;
class LeakChartView;
class QLabel;
class QTableWidget;

class LeakReportWindow : public QDialog {
    Q_OBJECT

public:
    LeakReportWindow(DeskModel& desk, DeskActions& actions, QWidget* parent);

    // Reads the hand database and fills the window; false after an "Error"
    // box naming the file.
    bool load(const QString& databasePath);

    const torvel::store::LeakReport& report() const { return report_; }
    QLabel* totals() const { return totals_; }
    LeakChartView* chart() const { return chart_; }
    QTableWidget* breakdown() const { return breakdown_; }
    QTableWidget* costliest() const { return costliest_; }

public slots:
    // Puts a hand of the costliest list on the table.
    void showCostly(int row);

private:
    void fill(const std::vector<torvel::store::DecisionRecord>& decisions);

    DeskModel& desk_;
    DeskActions& actions_;
    torvel::store::LeakReport report_;
    QLabel* totals_ = nullptr;
    LeakChartView* chart_ = nullptr;
    QTableWidget* breakdown_ = nullptr;
    QTableWidget* costliest_ = nullptr;
};
