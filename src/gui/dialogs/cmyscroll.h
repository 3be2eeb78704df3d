#pragma once
// A scroll area whose inner label always takes the size of the view.

#include <QScrollArea>

class QLabel;

class CMyScroll : public QScrollArea {
    Q_OBJECT

public:
    explicit CMyScroll(QWidget* parent = nullptr);
    QLabel* inner = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
};
