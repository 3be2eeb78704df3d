#include "gui/dialogs/labelscrollarea.h"

#include <QLabel>
#include <QResizeEvent>

LabelScrollArea::LabelScrollArea(QWidget* parent) : QScrollArea(parent), inner_(new QLabel) { setWidget(inner_); }

void LabelScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    inner_->resize(event->size());
}
