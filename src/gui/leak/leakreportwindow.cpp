#include "gui/leak/leakreportwindow.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <memory>

#include "engine/gamestate.h"
#include "gui/desk/deskactions.h"
#include "gui/desk/deskmodel.h"
#include "gui/leak/leakchartview.h"
#include "import/handlistrules.h"
#include "store/handstore.h"

using torvel::store::DecisionRecord;
using torvel::store::LeakGroup;

namespace {

// A cell that sorts by its number, not by its text.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(double value, int decimals) : QTableWidgetItem(QString::number(value, 'f', decimals)) {
        setData(Qt::UserRole, value);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

QTableWidget* makeTable(const QStringList& headers) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QString actionName(int action) {
    switch (action) {
    case torvel::import::kHeroFolds:
        return QObject::tr("Fold");
    case torvel::import::kHeroCalls:
        return QObject::tr("Call");
    case torvel::import::kHeroRaises:
        return QObject::tr("Raise");
    case torvel::import::kHeroAllIn:
        return QObject::tr("All-in");
    case torvel::import::kHeroChecks:
        return QObject::tr("Check");
    default:
        return QString();
    }
}

}  // namespace

LeakReportWindow::LeakReportWindow(DeskModel& desk, DeskActions& actions, QWidget* parent)
    : QDialog(parent), desk_(desk), actions_(actions), totals_(new QLabel), chart_(new LeakChartView),
      breakdown_(makeTable({tr("Breakdown"), tr("Group"), tr("Decisions"), tr("Mistakes"), tr("Lost %")})),
      costliest_(makeTable({tr("Game"), tr("Site"), tr("Played"), tr("Position"), tr("Hand"), tr("Stack (bb)"),
                            tr("Action"), tr("Lost %")})) {
    setWindowTitle(tr("Leak Report"));
    QFont bold = totals_->font();
    bold.setBold(true);
    totals_->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(totals_);
    auto* top = new QHBoxLayout;
    top->addWidget(chart_, 3);
    top->addWidget(breakdown_, 2);
    layout->addLayout(top, 1);
    layout->addWidget(new QLabel(tr("The ten costliest hands (click one to put it on the table):")));
    layout->addWidget(costliest_);
    costliest_->setMinimumHeight(costliest_->horizontalHeader()->sizeHint().height() +
                                 10 * costliest_->verticalHeader()->defaultSectionSize() + 4);
    connect(costliest_, &QTableWidget::cellClicked, this, &LeakReportWindow::showCostly);
    resize(1100, 680);
}

bool LeakReportWindow::load(const QString& databasePath) {
    std::vector<DecisionRecord> decisions;
    if (const auto status = torvel::store::readStored(QFile::encodeName(databasePath).toStdString(), {}, decisions);
        !status) {
        QMessageBox::warning(parentWidget(), tr("Error"), QString::fromStdString(status.reason));
        return false;
    }
    fill(decisions);
    return true;
}

void LeakReportWindow::fill(const std::vector<DecisionRecord>& decisions) {
    report_ = torvel::store::leakReport(decisions);
    const LeakGroup& total = report_.total;
    totals_->setText(tr("%1 decisions, %2 mistakes, %3 % of a prize pool lost")
                         .arg(total.decisions)
                         .arg(total.mistakes)
                         .arg(total.equityLost, 0, 'f', 2));

    QStringList bands, positions;
    for (const LeakGroup& g : report_.byStack)
        bands << QString::fromStdString(g.name);
    for (const LeakGroup& g : report_.byPosition)
        positions << QString::fromStdString(g.name);
    QVector<QVector<double>> loss(bands.size(), QVector<double>(positions.size(), 0.0));
    for (const DecisionRecord& r : decisions) {
        const auto band = bands.indexOf(QString::fromStdString(torvel::store::stackBand(r.stackBigBlinds)));
        const auto position = positions.indexOf(QString::fromStdString(r.position.empty() ? "unknown" : r.position));
        if (band >= 0 && position >= 0)
            loss[band][position] += r.equityLost();
    }
    chart_->setData(bands, positions, loss);

    breakdown_->setSortingEnabled(false);
    breakdown_->setRowCount(0);
    const std::pair<QString, const std::vector<LeakGroup>*> parts[] = {
        {tr("Position"), &report_.byPosition}, {tr("Stack (bb)"), &report_.byStack}, {tr("Mistake"), &report_.byMistake}};
    for (const auto& [part, groups] : parts) {
        for (const LeakGroup& g : *groups) {
            const int row = breakdown_->rowCount();
            breakdown_->insertRow(row);
            breakdown_->setItem(row, 0, new QTableWidgetItem(part));
            breakdown_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(g.name)));
            breakdown_->setItem(row, 2, new NumberItem(g.decisions, 0));
            breakdown_->setItem(row, 3, new NumberItem(g.mistakes, 0));
            breakdown_->setItem(row, 4, new NumberItem(g.equityLost, 2));
        }
    }
    // Sortable by any column; it opens in the order of the report.
    breakdown_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    breakdown_->setSortingEnabled(true);
    breakdown_->resizeColumnsToContents();
    // Every column in sight beside the scroll bar.
    breakdown_->setMinimumWidth(breakdown_->horizontalHeader()->length() +
                                breakdown_->verticalScrollBar()->sizeHint().width() + 2 * breakdown_->frameWidth());

    costliest_->setRowCount(0);
    for (const DecisionRecord& r : report_.costliest) {
        const int row = costliest_->rowCount();
        costliest_->insertRow(row);
        const QString texts[] = {QString::fromStdString(r.handId),   QString::fromStdString(r.site),
                                 QString::fromStdString(r.playedAt), QString::fromStdString(r.position),
                                 QString::fromStdString(r.hand)};
        for (int c = 0; c < 5; ++c)
            costliest_->setItem(row, c, new QTableWidgetItem(texts[c]));
        costliest_->setItem(row, 5, new NumberItem(r.stackBigBlinds, 1));
        costliest_->setItem(row, 6, new QTableWidgetItem(actionName(r.heroAction)));
        costliest_->setItem(row, 7, new NumberItem(r.equityLost(), 2));
    }
    costliest_->resizeColumnsToContents();
}

void LeakReportWindow::showCostly(int row) {
    if (row < 0 || row >= static_cast<int>(report_.costliest.size()))
        return;
    auto situation = std::make_unique<torvel::GameState>(&desk_);
    if (!torvel::store::restoreSituation(report_.costliest[static_cast<std::size_t>(row)], *situation)) {
        QMessageBox::warning(this, tr("Error"), tr("The stored situation of this hand cannot be read."));
        return;
    }
    torvel::GameState* shown = situation.get();
    desk_.keepUntilReplaced(std::move(situation));
    actions_.showSituation(shown);
}
