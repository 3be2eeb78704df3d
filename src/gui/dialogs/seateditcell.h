#pragma once
// A cell of the report's "Game details" table that edits the seat of its
// row when clicked: the stack, the action before the hero or the range.

#include <QLabel>

class AnalysisReportDialog;

namespace torvel {
struct SeatState;
}

class SeatEditCell : public QLabel {
    Q_OBJECT

public:
    enum Kind : int { kStack = 1, kAction = 2, kRange = 3 };

    SeatEditCell(AnalysisReportDialog* report, int kind, int seatIndex, QWidget* parent = nullptr);

    // Ties the cell to a seat of the report's situation.
    void bind(int seatIndex, torvel::SeatState* seat);

    int seatIndex() const { return seatIndex_; }
    int kind() const { return kind_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void editStack();
    void editAction();
    void editRange();

    int seatIndex_ = 0;
    int kind_ = kStack;
    torvel::SeatState* seat_ = nullptr;
    AnalysisReportDialog* report_ = nullptr;
};
