#include "gui/dialogs/rangedialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

#include "engine/gamestate.h"
#include "engine/handranking.h"
#include "gui/desk/deskmodel.h"

namespace {

const torvel::HandRanking& rankingOf(const DeskModel* desk) {
    static const torvel::HandRanking none;
    return desk ? desk->handRanking() : none;
}

}  // namespace

RangeDialog::RangeDialog(DeskModel* desk, torvel::GameState* situation, int seatIndex, int mode, QWidget* parent)
    : QDialog(parent), desk_(desk), situation_(situation), seatIndex_(seatIndex),
      seat_(situation && torvel::GameState::validSeat(seatIndex) ? &situation->seats[static_cast<std::size_t>(seatIndex)]
                                                                 : nullptr),
      mode_(mode) {
    setWindowTitle(mode_ == 1 ? tr("Callingrange against a Push") : tr("Range Selection"));
    auto* layout = new QGridLayout;

    rangegrid::buildCells(this, layout, rankingOf(desk_), cellsByRank_, cellsByPosition_);

    int initialLower = 0;
    int initialUpper = 0;
    if (seat_) {
        currentLower_ = mode_ == 1 ? seat_->range2From : seat_->rangeFrom;
        upperLimit_ = seat_->rangeTo;
        lowerLimit_ = seat_->rangeFrom;
        initialLower = currentLower_;
        initialUpper = mode_ == 1 ? seat_->range2To : seat_->rangeTo;
        if (mode_ == 1) {
            // The slider rules of this mode_ push a bound back and forth
            // without end unless the calling range starts as a non-empty
            // band inside a non-empty own range.
            lowerLimit_ = std::clamp(lowerLimit_, 0, rangegrid::kCells - 1);
            upperLimit_ = std::clamp(upperLimit_, lowerLimit_ + 1, rangegrid::kCells);
            currentLower_ = initialLower = std::clamp(initialLower, lowerLimit_, upperLimit_ - 1);
            initialUpper = std::clamp(initialUpper, initialLower + 1, upperLimit_);
            for (int k = 0; k < rangegrid::kCells; ++k)
                cellsByRank_[static_cast<std::size_t>(k)]->setVisible(k >= lowerLimit_ && k < upperLimit_);
        }
    }

    rangegrid::buildPresets(this, layout, presetButtons_);
    rangegrid::connectPresets(this, presetButtons_);
    rangeLabel_ = rangegrid::makeRangeLabel(this, layout);

    minSlider_ = new QSlider(Qt::Horizontal, this);
    minSlider_->setMaximum(rangegrid::kCells);
    if (seat_)
        minSlider_->setValue(initialLower);
    layout->addWidget(minSlider_, 16, 0, 1, 13);
    minEdit_ = rangegrid::makeBoundEdit(this);
    layout->addWidget(minEdit_, 16, 13, 1, 1);
    maxEdit_ = rangegrid::makeBoundEdit(this);
    layout->addWidget(maxEdit_, 17, 13, 1, 1);

    maxSlider_ = new QSlider(Qt::Horizontal, this);
    connect(maxSlider_, &QSlider::valueChanged, this, &RangeDialog::onUpperChanged);
    maxSlider_->setMaximum(rangegrid::kCells);
    if (seat_)
        maxSlider_->setValue(initialUpper);
    layout->addWidget(maxSlider_, 17, 0, 1, 13);

    closeButton_ = new QPushButton(tr("Close"), this);
    closeButton_->setDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &RangeDialog::onCloseClicked);
    layout->addWidget(closeButton_, 18, 0, 1, 14);
    connect(minSlider_, &QSlider::valueChanged, this, &RangeDialog::onLowerChanged);
    setLayout(layout);

    onLowerChanged(currentLower_);
}

void RangeDialog::onCloseClicked() { close(); }


void RangeDialog::onUpperChanged(int upper) {
    if (mode_ == 1 && upper > upperLimit_) {
        maxSlider_->setValue(upperLimit_);
        upper = upperLimit_;
    }
    if (upper <= minSlider_->value()) {
        maxSlider_->setValue(minSlider_->value() + 1);
        return;
    }
    maxEdit_->setText(rangegrid::percentText(upper));
    for (int k = 0; k < rangegrid::kCells; ++k)
        cellsByRank_[static_cast<std::size_t>(k)]->setChecked(k >= currentLower_ && k < upper);
    writeBand(upper);

    if (currentLower_ > 0)
        rangeLabel_->setText(rangegrid::bandShareText(currentLower_, upper));
    else if (upper >= rangegrid::kCells)
        rangeLabel_->setText(tr("Any two"));
    else
        rangeLabel_->setText(rangegrid::handListText(cellsByPosition_));
}

void RangeDialog::onLowerChanged(int lower) {
    if (mode_ == 1 && lower < lowerLimit_) {
        minSlider_->setValue(lowerLimit_);
        lower = lowerLimit_;
    }
    if (lower >= maxSlider_->value()) {
        minSlider_->setValue(maxSlider_->value() - 1);
        return;
    }
    currentLower_ = lower;
    minEdit_->setText(rangegrid::percentText(lower));
    onUpperChanged(maxSlider_->value());
}

void RangeDialog::writeBand(int upper) {
    if (!seat_)
        return;
    if (mode_ != 1) {
        seat_->rangeFrom = currentLower_;
        seat_->rangeTo = upper;
    }
    // The calling range follows a new own range.
    seat_->range2From = currentLower_;
    seat_->range2To = upper;
    if (desk_)
        desk_->seatRangesEdited(situation_, seatIndex_);
}

void RangeDialog::applyPreset(int index) {
    maxSlider_->setValue(rangegrid::kPresetUpper[static_cast<std::size_t>(index)]);
}

