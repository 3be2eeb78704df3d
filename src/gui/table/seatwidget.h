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
    int handLow() const { return handLow_; }
    int handHigh() const { return handHigh_; }
    int card1() const { return card1_; }
    int card2() const { return card2_; }
    const QPixmap* card1Image() const { return card1Image_; }
    const QPixmap* card2Image() const { return card2Image_; }
    int rangeFrom() const { return rangeFrom_; }
    int rangeTo() const { return rangeTo_; }
    int range2To() const { return range2To_; }
    int range2From() const { return range2From_; }
    int stack() const { return stack_; }
    int status() const { return status_; }
    bool isButton() const { return isButton_; }
    bool isBigBlind() const { return isBigBlind_; }
    bool isSmallBlind() const { return isSmallBlind_; }
    int bet() const { return bet_; }
    void setRangeFrom(int value) { rangeFrom_ = value; }
    void setRangeTo(int value) { rangeTo_ = value; }
    void setRange2To(int value) { range2To_ = value; }
    void setRange2From(int value) { range2From_ = value; }
    void setStack(int value) { stack_ = value; }
    void setStatus(int value) { status_ = value; }
    void setIsButton(bool value) { isButton_ = value; }
    void setIsBigBlind(bool value) { isBigBlind_ = value; }
    void setIsSmallBlind(bool value) { isSmallBlind_ = value; }
    void setBet(int value) { bet_ = value; }

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
    int handLow_ = 0;
    int handHigh_ = 0;
    int card1_ = 0;
    int card2_ = 0;
    const QPixmap* card1Image_ = nullptr;
    const QPixmap* card2Image_ = nullptr;
    int rangeFrom_ = 0;
    int rangeTo_ = 0;
    int range2To_ = 0;
    int range2From_ = 0;
    int stack_ = 0;
    int status_ = 0;
    bool isButton_ = false;
    bool isBigBlind_ = false;
    bool isSmallBlind_ = false;
    int bet_ = 0;
    int lastX_ = 0;
    int lastY_ = 0;
};
