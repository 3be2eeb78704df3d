#include "gui/desk/tableresources.h"

#include <QString>

QPen solidTablePen(const QColor& colour) {
    return QPen(QBrush(colour), 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

TableResources::TableResources()
    : buttonPicture_(QStringLiteral("images/button.bmp"), "BMP"), highlightPen_(solidTablePen(Qt::yellow)),
      selectionPen_(solidTablePen(QColor(120, 120, 255, 255))) {
    for (int i = 0; i <= kCardBack; ++i)
        cardPictures_[static_cast<std::size_t>(i)] = QPixmap(QStringLiteral("images/%1.bmp").arg(i), "BMP");
}

const QPixmap& TableResources::cardPicture(int index) const {
    static const QPixmap none;
    return index >= 0 && index <= kCardBack ? cardPictures_[static_cast<std::size_t>(index)] : none;
}
