#pragma once
// The spot in front of a seat where the dealer button lies; in edit mode a
// click moves the button there.

#include <QWidget>

class MainWindow;

class DealerButton : public QWidget {
    Q_OBJECT

public:
    DealerButton(MainWindow* mainWindow, int seat, QWidget* parent);

    int seat = 0;
    // 1 while the dealer button lies here; set by the table only.
    int dealer = 0;
    MainWindow* mainWindow = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};
