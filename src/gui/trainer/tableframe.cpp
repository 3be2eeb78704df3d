#include "gui/trainer/tableframe.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>

#include "gui/app/mainwindow.h"
#include "engine/gamestate.h"
#include "gui/dialogs/payoutpanel.h"
#include "gui/handlist/handlistpanel.h"
#include "gui/table/seatwidget.h"
#include "gui/table/tableview.h"
#include "gui/trainer/trainersettingspanel.h"
#include "gui/trainer/framedialogs.h"

using torvel::GameState;

TableFrame::TableFrame(MainWindow* mainWindow_) : QWidget(mainWindow_), mainWindow(mainWindow_) {
    auto makeButton = [this](const QString& text) {
        auto* b = new QPushButton(text);
        b->setMaximumWidth(80);
        return b;
    };
    editButton = makeButton(tr("Edit"));
    clearButton = makeButton(tr("Clear"));
    plotButton = makeButton(tr("Plot"));
    computeButton = makeButton(tr("Compute"));
    detailsButton = makeButton(tr("Details"));
    pushButton = makeButton(tr("Push"));
    foldButton = makeButton(tr("Fold"));
    editButton->setCheckable(true);
    editButton->setChecked(true);
    editButton->hide();

    buttonBar = new QWidget;
    auto* bar = new QHBoxLayout(buttonBar);
    for (QPushButton* b : {clearButton, plotButton, computeButton, detailsButton, editButton, pushButton, foldButton})
        bar->addWidget(b);
    bar->addStretch(1);

    payouts = new PayoutPanel(mainWindow, this);
    table = new TableView(QStringLiteral("images/table.jpg"), this);
    handList = createHandList(mainWindow, this);
    settings = createTrainerSettings(mainWindow, this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(table, 0, 0, 1, 5);
    grid->addWidget(payouts, 0, 5, 1, 1);
    grid->addWidget(handList, 1, 0, 2, 2);
    grid->addWidget(buttonBar, 1, 2, 1, 4);
    grid->addWidget(settings, 2, 2, 1, 4);
    settings->hide();
    grid->setRowStretch(2, 1);

    connect(pushButton, &QPushButton::clicked, this, &TableFrame::onPushClicked);
    connect(foldButton, &QPushButton::clicked, this, &TableFrame::onFoldClicked);
    connect(editButton, &QPushButton::clicked, this, &TableFrame::onEditToggled);
    connect(clearButton, &QPushButton::clicked, this, &TableFrame::onClearClicked);
    connect(plotButton, &QPushButton::clicked, this, &TableFrame::onPlotClicked);
    connect(computeButton, &QPushButton::clicked, this, &TableFrame::onComputeClicked);
    connect(detailsButton, &QPushButton::clicked, this, &TableFrame::onDetailsClicked);
}

void TableFrame::setEditMode(bool on) {
    for (SeatWidget* seat : table->seatWidgets) {
        if (on) {
            if (seat->status != 0)
                seat->leaveButton->show();
            else
                seat->takeSeatButton->show();
        } else {
            seat->takeSeatButton->hide();
            seat->leaveButton->hide();
        }
    }
    table->editMode = on;
    update();
    table->update();
}

void TableFrame::clearTable() {
    for (SeatWidget* seat : table->seatWidgets) {
        seat->leaveSeat();
        seat->status = 0;
        seat->resetSeat();
    }
    if (GameState* g = mainWindow->current) {
        g->resetSeats();
        g->playerCount = 0;
        g->raiserSeat = -1;
        g->decision = torvel::kDecisionNotComputed;
        g->setPushRangeText({});
        g->heroAction = -1;
        g->buttonSeat = -1;
        g->ante = 0;
    }
    mainWindow->keptPlayerCount = 0;
    mainWindow->update();
    table->update();
}

void TableFrame::onPushClicked() {
    if (mainWindow->runAnalysis(torvel::kDecisionPush) == 0)
        mainWindow->nextTrainerSituation();
}

void TableFrame::onFoldClicked() {
    if (mainWindow->runAnalysis(torvel::kDecisionFold) == 0)
        mainWindow->nextTrainerSituation();
}

void TableFrame::onEditToggled() { setEditMode(editButton->isChecked()); }

void TableFrame::onClearClicked() { clearTable(); }

void TableFrame::onPlotClicked() {
    GameState* g = mainWindow->current;
    if (!g)
        return;
    if (g->heroSeat == -1)
        QMessageBox::information(this, tr("Error"), tr("Please take a seat"));
    else if (g->playerCount > 1)
        openEquityPlot(mainWindow, g, this);
    else
        QMessageBox::information(this, tr("Error"), tr("Please add more player"));
}

void TableFrame::onComputeClicked() {
    mainWindow->runAnalysis(-2);
    mainWindow->updateScore();
    table->update();
    update();
}

void TableFrame::onDetailsClicked() {
    GameState* g = mainWindow->current;
    if (!g)
        return;
    if (g->decision == torvel::kDecisionNotComputed)
        mainWindow->runAnalysis(-2);
    if (g->decision != torvel::kDecisionNotComputed)
        openReport(mainWindow, g, QStringLiteral("Editor"), this);
    table->update();
}
