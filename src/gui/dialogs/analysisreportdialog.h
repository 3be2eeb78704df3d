#pragma once
// The report of one analysed situation: the "Game details" table, whose
// stack, action and range cells edit the seats, and the push and fold
// equities with their breakdown per opponent.

#include <QDialog>

#include <array>

class LabelScrollArea;
class QGridLayout;
class QLabel;
class QPushButton;
class MainWindow;

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

    AnalysisReportDialog(MainWindow* owner, const QString& title, QWidget* parent = nullptr);

    // Shows game (not owned) in the table and the report; a null pointer
    // or a situation without a valid button lists no rows.
    void buildReport(torvel::GameState* game);

    // The report below the table as rich text.
    QString reportText() const;

    // Texts of the clickable cells, shared with the cells that edit them.
    static QString linkText(const QString& text);
    static QString rangeText(const torvel::SeatState& seat);

    MainWindow* owner = nullptr;
    QGridLayout* grid = nullptr;
    LabelScrollArea* reportArea = nullptr;
    std::array<std::array<QLabel*, kColumns>, kRows> cells{};
    torvel::GameState* game = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* recomputeButton = nullptr;

public slots:
    void onCloseClicked();
    void onComputeClicked();

private:
    void fillTable();
    QString buildText() const;
};
