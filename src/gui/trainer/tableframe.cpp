#include "gui/trainer/tableframe.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>

#include "engine/gamestate.h"
#include "gui/desk/deskactions.h"
#include "gui/desk/deskmodel.h"
#include "gui/dialogs/payoutpanel.h"
#include "gui/handlist/handlistpanel.h"
#include "gui/plot/equityplotdialog.h"
#include "gui/table/tableview.h"
#include "gui/trainer/trainersettingspanel.h"

using torvel::GameState;

TableFrame::TableFrame(DeskModel& desk, const TableResources& resources, DeskActions& actions, QWidget* parent)
    : QWidget(parent), desk_(desk), actions_(actions) {
    auto makeButton = [this](const QString& text) {
        auto* b = new QPushButton(text);
        b->setMaximumWidth(80);
        return b;
    };
    editButton_ = makeButton(tr("Edit"));
    clearButton_ = makeButton(tr("Clear"));
    plotButton_ = makeButton(tr("Plot"));
    computeButton_ = makeButton(tr("Compute"));
    detailsButton_ = makeButton(tr("Details"));
    pushButton_ = makeButton(tr("Push"));
    foldButton_ = makeButton(tr("Fold"));
    editButton_->setCheckable(true);
    editButton_->setChecked(true);
    editButton_->hide();

    buttonBar_ = new QWidget;
    auto* bar = new QHBoxLayout(buttonBar_);
    for (QPushButton* b : {clearButton_, plotButton_, computeButton_, detailsButton_, editButton_, pushButton_, foldButton_})
        bar->addWidget(b);
    bar->addStretch(1);

    payouts_ = new PayoutPanel(this);
    table_ = new TableView(desk_, resources, actions_, QStringLiteral("images/table.jpg"), this);
    handList_ = new HandListPanel(desk_, actions_, this);
    settings_ = new TrainerSettingsPanel(desk_, this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(table_, 0, 0, 1, 5);
    grid->addWidget(payouts_, 0, 5, 1, 1);
    grid->addWidget(handList_, 1, 0, 2, 2);
    grid->addWidget(buttonBar_, 1, 2, 1, 4);
    grid->addWidget(settings_, 2, 2, 1, 4);
    settings_->hide();
    grid->setRowStretch(2, 1);

    connect(pushButton_, &QPushButton::clicked, this, &TableFrame::onPushClicked);
    connect(foldButton_, &QPushButton::clicked, this, &TableFrame::onFoldClicked);
    connect(editButton_, &QPushButton::clicked, this, &TableFrame::onEditToggled);
    connect(clearButton_, &QPushButton::clicked, this, &TableFrame::onClearClicked);
    connect(plotButton_, &QPushButton::clicked, this, &TableFrame::onPlotClicked);
    connect(computeButton_, &QPushButton::clicked, this, &TableFrame::onComputeClicked);
    connect(detailsButton_, &QPushButton::clicked, this, &TableFrame::onDetailsClicked);
}

void TableFrame::setEditMode(bool on) {
    table_->setEditMode(on);
    update();
}

void TableFrame::showControlsFor(DeskMode mode) {
    const bool editor = mode == DeskMode::Editor;
    setEditMode(editor);
    clearButton_->setVisible(editor);
    computeButton_->setVisible(editor);
    detailsButton_->setVisible(editor);
    pushButton_->setVisible(mode == DeskMode::Trainer);
    foldButton_->setVisible(mode == DeskMode::Trainer);
    handList_->setVisible(!editor);
    settings_->setVisible(mode == DeskMode::Trainer);
}

void TableFrame::onPushClicked() {
    if (actions_.runAnalysis(torvel::kDecisionPush) == 0)
        actions_.nextTrainerSituation();
}

void TableFrame::onFoldClicked() {
    if (actions_.runAnalysis(torvel::kDecisionFold) == 0)
        actions_.nextTrainerSituation();
}

void TableFrame::onEditToggled() { setEditMode(editButton_->isChecked()); }

void TableFrame::onClearClicked() { table_->clearTable(); }

void TableFrame::onPlotClicked() {
    GameState* g = desk_.situation();
    if (!g)
        return;
    if (g->heroSeat == -1) {
        QMessageBox::information(this, tr("Error"), tr("Please take a seat"));
    } else if (g->playerCount > 1) {
        EquityPlotDialog plot(g, this);
        plot.exec();
    } else {
        QMessageBox::information(this, tr("Error"), tr("Please add more player"));
    }
}

void TableFrame::onComputeClicked() {
    actions_.runAnalysis(-2);
    actions_.updateScore();
    table_->update();
    update();
}

void TableFrame::onDetailsClicked() {
    GameState* g = desk_.situation();
    if (!g)
        return;
    if (g->decision == torvel::kDecisionNotComputed)
        actions_.runAnalysis(-2);
    if (g->decision != torvel::kDecisionNotComputed)
        actions_.openReport(g, QStringLiteral("Editor"), this);
    table_->update();
}
