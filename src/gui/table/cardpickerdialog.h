#pragma once
// The card picker: 52 cells, one row per suit; sets one of the hero's two
// hole cards. The hero's other card cannot be picked.

#include <QDialog>
#include <QRect>
#include <QWidget>

class DeskModel;
class QPushButton;
class SeatWidget;
class TableResources;

class CardPickerDialog : public QDialog {
    Q_OBJECT

public:
    // which: 0 for the first card, 1 for the second; heroSeat is the
    // hero's seat on the table (null: no hero, nothing is picked).
    CardPickerDialog(DeskModel& desk, const TableResources& resources, SeatWidget* heroSeat, int which,
                     QWidget* parent = nullptr);

    QPushButton* cancelButton() const { return cancelButton_; }

    // Sets the picked card on the hero's seat widget and in the situation.
    void pick(int card);

private:
    DeskModel& desk_;
    SeatWidget* heroSeat_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    int which_ = 0;
};

// One cell of the picker.
class CardCell : public QWidget {
    Q_OBJECT

public:
    // card 0..51, or 52 for the cell of the hero's other card.
    CardCell(int width, int height, const QPixmap& image, CardPickerDialog* picker, int card, QWidget* parent = nullptr);

    int card() const { return card_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRect area_;
    const QPixmap& image_;
    CardPickerDialog* picker_ = nullptr;
    int card_ = 52;
};
