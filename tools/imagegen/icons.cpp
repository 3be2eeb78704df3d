#include "icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>

#include <functional>
#include <utility>
#include <vector>

#include "shapes.h"

namespace torvel::imagegen {

namespace {

// Every icon is drawn in a 32-unit square; strokes sit on half pixels.
using IconPainter = std::function<void(QPainter&)>;

QLinearGradient vertical(qreal top, qreal bottom, QColor upper, QColor lower) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, upper);
    gradient.setColorAt(1, lower);
    return gradient;
}

void calculator(QPainter& p) {
    p.setPen(QPen(QColor(0x1d, 0x21, 0x28), 1));
    p.setBrush(vertical(2, 30, QColor(0x5a, 0x62, 0x72), QColor(0x2c, 0x31, 0x3b)));
    p.drawRoundedRect(QRectF(5.5, 1.5, 21, 29), 3, 3);
    p.setPen(QPen(QColor(0x20, 0x40, 0x20), 1));
    p.setBrush(QColor(0xb6, 0xe3, 0x9f));
    p.drawRect(QRectF(8.5, 4.5, 15, 7));
    p.setPen(QPen(QColor(0x2e, 0x55, 0x2a), 1.4));
    p.drawLine(QPointF(15, 9), QPointF(21.5, 9));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool equals = row == 2 && column == 2;
            p.setBrush(equals ? QColor(0xf0, 0x8c, 0x1e) : QColor(0xe6, 0xe8, 0xec));
            p.drawRoundedRect(QRectF(8.5 + column * 5.3, 14 + row * 5.3, 4.2, 4.0), 0.8, 0.8);
        }
    }
}

// A coloured badge with a white letter or mark: the two poker clients.
void partyBadge(QPainter& p) {
    p.setPen(QPen(QColor(0x6e, 0x0f, 0x14), 1));
    p.setBrush(vertical(1, 31, QColor(0xe0, 0x3a, 0x3a), QColor(0x9c, 0x14, 0x1c)));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 7, 7);
    const QPainterPath letter = fitPath(textPath(QStringLiteral("P"), letterFont(30)), QRectF(8, 6, 17, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawPath(letter.translated(0.8, 1));
    p.setBrush(Qt::white);
    p.drawPath(letter);
}

QPainterPath fivePointStar(QPointF centre, qreal outer, qreal inner) {
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        points << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

void starBadge(QPainter& p) {
    QRadialGradient ground(QPointF(12, 10), 22);
    ground.setColorAt(0, QColor(0x3a, 0x78, 0xd8));
    ground.setColorAt(1, QColor(0x12, 0x3a, 0x88));
    p.setPen(QPen(QColor(0x0c, 0x26, 0x5c), 1));
    p.setBrush(ground);
    p.drawEllipse(QPointF(16, 16), 14.5, 14.5);
    p.setPen(QPen(QColor(0x8a, 0x5c, 0x00), 1));
    p.setBrush(vertical(5, 27, QColor(0xff, 0xe0, 0x5a), QColor(0xf0, 0xa8, 0x10)));
    p.drawPath(fivePointStar(QPointF(16, 17), 11.5, 4.8));
}

void information(QPainter& p) {
    QRadialGradient ground(QPointF(12, 10), 22);
    ground.setColorAt(0, QColor(0x4f, 0x9c, 0xec));
    ground.setColorAt(1, QColor(0x1a, 0x5a, 0xb0));
    p.setPen(QPen(QColor(0x12, 0x44, 0x88), 1));
    p.setBrush(ground);
    p.drawEllipse(QPointF(16, 16), 14.5, 14.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 8.8), 2.6, 2.6);
    QPainterPath stroke;
    stroke.setFillRule(Qt::WindingFill);
    stroke.addRoundedRect(QRectF(13.8, 13, 4.4, 12.5), 1, 1);
    stroke.addRect(QRectF(11.8, 13, 4, 2.4));
    stroke.addRect(QRectF(11.8, 23.1, 8.4, 2.4));
    p.drawPath(stroke.simplified());
}

void table(QPainter& p) {
    const QRectF sheet(2.5, 4.5, 27, 23);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setBrush(vertical(4, 11, QColor(0x4c, 0x8c, 0xe0), QColor(0x2a, 0x64, 0xb8)));
    p.drawRect(QRectF(2.5, 4.5, 27, 6));
    p.setBrush(QColor(0xe6, 0xee, 0xf8));
    p.drawRect(QRectF(2.5, 16.2, 27, 5.6));
    p.setPen(QPen(QColor(0x9a, 0xa6, 0xb4), 1));
    p.drawLine(QPointF(2.5, 16.2), QPointF(29.5, 16.2));
    p.drawLine(QPointF(2.5, 21.8), QPointF(29.5, 21.8));
    p.drawLine(QPointF(11.5, 10.5), QPointF(11.5, 27.5));
    p.setPen(QPen(QColor(0x3a, 0x44, 0x52), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(sheet);
}

void importIntoTray(QPainter& p) {
    QPainterPath tray;
    tray.moveTo(3.5, 17);
    tray.lineTo(3.5, 28.5);
    tray.lineTo(28.5, 28.5);
    tray.lineTo(28.5, 17);
    p.setPen(QPen(QColor(0x46, 0x50, 0x5e), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tray);
    QPainterPath arrow;
    arrow.addPolygon(QPolygonF({{13, 2}, {19, 2}, {19, 12}, {25, 12}, {16, 23}, {7, 12}, {13, 12}}));
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x17, 0x62, 0x2c), 1, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(vertical(2, 23, QColor(0x5c, 0xc8, 0x6c), QColor(0x22, 0x8c, 0x3c)));
    p.drawPath(arrow);
}

void floppy(QPainter& p) {
    QPainterPath body;
    body.moveTo(4.5, 2.5);
    body.lineTo(24, 2.5);
    body.lineTo(29.5, 8);
    body.lineTo(29.5, 28);
    body.quadTo(29.5, 29.5, 28, 29.5);
    body.lineTo(4, 29.5);
    body.quadTo(2.5, 29.5, 2.5, 28);
    body.lineTo(2.5, 4);
    body.quadTo(2.5, 2.5, 4.5, 2.5);
    body.closeSubpath();
    p.setPen(QPen(QColor(0x12, 0x2c, 0x5c), 1));
    p.setBrush(vertical(2, 30, QColor(0x3e, 0x72, 0xc8), QColor(0x1e, 0x4a, 0x96)));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc9, 0xcf, 0xd8));
    p.drawRect(QRectF(8, 3, 14, 9));
    p.setBrush(QColor(0x2a, 0x34, 0x44));
    p.drawRect(QRectF(17, 4.5, 3, 6));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6.5, 16, 19, 11.5), 1, 1);
    p.setPen(QPen(QColor(0x9a, 0xa6, 0xb4), 1));
    p.drawLine(QPointF(9, 19.5), QPointF(23, 19.5));
    p.drawLine(QPointF(9, 23.5), QPointF(23, 23.5));
}

void mortarboard(QPainter& p) {
    // The cap under the board, then the board, then the tassel over both.
    QPainterPath cap;
    cap.moveTo(8, 15);
    cap.lineTo(8, 23);
    cap.quadTo(16, 28.5, 24, 23);
    cap.lineTo(24, 15);
    cap.closeSubpath();
    p.setPen(QPen(QColor(0x0e, 0x10, 0x16), 1));
    p.setBrush(vertical(15, 27, QColor(0x3a, 0x40, 0x50), QColor(0x1c, 0x20, 0x2a)));
    p.drawPath(cap);
    QPainterPath board;
    board.addPolygon(QPolygonF({{16, 4}, {31, 11.5}, {16, 19}, {1, 11.5}}));
    board.closeSubpath();
    p.setBrush(vertical(4, 19, QColor(0x4c, 0x54, 0x68), QColor(0x22, 0x26, 0x30)));
    p.drawPath(board);
    p.setPen(QPen(QColor(0xf2, 0xb8, 0x2a), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath cord;
    cord.moveTo(16, 11.5);
    cord.lineTo(26.5, 14.5);
    cord.lineTo(26.5, 22);
    p.drawPath(cord);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0xb8, 0x2a));
    p.drawEllipse(QPointF(16, 11.5), 1.8, 1.3);
    QPainterPath tassel;
    tassel.addPolygon(QPolygonF({{25.5, 21}, {27.5, 21}, {29, 28}, {24, 28}}));
    tassel.closeSubpath();
    p.drawPath(tassel);
}

void logo(QPainter& p) { paintLogoChip(p, QRectF(0.5, 0.5, 31, 31)); }

void rangeGrid(QPainter& p) {
    // Pairs on the diagonal, as in the 13 x 13 chart this stands for.
    const QColor green(0x2e, 0xa8, 0x4a), yellow(0xf2, 0xc2, 0x2a), red(0xd8, 0x3a, 0x34);
    const QColor cells[3][3] = {{green, green, yellow}, {green, green, red}, {yellow, red, red}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x30, 0x3a));
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 3, 3);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            p.setBrush(cells[row][column]);
            p.drawRoundedRect(QRectF(4 + column * 8.33, 4 + row * 8.33, 7.33, 7.33), 1.2, 1.2);
        }
    }
}

void redCross(QPainter& p) {
    QPainterPath cross;
    cross.moveTo(7, 7);
    cross.lineTo(25, 25);
    cross.moveTo(25, 7);
    cross.lineTo(7, 25);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x7a, 0x10, 0x14), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);
    p.setPen(QPen(QColor(0xe0, 0x34, 0x30), 5.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);
}

void eye(QPainter& p) {
    QPainterPath almond;
    almond.moveTo(1.5, 16);
    almond.quadTo(16, 1, 30.5, 16);
    almond.quadTo(16, 31, 1.5, 16);
    almond.closeSubpath();
    p.setPen(QPen(QColor(0x26, 0x30, 0x3c), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(almond);
    p.save();
    p.setClipPath(almond);
    QRadialGradient iris(QPointF(14.5, 14.5), 8);
    iris.setColorAt(0, QColor(0x6a, 0xa8, 0xf0));
    iris.setColorAt(1, QColor(0x1e, 0x5a, 0xb4));
    p.setPen(QPen(QColor(0x14, 0x3c, 0x7a), 1));
    p.setBrush(iris);
    p.drawEllipse(QPointF(16, 16), 6.5, 6.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x10, 0x14));
    p.drawEllipse(QPointF(16, 16), 3, 3);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(14.2, 14.2), 1.3, 1.3);
    p.restore();
}

const std::vector<std::pair<QString, IconPainter>>& icons() {
    static const std::vector<std::pair<QString, IconPainter>> list = {
        {QStringLiteral("calc"), calculator},  {QStringLiteral("pp"), partyBadge},
        {QStringLiteral("stars"), starBadge},  {QStringLiteral("info"), information},
        {QStringLiteral("show"), table},       {QStringLiteral("import"), importIntoTray},
        {QStringLiteral("save"), floppy},      {QStringLiteral("quiz"), mortarboard},
        {QStringLiteral("torvel"), logo},      {QStringLiteral("range"), rangeGrid},
        {QStringLiteral("delete"), redCross},  {QStringLiteral("view"), eye},
    };
    return list;
}

}  // namespace

QStringList iconNames() {
    QStringList names;
    for (const auto& [name, painter] : icons()) names << name;
    return names;
}

QImage paintIcon(const QString& name, int size) {
    for (const auto& [iconName, paint] : icons()) {
        if (iconName != name) continue;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // Drawn on a kIconSize grid; larger sizes for the desktop menu scale it.
        painter.scale(double(size) / kIconSize, double(size) / kIconSize);
        paint(painter);
        return image;
    }
    return {};
}

}  // namespace torvel::imagegen
