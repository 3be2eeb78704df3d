#include "gui/table/dealerbutton.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/app/mainwindow.h"
#include "gui/table/seatwidget.h"
#include "gui/table/tableview.h"
#include "gui/trainer/tableframe.h"

DealerButton::DealerButton(MainWindow* mainWindow_, int seat_, QWidget* parent) : QWidget(parent), seat(seat_), mainWindow(mainWindow_) {
    setFixedSize(20, 20);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
}

void DealerButton::paintEvent(QPaintEvent*) {
    TableView* table = mainWindow->frame->table;
    if (table->seatWidgets[static_cast<std::size_t>(seat)]->status <= 0)
        return;
    QPainter painter(this);
    if (dealer == 1)
        painter.drawPixmap(QRect(0, 0, 20, 20), mainWindow->buttonPicture);
    if (table->editMode) {
        painter.setPen(underMouse() ? mainWindow->selectionPen : mainWindow->highlightPen);
        painter.drawRect(0, 0, 19, 19);
    }
}

void DealerButton::mousePressEvent(QMouseEvent* event) {
    TableView* table = mainWindow->frame->table;
    if (table->editMode && table->seatWidgets[static_cast<std::size_t>(seat)]->status > 0)
        table->setButton(seat, true);
    event->ignore();
}

void DealerButton::mouseMoveEvent(QMouseEvent* event) { event->ignore(); }
