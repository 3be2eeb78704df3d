#include "gui/table/dealerbutton.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/desk/deskmodel.h"
#include "gui/desk/tableresources.h"
#include "gui/table/seatwidget.h"

DealerButton::DealerButton(const DeskModel& desk, const TableResources& resources, const SeatWidget& seat,
                           QWidget* parent)
    : QWidget(parent), desk_(desk), resources_(resources), seat_(seat) {
    setFixedSize(20, 20);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
}

void DealerButton::paintEvent(QPaintEvent*) {
    if (seat_.status() <= 0)
        return;
    QPainter painter(this);
    if (dealer_)
        painter.drawPixmap(QRect(0, 0, 20, 20), resources_.buttonPicture());
    if (desk_.editMode()) {
        painter.setPen(underMouse() ? resources_.selectionPen() : resources_.highlightPen());
        painter.drawRect(0, 0, 19, 19);
    }
}

void DealerButton::mousePressEvent(QMouseEvent* event) {
    if (desk_.editMode() && seat_.status() > 0)
        emit clicked();
    event->ignore();
}

void DealerButton::mouseMoveEvent(QMouseEvent* event) { event->ignore(); }
