#pragma once
// A band of the hand ranking kept in two integers of the caller (the
// trainer's hero range, for one), edited with the grid, sliders and presets
// of the range dialog. Every change is written at once into the caller's
// integers and, as percentages, into its line edits.

#include <QDialog>

#include <array>

#include "gui/dialogs/rangedialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class MainWindow;

class RangeBandDialog : public QDialog {
    Q_OBJECT

public:
    // lowerOutput and upperOutput may be null; without lowerVariable the
    // dialog edits only the upper bound and the lower one stays 0.
    RangeBandDialog(MainWindow* owner, QLineEdit* lowerOutput, QLineEdit* upperOutput, int* lowerVariable, int* upperVariable,
              QWidget* parent = nullptr);

    MainWindow* owner = nullptr;
    QLineEdit* lowerOutputEdit = nullptr;
    QLineEdit* upperOutputEdit = nullptr;
    int* lowerVariable = nullptr;
    int* upperVariable = nullptr;
    QPushButton* closeButton = nullptr;
    std::array<QPushButton*, rangegrid::kCells> cellsByRank{};
    QSlider* minSlider = nullptr;
    QSlider* maxSlider = nullptr;
    QLineEdit* minEdit = nullptr;
    QLineEdit* maxEdit = nullptr;
    std::array<QPushButton*, rangegrid::kPresetCount> presetButtons{};
    QLabel* rangeLabel = nullptr;
    std::array<QPushButton*, rangegrid::kCells> cellsByPosition{};

public slots:
    // Selects preset index (0 = "3%" .. 12 = "100%").
    void applyPreset(int index);
    void onCloseClicked();
    void setBand(int min, int max);
    void onLowerChanged(int value);
    void onUpperChanged(int value);

private:
    // Stands in for a missing upper variable so that no write goes astray.
    int spareUpper_ = 0;
};
