#pragma once
// The card picker: 52 cells, one row per suit; sets one of the hero's two
// hole cards. The hero's other card cannot be picked.

#include <QDialog>
#include <QRect>
#include <QWidget>

class grabber;
class QPushButton;

class CCards : public QDialog {
    Q_OBJECT

public:
    // which: 0 for the first card, 1 for the second.
    CCards(grabber* mainWindow, int which, QWidget* parent = nullptr);

    grabber* mainWindow = nullptr;
    QPushButton* cancelButton = nullptr;
    int which = 0;

    // Sets the picked card on the hero's seat widget and in the situation.
    void pick(int card);

public slots:
    void slot_pbCancel();
};

// One cell of the picker.
class CCardlist : public QWidget {
    Q_OBJECT

public:
    CCardlist(int width, int height, int which, CCards* picker, int card, QWidget* parent = nullptr);

    QRect area;
    const QPixmap* image = nullptr;
    CCards* picker = nullptr;
    int which = 0;
    // 0..51, or 52 for the cell of the hero's other card.
    int card = 52;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
