#pragma once
// The 13 x 13 hand classes of a mixed range, each cell coloured by how often
// it is played, with the share of combinations and the range text below.
// Cells may be framed where the range differs from another one.

#include <QWidget>

#include <optional>

#include "engine/nashsolver.h"

class RangeGridView : public QWidget {
    Q_OBJECT

public:
    explicit RangeGridView(QWidget* parent = nullptr);

    // title heads the grid; text is the range in words (computed when empty).
    void setRange(const torvel::ClassStrategy& range, const QString& title = {}, const QString& text = {});
    const torvel::ClassStrategy& range() const { return range_; }
    // Frames the cells whose play differs from other's by half or more.
    void setComparison(const torvel::ClassStrategy& other);
    void clearComparison();
    int differingCells() const;

    // The colour of a probability: grey for never, through yellow, to a
    // deep green for always.
    static QColor colourOf(double probability);
    // The class index (allHandClasses) of a grid cell, row * 13 + column
    // with the Ace first.
    static int classOfCell(int gridPosition);
    // "49.70 % of hands: 22+, A2s+, ..."
    QString summaryText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    torvel::ClassStrategy range_{};
    std::optional<torvel::ClassStrategy> comparison_;
    QString title_;
    QString text_;
    bool differs(int classIndex) const;
};
