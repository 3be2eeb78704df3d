#pragma once
// "Plot": how wide the hero may push as one opponent's calling range grows,
// for the opponent chosen in the list; computes with a progress dialog.

#include <QDialog>

class EquityPlotView;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace torvel {
class GameState;
}

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
