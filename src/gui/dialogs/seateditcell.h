#pragma once
// A cell of the report's "Game details" table that edits the seat of its
// row when clicked: the stack, the action before the hero or the range.

#include <QLabel>

class DeskModel;

namespace torvel {
class GameState;
struct SeatState;
}  // namespace torvel

class SeatEditCell : public QLabel {
    Q_OBJECT

public:
    enum Kind : int { kStack = 1, kAction = 2, kRange = 3 };

    // desk may be null: then the range cannot be edited and no table follows.
    SeatEditCell(DeskModel* desk, int kind, int seatIndex, QWidget* parent = nullptr);

    // Ties the cell to a seat of situation (not owned; null unties it).
    void bind(int seatIndex, torvel::GameState* situation);

    int seatIndex() const { return seatIndex_; }
    int kind() const { return kind_; }

    // The texts of the clickable cells: a link, and a range as its bounds.
    static QString linkText(const QString& text);
    static QString rangeText(const torvel::SeatState& seat);

signals:
    // The action before the hero changed: what was computed is stale.
    void actionEdited();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void editStack();
    void editAction();
    void editRange();

    DeskModel* desk_ = nullptr;
    int seatIndex_ = 0;
    int kind_ = kStack;
    torvel::GameState* situation_ = nullptr;
    torvel::SeatState* seat_ = nullptr;
};
