#include "gui/dialogs/cmyscroll.h"

#include <QLabel>
#include <QResizeEvent>

CMyScroll::CMyScroll(QWidget* parent) : QScrollArea(parent), inner(new QLabel) { setWidget(inner); }

void CMyScroll::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    inner->resize(event->size());
}
