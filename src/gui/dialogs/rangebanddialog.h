#pragma once
// A band of the hand ranking kept in two integers of the caller (the
// trainer's hero range, for one), edited with the grid, sliders and presets
// of the range dialog. Every change is written at once into the caller's
// integers and, as percentages, into its line edits.

#include <QDialog>

#include <array>

#include "gui/dialogs/rangegrid.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
namespace torvel {
class HandRanking;
}

class RangeBandDialog : public QDialog {
    Q_OBJECT

public:
    // lowerOutput and upperOutput may be null; without lowerVariable the
    // dialog edits only the upper bound and the lower one stays 0.
    RangeBandDialog(const torvel::HandRanking* ranking, QLineEdit* lowerOutput, QLineEdit* upperOutput,
                    int* lowerVariable, int* upperVariable, QWidget* parent = nullptr);

    QLineEdit* lowerOutputEdit() const { return lowerOutputEdit_; }
    QLineEdit* upperOutputEdit() const { return upperOutputEdit_; }
    int* lowerVariable() const { return lowerVariable_; }
    int* upperVariable() const { return upperVariable_; }
    QPushButton* closeButton() const { return closeButton_; }
    const std::array<QPushButton*, rangegrid::kCells>& cellsByRank() const { return cellsByRank_; }
    QSlider* minSlider() const { return minSlider_; }
    QSlider* maxSlider() const { return maxSlider_; }
    QLineEdit* minEdit() const { return minEdit_; }
    QLineEdit* maxEdit() const { return maxEdit_; }
    const std::array<QPushButton*, rangegrid::kPresetCount>& presetButtons() const { return presetButtons_; }
    QLabel* rangeLabel() const { return rangeLabel_; }
    const std::array<QPushButton*, rangegrid::kCells>& cellsByPosition() const { return cellsByPosition_; }

public slots:
    // Selects preset index (0 = "3%" .. 12 = "100%").
    void applyPreset(int index);
    void onCloseClicked();
    void setBand(int min, int max);
    void onLowerChanged(int value);
    void onUpperChanged(int value);

private:
    QLineEdit* lowerOutputEdit_ = nullptr;
    QLineEdit* upperOutputEdit_ = nullptr;
    int* lowerVariable_ = nullptr;
    int* upperVariable_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    std::array<QPushButton*, rangegrid::kCells> cellsByRank_{};
    QSlider* minSlider_ = nullptr;
    QSlider* maxSlider_ = nullptr;
    QLineEdit* minEdit_ = nullptr;
    QLineEdit* maxEdit_ = nullptr;
    std::array<QPushButton*, rangegrid::kPresetCount> presetButtons_{};
    QLabel* rangeLabel_ = nullptr;
    std::array<QPushButton*, rangegrid::kCells> cellsByPosition_{};
    // Stands in for a missing upper variable so that no write goes astray.
    int spareUpper_ = 0;
};
