#pragma once
// The card picker: 52 cells, one row per suit; sets one of the hero's two
// hole cards. The hero's other card cannot be picked.

#include <QDialog>
#include <QRect>
#include <QWidget>

class MainWindow;
class QPushButton;

class CardPickerDialog : public QDialog {
    Q_OBJECT

public:
    // which: 0 for the first card, 1 for the second.
    CardPickerDialog(MainWindow* mainWindow, int which, QWidget* parent = nullptr);

    MainWindow* mainWindow = nullptr;
    QPushButton* cancelButton = nullptr;
    int which = 0;

    // Sets the picked card on the hero's seat widget and in the situation.
    void pick(int card);

public slots:
    void onCloseClicked();
};

// One cell of the picker.
class CardCell : public QWidget {
    Q_OBJECT

public:
    CardCell(int width, int height, int which, CardPickerDialog* picker, int card, QWidget* parent = nullptr);

    QRect area;
    const QPixmap* image = nullptr;
    CardPickerDialog* picker = nullptr;
    int which = 0;
    // 0..51, or 52 for the cell of the hero's other card.
    int card = 52;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
