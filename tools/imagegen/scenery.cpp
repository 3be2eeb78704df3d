#include "scenery.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cstdint>

#include "shapes.h"

namespace torvel::imagegen {

namespace {

// The felt stays inside this box so that the seat texts around it and the
// status lines at the top and bottom edges fall on dark ground.
const QRectF kRail(90, 70, 620, 350);
constexpr qreal kRailWidth = 17;

// A fixed seed keeps the felt grain, and so the picture, the same on every
// build.
class Grain {
public:
    int next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 24) % 9) - 4;
    }

private:
    std::uint32_t state_ = 20240611u;
};

void addFeltGrain(QImage& image, const QRectF& felt) {
    Grain grain;
    const QPointF centre = felt.center();
    const qreal a = felt.width() / 2, b = felt.height() / 2;
    for (int y = static_cast<int>(felt.top()); y < felt.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = static_cast<int>(felt.left()); x < felt.right(); ++x) {
            const qreal dx = (x + 0.5 - centre.x()) / a, dy = (y + 0.5 - centre.y()) / b;
            if (dx * dx + dy * dy > 0.98) continue;
            const int shift = grain.next();
            const QRgb pixel = line[x];
            line[x] = qRgb(std::clamp(qRed(pixel) + shift, 0, 255), std::clamp(qGreen(pixel) + shift, 0, 255),
                           std::clamp(qBlue(pixel) + shift, 0, 255));
        }
    }
}

}  // namespace

QImage paintTable() {
    QImage image(kTableWidth, kTableHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient room(QPointF(kTableWidth / 2.0, kTableHeight / 2.0), kTableWidth * 0.62);
    room.setColorAt(0.0, QColor(0x22, 0x2a, 0x27));
    room.setColorAt(0.6, QColor(0x15, 0x1a, 0x18));
    room.setColorAt(1.0, QColor(0x08, 0x0a, 0x09));
    painter.fillRect(image.rect(), room);

    // A soft shadow under the table: rings of falling darkness.
    painter.setPen(Qt::NoPen);
    for (int ring = 14; ring >= 1; --ring) {
        painter.setBrush(QColor(0, 0, 0, 14));
        painter.drawEllipse(kRail.adjusted(-ring, -ring + 6, ring, ring + 6));
    }

    QLinearGradient wood(kRail.topLeft(), kRail.bottomLeft());
    // Dark wood: red and yellow seat texts lie partly on the rail.
    wood.setColorAt(0.0, QColor(0x48, 0x2d, 0x17));
    wood.setColorAt(0.5, QColor(0x33, 0x1f, 0x0f));
    wood.setColorAt(1.0, QColor(0x1f, 0x12, 0x08));
    painter.setPen(QPen(QColor(0x1a, 0x0e, 0x06), 1.5));
    painter.setBrush(wood);
    painter.drawEllipse(kRail);
    // A sheen along the top of the rail gives it roundness.
    painter.setPen(QPen(QColor(0xc8, 0x90, 0x58, 55), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(kRail.adjusted(4, 4, -4, -4));
    painter.setPen(QPen(QColor(0x1a, 0x0e, 0x06, 160), 1.5));
    painter.drawEllipse(kRail.adjusted(kRailWidth - 3, kRailWidth - 3, -kRailWidth + 3, -kRailWidth + 3));

    const QRectF felt = kRail.adjusted(kRailWidth, kRailWidth, -kRailWidth, -kRailWidth);
    QRadialGradient cloth(felt.center() - QPointF(0, 25), felt.width() * 0.55);
    cloth.setColorAt(0.0, QColor(0x2f, 0x88, 0x4e));
    cloth.setColorAt(0.55, QColor(0x23, 0x6c, 0x3d));
    cloth.setColorAt(1.0, QColor(0x13, 0x44, 0x27));
    painter.setPen(Qt::NoPen);
    painter.setBrush(cloth);
    painter.drawEllipse(felt);
    painter.end();

    addFeltGrain(image, felt);

    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The betting line, and the felt's shadow under the rail's inner edge.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 70), 4));
    painter.drawEllipse(felt.adjusted(2, 2, -2, -2));
    painter.setPen(QPen(QColor(0xff, 0xff, 0xff, 34), 1.5));
    painter.drawEllipse(felt.adjusted(44, 38, -44, -38));
    return image;
}

QImage paintAbout(const QString& version) {
    QImage image(kAboutWidth, kAboutHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient ground(QPointF(kAboutWidth / 2.0, 70), kAboutWidth * 0.75);
    ground.setColorAt(0.0, QColor(0x23, 0x6c, 0x3d));
    ground.setColorAt(0.7, QColor(0x11, 0x33, 0x20));
    ground.setColorAt(1.0, QColor(0x09, 0x16, 0x0f));
    painter.fillRect(image.rect(), ground);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawEllipse(QPointF(kAboutWidth / 2.0 + 3, 79), 51, 51);
    paintLogoChip(painter, QRectF(kAboutWidth / 2.0 - 50, 25, 100, 100));

    const QPainterPath title = centredText(QStringLiteral("Torvel ICM"), letterFont(34),
                                           QPointF(kAboutWidth / 2.0, 162));
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(title.translated(1.5, 2));
    painter.setBrush(QColor(0xf6, 0xf3, 0xea));
    painter.drawPath(title);

    painter.setPen(QPen(QColor(0xf2, 0xc2, 0x4b, 180), 1));
    painter.drawLine(QPointF(70, 185.5), QPointF(kAboutWidth - 70, 185.5));

    QFont versionFont = letterFont(15);
    versionFont.setBold(false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf2, 0xc2, 0x4b));
    painter.drawPath(centredText(QStringLiteral("Version %1").arg(version), versionFont,
                                 QPointF(kAboutWidth / 2.0, 205)));
    return image;
}

}  // namespace torvel::imagegen
