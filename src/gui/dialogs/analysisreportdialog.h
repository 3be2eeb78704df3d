#pragma once
// The report of one analysed situation: the "Game details" table, whose
// stack, action and range cells edit the seats, and the push and fold
// equities with their breakdown per opponent.

#include <QDialog>

#include <array>

class LabelScrollArea;
class DeskModel;
class QGridLayout;
class QLabel;
class QPushButton;
class RangeGridView;

namespace torvel {
class GameState;
struct SeatState;
}  // namespace torvel

class AnalysisReportDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kRows = 10;
    static constexpr int kColumns = 7;
    // Columns of the clickable cells.
    static constexpr int kRangeColumn = 1;
    static constexpr int kStackColumn = 2;
    static constexpr int kActionColumn = 5;

    // desk may be null: then the report's cells edit no table.
    AnalysisReportDialog(DeskModel* desk, const QString& title, QWidget* parent = nullptr);

    // Shows game (not owned) in the table and the report; a null pointer
    // or a situation without a valid button lists no rows.
    void buildReport(torvel::GameState* game);

    // The report below the table as rich text.
    QString reportText() const;


    DeskModel* desk() const { return desk_; }
    QGridLayout* grid() const { return grid_; }
    LabelScrollArea* reportArea() const { return reportArea_; }
    const std::array<std::array<QLabel*, kColumns>, kRows>& cells() const { return cells_; }
    // The situation shown (not owned).
    torvel::GameState* situation() const { return game_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* recomputeButton() const { return recomputeButton_; }
    // The hero's pushing range, and the equilibrium's beside it once the
    // table's equilibrium was solved (hidden otherwise).
    RangeGridView* heroRangeGrid() const { return heroGrid_; }
    RangeGridView* equilibriumGrid() const { return equilibriumGrid_; }

public slots:
    void onCloseClicked();
    void onComputeClicked();

private:
    DeskModel* desk_ = nullptr;
    QGridLayout* grid_ = nullptr;
    LabelScrollArea* reportArea_ = nullptr;
    std::array<std::array<QLabel*, kColumns>, kRows> cells_{};
    torvel::GameState* game_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* recomputeButton_ = nullptr;
    RangeGridView* heroGrid_ = nullptr;
    RangeGridView* equilibriumGrid_ = nullptr;
    void fillTable();
    void fillRanges();
    QString buildText() const;
};
