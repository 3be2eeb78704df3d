#include "gui/dialogs/rangedialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

#include "gui/app/mainwindow.h"
#include "engine/cards.h"
#include "engine/gamestate.h"
#include "engine/handranking.h"
#include "gui/table/seatwidget.h"

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

namespace {

const torvel::HandRanking& rankingOf(const MainWindow* owner) {
    static const torvel::HandRanking none;
    return owner ? owner->handRanking() : none;
}

}  // namespace

RangeDialog::RangeDialog(MainWindow* owner_, SeatWidget* seatWidget_, int mode_, QWidget* parent)
    : QDialog(parent), owner(owner_), seatWidget(seatWidget_), mode(mode_) {
    setWindowTitle(mode == 1 ? tr("Callingrange against a Push") : tr("Range Selection"));
    auto* layout = new QGridLayout;

    rangegrid::buildCells(this, layout, rankingOf(owner), cellsByRank, cellsByPosition);

    int initialLower = 0;
    int initialUpper = 0;
    if (seatWidget) {
        currentLower = mode == 1 ? seatWidget->range2From : seatWidget->rangeFrom;
        upperLimit = seatWidget->rangeTo;
        lowerLimit = seatWidget->rangeFrom;
        initialLower = currentLower;
        initialUpper = mode == 1 ? seatWidget->range2To : seatWidget->rangeTo;
        if (mode == 1) {
            // The slider rules of this mode push a bound back and forth
            // without end unless the calling range starts as a non-empty
            // band inside a non-empty own range.
            lowerLimit = std::clamp(lowerLimit, 0, rangegrid::kCells - 1);
            upperLimit = std::clamp(upperLimit, lowerLimit + 1, rangegrid::kCells);
            currentLower = initialLower = std::clamp(initialLower, lowerLimit, upperLimit - 1);
            initialUpper = std::clamp(initialUpper, initialLower + 1, upperLimit);
            for (int k = 0; k < rangegrid::kCells; ++k)
                cellsByRank[static_cast<std::size_t>(k)]->setVisible(k >= lowerLimit && k < upperLimit);
        }
    }

    rangegrid::buildPresets(this, layout, presetButtons);
    rangegrid::connectPresets(this, presetButtons);
    rangeLabel = rangegrid::makeRangeLabel(this, layout);

    minSlider = new QSlider(Qt::Horizontal, this);
    minSlider->setMaximum(rangegrid::kCells);
    if (seatWidget)
        minSlider->setValue(initialLower);
    layout->addWidget(minSlider, 16, 0, 1, 13);
    minEdit = rangegrid::makeBoundEdit(this);
    layout->addWidget(minEdit, 16, 13, 1, 1);
    maxEdit = rangegrid::makeBoundEdit(this);
    layout->addWidget(maxEdit, 17, 13, 1, 1);

    maxSlider = new QSlider(Qt::Horizontal, this);
    connect(maxSlider, &QSlider::valueChanged, this, &RangeDialog::onUpperChanged);
    maxSlider->setMaximum(rangegrid::kCells);
    if (seatWidget)
        maxSlider->setValue(initialUpper);
    layout->addWidget(maxSlider, 17, 0, 1, 13);

    closeButton = new QPushButton(tr("Close"), this);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &RangeDialog::onCloseClicked);
    layout->addWidget(closeButton, 18, 0, 1, 14);
    connect(minSlider, &QSlider::valueChanged, this, &RangeDialog::onLowerChanged);
    setLayout(layout);

    onLowerChanged(currentLower);
}

void RangeDialog::onCloseClicked() { close(); }


void RangeDialog::onUpperChanged(int upper) {
    if (mode == 1 && upper > upperLimit) {
        maxSlider->setValue(upperLimit);
        upper = upperLimit;
    }
    if (upper <= minSlider->value()) {
        maxSlider->setValue(minSlider->value() + 1);
        return;
    }
    maxEdit->setText(rangegrid::percentText(upper));
    for (int k = 0; k < rangegrid::kCells; ++k)
        cellsByRank[static_cast<std::size_t>(k)]->setChecked(k >= currentLower && k < upper);
    writeBand(upper);

    if (currentLower > 0)
        rangeLabel->setText(rangegrid::bandShareText(currentLower, upper));
    else if (upper >= rangegrid::kCells)
        rangeLabel->setText(tr("Any two"));
    else
        rangeLabel->setText(rangegrid::handListText(cellsByPosition));
}

void RangeDialog::onLowerChanged(int lower) {
    if (mode == 1 && lower < lowerLimit) {
        minSlider->setValue(lowerLimit);
        lower = lowerLimit;
    }
    if (lower >= maxSlider->value()) {
        minSlider->setValue(maxSlider->value() - 1);
        return;
    }
    currentLower = lower;
    minEdit->setText(rangegrid::percentText(lower));
    onUpperChanged(maxSlider->value());
}

void RangeDialog::writeBand(int upper) {
    if (!seatWidget)
        return;
    torvel::SeatState* seat = nullptr;
    if (owner && owner->current && torvel::GameState::validSeat(seatWidget->seat))
        seat = &owner->current->seats[static_cast<std::size_t>(seatWidget->seat)];
    if (mode != 1) {
        seatWidget->rangeFrom = currentLower;
        seatWidget->rangeTo = upper;
        if (seat) {
            seat->rangeFrom = currentLower;
            seat->rangeTo = upper;
        }
    }
    // The calling range follows a new own range.
    seatWidget->range2From = currentLower;
    seatWidget->range2To = upper;
    if (seat) {
        seat->range2From = currentLower;
        seat->range2To = upper;
    }
}

void RangeDialog::applyPreset(int index) {
    maxSlider->setValue(rangegrid::kPresetUpper[static_cast<std::size_t>(index)]);
}

