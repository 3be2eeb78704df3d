#include "gui/dialogs/rangegridview.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "engine/cards.h"
#include "gui/dialogs/rangegrid.h"

namespace {

constexpr int kSide = rangegrid::kSide;
// Smallest cell that still shows "AKo" legibly (the names shrink to fit).
constexpr int kSmallestCell = 20;
// Lines of the summary kept below the grid at least.
constexpr int kSummaryLines = 3;

}  // namespace

RangeGridView::RangeGridView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void RangeGridView::setRange(const torvel::ClassStrategy& range, const QString& title, const QString& text) {
    range_ = range;
    title_ = title;
    text_ = text.isEmpty() ? QString::fromStdString(torvel::nashRangeText(range)) : text;
    update();
}

void RangeGridView::setComparison(const torvel::ClassStrategy& other) {
    comparison_ = other;
    update();
}

void RangeGridView::clearComparison() {
    comparison_.reset();
    update();
}

bool RangeGridView::differs(int classIndex) const {
    if (!comparison_ || classIndex < 0)
        return false;
    const auto k = static_cast<std::size_t>(classIndex);
    return std::abs(range_[k] - (*comparison_)[k]) >= 0.5;
}

int RangeGridView::differingCells() const {
    int count = 0;
    for (int k = 0; k < torvel::kHandClassCount; ++k)
        count += differs(k) ? 1 : 0;
    return count;
}

QColor RangeGridView::colourOf(double probability) {
    const double p = std::clamp(probability, 0.0, 1.0);
    if (p <= 0.0)
        return QColor(226, 226, 226);
    // Mixed play runs from a pale yellow (rarely) to orange, always is green:
    // a cell played half the time must not look like either end.
    if (p >= 1.0)
        return QColor(60, 170, 75);
    const QColor rarely(250, 236, 150), often(240, 140, 40);
    auto mix = [p](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * p)); };
    return QColor(mix(rarely.red(), often.red()), mix(rarely.green(), often.green()), mix(rarely.blue(), often.blue()));
}

int RangeGridView::classOfCell(int gridPosition) {
    const int row = gridPosition / kSide;
    const int column = gridPosition % kSide;
    const int rowRank = kSide - 1 - row;
    const int columnRank = kSide - 1 - column;
    if (row == column)
        return torvel::classIndex({rowRank, rowRank + kSide});
    if (row < column)
        return torvel::classIndex({columnRank, rowRank});
    return torvel::classIndex({rowRank, columnRank + kSide});
}

QString RangeGridView::summaryText() const {
    const QString share = QString::number(100.0 * torvel::comboShare(range_), 'f', 2);
    return share + tr(" % of hands: ") + (text_.isEmpty() ? tr("none") : text_);
}

QSize RangeGridView::sizeHint() const {
    const int cell = std::max(kSmallestCell, fontMetrics().horizontalAdvance(QStringLiteral("AKo")) * 2);
    return {cell * kSide, cell * kSide + fontMetrics().height() * (kSummaryLines + 1) + 8};
}

QSize RangeGridView::minimumSizeHint() const {
    return {kSmallestCell * kSide, kSmallestCell * kSide + fontMetrics().height() * (kSummaryLines + 1) + 8};
}

void RangeGridView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QFontMetrics metrics = fontMetrics();
    const int titleHeight = title_.isEmpty() ? 0 : metrics.height() + 2;
    // The summary wraps at the grid's width; the grid takes what is left.
    const QString summary = summaryText();
    int side = std::max(kSide, std::min(width(), height() - titleHeight - metrics.height() * kSummaryLines - 6));
    int summaryHeight = 0;
    for (int tries = 0; tries < 3; ++tries) {
        summaryHeight = metrics.boundingRect(QRect(0, 0, side, 10000), Qt::TextWordWrap, summary).height() + 6;
        const int fits = std::max(kSide, std::min(width(), height() - titleHeight - summaryHeight));
        if (fits >= side)
            break;
        side = fits;
    }
    const double cell = static_cast<double>(side) / kSide;

    if (!title_.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QRect(0, 0, width(), metrics.height()), Qt::AlignLeft | Qt::AlignVCenter, title_);
        painter.setFont(font());
    }

    // Cell names shrink with the cells so that "AKo" always fits.
    QFont cellFont = font();
    const double fitting = cellFont.pointSizeF() * (cell - 4) / std::max(1, metrics.horizontalAdvance(QStringLiteral("AKo")));
    if (fitting < cellFont.pointSizeF() && fitting > 3.0)
        cellFont.setPointSizeF(fitting);
    else if (cell > 3.0 * metrics.horizontalAdvance(QStringLiteral("AKo")))
        cellFont.setPointSizeF(cellFont.pointSizeF() * 1.4);
    painter.setFont(cellFont);

    const QPen grid(QColor(255, 255, 255), 1);
    const QPen marked(QColor(200, 0, 0), std::max(2.0, cell / 12));
    for (int at = 0; at < kSide * kSide; ++at) {
        const QRectF box(at % kSide * cell, titleHeight + at / kSide * cell, cell, cell);
        const int k = classOfCell(at);
        const double p = k >= 0 ? range_[static_cast<std::size_t>(k)] : 0.0;
        painter.fillRect(box, colourOf(p));
        // Mixed cells show how often in a bar along their foot.
        if (p > 0.0 && p < 1.0)
            painter.fillRect(QRectF(box.left(), box.bottom() - cell / 8, box.width() * p, cell / 8), QColor(60, 170, 75));
        painter.setPen(grid);
        painter.drawRect(box);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, rangegrid::cellName(at));
        if (differs(k)) {
            painter.setPen(marked);
            painter.drawRect(box.adjusted(2, 2, -2, -2));
        }
    }

    painter.setFont(font());
    painter.setPen(palette().windowText().color());
    const QRect below(0, titleHeight + side + 4, side, summaryHeight);
    painter.drawText(below, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, summary);
}
