#include "gui/leak/leakchartview.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QColor positionColour(int index, int count) {
    return QColor::fromHsv(count > 0 ? index * 300 / count : 0, 150, 225);
}

// A round step that gives four to eight grid lines up to top.
double gridStep(double top) {
    const double raw = top / 5.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * magnitude)
            return factor * magnitude;
    return 10.0 * magnitude;
}

}  // namespace

LeakChartView::LeakChartView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(480, 220);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void LeakChartView::setData(const QStringList& bands, const QStringList& positions,
                            const QVector<QVector<double>>& loss) {
    bands_ = bands;
    positions_ = positions;
    loss_ = loss;
    update();
}

double LeakChartView::bandTotal(int band) const {
    double sum = 0.0;
    if (band >= 0 && band < loss_.size())
        for (double v : loss_[band])
            sum += v;
    return sum;
}

void LeakChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    const int legendWidth = 20 + std::max(60, [&] {
        int widest = 0;
        for (const QString& p : positions_)
            widest = std::max(widest, metrics.horizontalAdvance(p));
        return widest;
    }());
    const QRect plot = rect().adjusted(56, line + 12, -legendWidth - 16, -2 * line - 8);
    painter.drawText(QRect(0, 4, width(), line), Qt::AlignHCenter,
                     tr("Equity lost (% of a prize pool) by stack in big blinds and position"));
    if (bands_.isEmpty() || plot.width() < 20 || plot.height() < 20)
        return;

    double top = 0.0;
    for (int b = 0; b < bands_.size(); ++b)
        top = std::max(top, bandTotal(b));
    const double step = top > 0.0 ? gridStep(top) : 1.0;
    top = std::max(step, std::ceil(top / step) * step);

    // Grid and the scale on the left.
    painter.setPen(QColor(220, 220, 220));
    for (double v = 0.0; v <= top + step / 2; v += step) {
        const int y = plot.bottom() - static_cast<int>(std::lround(v / top * plot.height()));
        painter.setPen(QColor(220, 220, 220));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, y - line / 2, plot.left() - 6, line), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(v, 'g', 4));
    }
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());

    const int slot = plot.width() / static_cast<int>(bands_.size());
    const int barWidth = std::max(8, slot * 3 / 5);
    for (int b = 0; b < bands_.size(); ++b) {
        const int x = plot.left() + b * slot + (slot - barWidth) / 2;
        double below = 0.0;
        for (int p = 0; p < positions_.size() && b < loss_.size() && p < loss_[b].size(); ++p) {
            const double v = loss_[b][p];
            if (v <= 0.0)
                continue;
            const int y0 = plot.bottom() - static_cast<int>(std::lround(below / top * plot.height()));
            const int y1 = plot.bottom() - static_cast<int>(std::lround((below + v) / top * plot.height()));
            painter.fillRect(QRect(QPoint(x, y1), QPoint(x + barWidth, y0)), positionColour(p, positions_.size()));
            below += v;
        }
        painter.setPen(Qt::black);
        if (below > 0.0) {
            const int y = plot.bottom() - static_cast<int>(std::lround(below / top * plot.height()));
            painter.drawText(QRect(x - 20, y - line - 2, barWidth + 40, line), Qt::AlignHCenter,
                             QString::number(below, 'f', 2));
        }
        painter.drawText(QRect(plot.left() + b * slot, plot.bottom() + 4, slot, line), Qt::AlignHCenter, bands_[b]);
    }
    painter.drawText(QRect(plot.left(), plot.bottom() + line + 6, plot.width(), line), Qt::AlignHCenter,
                     tr("stack (big blinds)"));

    // The legend, in acting order.
    int y = plot.top();
    for (int p = 0; p < positions_.size(); ++p, y += line + 2) {
        painter.fillRect(QRect(plot.right() + 16, y + 2, 12, line - 4), positionColour(p, positions_.size()));
        painter.drawText(QPoint(plot.right() + 34, y + metrics.ascent()), positions_[p]);
    }
}
