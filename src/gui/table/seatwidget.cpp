#include "gui/table/seatwidget.h"

#include <QGridLayout>
#include <QInputDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "engine/gamestate.h"
#include "gui/desk/deskmodel.h"
#include "gui/desk/tableresources.h"
#include "gui/table/tablefont.h"

using torvel::GameState;
using torvel::SeatState;

SeatWidget::SeatWidget(DeskModel& desk, const TableResources& resources, int seat, QWidget* parent)
    : QWidget(parent), desk_(desk), resources_(resources), leaveButton_(new QPushButton(tr("Leave"))),
      takeSeatButton_(new QPushButton(tr("Take Seat"))), seat_(seat) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(9, 9, 9, 9);
    grid->setSpacing(0);
    leaveButton_->setFixedSize(40, 16);
    takeSeatButton_->setFixedSize(60, 16);
    grid->addWidget(leaveButton_, 0, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(takeSeatButton_, 1, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    connect(leaveButton_, &QPushButton::clicked, this, &SeatWidget::leaveSeat);
    connect(takeSeatButton_, &QPushButton::clicked, this, &SeatWidget::takeSeat);
    setFixedSize(150, 150);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    leaveSeat();
}

void SeatWidget::setCards(int c1, int c2) {
    if (c1 == -1) {
        card1Image_ = card2Image_ = &resources_.cardPicture(52);
        return;
    }
    if (c1 != -2) {
        card1Image_ = &resources_.cardPicture(c1);
        card1_ = c1;
        handLow_ = c1 % 13;
        handHigh_ = c1 / 13 == card2_ / 13 ? handHigh_ % 13 : handHigh_ % 13 + 13;
    }
    if (c2 != -2) {
        card2Image_ = &resources_.cardPicture(c2);
        card2_ = c2;
        handHigh_ = c2 % 13 + (c2 / 13 != card1_ / 13 ? 13 : 0);
        handLow_ = handLow_ % 13;
    }
}

void SeatWidget::resetSeat() {
    card1_ = card2_ = handLow_ = handHigh_ = 0;
    card1Image_ = card2Image_ = nullptr;
    rangeFrom_ = rangeTo_ = range2To_ = range2From_ = 0;
    stack_ = 0;
    status_ = 0;
    isButton_ = isBigBlind_ = isSmallBlind_ = false;
    bet_ = 0;
}

void SeatWidget::takeSeat() {
    takeSeatButton_->hide();
    leaveButton_->show();
    bool moveButton = false;
    if (GameState* g = desk_.situation()) {
        SeatState& s = g->seats[static_cast<std::size_t>(seat_)];
        // A seat taken anew starts the hand with nothing in front of it.
        bet_ = s.bet = 0;
        s.action = torvel::kActionNone;
        s.isAllIn = s.isSmallBlind = s.isBigBlind = s.isButton = false;
        isSmallBlind_ = isBigBlind_ = isButton_ = false;
        const int fourteenSmallBlinds = 14 * desk_.kept().smallBlind;
        if (desk_.kept().heroSeat == -1) {
            status_ = s.status = torvel::kSeatHero;
            g->heroSeat = seat_;
            desk_.keepHeroSeat(seat_);
            setCards(0, 18);
            stack_ = s.stack = fourteenSmallBlinds;
            s.card1 = card1_;
            s.card2 = card2_;
            s.handLow = handLow_;
            s.handHigh = handHigh_;
        } else {
            status_ = s.status = torvel::kSeatOpponent;
            if (stack_ == 0)
                stack_ = fourteenSmallBlinds;
            s.stack = stack_;
            setCards(-1, -1);
            s.card1 = s.card2 = s.handLow = s.handHigh = -1;
            rangeTo_ = range2To_ = s.rangeTo = s.range2To = 13;
        }
        desk_.keepPlayerCount(++g->playerCount);
        moveButton = !GameState::validSeat(g->buttonSeat) || !g->seats[static_cast<std::size_t>(g->buttonSeat)].occupied();
    }
    emit seatTaken(seat_, moveButton);
    window()->update();
}

void SeatWidget::leaveSeat() {
    takeSeatButton_->show();
    leaveButton_->hide();
    GameState* g = desk_.situation();
    if (status_ == torvel::kSeatHero) {
        desk_.keepHeroSeat(-1);
        if (g)
            g->heroSeat = -1;
    }
    // The widget remembers what the player leaves with: his chips, with
    // nothing in front of the seat.
    if (status_ > 0) {
        stack_ += bet_;
        bet_ = 0;
    }
    if (g && status_ > 0) {
        if (g->raiserSeat == seat_)
            g->raiserSeat = -1;
        SeatState& s = g->seats[static_cast<std::size_t>(seat_)];
        s.status = s.stack = s.bet = 0;
        desk_.keepPlayerCount(--g->playerCount);
        emit seatLeft(seat_);
    }
    status_ = 0;
    window()->update();
}

void SeatWidget::mousePressEvent(QMouseEvent* event) {
    const int x = static_cast<int>(event->position().x());
    const int y = static_cast<int>(event->position().y());
    GameState* g = desk_.situation();
    const SeatState* s = g ? &g->seats[static_cast<std::size_t>(seat_)] : nullptr;

    if (desk_.editMode() && y < 82 && status_ == torvel::kSeatHero) {
        emit cardPickRequested(x > 25 && y > 5 ? 1 : 0);
        update();
    }
    if (desk_.editMode() && s && ((y < 82 && status_ == torvel::kSeatOpponent) || (y >= 100 && s->action == 0)) &&
        s->action >= 0) {
        emit opponentActionRequested(seat_);
        window()->update();
        // One click, one dialog: the action just set must not open the range too.
        event->ignore();
        return;
    }
    if (desk_.editMode() && y > 85 && y < 100) {
        bool ok = false;
        const int value = QInputDialog::getInt(this, tr("Edit Stack"), tr("New Stacksize : "), stack_, 0,
                                               torvel::kMaxChips, std::max(1, desk_.kept().smallBlind), &ok);
        if (ok) {
            stack_ = value;
            if (g)
                g->seats[static_cast<std::size_t>(seat_)].stack = value;
            desk_.forgetVerdict();
            window()->update();
        }
    }
    if (s && desk_.mode() != DeskMode::Trainer && y > 100 && y < 115 && status_ == torvel::kSeatOpponent) {
        if (x < 60 && s->action != 0)
            emit rangeEditRequested(seat_, 0);
        else if (x > 60 && (s->action == 1 || s->action == 2) && s->stack > 0)
            emit rangeEditRequested(seat_, 1);
    }
    event->ignore();
}

void SeatWidget::mouseMoveEvent(QMouseEvent* event) {
    lastX_ = static_cast<int>(event->position().x());
    lastY_ = static_cast<int>(event->position().y());
    event->ignore();
}

void SeatWidget::paintEvent(QPaintEvent*) {
    if (status_ == 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const GameState* g = desk_.situation();
    const SeatState* s = g ? &g->seats[static_cast<std::size_t>(seat_)] : nullptr;
    const bool hovered = underMouse();
    const bool editor = desk_.mode() == DeskMode::Editor;
    const int x = lastX_;
    const int y = lastY_;

    if (s && !(s->action == 0 && status_ == torvel::kSeatOpponent)) {
        if (hovered && editor) {
            painter.setPen(resources_.selectionPen());
            if (status_ == torvel::kSeatOpponent) {
                if (y < 80)
                    painter.drawRect(QRect(QPoint(0, 0), QPoint(149, 79)));
            } else if (x > 0 && x < 58 && y > 0 && y < 77) {
                painter.drawRect(QRect(QPoint(0, 0), QPoint(58, 78)));
            } else if (x > 25 && x < 83 && y > 5 && y < 83) {
                painter.drawRect(QRect(QPoint(25, 5), QPoint(83, 83)));
            }
        }
        if (card1Image_ && !card1Image_->isNull())
            painter.drawPixmap(QRect(1, 1, 57, 77), *card1Image_);
        if (card2Image_ && !card2Image_->isNull())
            painter.drawPixmap(QRect(26, 6, 57, 77), *card2Image_);
    }

    painter.setPen(resources_.highlightPen());
    painter.setFont(tableFont(painter.font(), 10));

    const int bigBlind = desk_.kept().bigBlind;
    int amount = stack_;
    if (status_ == torvel::kSeatHero)
        amount = stack_ + bet_ - (isBigBlind_ ? bigBlind : 0) - (isSmallBlind_ ? desk_.kept().smallBlind : 0);
    QString stackText = QStringLiteral("$ %1").arg(amount);
    if (bigBlind > 0)
        stackText += QStringLiteral(" (%1 BB)").arg(static_cast<double>(amount) / bigBlind, 0, 'f', 1);
    painter.setPen(y > 85 && y < 100 && hovered && editor ? resources_.selectionPen() : resources_.highlightPen());
    // Seats at the table's right edge reach beyond it: centre the stack_ in
    // the part that is seen.
    const int seen = parentWidget() ? std::clamp(parentWidget()->width() - pos().x(), 40, 140) : 140;
    const QFont normal = painter.font();
    painter.setFont(fittingFont(normal, 10, 7, stackText, seen));
    painter.drawText(QRect(0, 85, seen, 15), Qt::AlignCenter, stackText);
    painter.setFont(normal);

    if (status_ != torvel::kSeatOpponent || !s)
        return;
    const bool rangeRow = y > 100 && y < 115 && hovered && desk_.mode() != DeskMode::Trainer;
    if (s->action != 0) {
        QString own = rangeFrom_ > 0 ? QStringLiteral("~ ") : QString();
        own += QString::number((rangeTo_ / 169.0 - rangeFrom_ / 169.0) * 100.0, 'f', 2) + QLatin1Char('%');
        painter.setPen(rangeRow && x < 60 ? resources_.selectionPen() : resources_.highlightPen());
        painter.drawText(QRect(10, 100, 55, 15), Qt::AlignLeft | Qt::AlignVCenter, own);
    }
    if ((s->action == 1 || s->action == 2) && s->stack > 0) {
        const QString calling = QString::number((range2To_ / 169.0 - range2From_ / 169.0) * 100.0, 'f', 2) + QLatin1Char('%');
        painter.setPen(rangeRow && x > 60 ? resources_.selectionPen() : resources_.highlightPen());
        painter.drawText(QRect(70, 100, 50, 15), Qt::AlignRight | Qt::AlignVCenter, calling);
    }
    if (s->action == 0) {
        painter.setPen(rangeRow ? resources_.selectionPen() : resources_.highlightPen());
        painter.drawText(QRect(10, 100, 140, 15), Qt::AlignCenter, tr("Folded"));
    }
}
