#pragma once
// One seat of the table: the player's cards or card backs, stack, range or
// "Folded", the "Take Seat" and "Leave" buttons, and clicks that edit the
// seat. Keeps its own copy of the seat and writes every change into the
// situation on the table as well.

#include <QWidget>

class MainWindow;
class QPushButton;

class SeatWidget : public QWidget {
    Q_OBJECT

public:
    SeatWidget(MainWindow* mainWindow, int seat, QWidget* parent);

    // c1 = -1 shows card backs; -2 leaves that card as it is.
    void setCards(int c1, int c2);
    // Empties the seat widget (cards, ranges, stack, status, flags, bet).
    void resetSeat();
    void takeSeat();
    void leaveSeat();

    MainWindow* mainWindow = nullptr;
    QPushButton* leaveButton = nullptr;
    QPushButton* takeSeatButton = nullptr;
    int seat = 0;
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
    int lastX = 0;
    int lastY = 0;

public slots:
    void onTakeSeatClicked();
    void onLeaveClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Opens the range dialog for the own range (0) or the calling range (1),
    // then analyses again.
    void editRange(int mode);
};
