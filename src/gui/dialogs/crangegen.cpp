#include "gui/dialogs/crangegen.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

#include "gui/app/grabber.h"
#include "engine/handranking.h"

CRangeGen::CRangeGen(grabber* owner_, QLineEdit* lowerOutput, QLineEdit* upperOutput, int* lowerVariable_,
                     int* upperVariable_, QWidget* parent)
    : QDialog(parent), owner(owner_), lowerOutputEdit(lowerOutput), upperOutputEdit(upperOutput),
      lowerVariable(lowerVariable_), upperVariable(upperVariable_ ? upperVariable_ : &spareUpper_) {
    setWindowTitle(tr("Range Selection"));
    auto* layout = new QGridLayout;

    static const torvel::HandRanking noRanking;
    rangegrid::buildCells(this, layout, owner ? owner->handRanking() : noRanking, cellsByRank, cellsByPosition);
    for (QPushButton* cell : cellsByRank)
        connect(cell, &QPushButton::clicked, this, &CRangeGen::slot_rangeChanged);

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
    connect(closeButton, &QPushButton::clicked, this, &CRangeGen::slot_pbCancel);
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
    slot_valueChanged(lower, upper);
    minSlider->setValue(lower);
    maxSlider->setValue(upper);

    connect(minSlider, &QSlider::valueChanged, this, &CRangeGen::slot_valueChangedMin);
    connect(maxSlider, &QSlider::valueChanged, this, &CRangeGen::slot_valueChangedMax);
}

void CRangeGen::slot_pbCancel() { close(); }

// A single cell cannot be toggled: the range is always a band.
void CRangeGen::slot_rangeChanged() {}

void CRangeGen::slot_valueChanged(int min, int max) {
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

void CRangeGen::slot_valueChangedMin(int value) {
    if (value >= maxSlider->value()) {
        minSlider->setValue(maxSlider->value() - 1);
        return;
    }
    slot_valueChanged(value, maxSlider->value());
}

void CRangeGen::slot_valueChangedMax(int value) {
    if (value <= minSlider->value()) {
        maxSlider->setValue(minSlider->value() + 1);
        return;
    }
    slot_valueChanged(minSlider->value(), value);
}

void CRangeGen::applyPreset(int index) {
    maxSlider->setValue(rangegrid::kPresetUpper[static_cast<std::size_t>(index)]);
}

void CRangeGen::slot_r1() { applyPreset(0); }
void CRangeGen::slot_r2() { applyPreset(1); }
void CRangeGen::slot_r3() { applyPreset(2); }
void CRangeGen::slot_r4() { applyPreset(3); }
void CRangeGen::slot_r5() { applyPreset(4); }
void CRangeGen::slot_r6() { applyPreset(5); }
void CRangeGen::slot_r7() { applyPreset(6); }
void CRangeGen::slot_r8() { applyPreset(7); }
void CRangeGen::slot_r9() { applyPreset(8); }
void CRangeGen::slot_r10() { applyPreset(9); }
void CRangeGen::slot_r11() { applyPreset(10); }
void CRangeGen::slot_r12() { applyPreset(11); }
void CRangeGen::slot_r13() { applyPreset(12); }
