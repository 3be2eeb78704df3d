#pragma once
// The equity plot: how wide the hero may push as one opponent's calling
// range grows, drawn as three nested areas (edge over folding above 0, 0.5
// and 1 percent of the prize pool).

#include <QDialog>
#include <QPen>
#include <QWidget>

#include "engine/equityplot.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

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

    torvel::GameState* game() const { return game_; }
    int graphWidth() const { return graphWidth_; }
    int graphHeight() const { return graphHeight_; }
    QPen framePen() const { return framePen_; }
    QPen curvePen() const { return curvePen_; }
    QPen bluePen() const { return bluePen_; }
    QPen areaPen() const { return areaPen_; }
    QPen gridPen() const { return gridPen_; }
    const std::array<float, 101>& edgeAbove0() const { return edgeAbove0_; }
    const std::array<float, 101>& edgeAbove05() const { return edgeAbove05_; }
    const std::array<float, 101>& edgeAbove1() const { return edgeAbove1_; }
    QString notice() const { return notice_; }
    // Drawn across the empty plot when there is nothing to compute.

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

class EquityPlotDialog : public QDialog {
    Q_OBJECT

public:
    EquityPlotDialog(torvel::GameState* game, QWidget* parent);

    QGridLayout* layout() const { return layout_; }
    torvel::GameState* game() const { return game_; }
    QLabel* titleLabel() const { return titleLabel_; }
    EquityPlotView* graph() const { return graph_; }
    QComboBox* opponentCombo() const { return opponentCombo_; }
    QPushButton* closeButton() const { return closeButton_; }

public slots:
    void onCloseClicked();
    void onOpponentChosen(const QString& name);

private:
    QGridLayout* layout_ = nullptr;
    torvel::GameState* game_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    EquityPlotView* graph_ = nullptr;
    QComboBox* opponentCombo_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};
