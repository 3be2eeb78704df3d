#include "gui/dialogs/seateditcell.h"

#include <QInputDialog>
#include <QMouseEvent>

#include "gui/app/mainwindow.h"
#include "engine/gamestate.h"
#include "gui/dialogs/analysisreportdialog.h"
#include "gui/table/opponentactiondialog.h"
#include "gui/table/seatwidget.h"
#include "gui/table/seatdialogs.h"

using torvel::GameState;
using torvel::SeatState;

SeatEditCell::SeatEditCell(AnalysisReportDialog* report_, int kind_, int seatIndex_, QWidget* parent)
    : QLabel(parent), seatIndex(seatIndex_), kind(kind_), report(report_) {}

void SeatEditCell::bind(int seatIndex_, SeatState* seat_) {
    seatIndex = seatIndex_;
    seat = seat_;
    bool clickable = seat != nullptr;
    if (seat && kind == kAction)
        clickable = seat->action >= 0 && seat->status > torvel::kSeatHero;
    else if (seat && kind == kRange)
        clickable = seat->status > torvel::kSeatHero;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void SeatEditCell::mousePressEvent(QMouseEvent* event) {
    if (!seat || !report || !GameState::validSeat(seatIndex)) {
        QLabel::mousePressEvent(event);
        return;
    }
    switch (kind) {
    case kStack: editStack(); break;
    case kAction: editAction(); break;
    case kRange: editRange(); break;
    default: break;
    }
}

void SeatEditCell::editStack() {
    bool ok = false;
    // Starts from the chips behind, the number in the cell and the one the
    // dialog writes, so that confirming it unchanged changes nothing.
    const int value =
        QInputDialog::getInt(this, tr("New Stacksize?"), tr("Stacksize:"), seat->stack, 0, 1000000, 100, &ok);
    if (!ok)
        return;
    seat->stack = value;
    setText(AnalysisReportDialog::linkText(QString::number(value)));
    if (SeatWidget* widget = tableSeatWidget(report->owner, report->game, seatIndex)) {
        widget->stack = value;
        widget->update();
    }
}

void SeatEditCell::editAction() {
    if (seat->action < 0 || seat->status <= torvel::kSeatHero)
        return;
    AnalysisReportDialog* owningReport = report;
    {
        OpponentActionDialog dialog(owningReport->owner, *seat, seatIndex, owningReport, this);
        dialog.exec();
    }
    // The rebuild rebinds every cell, this one included.
    owningReport->buildReport(owningReport->game);
}

void SeatEditCell::editRange() {
    if (seat->status <= torvel::kSeatHero)
        return;
    MainWindow* mainWindow = report->owner;
    GameState* situation = report->game;
    if (!mainWindow || !situation)
        return;
    if (SeatWidget* widget = tableSeatWidget(mainWindow, situation, seatIndex)) {
        openRangeDialog(mainWindow, widget, 0, this);
    } else {
        // A listed hand that is not on the table: the range dialog edits a
        // stand-in seat and, for its duration, this hand as the current
        // situation, so that the hand on the table stays as it is.
        SeatWidget standIn(mainWindow, seatIndex, nullptr);
        standIn.status = seat->status;
        standIn.stack = seat->stack;
        standIn.bet = seat->bet;
        standIn.rangeFrom = seat->rangeFrom;
        standIn.rangeTo = seat->rangeTo;
        standIn.range2From = seat->range2From;
        standIn.range2To = seat->range2To;
        standIn.isButton = seat->isButton;
        standIn.isSmallBlind = seat->isSmallBlind;
        standIn.isBigBlind = seat->isBigBlind;
        GameState* onTable = mainWindow->current;
        mainWindow->current = situation;
        openRangeDialog(mainWindow, &standIn, 0, this);
        mainWindow->current = onTable;
    }
    setText(AnalysisReportDialog::rangeText(*seat));
}
