#pragma once
// The pictures (cards, dealer button) and the pens the table and its
// dialogs paint with, read once and handed to the widgets.

#include <QPen>
#include <QPixmap>

#include <array>

class TableResources {
public:
    // Card pictures 0..51, 52 the back.
    static constexpr int kCardBack = 52;

    // Reads the pictures from images/ in the working directory; a missing
    // picture stays empty and is not drawn.
    TableResources();

    // An empty picture for an index outside 0..52.
    const QPixmap& cardPicture(int index) const;
    const QPixmap& buttonPicture() const { return buttonPicture_; }
    // Texts and frames on the table.
    const QPen& highlightPen() const { return highlightPen_; }
    // What the mouse is over.
    const QPen& selectionPen() const { return selectionPen_; }

private:
    std::array<QPixmap, kCardBack + 1> cardPictures_;
    QPixmap buttonPicture_;
    QPen highlightPen_;
    QPen selectionPen_;
};

// The 2-pixel solid pen the table draws with.
QPen solidTablePen(const QColor& colour);
