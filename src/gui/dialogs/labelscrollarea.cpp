#include "gui/dialogs/labelscrollarea.h"

#include <QLabel>
#include <QResizeEvent>

LabelScrollArea::LabelScrollArea(QWidget* parent) : QScrollArea(parent), inner(new QLabel) { setWidget(inner); }

void LabelScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    inner->resize(event->size());
}
