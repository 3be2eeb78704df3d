#include "gui/table/ccards.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "gui/app/grabber.h"
#include "engine/gamestate.h"
#include "gui/table/cplayer.h"
#include "gui/table/layout.h"
#include "gui/trainer/cmgr.h"

CCards::CCards(grabber* mainWindow_, int which_, QWidget* parent)
    : QDialog(parent), mainWindow(mainWindow_), cancelButton(new QPushButton(tr("Cancel"))), which(which_) {
    setWindowTitle(QStringLiteral("Pick card no.%1").arg(which + 1));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);

    // The hero's other card shows the back and cannot be chosen.
    int otherCard = -1;
    const int hero = mainWindow->cacheHeroSeat;
    if (hero >= 0 && hero < 10) {
        const CPlayer* seat = mainWindow->frame->table->seatWidgets[static_cast<std::size_t>(hero)];
        otherCard = which == 0 ? seat->card2 : seat->card1;
    }
    for (int c = 0; c < 52; ++c) {
        const int index = c == otherCard ? 52 : c;
        grid->addWidget(new CCardlist(46, 62, which, this, index), c / 13, c % 13);
    }
    grid->addWidget(cancelButton, 4, 0, 1, 13);
    connect(cancelButton, &QPushButton::clicked, this, &CCards::slot_pbCancel);
}

void CCards::slot_pbCancel() { close(); }

void CCards::pick(int card) {
    const int hero = mainWindow->cacheHeroSeat;
    if (hero < 0 || hero > 9)
        return;
    CPlayer* widget = mainWindow->frame->table->seatWidgets[static_cast<std::size_t>(hero)];
    if (which == 0)
        widget->setCards(card, -2);
    else
        widget->setCards(-2, card);
    if (torvel::GameState* g = mainWindow->current) {
        torvel::SeatState& s = g->seats[static_cast<std::size_t>(hero)];
        if (which == 0) {
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

CCardlist::CCardlist(int width, int height, int which_, CCards* picker_, int card_, QWidget* parent)
    : QWidget(parent), area(0, 0, width, height), picker(picker_), which(which_), card(card_) {
    image = &picker->mainWindow->cardPicture(card);
    setFixedSize(width, height);
    setCursor(card == 52 ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void CCardlist::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (image && !image->isNull())
        painter.drawPixmap(area, *image);
}

void CCardlist::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (card == 52)
        return;
    picker->pick(card);
}
