#pragma once
// One seat of the table: the player's cards or card backs, stack, range or
// "Folded", the "Take Seat" and "Leave" buttons, and clicks that edit the
// seat. Keeps its own copy of the seat and writes every change into the
// situation on the table as well.

#include <QWidget>

class DeskModel;
class QPushButton;
class TableResources;

class SeatWidget : public QWidget {
    Q_OBJECT

public:
    SeatWidget(DeskModel& desk, const TableResources& resources, int seat, QWidget* parent);

    // c1 = -1 shows card backs; -2 leaves that card as it is.
    void setCards(int c1, int c2);
    // Empties the seat widget (cards, ranges, stack, status, flags, bet).
    void resetSeat();
    void takeSeat();
    void leaveSeat();

    int seatIndex() const { return seat_; }
    QPushButton* leaveButton() const { return leaveButton_; }
    QPushButton* takeSeatButton() const { return takeSeatButton_; }

    // The seat as shown: cards in the order picked, ranges as bands of the
    // hand ranking, stack behind and bet in front, 0 empty / 1 hero /
    // 2 opponent, the blind and button flags.
    int handLow = 0;
    int handHigh = 0;
    int card1 = 0;
    int card2 = 0;
    const QPixmap* card1Image = nullptr;
    const QPixmap* card2Image = nullptr;
    int rangeFrom = 0;
    int rangeTo = 0;
    int range2To = 0;
    int range2From = 0;
    int stack = 0;
    int status = 0;
    bool isButton = false;
    bool isBigBlind = false;
    bool isSmallBlind = false;
    int bet = 0;

signals:
    // After a player sat down; moveButton when the button lies at no
    // occupied seat.
    void seatTaken(int seat, bool moveButton);
    void seatLeft(int seat);
    void cardPickRequested(int which);
    void opponentActionRequested(int seat);
    // mode 0: the own range, 1: the calling range against a push.
    void rangeEditRequested(int seat, int mode);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    DeskModel& desk_;
    const TableResources& resources_;
    QPushButton* leaveButton_ = nullptr;
    QPushButton* takeSeatButton_ = nullptr;
    int seat_ = 0;
    int lastX_ = 0;
    int lastY_ = 0;
};
