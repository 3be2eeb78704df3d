#include "gui/dialogs/seateditcell.h"

#include <QInputDialog>
#include <QMouseEvent>

#include "engine/constants.h"
#include "engine/gamestate.h"
#include "gui/desk/deskmodel.h"
#include "gui/dialogs/rangedialog.h"
#include "gui/table/opponentactiondialog.h"

using torvel::GameState;
using torvel::SeatState;

namespace {

// A bound of a ranking band in percent of the 169 classes.
QString bound(int position) { return QString::number(position * 100.0 / torvel::kHandClassCount, 'f', 2); }

}  // namespace

QString SeatEditCell::linkText(const QString& text) {
    return QStringLiteral("<font color=#0000FF><u>") + text + QStringLiteral("</u></font>");
}

QString SeatEditCell::rangeText(const SeatState& seat) {
    QString text = bound(seat.rangeTo);
    if (seat.rangeFrom > 0)
        text += QStringLiteral(" - ") + bound(seat.rangeFrom);
    return linkText(text);
}

SeatEditCell::SeatEditCell(DeskModel* desk, int kind, int seatIndex, QWidget* parent)
    : QLabel(parent), desk_(desk), seatIndex_(seatIndex), kind_(kind) {}

void SeatEditCell::bind(int seatIndex, GameState* situation) {
    seatIndex_ = seatIndex;
    situation_ = situation;
    seat_ = situation && GameState::validSeat(seatIndex) ? &situation->seats[static_cast<std::size_t>(seatIndex)] : nullptr;
    bool clickable = seat_ != nullptr;
    if (seat_ && kind_ == kAction)
        clickable = seat_->action >= 0 && seat_->status > torvel::kSeatHero;
    else if (seat_ && kind_ == kRange)
        clickable = seat_->status > torvel::kSeatHero;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void SeatEditCell::mousePressEvent(QMouseEvent* event) {
    if (!seat_ || !GameState::validSeat(seatIndex_)) {
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
    setText(linkText(QString::number(value)));
    if (desk_)
        desk_->seatChipsEdited(situation_, seatIndex_, false);
}

void SeatEditCell::editAction() {
    if (seat_->action < 0 || seat_->status <= torvel::kSeatHero)
        return;
    {
        OpponentActionDialog dialog(desk_, situation_, seatIndex_, this);
        dialog.exec();
    }
    // The report rebuilds and rebinds every cell, this one included.
    emit actionEdited();
}

void SeatEditCell::editRange() {
    if (seat_->status <= torvel::kSeatHero || !desk_)
        return;
    {
        RangeDialog dialog(desk_, situation_, seatIndex_, 0, this);
        dialog.exec();
    }
    setText(rangeText(*seat_));
}
