#include "cards.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>

#include "shapes.h"

namespace torvel::imagegen {

namespace {

constexpr int kRanksPerSuit = 13;
const char* const kRankLetters[kRanksPerSuit] = {"2", "3", "4", "5", "6", "7", "8",
                                                 "9", "10", "J", "Q", "K", "A"};

// BMP has no alpha: the few pixels outside the rounded corners take a dark
// felt tone, which is what surrounds the cards on the table.
const QColor kCornerFill(0x1c, 0x3a, 0x2a);
const QRectF kCardOutline(0.5, 0.5, kCardWidth - 1, kCardHeight - 1);
constexpr qreal kCornerRadius = 4.0;
constexpr qreal kRankLeft = 4.5;
constexpr qreal kRankTop = 4.5;
constexpr qreal kRankCapHeight = 25.0;
constexpr qreal kRankMaxWidth = 44.0;

QImage blankCard() {
    QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
    image.fill(kCornerFill);
    return image;
}

void paintFace(QPainter& painter, int rank, Suit suit) {
    painter.setPen(QPen(QColor(0x8c, 0x8c, 0x8c), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(kCardOutline, kCornerRadius, kCornerRadius);

    const QColor ink = suitColor(suit);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);

    // One big rank in the upper left and one big suit in the lower right:
    // both stay legible when the table shrinks the card to 46 x 62.
    const QString letter = QString::fromLatin1(kRankLetters[rank]);
    const bool twoDigits = letter.size() > 1;
    const QFont font = letterFont(34, twoDigits);
    // All ranks stand on one baseline at one cap height (the Q's tail may
    // hang below); only "10" is squeezed sideways to fit.
    const qreal capHeight = textPath(QStringLiteral("K"), font).boundingRect().height();
    const QPainterPath rankPath = textPath(letter, font);
    const QRectF inkBounds = rankPath.boundingRect();
    const qreal scale = kRankCapHeight / capHeight;
    const qreal xScale = std::min(scale, kRankMaxWidth / inkBounds.width());
    QTransform placeRank;
    placeRank.translate(kRankLeft, kRankTop + kRankCapHeight);
    placeRank.scale(xScale, scale);
    placeRank.translate(-inkBounds.left(), 0);
    painter.drawPath(placeRank.map(rankPath));

    painter.drawPath(fitPath(suitPath(suit), QRectF(20, 33, 33, 40)));
}

void paintBack(QPainter& painter) {
    painter.setPen(QPen(QColor(0x8c, 0x8c, 0x8c), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(kCardOutline, kCornerRadius, kCornerRadius);

    const QRectF field(3.5, 3.5, kCardWidth - 7, kCardHeight - 7);
    QPainterPath fieldPath;
    fieldPath.addRoundedRect(field, 2.5, 2.5);
    QLinearGradient red(field.topLeft(), field.bottomRight());
    red.setColorAt(0.0, QColor(0x8e, 0x12, 0x24));
    red.setColorAt(1.0, QColor(0x5e, 0x08, 0x16));
    painter.setPen(Qt::NoPen);
    painter.setBrush(red);
    painter.drawPath(fieldPath);

    // A diagonal lattice with a dot in every cell: busy enough to read as a
    // back at a glance, regular enough not to shimmer when scaled.
    painter.save();
    painter.setClipPath(fieldPath);
    const qreal step = 7.0;
    painter.setPen(QPen(QColor(0xc2, 0x3a, 0x4e), 1.0));
    for (qreal offset = -kCardHeight; offset < kCardWidth + kCardHeight; offset += step) {
        painter.drawLine(QPointF(offset, 0), QPointF(offset + kCardHeight, kCardHeight));
        painter.drawLine(QPointF(offset, 0), QPointF(offset - kCardHeight, kCardHeight));
    }
    painter.restore();

    painter.setPen(QPen(QColor(0xe8, 0xc3, 0x6a), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(field.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);

    const QPointF centre(kCardWidth / 2.0, kCardHeight / 2.0);
    painter.setPen(QPen(QColor(0xe8, 0xc3, 0x6a), 1.2));
    painter.setBrush(QColor(0x4a, 0x06, 0x12));
    painter.drawEllipse(centre, 13, 17);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xe8, 0xc3, 0x6a));
    painter.drawPath(fitPath(suitPath(Suit::Spades), QRectF(centre.x() - 8, centre.y() - 10, 16, 20)));
}

}  // namespace

QImage paintCard(int card) {
    QImage image = blankCard();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (card == kCardBack)
        paintBack(painter);
    else
        paintFace(painter, card % kRanksPerSuit, static_cast<Suit>(card / kRanksPerSuit));
    return image;
}

QImage paintDealerButton() {
    QImage image(kButtonSize, kButtonSize, QImage::Format_RGB32);
    image.fill(kCornerFill);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kButtonSize / 2.0, kButtonSize / 2.0);
    QRadialGradient face(centre - QPointF(3, 3), kButtonSize * 0.75);
    face.setColorAt(0.0, Qt::white);
    face.setColorAt(1.0, QColor(0xd2, 0xd2, 0xd2));
    painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.0));
    painter.setBrush(face);
    painter.drawEllipse(centre, kButtonSize / 2.0 - 1, kButtonSize / 2.0 - 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x18, 0x18, 0x18));
    painter.drawPath(fitPath(textPath(QStringLiteral("D"), letterFont(20)), QRectF(6, 5.5, 8, 9)));
    return image;
}

}  // namespace torvel::imagegen
