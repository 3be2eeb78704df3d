#include "gui/table/cardpickerdialog.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "engine/gamestate.h"
#include "gui/desk/deskmodel.h"
#include "gui/desk/tableresources.h"
#include "gui/table/seatwidget.h"

CardPickerDialog::CardPickerDialog(DeskModel& desk, const TableResources& resources, SeatWidget* heroSeat, int which,
                                   QWidget* parent)
    : QDialog(parent), desk_(desk), heroSeat_(heroSeat), cancelButton_(new QPushButton(tr("Cancel"))), which_(which) {
    setWindowTitle(QStringLiteral("Pick card no.%1").arg(which + 1));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);

    // The hero's other card shows the back and cannot be chosen.
    const int otherCard = heroSeat_ ? (which == 0 ? heroSeat_->card2() : heroSeat_->card1()) : -1;
    for (int c = 0; c < 52; ++c) {
        const int index = c == otherCard ? TableResources::kCardBack : c;
        grid->addWidget(new CardCell(46, 62, resources.cardPicture(index), this, index), c / 13, c % 13);
    }
    grid->addWidget(cancelButton_, 4, 0, 1, 13);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::close);
}

void CardPickerDialog::pick(int card) {
    const int hero = desk_.kept().heroSeat;
    if (!heroSeat_ || hero < 0 || hero > 9)
        return;
    if (which_ == 0)
        heroSeat_->setCards(card, -2);
    else
        heroSeat_->setCards(-2, card);
    if (torvel::GameState* g = desk_.situation()) {
        torvel::SeatState& s = g->seats[static_cast<std::size_t>(hero)];
        if (which_ == 0) {
            s.card1 = card;
            s.handLow = card % 13;
            s.handHigh = s.card2 % 13 + (card / 13 != s.card2 / 13 ? 13 : 0);
        } else {
            s.card2 = card;
            s.handLow = s.card1 % 13;
            s.handHigh = card % 13 + (card / 13 != s.card1 / 13 ? 13 : 0);
        }
        // The situation keeps the lower rank first; the seat widget keeps card order.
        if (s.handLow > s.handHigh)
            std::swap(s.handLow, s.handHigh);
    }
    accept();
}

CardCell::CardCell(int width, int height, const QPixmap& image, CardPickerDialog* picker, int card, QWidget* parent)
    : QWidget(parent), area_(0, 0, width, height), image_(image), picker_(picker), card_(card) {
    setFixedSize(width, height);
    setCursor(card == TableResources::kCardBack ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void CardCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!image_.isNull())
        painter.drawPixmap(area_, image_);
}

void CardCell::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (card_ == TableResources::kCardBack)
        return;
    picker_->pick(card_);
}
