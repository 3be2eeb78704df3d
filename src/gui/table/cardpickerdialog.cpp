#include "gui/table/cardpickerdialog.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "gui/app/mainwindow.h"
#include "engine/gamestate.h"
#include "gui/table/seatwidget.h"
#include "gui/table/tableview.h"
#include "gui/trainer/tableframe.h"

CardPickerDialog::CardPickerDialog(MainWindow* mainWindow_, int which_, QWidget* parent)
    : QDialog(parent), mainWindow(mainWindow_), cancelButton(new QPushButton(tr("Cancel"))), which(which_) {
    setWindowTitle(QStringLiteral("Pick card no.%1").arg(which + 1));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);

    // The hero's other card shows the back and cannot be chosen.
    int otherCard = -1;
    const int hero = mainWindow->keptHeroSeat;
    if (hero >= 0 && hero < 10) {
        const SeatWidget* seat = mainWindow->frame->table->seatWidgets[static_cast<std::size_t>(hero)];
        otherCard = which == 0 ? seat->card2 : seat->card1;
    }
    for (int c = 0; c < 52; ++c) {
        const int index = c == otherCard ? 52 : c;
        grid->addWidget(new CardCell(46, 62, which, this, index), c / 13, c % 13);
    }
    grid->addWidget(cancelButton, 4, 0, 1, 13);
    connect(cancelButton, &QPushButton::clicked, this, &CardPickerDialog::onCloseClicked);
}

void CardPickerDialog::onCloseClicked() { close(); }

void CardPickerDialog::pick(int card) {
    const int hero = mainWindow->keptHeroSeat;
    if (hero < 0 || hero > 9)
        return;
    SeatWidget* widget = mainWindow->frame->table->seatWidgets[static_cast<std::size_t>(hero)];
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

CardCell::CardCell(int width, int height, int which_, CardPickerDialog* picker_, int card_, QWidget* parent)
    : QWidget(parent), area(0, 0, width, height), picker(picker_), which(which_), card(card_) {
    image = &picker->mainWindow->cardPicture(card);
    setFixedSize(width, height);
    setCursor(card == 52 ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void CardCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (image && !image->isNull())
        painter.drawPixmap(area, *image);
}

void CardCell::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (card == 52)
        return;
    picker->pick(card);
}
