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
class MainWindow;

namespace torvel {
class GameState;
}

class EquityPlotView : public QWidget {
    Q_OBJECT

public:
    EquityPlotView(MainWindow* owner, torvel::GameState* game, QWidget* parent);

    MainWindow* owner = nullptr;
    torvel::GameState* game = nullptr;
    int graphWidth = 500;
    int graphHeight = 300;
    QPen framePen;
    QPen curvePen;
    QPen bluePen;
    QPen areaPen;
    QPen gridPen;
    std::array<float, 101> edgeAbove0{};
    std::array<float, 101> edgeAbove05{};
    std::array<float, 101> edgeAbove1{};
    // Drawn across the empty plot when there is nothing to compute.
    QString notice;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

class EquityPlotDialog : public QDialog {
    Q_OBJECT

public:
    EquityPlotDialog(MainWindow* owner, torvel::GameState* game, QWidget* parent);

    MainWindow* owner = nullptr;
    QGridLayout* layout = nullptr;
    torvel::GameState* game = nullptr;
    QLabel* titleLabel = nullptr;
    EquityPlotView* graph = nullptr;
    QComboBox* opponentCombo = nullptr;
    QPushButton* closeButton = nullptr;

public slots:
    void onCloseClicked();
    void onOpponentChosen(const QString& name);
};
