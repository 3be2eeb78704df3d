#pragma once
// Vector shapes shared by the pictures: suit symbols, letters as outlines and
// the program's chip logo. Suits are our own paths so that no font needs to
// carry the card symbols.

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

namespace torvel::imagegen {

// Suit order of the card numbers: card = rank + 13 * suit.
enum class Suit { Hearts, Diamonds, Clubs, Spades };

// The suit symbol in a unit square (0..1 both ways, y down).
QPainterPath suitPath(Suit suit);

// Four-colour deck: no two suits share a colour.
QColor suitColor(Suit suit);

// Scales a path, keeping its aspect, so that its bounds are centred in box.
QPainterPath fitPath(const QPainterPath& path, const QRectF& box);

// Bold sans-serif at the given pixel size; the face our lettering uses.
QFont letterFont(qreal pixelSize, bool condensed = false);

// The outline of text with its baseline at y = 0; placed with fitPath or
// centredText so that letters sit by their ink, not by their font metrics.
QPainterPath textPath(const QString& text, const QFont& font);

// Text outline whose ink, not its font box, is centred on centre.
QPainterPath centredText(const QString& text, const QFont& font, QPointF centre);

// The chip with a "T": program icon and About picture.
void paintLogoChip(QPainter& painter, const QRectF& square);

}  // namespace torvel::imagegen
