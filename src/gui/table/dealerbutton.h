#pragma once
// The spot in front of a seat where the dealer button lies; in edit mode a
// click asks for the button to move there.

#include <QWidget>

class DeskModel;
class SeatWidget;
class TableResources;

class DealerButton : public QWidget {
    Q_OBJECT

public:
    DealerButton(const DeskModel& desk, const TableResources& resources, const SeatWidget& seat, QWidget* parent);

    // Set by the table only.
    void setDealer(bool lies) { dealer_ = lies; }
    bool isDealer() const { return dealer_; }

signals:
    // A click in edit mode at an occupied seat.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const DeskModel& desk_;
    const TableResources& resources_;
    const SeatWidget& seat_;
    bool dealer_ = false;
};
