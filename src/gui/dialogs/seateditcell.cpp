#include "gui/dialogs/seateditcell.h"

#include <QInputDialog>
#include <QMouseEvent>

#include "engine/gamestate.h"
#include "gui/desk/deskmodel.h"
#include "gui/dialogs/analysisreportdialog.h"
#include "gui/dialogs/rangedialog.h"
#include "gui/table/opponentactiondialog.h"

using torvel::GameState;
using torvel::SeatState;

SeatEditCell::SeatEditCell(AnalysisReportDialog* report, int kind, int seatIndex, QWidget* parent)
    : QLabel(parent), seatIndex_(seatIndex), kind_(kind), report_(report) {}

void SeatEditCell::bind(int seatIndex, SeatState* seat) {
    seatIndex_ = seatIndex;
    seat_ = seat;
    bool clickable = seat_ != nullptr;
    if (seat_ && kind_ == kAction)
        clickable = seat_->action >= 0 && seat_->status > torvel::kSeatHero;
    else if (seat_ && kind_ == kRange)
        clickable = seat_->status > torvel::kSeatHero;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void SeatEditCell::mousePressEvent(QMouseEvent* event) {
    if (!seat_ || !report_ || !GameState::validSeat(seatIndex_)) {
        QLabel::mousePressEvent(event);
        return;
    }
    switch (kind_) {
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
        QInputDialog::getInt(this, tr("New Stacksize?"), tr("Stacksize:"), seat_->stack, 0, 1000000, 100, &ok);
    if (!ok)
        return;
    seat_->stack = value;
    setText(AnalysisReportDialog::linkText(QString::number(value)));
    if (DeskModel* desk = report_->desk())
        desk->seatChipsEdited(report_->situation(), seatIndex_, false);
}

void SeatEditCell::editAction() {
    if (seat_->action < 0 || seat_->status <= torvel::kSeatHero)
        return;
    AnalysisReportDialog* owningReport = report_;
    {
        OpponentActionDialog dialog(owningReport->desk(), owningReport->situation(), seatIndex_, this);
        dialog.exec();
    }
    // The rebuild rebinds every cell, this one included.
    owningReport->buildReport(owningReport->situation());
}

void SeatEditCell::editRange() {
    if (seat_->status <= torvel::kSeatHero)
        return;
    DeskModel* desk = report_->desk();
    if (!desk || !report_->situation())
        return;
    {
        RangeDialog dialog(desk, report_->situation(), seatIndex_, 0, this);
        dialog.exec();
    }
    setText(AnalysisReportDialog::rangeText(*seat_));
}
