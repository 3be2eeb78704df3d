#include "gui/table/opponentactiondialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "gui/app/mainwindow.h"
#include "engine/gamestate.h"
#include "gui/dialogs/analysisreportdialog.h"
#include "gui/table/seatwidget.h"
#include "gui/table/tableview.h"
#include "gui/trainer/tableframe.h"

using torvel::GameState;
using torvel::SeatState;

SeatWidget* tableSeatWidget(MainWindow* mainWindow, const GameState* situation, int seat) {
    if (!mainWindow || !situation || situation != mainWindow->current || !GameState::validSeat(seat))
        return nullptr;
    if (!mainWindow->frame || !mainWindow->frame->table)
        return nullptr;
    return mainWindow->frame->table->seatWidgets[static_cast<std::size_t>(seat)];
}

OpponentActionDialog::OpponentActionDialog(MainWindow* mainWindow_, SeatState& seat_, int seatIndex_, AnalysisReportDialog* report_, QWidget* parent)
    : QDialog(parent), report(report_), seat(&seat_), grid(new QGridLayout(this)), mainWindow(mainWindow_),
      callBox(new QCheckBox(tr("Call"))), callLabel(new QLabel(tr("Amount :"))), callEdit(new QLineEdit),
      seatIndex(seatIndex_), raiseBox(new QCheckBox(tr("Raise"))), raiseLabel(new QLabel(tr("Amount :"))),
      raiseEdit(new QLineEdit), foldBox(new QCheckBox(tr("Fold"))), closeButton(new QPushButton(tr("Close"))) {
    grid->addWidget(foldBox, 0, 0, 1, 3);
    grid->addWidget(callBox, 1, 0, 1, 1);
    grid->addWidget(callLabel, 1, 1, 1, 1);
    grid->addWidget(callEdit, 1, 2, 1, 1);
    grid->addWidget(raiseBox, 2, 0, 1, 1);
    grid->addWidget(raiseLabel, 2, 1, 1, 1);
    grid->addWidget(raiseEdit, 2, 2, 1, 1);
    grid->addWidget(closeButton, 3, 0, 1, 3);

    auto* choices = new QButtonGroup(this);
    choices->setExclusive(true);
    choices->addButton(foldBox);
    choices->addButton(callBox);
    choices->addButton(raiseBox);

    // Only one opponent can be all-in before the hero: while another seat
    // is the raiser, this one stays a chip short.
    const GameState* g = situation();
    const bool otherRaiser = g && g->raiserSeat != -1 && g->raiserSeat != seatIndex;
    amountValidator = new QIntValidator(g ? g->smallBlind : 0, seat->totalChips() - (otherRaiser ? 1 : 0), this);
    for (QLineEdit* edit : {callEdit, raiseEdit}) {
        edit->setMaximumWidth(100);
        edit->setValidator(amountValidator);
    }

    connect(foldBox, &QCheckBox::stateChanged, this, &OpponentActionDialog::onFoldToggled);
    connect(callBox, &QCheckBox::stateChanged, this, &OpponentActionDialog::onCallToggled);
    connect(raiseBox, &QCheckBox::stateChanged, this, &OpponentActionDialog::onRaiseToggled);
    connect(closeButton, &QPushButton::clicked, this, &OpponentActionDialog::onCloseClicked);
    connect(callEdit, &QLineEdit::editingFinished, this, &OpponentActionDialog::onCallAmountEdited);
    connect(raiseEdit, &QLineEdit::editingFinished, this, &OpponentActionDialog::onRaiseAmountEdited);

    // The blinds of the situation being edited, which from a listed hand
    // need not be those on the table.
    const int bigBlind = g ? g->bigBlind : (mainWindow ? mainWindow->keptBigBlind : 0);
    callEdit->setText(QString::number(bigBlind));
    raiseEdit->setText(QString::number(3 * bigBlind));

    switch (seat->action) {
    case torvel::kActionFold:
        foldBox->setChecked(true);
        break;
    case torvel::kActionCall:
        callBox->setChecked(true);
        callEdit->setText(QString::number(seat->bet));
        break;
    case torvel::kActionRaise:
        raiseBox->setChecked(true);
        raiseEdit->setText(QString::number(seat->bet));
        break;
    default:
        break;
    }
}

GameState* OpponentActionDialog::situation() const {
    if (report)
        return report->game;
    return mainWindow ? mainWindow->current : nullptr;
}

void OpponentActionDialog::onFoldToggled(int state) {
    if (state != Qt::Checked)
        return;
    callLabel->setEnabled(false);
    callEdit->setEnabled(false);
    raiseLabel->setEnabled(false);
    raiseEdit->setEnabled(false);

    seat->action = torvel::kActionFold;
    seat->stack += seat->bet;
    seat->bet = 0;
    // A blind leaves his blind in the pot; a short one all he has.
    if (GameState* g = situation()) {
        if (seat->isSmallBlind)
            seat->bet = g->smallBlind;
        if (seat->isBigBlind)
            seat->bet = g->bigBlind;
        seat->bet = std::clamp(seat->bet, 0, std::max(0, seat->stack));
        if (g->raiserSeat == seatIndex)
            g->raiserSeat = -1;
    }
    seat->stack -= seat->bet;
    mirrorToTable();
}

void OpponentActionDialog::onCallToggled(int state) {
    if (state != Qt::Checked)
        return;
    callLabel->setEnabled(true);
    callEdit->setEnabled(true);
    raiseLabel->setEnabled(false);
    raiseEdit->setEnabled(false);
    seat->action = torvel::kActionCall;
    if (GameState* g = situation(); g && g->raiserSeat == seatIndex)
        g->raiserSeat = -1;
    onCallAmountEdited();
}

void OpponentActionDialog::onRaiseToggled(int state) {
    if (state != Qt::Checked)
        return;
    callLabel->setEnabled(false);
    callEdit->setEnabled(false);
    raiseLabel->setEnabled(true);
    raiseEdit->setEnabled(true);
    seat->action = torvel::kActionRaise;
    onRaiseAmountEdited();
}

void OpponentActionDialog::onCallAmountEdited() { putIn(callEdit); }

void OpponentActionDialog::onRaiseAmountEdited() { putIn(raiseEdit); }

void OpponentActionDialog::putIn(QLineEdit* edit) {
    bool number = false;
    int amount = edit->text().toInt(&number, 10);
    if (!number)
        amount = 0;
    // The starting values are not typed, so the validator has not seen
    // them: nobody puts in more than he has, or goes all-in beside the
    // raiser.
    const int most = std::max(0, amountValidator->top());
    if (amount > most || amount < 0) {
        amount = std::clamp(amount, 0, most);
        edit->setText(QString::number(amount));
    }
    seat->stack += seat->bet - amount;
    seat->bet = amount;
    mirrorToTable();
}

void OpponentActionDialog::onCloseClicked() {
    close();
    GameState* g = situation();
    if (!g)
        return;
    // The raiser is the one player all-in before the hero: a folded blind
    // with nothing behind is not, and a raiser who kept chips back no
    // longer is.
    const bool allIn = seat->stack == 0 && seat->action != torvel::kActionFold;
    if (allIn)
        g->raiserSeat = seatIndex;
    else if (g->raiserSeat == seatIndex)
        g->raiserSeat = -1;
}

void OpponentActionDialog::mirrorToTable() {
    if (SeatWidget* widget = tableSeatWidget(mainWindow, situation(), seatIndex)) {
        widget->stack = seat->stack;
        widget->bet = seat->bet;
        widget->update();
    }
}
