#include "gui/dialogs/rangegrid.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

#include "engine/cards.h"
#include "engine/handranking.h"

namespace rangegrid {

const std::array<const char*, kPresetCount> kPresetLabels{"3%",  "4%",  "5%",  "8%",  "10%", "12%", "15%",
                                                          "18%", "30%", "40%", "50%", "80%", "100%"};

namespace {

constexpr int kCellWidth = 40;

// Rank letter of a grid row or column (0 = Ace).
QChar gridRankLetter(int index) { return QLatin1Char(torvel::rankLetter(kSide - 1 - index)); }

int gridPositionOf(const torvel::HandClass& c) {
    const int a = c.low % kSide;
    const int b = c.high % kSide;
    const int highIndex = kSide - 1 - std::max(a, b);
    const int lowIndex = kSide - 1 - std::min(a, b);
    if (a == b)
        return highIndex * kSide + highIndex;
    if (c.low < kSide && c.high < kSide)
        return highIndex * kSide + lowIndex;
    return lowIndex * kSide + highIndex;
}

bool validClass(const torvel::HandClass& c) {
    return c.low >= 0 && c.low < kSide && c.high >= 0 && c.high < 2 * kSide;
}

}  // namespace

CellKind cellKind(int gridPosition) {
    const int row = gridPosition / kSide;
    const int column = gridPosition % kSide;
    if (row == column)
        return CellKind::Pair;
    return row < column ? CellKind::Suited : CellKind::Offsuit;
}

QString cellName(int gridPosition) {
    const int row = gridPosition / kSide;
    const int column = gridPosition % kSide;
    QString name;
    name += gridRankLetter(std::min(row, column));
    name += gridRankLetter(std::max(row, column));
    if (row < column)
        name += QLatin1Char('s');
    else if (row > column)
        name += QLatin1Char('o');
    return name;
}

QString percentText(double classes) { return QString::number(classes * 100.0 / kCells, 'f', 2); }

std::array<int, kCells> gridPositionsByRank(const torvel::HandRanking& ranking) {
    std::array<int, kCells> positions{};
    std::array<bool, kCells> used{};
    positions.fill(-1);
    const int known = std::min(ranking.size(), kCells);
    for (int k = 0; k < known; ++k) {
        const torvel::HandClass c = ranking.classAt(k);
        if (!validClass(c))
            continue;
        const int at = gridPositionOf(c);
        if (used[static_cast<std::size_t>(at)])
            continue;
        used[static_cast<std::size_t>(at)] = true;
        positions[static_cast<std::size_t>(k)] = at;
    }
    int nextFree = 0;
    for (int& at : positions) {
        if (at >= 0)
            continue;
        while (used[static_cast<std::size_t>(nextFree)])
            ++nextFree;
        at = nextFree;
        used[static_cast<std::size_t>(nextFree)] = true;
    }
    return positions;
}

QString handListText(const std::array<bool, kCells>& checkedByPosition) {
    auto checked = [&](int row, int column) { return checkedByPosition[static_cast<std::size_t>(row * kSide + column)]; };
    auto entry = [](int row, int column) { return cellName(row * kSide + column) + QStringLiteral("+, "); };
    QString text;

    int lastPair = -1;
    while (lastPair + 1 < kSide && checked(lastPair + 1, lastPair + 1))
        ++lastPair;
    if (lastPair >= 0)
        text += entry(lastPair, lastPair);

    for (int row = 0; row < kSide; ++row) {
        int last = row - 1;
        while (last + 1 < kSide && checked(row, last + 1))
            ++last;
        if (last > row)
            text += entry(row, last);
    }
    for (int column = 0; column < kSide; ++column) {
        int last = column - 1;
        while (last + 1 < kSide && checked(last + 1, column))
            ++last;
        if (last > column)
            text += entry(last, column);
    }
    return text;
}

QString handListText(const std::array<QPushButton*, kCells>& cellsByPosition) {
    std::array<bool, kCells> checked{};
    for (std::size_t i = 0; i < checked.size(); ++i)
        checked[i] = cellsByPosition[i] && cellsByPosition[i]->isChecked();
    return handListText(checked);
}

void buildCells(QWidget* dialog, QGridLayout* layout, const torvel::HandRanking& ranking,
                std::array<QPushButton*, kCells>& cellsByRank, std::array<QPushButton*, kCells>& cellsByPosition) {
    const std::array<int, kCells> positions = gridPositionsByRank(ranking);
    for (int k = 0; k < kCells; ++k) {
        const int at = positions[static_cast<std::size_t>(k)];
        auto* cell = new QPushButton(cellName(at), dialog);
        QPalette palette = dialog->palette();
        switch (cellKind(at)) {
        case CellKind::Pair:
            palette.setColor(QPalette::All, QPalette::Button, QColor(194, 243, 163));
            break;
        case CellKind::Suited:
            palette.setColor(QPalette::All, QPalette::Button, QColor(232, 155, 155));
            break;
        case CellKind::Offsuit:
            palette.setColor(QPalette::All, QPalette::Button, QColor(134, 211, 234));
            break;
        }
        // A checked cell is painted with the light colour.
        palette.setColor(QPalette::All, QPalette::Light, QColor(187, 122, 222));
        for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::BrightText, QPalette::Shadow})
            palette.setColor(QPalette::All, role, Qt::black);
        cell->setPalette(palette);
        cell->setCheckable(true);
        cell->setEnabled(false);
        cell->setMaximumWidth(kCellWidth);
        // Mode 1 hides cells; the others keep their places in the grid.
        QSizePolicy policy = cell->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        cell->setSizePolicy(policy);
        layout->addWidget(cell, at / kSide + 1, at % kSide + 1, 1, 1);
        cellsByRank[static_cast<std::size_t>(k)] = cell;
        cellsByPosition[static_cast<std::size_t>(at)] = cell;
    }
}

void buildPresets(QWidget* dialog, QGridLayout* layout, std::array<QPushButton*, kPresetCount>& presets) {
    for (int k = 0; k < kPresetCount; ++k) {
        auto* button = new QPushButton(QString::fromLatin1(kPresetLabels[static_cast<std::size_t>(k)]), dialog);
        button->setMaximumWidth(kCellWidth);
        button->setAutoDefault(false);
        layout->addWidget(button, 14, k + 1, 1, 1);
        presets[static_cast<std::size_t>(k)] = button;
    }
}

QLabel* makeRangeLabel(QWidget* dialog, QGridLayout* layout) {
    auto* label = new QLabel(dialog);
    // A long hand list wraps instead of stretching the grid.
    label->setWordWrap(true);
    layout->addWidget(label, 15, 0, 1, 13);
    return label;
}

QString bandShareText(int lower, int upper) {
    return QStringLiteral("Range: ") + QString::number(upper * 100.0 / kCells - lower * 100.0 / kCells, 'f', 2) +
           QStringLiteral(" %");
}

QLineEdit* makeBoundEdit(QWidget* dialog) {
    auto* edit = new QLineEdit(dialog);
    edit->setEnabled(false);
    // 40 pixels, or as much as "100.00" needs in a larger font.
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QSize text(edit->fontMetrics().horizontalAdvance(QStringLiteral("100.00")) + 6, edit->fontMetrics().height());
    const int needed = edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width();
    edit->setMaximumWidth(std::max(kCellWidth, needed));
    if (needed > kCellWidth)
        edit->setMinimumWidth(needed);
    return edit;
}

}  // namespace rangegrid
