#pragma once
// The drawing of the equity plot: the hero's pushing range against one
// opponent's calling range, as three nested areas (edge over folding above
// 0, 0.5 and 1 percent of the prize pool).

#include <QPen>
#include <QString>
#include <QWidget>

#include <array>

#include "engine/equityplot.h"

namespace torvel {
class GameState;
}

class EquityPlotView : public QWidget {
    Q_OBJECT

public:
    EquityPlotView(torvel::GameState* game, QWidget* parent);

    // Drawn across the empty plot when there is nothing to compute.
    void setNotice(const QString& notice);
    void setCurves(const torvel::EdgeCurves& curves);

    const std::array<float, 101>& edgeAbove0() const { return edgeAbove0_; }
    const std::array<float, 101>& edgeAbove05() const { return edgeAbove05_; }
    const std::array<float, 101>& edgeAbove1() const { return edgeAbove1_; }
    QString notice() const { return notice_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    torvel::GameState* game_ = nullptr;
    int graphWidth_ = 500;
    int graphHeight_ = 300;
    QPen framePen_;
    QPen curvePen_;
    QPen bluePen_;
    QPen areaPen_;
    QPen gridPen_;
    std::array<float, 101> edgeAbove0_{};
    std::array<float, 101> edgeAbove05_{};
    std::array<float, 101> edgeAbove1_{};
    QString notice_;
};
