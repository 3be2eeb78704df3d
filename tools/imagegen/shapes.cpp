#include "shapes.h"

#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace torvel::imagegen {

namespace {

QPainterPath disc(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// Where a line from the outside point touches the circle, on the side away
// from the shape's middle (sign picks the side).
QPointF tangentPoint(QPointF outside, QPointF centre, qreal radius, int sign) {
    const QPointF offset = outside - centre;
    const qreal distance = std::hypot(offset.x(), offset.y());
    const qreal towardOutside = std::atan2(offset.y(), offset.x());
    const qreal angle = towardOutside + sign * std::acos(radius / distance);
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
}

// Two round lobes running into a point: the heart, and upside down the
// spade's blade. The lines to the tip are tangent so the sides run smooth.
QPainterPath lobesAndTip(QPointF left, QPointF right, qreal radius, QPointF tip) {
    const bool tipBelow = tip.y() > left.y();
    const QPointF leftTouch = tangentPoint(tip, left, radius, tipBelow ? 1 : -1);
    const QPointF rightTouch = tangentPoint(tip, right, radius, tipBelow ? -1 : 1);
    QPainterPath body;
    body.addPolygon(QPolygonF({leftTouch, left, right, rightTouch, tip}));
    body.closeSubpath();
    return body.united(disc(left, radius)).united(disc(right, radius));
}

// The flared foot under clubs and spades.
QPainterPath stem(qreal top, qreal halfWidthTop, qreal bottom, qreal halfWidthBottom) {
    QPainterPath path;
    path.moveTo(0.5 - halfWidthTop, top);
    path.quadTo(0.5 - halfWidthTop, bottom - 0.08, 0.5 - halfWidthBottom, bottom);
    path.lineTo(0.5 + halfWidthBottom, bottom);
    path.quadTo(0.5 + halfWidthTop, bottom - 0.08, 0.5 + halfWidthTop, top);
    path.closeSubpath();
    return path;
}

QPainterPath heart() {
    return lobesAndTip({0.275, 0.30}, {0.725, 0.30}, 0.235, {0.5, 0.95}).simplified();
}

QPainterPath diamond() {
    // Slightly hollow sides read as a card diamond rather than a square on edge.
    QPainterPath path;
    path.moveTo(0.5, 0.0);
    path.quadTo(0.64, 0.28, 0.9, 0.5);
    path.quadTo(0.64, 0.72, 0.5, 1.0);
    path.quadTo(0.36, 0.72, 0.1, 0.5);
    path.quadTo(0.36, 0.28, 0.5, 0.0);
    path.closeSubpath();
    return path;
}

QPainterPath club() {
    const qreal radius = 0.215;
    const QPointF top(0.5, 0.235), left(0.265, 0.585), right(0.735, 0.585);
    QPainterPath middle;
    middle.addPolygon(QPolygonF({top, left, right}));
    middle.closeSubpath();
    QPainterPath path = disc(top, radius).united(disc(left, radius)).united(disc(right, radius));
    path = path.united(middle).united(disc({0.5, 0.55}, 0.12));
    return path.united(stem(0.55, 0.055, 1.0, 0.2)).simplified();
}

QPainterPath spade() {
    QPainterPath blade = lobesAndTip({0.285, 0.6}, {0.715, 0.6}, 0.225, {0.5, 0.0});
    return blade.united(stem(0.62, 0.055, 1.0, 0.2)).simplified();
}

}  // namespace

QPainterPath suitPath(Suit suit) {
    switch (suit) {
    case Suit::Hearts: return heart();
    case Suit::Diamonds: return diamond();
    case Suit::Clubs: return club();
    case Suit::Spades: return spade();
    }
    return {};
}

QColor suitColor(Suit suit) {
    switch (suit) {
    case Suit::Hearts: return QColor(0xd0, 0x1c, 0x1f);
    case Suit::Diamonds: return QColor(0x1a, 0x5c, 0xd0);
    case Suit::Clubs: return QColor(0x15, 0x87, 0x2c);
    case Suit::Spades: return QColor(0x12, 0x12, 0x14);
    }
    return Qt::black;
}

QPainterPath fitPath(const QPainterPath& path, const QRectF& box) {
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty()) return path;
    const qreal scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(path);
}

QFont letterFont(qreal pixelSize, bool condensed) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(qRound(pixelSize));
    if (condensed) font.setStretch(QFont::Condensed);
    return font;
}

QPainterPath textPath(const QString& text, const QFont& font) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

QPainterPath centredText(const QString& text, const QFont& font, QPointF centre) {
    const QPainterPath path = textPath(text, font);
    return path.translated(centre - path.boundingRect().center());
}

void paintLogoChip(QPainter& painter, const QRectF& square) {
    const QPointF centre = square.center();
    const qreal radius = std::min(square.width(), square.height()) / 2;
    const bool large = radius > 30;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient body(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.4);
    body.setColorAt(0.0, QColor(0x2a, 0x9c, 0xa6));
    body.setColorAt(1.0, QColor(0x0a, 0x55, 0x5e));
    painter.setPen(QPen(QColor(0x05, 0x33, 0x38), std::max(1.0, radius * 0.04)));
    painter.setBrush(body);
    const qreal rim = radius - painter.pen().widthF() / 2;
    painter.drawEllipse(centre, rim, rim);

    // The white edge spots are what make a disc read as a chip.
    QPainterPath spots;
    const qreal spotSpan = 18.0;
    for (int spot = 0; spot < 8; ++spot) {
        const qreal start = spot * 45.0 + 22.5 - spotSpan / 2;
        QPainterPath sector;
        sector.moveTo(centre);
        const qreal outer = rim * 0.93;
        sector.arcTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), start, spotSpan);
        sector.closeSubpath();
        spots = spots.united(sector);
    }
    spots = spots.subtracted(disc(centre, rim * 0.7));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf4, 0xf1, 0xe8));
    painter.drawPath(spots);

    const qreal inner = rim * 0.64;
    QRadialGradient face(centre - QPointF(inner * 0.3, inner * 0.4), inner * 1.5);
    face.setColorAt(0.0, QColor(0x1d, 0x84, 0x8e));
    face.setColorAt(1.0, QColor(0x0b, 0x5a, 0x63));
    painter.setBrush(face);
    painter.setPen(QPen(QColor(0xf4, 0xf1, 0xe8), std::max(1.0, radius * 0.035)));
    painter.drawEllipse(centre, inner, inner);
    if (large) {
        QPen dashes(QColor(0xf4, 0xf1, 0xe8, 150), radius * 0.025);
        dashes.setDashPattern({3, 3});
        painter.setPen(dashes);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, inner * 0.86, inner * 0.86);
    }

    const QPainterPath letter = fitPath(textPath(QStringLiteral("T"), letterFont(radius * 2)),
                                        QRectF(centre.x() - inner * 0.55, centre.y() - inner * 0.55,
                                               inner * 1.1, inner * 1.1));
    painter.setPen(Qt::NoPen);
    if (large) {
        painter.setBrush(QColor(0, 0, 0, 90));
        painter.drawPath(letter.translated(radius * 0.03, radius * 0.04));
    }
    painter.setBrush(QColor(0xf2, 0xc2, 0x4b));
    painter.drawPath(letter);
    painter.restore();
}

}  // namespace torvel::imagegen
