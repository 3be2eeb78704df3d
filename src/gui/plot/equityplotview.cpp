#include "gui/plot/equityplotview.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>
#include <QResizeEvent>

#include <algorithm>

#include "engine/gamestate.h"

using torvel::GameState;

namespace {

QPen plotPen(const QColor& colour, qreal width, Qt::PenStyle style = Qt::SolidLine) {
    return QPen(QBrush(colour), width, style, Qt::SquareCap, Qt::BevelJoin);
}

}  // namespace

EquityPlotView::EquityPlotView(GameState* game, QWidget* parent)
    : QWidget(parent), game_(game), framePen_(plotPen(Qt::black, 2)), curvePen_(plotPen(Qt::red, 2)),
      bluePen_(plotPen(Qt::blue, 2)), areaPen_(plotPen(Qt::green, 2)), gridPen_(plotPen(Qt::black, 1, Qt::DotLine)) {
    setBackgroundRole(QPalette::Light);
    setAutoFillBackground(true);
    setMinimumSize(500, 300);
}

void EquityPlotView::resizeEvent(QResizeEvent* event) {
    graphWidth_ = event->size().width();
    graphHeight_ = event->size().height();
    QWidget::resizeEvent(event);
}

void EquityPlotView::paintEvent(QPaintEvent*) {
    const int W = graphWidth_;
    const int H = graphHeight_;
    QPainter painter(this);
    auto x = [&](int j) { return 30.0 + j * (W - 60) / 100.0; };
    auto y = [&](float v) { return (H - 30) - v * 100.0 * (H - 60) / 100.0; };

    QLinearGradient shade(0, 0, 0, H);
    shade.setColorAt(0, QColor(200, 200, 255));
    shade.setColorAt(1, Qt::white);
    painter.fillRect(QRect(30, 30, W - 60, H - 60), shade);

    painter.setPen(framePen_);
    painter.drawLine(30, 30, 30, H - 30);
    painter.drawLine(W - 30, 30, W - 30, H - 30);
    painter.drawLine(30, H - 30, W - 30, H - 30);

    const QString caption = tr("Edge between :");
    painter.drawText(30, 18, caption);
    const struct {
        QColor colour;
        const char* text;
    } legend[] = {{QColor(220, 255, 220), "0.0 - 0.5"}, {QColor(50, 255, 50), "0.5 - 1.0"},
                  {QColor(20, 20, 255), "> 1.0"}};
    // Each square starts after the text before it, whatever the font.
    const QFontMetrics metrics = painter.fontMetrics();
    int at = std::max(120, 30 + metrics.horizontalAdvance(caption) + 10);
    for (const auto& l : legend) {
        const QString text = QString::fromLatin1(l.text);
        painter.fillRect(QRect(at, 5, 20, 20), l.colour);
        painter.drawText(at + 25, 18, text);
        at = std::max(at + 80, at + 25 + metrics.horizontalAdvance(text) + 10);
    }

    painter.setPen(areaPen_);
    const std::array<float, 101>* curves[] = {&edgeAbove0_, &edgeAbove05_, &edgeAbove1_};
    for (int c = 0; c < 3; ++c) {
        QPolygonF area;
        for (int j = 0; j <= 100; j += 5)
            area << QPointF(x(j), y((*curves[c])[static_cast<std::size_t>(j)]));
        area << QPointF(W - 30, H - 30) << QPointF(30, H - 30);
        painter.setBrush(legend[c].colour);
        painter.drawPolygon(area, Qt::OddEvenFill);
    }
    painter.setBrush(Qt::NoBrush);

    painter.setPen(curvePen_);
    for (int j = 0; j < 100; j += 5)
        painter.drawLine(static_cast<int>(x(j)), static_cast<int>(y(edgeAbove0_[static_cast<std::size_t>(j)])),
                         static_cast<int>(x(j + 5)), static_cast<int>(y(edgeAbove0_[static_cast<std::size_t>(j + 5)])));

    painter.setPen(gridPen_);
    for (int j = 0; j <= 100; j += 5) {
        painter.drawText(QRect(static_cast<int>(x(j)) - 15, H - 25, 30, 20), Qt::AlignCenter, QString::number(j));
        painter.drawLine(QPointF(x(j), H - 27), QPointF(x(j), 30));
    }
    for (int v = 0; v <= 100; v += 10) {
        const int yy = static_cast<int>((H - 30) - v * (H - 60) / 100.0);
        painter.drawLine(28, yy, W - 30, yy);
        painter.drawText(QRect(QPoint(5, yy - 6), QPoint(26, yy + 8)), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(v));
    }

    if (!notice_.isEmpty()) {
        painter.setPen(framePen_);
        painter.drawText(QRect(40, 40, W - 80, H - 80), Qt::AlignCenter | Qt::TextWordWrap, notice_);
    }

    painter.setPen(framePen_);
    painter.rotate(90);
    painter.drawText(60, 0, tr("Hero Handrange"));
}

void EquityPlotView::setNotice(const QString& notice) { notice_ = notice; }

void EquityPlotView::setCurves(const torvel::EdgeCurves& curves) {
    edgeAbove0_ = curves.edgeAbove0;
    edgeAbove05_ = curves.edgeAbove05;
    edgeAbove1_ = curves.edgeAbove1;
    update();
}
