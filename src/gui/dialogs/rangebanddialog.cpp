#include "gui/dialogs/rangebanddialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

#include "gui/app/mainwindow.h"
#include "engine/handranking.h"

RangeBandDialog::RangeBandDialog(MainWindow* owner_, QLineEdit* lowerOutput, QLineEdit* upperOutput, int* lowerVariable_,
                     int* upperVariable_, QWidget* parent)
    : QDialog(parent), owner(owner_), lowerOutputEdit(lowerOutput), upperOutputEdit(upperOutput),
      lowerVariable(lowerVariable_), upperVariable(upperVariable_ ? upperVariable_ : &spareUpper_) {
    setWindowTitle(tr("Range Selection"));
    auto* layout = new QGridLayout;

    static const torvel::HandRanking noRanking;
    rangegrid::buildCells(this, layout, owner ? owner->handRanking() : noRanking, cellsByRank, cellsByPosition);

    rangegrid::buildPresets(this, layout, presetButtons);
    rangegrid::connectPresets(this, presetButtons);
    rangeLabel = rangegrid::makeRangeLabel(this, layout);
    minSlider = new QSlider(Qt::Horizontal, this);
    minSlider->setMaximum(rangegrid::kCells);
    layout->addWidget(minSlider, 16, 0, 1, 13);
    minEdit = rangegrid::makeBoundEdit(this);
    layout->addWidget(minEdit, 16, 13, 1, 1);
    maxSlider = new QSlider(Qt::Horizontal, this);
    maxSlider->setMaximum(rangegrid::kCells);
    layout->addWidget(maxSlider, 17, 0, 1, 13);
    maxEdit = rangegrid::makeBoundEdit(this);
    layout->addWidget(maxEdit, 17, 13, 1, 1);

    closeButton = new QPushButton(tr("Close"), this);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &RangeBandDialog::onCloseClicked);
    layout->addWidget(closeButton, 18, 0, 1, 14);
    setLayout(layout);

    // Values from a settings file may be anything; the sliders can only hold
    // a band inside the ranking, so the caller gets one back.
    const int lower = lowerVariable ? std::clamp(*lowerVariable, 0, rangegrid::kCells - 1) : 0;
    const int upper = std::clamp(*upperVariable, lower + 1, rangegrid::kCells);
    if (!lowerVariable) {
        minSlider->hide();
        minEdit->hide();
    }
    setBand(lower, upper);
    minSlider->setValue(lower);
    maxSlider->setValue(upper);

    connect(minSlider, &QSlider::valueChanged, this, &RangeBandDialog::onLowerChanged);
    connect(maxSlider, &QSlider::valueChanged, this, &RangeBandDialog::onUpperChanged);
}

void RangeBandDialog::onCloseClicked() { close(); }


void RangeBandDialog::setBand(int min, int max) {
    for (int k = 0; k < rangegrid::kCells; ++k)
        cellsByRank[static_cast<std::size_t>(k)]->setChecked(k >= min && k < max);
    if (lowerVariable) {
        const QString text = rangegrid::percentText(min);
        minEdit->setText(text);
        if (lowerOutputEdit)
            lowerOutputEdit->setText(text);
        *lowerVariable = min;
    }
    const QString text = rangegrid::percentText(max);
    maxEdit->setText(text);
    if (upperOutputEdit)
        upperOutputEdit->setText(text);
    *upperVariable = max;

    // A band from the top is named by its hands, also when the caller shows
    // the lower bound itself; an old percentage would describe another band.
    if (lowerVariable && *lowerVariable >= 1)
        rangeLabel->setText(rangegrid::bandShareText(min, max));
    else
        rangeLabel->setText(rangegrid::handListText(cellsByPosition));
}

void RangeBandDialog::onLowerChanged(int value) {
    if (value >= maxSlider->value()) {
        minSlider->setValue(maxSlider->value() - 1);
        return;
    }
    setBand(value, maxSlider->value());
}

void RangeBandDialog::onUpperChanged(int value) {
    if (value <= minSlider->value()) {
        maxSlider->setValue(minSlider->value() + 1);
        return;
    }
    setBand(minSlider->value(), value);
}

void RangeBandDialog::applyPreset(int index) {
    maxSlider->setValue(rangegrid::kPresetUpper[static_cast<std::size_t>(index)]);
}

