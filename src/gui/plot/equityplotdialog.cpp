#include "gui/plot/equityplotdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>
#include <QProgressDialog>
#include <QPushButton>
#include <QResizeEvent>

#include "gui/app/mainwindow.h"
#include "engine/gamestate.h"
#include "engine/positions.h"

using torvel::GameState;

namespace {

QPen plotPen(const QColor& colour, qreal width, Qt::PenStyle style = Qt::SolidLine) {
    return QPen(QBrush(colour), width, style, Qt::SquareCap, Qt::BevelJoin);
}

}  // namespace

EquityPlotView::EquityPlotView(MainWindow* owner_, GameState* game_, QWidget* parent)
    : QWidget(parent), owner(owner_), game(game_), framePen(plotPen(Qt::black, 2)), curvePen(plotPen(Qt::red, 2)),
      bluePen(plotPen(Qt::blue, 2)), areaPen(plotPen(Qt::green, 2)), gridPen(plotPen(Qt::black, 1, Qt::DotLine)) {
    setBackgroundRole(QPalette::Light);
    setAutoFillBackground(true);
    setMinimumSize(500, 300);
}

void EquityPlotView::resizeEvent(QResizeEvent* event) {
    graphWidth = event->size().width();
    graphHeight = event->size().height();
    QWidget::resizeEvent(event);
}

void EquityPlotView::paintEvent(QPaintEvent*) {
    const int W = graphWidth;
    const int H = graphHeight;
    QPainter painter(this);
    auto x = [&](int j) { return 30.0 + j * (W - 60) / 100.0; };
    auto y = [&](float v) { return (H - 30) - v * 100.0 * (H - 60) / 100.0; };

    QLinearGradient shade(0, 0, 0, H);
    shade.setColorAt(0, QColor(200, 200, 255));
    shade.setColorAt(1, Qt::white);
    painter.fillRect(QRect(30, 30, W - 60, H - 60), shade);

    painter.setPen(framePen);
    painter.drawLine(30, 30, 30, H - 30);
    painter.drawLine(W - 30, 30, W - 30, H - 30);
    painter.drawLine(30, H - 30, W - 30, H - 30);

    painter.drawText(30, 18, tr("Edge between :"));
    const struct {
        int at;
        QColor colour;
        const char* text;
    } legend[] = {{120, QColor(220, 255, 220), "0.0 - 0.5"}, {200, QColor(50, 255, 50), "0.5 - 1.0"},
                  {280, QColor(20, 20, 255), "> 1.0"}};
    for (const auto& l : legend) {
        painter.fillRect(QRect(l.at, 5, 20, 20), l.colour);
        painter.drawText(l.at + 25, 18, QString::fromLatin1(l.text));
    }

    painter.setPen(areaPen);
    const std::array<float, 101>* curves[] = {&edgeAbove0, &edgeAbove05, &edgeAbove1};
    for (int c = 0; c < 3; ++c) {
        QPolygonF area;
        for (int j = 0; j <= 100; j += 5)
            area << QPointF(x(j), y((*curves[c])[static_cast<std::size_t>(j)]));
        area << QPointF(W - 30, H - 30) << QPointF(30, H - 30);
        painter.setBrush(legend[c].colour);
        painter.drawPolygon(area, Qt::OddEvenFill);
    }
    painter.setBrush(Qt::NoBrush);

    painter.setPen(curvePen);
    for (int j = 0; j < 100; j += 5)
        painter.drawLine(static_cast<int>(x(j)), static_cast<int>(y(edgeAbove0[static_cast<std::size_t>(j)])),
                         static_cast<int>(x(j + 5)), static_cast<int>(y(edgeAbove0[static_cast<std::size_t>(j + 5)])));

    painter.setPen(gridPen);
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

    if (!notice.isEmpty()) {
        painter.setPen(framePen);
        painter.drawText(QRect(40, 40, W - 80, H - 80), Qt::AlignCenter | Qt::TextWordWrap, notice);
    }

    painter.setPen(framePen);
    painter.rotate(90);
    painter.drawText(60, 0, tr("Hero Handrange"));
}

EquityPlotDialog::EquityPlotDialog(MainWindow* owner_, GameState* game_, QWidget* parent) : QDialog(parent), owner(owner_), game(game_) {
    setWindowTitle(tr("Plot"));
    if (!game || game->heroSeat == -1 || game->playerCount <= 1)
        return;

    QStringList offered;
    for (const auto& p : torvel::walkPositions(*game)) {
        const torvel::SeatState& s = game->seats[static_cast<std::size_t>(p.seat)];
        if (p.seat != game->heroSeat && s.action != torvel::kActionFold && s.position[0] != '\0')
            offered << QString::fromLatin1(s.position);
    }

    layout = new QGridLayout(this);
    titleLabel = new QLabel;
    titleLabel->setMaximumHeight(20);
    graph = new EquityPlotView(owner, game, this);
    opponentCombo = new QComboBox;
    opponentCombo->setMinimumWidth(70);
    closeButton = new QPushButton(tr("Close"));
    layout->addWidget(new QLabel(tr("View Equity by Playerrange:")), 1, 0, 1, 3);
    layout->addWidget(opponentCombo, 1, 3, 1, 1);
    layout->addWidget(graph, 2, 0, 3, 4);
    graph->resize(500, 300);
    layout->addWidget(titleLabel, 5, 0, 1, 4);
    layout->addWidget(closeButton, 6, 0, 1, 4);
    connect(closeButton, &QPushButton::clicked, this, &EquityPlotDialog::onCloseClicked);

    if (offered.isEmpty()) {
        // Nobody is left to call: there is nothing to plot.
        graph->notice = tr("Every opponent has folded: no calling range to vary.");
        opponentCombo->setEnabled(false);
        return;
    }
    opponentCombo->addItems(offered);
    connect(opponentCombo, &QComboBox::currentTextChanged, this, &EquityPlotDialog::onOpponentChosen);
    opponentCombo->setCurrentIndex(0);
    onOpponentChosen(opponentCombo->itemText(0));
}

void EquityPlotDialog::onCloseClicked() { close(); }

void EquityPlotDialog::onOpponentChosen(const QString& name) {
    if (!game)
        return;
    int opponent = -1;
    for (int s = 0; s < 10; ++s)
        if (s != game->heroSeat && game->seats[static_cast<std::size_t>(s)].occupied() &&
            QString::fromLatin1(game->seats[static_cast<std::size_t>(s)].position) == name)
            opponent = s;
    if (opponent < 0)
        return;  // no such opponent: nothing to compute

    QProgressDialog progress(tr("...Computing..."), tr("Cancel"), 0, 100, this);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    titleLabel->setText(QStringLiteral("<center><b>") + name + QStringLiteral(" Handrange</b></center>"));
    torvel::EdgeCurves curves;
    torvel::computeEdgeCurves(*game, opponent, curves, [&progress](int step) {
        progress.setValue(step);
        return !progress.wasCanceled();
    });
    graph->edgeAbove0 = curves.edgeAbove0;
    graph->edgeAbove05 = curves.edgeAbove05;
    graph->edgeAbove1 = curves.edgeAbove1;
    graph->update();
    progress.close();
}
