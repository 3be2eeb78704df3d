#include "gui/table/opponentactiondialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <algorithm>

#include "engine/gamestate.h"
#include "gui/desk/deskmodel.h"

using torvel::GameState;
using torvel::SeatState;

OpponentActionDialog::OpponentActionDialog(DeskModel* desk, GameState* situation, int seatIndex, QWidget* parent)
    : QDialog(parent), desk_(desk), situation_(situation),
      seat_(situation && GameState::validSeat(seatIndex) ? &situation->seats[static_cast<std::size_t>(seatIndex)] : nullptr),
      seatIndex_(seatIndex), grid_(new QGridLayout(this)), callBox_(new QCheckBox(tr("Call"))),
      callLabel_(new QLabel(tr("Amount :"))), callEdit_(new QLineEdit), raiseBox_(new QCheckBox(tr("Raise"))),
      raiseLabel_(new QLabel(tr("Amount :"))), raiseEdit_(new QLineEdit), foldBox_(new QCheckBox(tr("Fold"))),
      closeButton_(new QPushButton(tr("Close"))) {
    const QString name = seat_ ? QString::fromUtf8(seat_->name, qstrnlen(seat_->name, sizeof seat_->name)) : QString();
    setWindowTitle(name.isEmpty() ? tr("Action") : tr("Action of %1").arg(name));
    grid_->addWidget(foldBox_, 0, 0, 1, 3);
    grid_->addWidget(callBox_, 1, 0, 1, 1);
    grid_->addWidget(callLabel_, 1, 1, 1, 1);
    grid_->addWidget(callEdit_, 1, 2, 1, 1);
    grid_->addWidget(raiseBox_, 2, 0, 1, 1);
    grid_->addWidget(raiseLabel_, 2, 1, 1, 1);
    grid_->addWidget(raiseEdit_, 2, 2, 1, 1);
    grid_->addWidget(closeButton_, 3, 0, 1, 3);

    auto* choices = new QButtonGroup(this);
    choices->setExclusive(true);
    choices->addButton(foldBox_);
    choices->addButton(callBox_);
    choices->addButton(raiseBox_);

    // Only one opponent can be all-in before the hero: while another seat_
    // is the raiser, this one stays a chip short.
    const GameState* g = situation_;
    const bool otherRaiser = g && g->raiserSeat != -1 && g->raiserSeat != seatIndex_;
    amountValidator_ = new QIntValidator(g ? g->smallBlind : 0, seat_->totalChips() - (otherRaiser ? 1 : 0), this);
    // The fields take any whole number: one beyond the bounds is held to
    // them when it is used, and the field then shows what was used.
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), this);
    for (QLineEdit* edit : {callEdit_, raiseEdit_}) {
        edit->setMaximumWidth(100);
        edit->setValidator(digits);
    }

    connect(foldBox_, &QCheckBox::stateChanged, this, &OpponentActionDialog::onFoldToggled);
    connect(callBox_, &QCheckBox::stateChanged, this, &OpponentActionDialog::onCallToggled);
    connect(raiseBox_, &QCheckBox::stateChanged, this, &OpponentActionDialog::onRaiseToggled);
    connect(closeButton_, &QPushButton::clicked, this, &OpponentActionDialog::onCloseClicked);
    connect(callEdit_, &QLineEdit::editingFinished, this, &OpponentActionDialog::onCallAmountEdited);
    connect(raiseEdit_, &QLineEdit::editingFinished, this, &OpponentActionDialog::onRaiseAmountEdited);

    // The blinds of the situation being edited, which from a listed hand
    // need not be those on the table.
    const int bigBlind = g ? g->bigBlind : (desk_ ? desk_->kept().bigBlind : 0);
    callEdit_->setText(QString::number(bigBlind));
    raiseEdit_->setText(QString::number(3 * bigBlind));

    // Checking a box puts the field's amount in: a player all-in keeps his
    // all-in, anybody else starts from the start value.
    const bool allIn = seat_->stack == 0 && seat_->bet > 0;
    switch (seat_->action) {
    case torvel::kActionFold:
        foldBox_->setChecked(true);
        break;
    case torvel::kActionCall:
        if (allIn)
            callEdit_->setText(QString::number(seat_->bet));
        callBox_->setChecked(true);
        break;
    case torvel::kActionRaise:
        if (allIn)
            raiseEdit_->setText(QString::number(seat_->bet));
        raiseBox_->setChecked(true);
        break;
    default:
        break;
    }
}

void OpponentActionDialog::onFoldToggled(int state) {
    if (state != Qt::Checked)
        return;
    callLabel_->setEnabled(false);
    callEdit_->setEnabled(false);
    raiseLabel_->setEnabled(false);
    raiseEdit_->setEnabled(false);

    seat_->action = torvel::kActionFold;
    seat_->stack += seat_->bet;
    seat_->bet = 0;
    // A blind leaves his blind in the pot; a short one all he has.
    if (GameState* g = situation_) {
        if (seat_->isSmallBlind)
            seat_->bet = g->smallBlind;
        if (seat_->isBigBlind)
            seat_->bet = g->bigBlind;
        seat_->bet = std::clamp(seat_->bet, 0, std::max(0, seat_->stack));
        if (g->raiserSeat == seatIndex_)
            g->raiserSeat = -1;
    }
    seat_->stack -= seat_->bet;
    mirrorToTable();
}

void OpponentActionDialog::onCallToggled(int state) {
    if (state != Qt::Checked)
        return;
    callLabel_->setEnabled(true);
    callEdit_->setEnabled(true);
    raiseLabel_->setEnabled(false);
    raiseEdit_->setEnabled(false);
    seat_->action = torvel::kActionCall;
    if (GameState* g = situation_; g && g->raiserSeat == seatIndex_)
        g->raiserSeat = -1;
    onCallAmountEdited();
}

void OpponentActionDialog::onRaiseToggled(int state) {
    if (state != Qt::Checked)
        return;
    callLabel_->setEnabled(false);
    callEdit_->setEnabled(false);
    raiseLabel_->setEnabled(true);
    raiseEdit_->setEnabled(true);
    seat_->action = torvel::kActionRaise;
    onRaiseAmountEdited();
}

void OpponentActionDialog::onCallAmountEdited() { putIn(callEdit_); }

void OpponentActionDialog::onRaiseAmountEdited() { putIn(raiseEdit_); }

void OpponentActionDialog::putIn(QLineEdit* edit) {
    bool number = false;
    int amount = edit->text().toInt(&number, 10);
    if (!number)
        amount = 0;
    // Nobody puts in more than he has, or goes all-in beside the raiser;
    // less than the small blind is the small blind, unless that is more
    // than he has.
    const int most = std::max(0, amountValidator_->top());
    const int used = std::min(std::max(amount, amountValidator_->bottom()), most);
    if (used != amount || QString::number(used) != edit->text())
        edit->setText(QString::number(used));
    amount = used;
    seat_->stack += seat_->bet - amount;
    seat_->bet = amount;
    mirrorToTable();
}

void OpponentActionDialog::onCloseClicked() {
    // What the field shows is used, typed or not.
    if (callBox_->isChecked())
        putIn(callEdit_);
    else if (raiseBox_->isChecked())
        putIn(raiseEdit_);
    close();
    GameState* g = situation_;
    if (!g)
        return;
    // The raiser is the one player all-in before the hero: a folded blind
    // with nothing behind is not, and a raiser who kept chips back no
    // longer is.
    const bool allIn = seat_->stack == 0 && seat_->action != torvel::kActionFold;
    if (allIn)
        g->raiserSeat = seatIndex_;
    else if (g->raiserSeat == seatIndex_)
        g->raiserSeat = -1;
}

void OpponentActionDialog::mirrorToTable() {
    if (desk_)
        desk_->seatChipsEdited(situation_, seatIndex_, true);
}
