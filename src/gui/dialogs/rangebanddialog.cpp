#include "gui/dialogs/rangebanddialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

#include "engine/handranking.h"

RangeBandDialog::RangeBandDialog(const torvel::HandRanking* ranking, QLineEdit* lowerOutput, QLineEdit* upperOutput,
                                 int* lowerVariable, int* upperVariable, QWidget* parent)
    : QDialog(parent), lowerOutputEdit_(lowerOutput), upperOutputEdit_(upperOutput), lowerVariable_(lowerVariable),
      upperVariable_(upperVariable ? upperVariable : &spareUpper_) {
    setWindowTitle(tr("Range Selection"));
    auto* layout = new QGridLayout;

    static const torvel::HandRanking noRanking;
    rangegrid::buildCells(this, layout, ranking ? *ranking : noRanking, cellsByRank_, cellsByPosition_);

    rangegrid::buildPresets(this, layout, presetButtons_);
    rangegrid::connectPresets(this, presetButtons_);
    rangeLabel_ = rangegrid::makeRangeLabel(this, layout);
    minSlider_ = new QSlider(Qt::Horizontal, this);
    minSlider_->setMaximum(rangegrid::kCells);
    layout->addWidget(minSlider_, 16, 0, 1, 13);
    minEdit_ = rangegrid::makeBoundEdit(this);
    layout->addWidget(minEdit_, 16, 13, 1, 1);
    maxSlider_ = new QSlider(Qt::Horizontal, this);
    maxSlider_->setMaximum(rangegrid::kCells);
    layout->addWidget(maxSlider_, 17, 0, 1, 13);
    maxEdit_ = rangegrid::makeBoundEdit(this);
    layout->addWidget(maxEdit_, 17, 13, 1, 1);

    closeButton_ = new QPushButton(tr("Close"), this);
    closeButton_->setDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &RangeBandDialog::onCloseClicked);
    layout->addWidget(closeButton_, 18, 0, 1, 14);
    setLayout(layout);

    // Values from a settings file may be anything; the sliders can only hold
    // a band inside the ranking, so the caller gets one back.
    const int lower = lowerVariable_ ? std::clamp(*lowerVariable_, 0, rangegrid::kCells - 1) : 0;
    const int upper = std::clamp(*upperVariable_, lower + 1, rangegrid::kCells);
    if (!lowerVariable_) {
        minSlider_->hide();
        minEdit_->hide();
    }
    setBand(lower, upper);
    minSlider_->setValue(lower);
    maxSlider_->setValue(upper);

    connect(minSlider_, &QSlider::valueChanged, this, &RangeBandDialog::onLowerChanged);
    connect(maxSlider_, &QSlider::valueChanged, this, &RangeBandDialog::onUpperChanged);
}

void RangeBandDialog::onCloseClicked() { close(); }


void RangeBandDialog::setBand(int min, int max) {
    for (int k = 0; k < rangegrid::kCells; ++k)
        cellsByRank_[static_cast<std::size_t>(k)]->setChecked(k >= min && k < max);
    if (lowerVariable_) {
        const QString text = rangegrid::percentText(min);
        minEdit_->setText(text);
        if (lowerOutputEdit_)
            lowerOutputEdit_->setText(text);
        *lowerVariable_ = min;
    }
    const QString text = rangegrid::percentText(max);
    maxEdit_->setText(text);
    if (upperOutputEdit_)
        upperOutputEdit_->setText(text);
    *upperVariable_ = max;

    // A band from the top is named by its hands, also when the caller shows
    // the lower bound itself; an old percentage would describe another band.
    if (lowerVariable_ && *lowerVariable_ >= 1)
        rangeLabel_->setText(rangegrid::bandShareText(min, max));
    else
        rangeLabel_->setText(rangegrid::handListText(cellsByPosition_));
}

void RangeBandDialog::onLowerChanged(int value) {
    if (value >= maxSlider_->value()) {
        minSlider_->setValue(maxSlider_->value() - 1);
        return;
    }
    setBand(value, maxSlider_->value());
}

void RangeBandDialog::onUpperChanged(int value) {
    if (value <= minSlider_->value()) {
        maxSlider_->setValue(minSlider_->value() + 1);
        return;
    }
    setBand(minSlider_->value(), value);
}

void RangeBandDialog::applyPreset(int index) {
    maxSlider_->setValue(rangegrid::kPresetUpper[static_cast<std::size_t>(index)]);
}

