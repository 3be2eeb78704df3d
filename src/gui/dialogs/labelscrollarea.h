#pragma once
// A scroll area whose inner label always takes the size of the view.

#include <QScrollArea>

class QLabel;

class LabelScrollArea : public QScrollArea {
    Q_OBJECT

public:
    explicit LabelScrollArea(QWidget* parent = nullptr);
    QLabel* inner() const { return inner_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* inner_ = nullptr;
};
