#include "gui/table/seatwidget.h"

#include <QGridLayout>
#include <QInputDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "gui/app/mainwindow.h"
#include "engine/gamestate.h"
#include "gui/table/cardpickerdialog.h"
#include "gui/table/tableview.h"
#include "gui/table/tablefont.h"
#include "gui/table/seatdialogs.h"
#include "gui/trainer/tableframe.h"

using torvel::GameState;
using torvel::SeatState;

SeatWidget::SeatWidget(MainWindow* mainWindow_, int seat_, QWidget* parent)
    : QWidget(parent), mainWindow(mainWindow_), leaveButton(new QPushButton(tr("Leave"))),
      takeSeatButton(new QPushButton(tr("Take Seat"))), seat(seat_) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(9, 9, 9, 9);
    grid->setSpacing(0);
    leaveButton->setFixedSize(40, 16);
    takeSeatButton->setFixedSize(60, 16);
    grid->addWidget(leaveButton, 0, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(takeSeatButton, 1, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    connect(leaveButton, &QPushButton::clicked, this, &SeatWidget::onLeaveClicked);
    connect(takeSeatButton, &QPushButton::clicked, this, &SeatWidget::onTakeSeatClicked);
    setFixedSize(150, 150);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    leaveSeat();
}

void SeatWidget::onTakeSeatClicked() { takeSeat(); }

void SeatWidget::onLeaveClicked() { leaveSeat(); }

void SeatWidget::setCards(int c1, int c2) {
    if (c1 == -1) {
        card1Image = card2Image = &mainWindow->cardPicture(52);
        return;
    }
    if (c1 != -2) {
        card1Image = &mainWindow->cardPicture(c1);
        card1 = c1;
        handLow = c1 % 13;
        handHigh = c1 / 13 == card2 / 13 ? handHigh % 13 : handHigh % 13 + 13;
    }
    if (c2 != -2) {
        card2Image = &mainWindow->cardPicture(c2);
        card2 = c2;
        handHigh = c2 % 13 + (c2 / 13 != card1 / 13 ? 13 : 0);
        handLow = handLow % 13;
    }
}

void SeatWidget::resetSeat() {
    card1 = card2 = handLow = handHigh = 0;
    card1Image = card2Image = nullptr;
    rangeFrom = rangeTo = range2To = range2From = 0;
    stack = 0;
    status = 0;
    isButton = isBigBlind = isSmallBlind = false;
    bet = 0;
}

void SeatWidget::takeSeat() {
    takeSeatButton->hide();
    leaveButton->show();
    TableView* table = mainWindow->frame->table;
    if (GameState* g = mainWindow->current) {
        SeatState& s = g->seats[static_cast<std::size_t>(seat)];
        const int fourteenSmallBlinds = 14 * mainWindow->keptSmallBlind;
        if (mainWindow->keptHeroSeat == -1) {
            status = s.status = torvel::kSeatHero;
            mainWindow->keptHeroSeat = g->heroSeat = seat;
            setCards(0, 18);
            stack = s.stack = fourteenSmallBlinds;
            s.card1 = card1;
            s.card2 = card2;
            s.handLow = handLow;
            s.handHigh = handHigh;
        } else {
            status = s.status = torvel::kSeatOpponent;
            if (stack == 0)
                stack = fourteenSmallBlinds;
            s.stack = stack;
            setCards(-1, -1);
            s.card1 = s.card2 = s.handLow = s.handHigh = -1;
            rangeTo = range2To = s.rangeTo = s.range2To = 13;
        }
        mainWindow->keptPlayerCount = ++g->playerCount;
        if (!GameState::validSeat(g->buttonSeat) || !g->seats[static_cast<std::size_t>(g->buttonSeat)].occupied())
            table->buttonSeat = seat;
    }
    table->setButton(table->buttonSeat, true);
    mainWindow->update();
}

void SeatWidget::leaveSeat() {
    takeSeatButton->show();
    leaveButton->hide();
    GameState* g = mainWindow->current;
    if (status == torvel::kSeatHero) {
        mainWindow->keptHeroSeat = -1;
        if (g)
            g->heroSeat = -1;
    }
    if (g && status > 0) {
        if (g->raiserSeat == seat)
            g->raiserSeat = -1;
        SeatState& s = g->seats[static_cast<std::size_t>(seat)];
        s.status = s.stack = s.bet = 0;
        mainWindow->keptPlayerCount = --g->playerCount;
        TableView* table = mainWindow->frame ? mainWindow->frame->table : nullptr;
        if (table && table->buttonSeat == seat)
            table->setButton(g->nextOccupiedSeat(seat), true);
    }
    status = 0;
    mainWindow->update();
}

void SeatWidget::mousePressEvent(QMouseEvent* event) {
    const int x = static_cast<int>(event->position().x());
    const int y = static_cast<int>(event->position().y());
    TableView* table = mainWindow->frame->table;
    GameState* g = mainWindow->current;
    const SeatState* s = g ? &g->seats[static_cast<std::size_t>(seat)] : nullptr;

    if (table->editMode && y < 82 && status == torvel::kSeatHero) {
        CardPickerDialog picker(mainWindow, x > 25 && y > 5 ? 1 : 0);
        picker.exec();
        update();
    }
    if (table->editMode && s && ((y < 82 && status == torvel::kSeatOpponent) || (y >= 100 && s->action == 0)) &&
        s->action >= 0) {
        openOpponentAction(mainWindow, g->seats[static_cast<std::size_t>(seat)], seat, nullptr, this);
        mainWindow->update();
    }
    if (table->editMode && y > 85 && y < 100) {
        bool ok = false;
        const int value = QInputDialog::getInt(this, tr("Edit Stack"), tr("New Stacksize : "), stack, 0, 100000,
                                               std::max(1, mainWindow->keptSmallBlind), &ok);
        if (ok) {
            stack = value;
            if (g)
                g->seats[static_cast<std::size_t>(seat)].stack = value;
            mainWindow->update();
        }
    }
    if (s && mainWindow->windowMode != kModeTrainer && y > 100 && y < 115 && status == torvel::kSeatOpponent) {
        if (x < 60 && s->action != 0)
            editRange(0);
        else if (x > 60 && (s->action == 1 || s->action == 2) && s->stack > 0)
            editRange(1);
    }
    event->ignore();
}

void SeatWidget::editRange(int mode) {
    openRangeDialog(mainWindow, this, mode, nullptr);
    if (GameState* g = mainWindow->current)
        g->analyze(g->heroAction);
    mainWindow->updateScore();
    update();
}

void SeatWidget::mouseMoveEvent(QMouseEvent* event) {
    lastX = static_cast<int>(event->position().x());
    lastY = static_cast<int>(event->position().y());
    event->ignore();
}

void SeatWidget::paintEvent(QPaintEvent*) {
    if (status == 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const GameState* g = mainWindow->current;
    const SeatState* s = g ? &g->seats[static_cast<std::size_t>(seat)] : nullptr;
    const bool hovered = underMouse();
    const bool editor = mainWindow->windowMode == kModeEditor;
    const int x = lastX;
    const int y = lastY;

    if (s && !(s->action == 0 && status == torvel::kSeatOpponent)) {
        if (hovered && editor) {
            painter.setPen(mainWindow->selectionPen);
            if (status == torvel::kSeatOpponent) {
                if (y < 80)
                    painter.drawRect(QRect(QPoint(0, 0), QPoint(149, 79)));
            } else if (x > 0 && x < 58 && y > 0 && y < 77) {
                painter.drawRect(QRect(QPoint(0, 0), QPoint(58, 78)));
            } else if (x > 25 && x < 83 && y > 5 && y < 83) {
                painter.drawRect(QRect(QPoint(25, 5), QPoint(83, 83)));
            }
        }
        if (card1Image && !card1Image->isNull())
            painter.drawPixmap(QRect(1, 1, 57, 77), *card1Image);
        if (card2Image && !card2Image->isNull())
            painter.drawPixmap(QRect(26, 6, 57, 77), *card2Image);
    }

    painter.setPen(mainWindow->highlightPen);
    painter.setFont(tableFont(painter.font(), 10));

    const int bigBlind = mainWindow->keptBigBlind;
    int amount = stack;
    if (status == torvel::kSeatHero)
        amount = stack + bet - (isBigBlind ? bigBlind : 0) - (isSmallBlind ? mainWindow->keptSmallBlind : 0);
    QString stackText = QStringLiteral("$ %1").arg(amount);
    if (bigBlind > 0)
        stackText += QStringLiteral(" (%1 BB)").arg(static_cast<double>(amount) / bigBlind, 0, 'f', 1);
    painter.setPen(y > 85 && y < 100 && hovered && editor ? mainWindow->selectionPen : mainWindow->highlightPen);
    // Seats at the table's right edge reach beyond it: centre the stack in
    // the part that is seen.
    const int seen = parentWidget() ? std::clamp(parentWidget()->width() - pos().x(), 40, 140) : 140;
    const QFont normal = painter.font();
    painter.setFont(fittingFont(normal, 10, 7, stackText, seen));
    painter.drawText(QRect(0, 85, seen, 15), Qt::AlignCenter, stackText);
    painter.setFont(normal);

    if (status != torvel::kSeatOpponent || !s)
        return;
    const bool rangeRow = y > 100 && y < 115 && hovered && mainWindow->windowMode != kModeTrainer;
    if (s->action != 0) {
        QString own = rangeFrom > 0 ? QStringLiteral("~ ") : QString();
        own += QString::number((rangeTo / 169.0 - rangeFrom / 169.0) * 100.0, 'f', 2) + QLatin1Char('%');
        painter.setPen(rangeRow && x < 60 ? mainWindow->selectionPen : mainWindow->highlightPen);
        painter.drawText(QRect(10, 100, 55, 15), Qt::AlignLeft | Qt::AlignVCenter, own);
    }
    if ((s->action == 1 || s->action == 2) && s->stack > 0) {
        const QString calling = QString::number((range2To / 169.0 - range2From / 169.0) * 100.0, 'f', 2) + QLatin1Char('%');
        painter.setPen(rangeRow && x > 60 ? mainWindow->selectionPen : mainWindow->highlightPen);
        painter.drawText(QRect(70, 100, 50, 15), Qt::AlignRight | Qt::AlignVCenter, calling);
    }
    if (s->action == 0) {
        painter.setPen(rangeRow ? mainWindow->selectionPen : mainWindow->highlightPen);
        painter.drawText(QRect(10, 100, 140, 15), Qt::AlignCenter, tr("Folded"));
    }
}
