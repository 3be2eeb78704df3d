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

#include "engine/gamestate.h"
#include "engine/positions.h"

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

EquityPlotDialog::EquityPlotDialog(GameState* game, QWidget* parent) : QDialog(parent), game_(game) {
    setWindowTitle(tr("Plot"));
    if (!game_ || game_->heroSeat == -1 || game_->playerCount <= 1)
        return;

    QStringList offered;
    for (const auto& p : torvel::walkPositions(*game_)) {
        const torvel::SeatState& s = game_->seats[static_cast<std::size_t>(p.seat)];
        if (p.seat != game_->heroSeat && s.action != torvel::kActionFold && s.position[0] != '\0')
            offered << QString::fromLatin1(s.position);
    }

    layout_ = new QGridLayout(this);
    titleLabel_ = new QLabel;
    titleLabel_->setMaximumHeight(20);
    graph_ = new EquityPlotView(game_, this);
    opponentCombo_ = new QComboBox;
    opponentCombo_->setMinimumWidth(70);
    closeButton_ = new QPushButton(tr("Close"));
    layout_->addWidget(new QLabel(tr("View Equity by Playerrange:")), 1, 0, 1, 3);
    layout_->addWidget(opponentCombo_, 1, 3, 1, 1);
    layout_->addWidget(graph_, 2, 0, 3, 4);
    graph_->resize(500, 300);
    layout_->addWidget(titleLabel_, 5, 0, 1, 4);
    layout_->addWidget(closeButton_, 6, 0, 1, 4);
    connect(closeButton_, &QPushButton::clicked, this, &EquityPlotDialog::onCloseClicked);

    if (offered.isEmpty()) {
        // Nobody is left to call: there is nothing to plot.
        graph_->setNotice(tr("Every opponent has folded: no calling range to vary."));
        opponentCombo_->setEnabled(false);
        return;
    }
    opponentCombo_->addItems(offered);
    connect(opponentCombo_, &QComboBox::currentTextChanged, this, &EquityPlotDialog::onOpponentChosen);
    opponentCombo_->setCurrentIndex(0);
    onOpponentChosen(opponentCombo_->itemText(0));
}

void EquityPlotDialog::onCloseClicked() { close(); }

void EquityPlotView::setNotice(const QString& notice) { notice_ = notice; }

void EquityPlotView::setCurves(const torvel::EdgeCurves& curves) {
    edgeAbove0_ = curves.edgeAbove0;
    edgeAbove05_ = curves.edgeAbove05;
    edgeAbove1_ = curves.edgeAbove1;
    update();
}

void EquityPlotDialog::onOpponentChosen(const QString& name) {
    if (!game_)
        return;
    int opponent = -1;
    for (int s = 0; s < 10; ++s)
        if (s != game_->heroSeat && game_->seats[static_cast<std::size_t>(s)].occupied() &&
            QString::fromLatin1(game_->seats[static_cast<std::size_t>(s)].position) == name)
            opponent = s;
    if (opponent < 0)
        return;  // no such opponent: nothing to compute

    QProgressDialog progress(tr("...Computing..."), tr("Cancel"), 0, 100, this);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    titleLabel_->setText(QStringLiteral("<center><b>") + name + QStringLiteral(" Handrange</b></center>"));
    torvel::EdgeCurves curves;
    torvel::computeEdgeCurves(*game_, opponent, curves, [&progress](int step) {
        progress.setValue(step);
        return !progress.wasCanceled();
    });
    graph_->setCurves(curves);
    progress.close();
}
