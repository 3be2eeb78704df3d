#pragma once
// The bar chart of the leak report: one bar per stack band, stacked from
// the equity each position lost in it, with a legend of the positions.

#include <QStringList>
#include <QVector>
#include <QWidget>

class LeakChartView : public QWidget {
    Q_OBJECT

public:
    explicit LeakChartView(QWidget* parent = nullptr);

    // loss[band][position], in percent of a prize pool.
    void setData(const QStringList& bands, const QStringList& positions, const QVector<QVector<double>>& loss);
    double bandTotal(int band) const;
    QSize sizeHint() const override { return {640, 280}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList bands_;
    QStringList positions_;
    QVector<QVector<double>> loss_;
};
