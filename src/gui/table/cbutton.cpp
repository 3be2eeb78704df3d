#include "gui/table/cbutton.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/app/grabber.h"
#include "gui/table/cplayer.h"
#include "gui/table/layout.h"
#include "gui/trainer/cmgr.h"

CButton::CButton(grabber* mainWindow_, int seat_, QWidget* parent) : QWidget(parent), seat(seat_), mainWindow(mainWindow_) {
    setFixedSize(20, 20);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
}

void CButton::paintEvent(QPaintEvent*) {
    Layout* table = mainWindow->frame->table;
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

void CButton::mousePressEvent(QMouseEvent* event) {
    Layout* table = mainWindow->frame->table;
    if (table->editMode && table->seatWidgets[static_cast<std::size_t>(seat)]->status > 0)
        table->setButton(seat, true);
    event->ignore();
}

void CButton::mouseMoveEvent(QMouseEvent* event) { event->ignore(); }
