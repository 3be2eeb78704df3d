#pragma once
// A band of the hand ranking kept in two integers of the caller (the
// trainer's hero range, for one), edited with the grid, sliders and presets
// of the range dialog. Every change is written at once into the caller's
// integers and, as percentages, into its line edits.

#include <QDialog>

#include <array>

#include "gui/dialogs/crange.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class grabber;

class CRangeGen : public QDialog {
    Q_OBJECT

public:
    // lowerOutput and upperOutput may be null; without lowerVariable the
    // dialog edits only the upper bound and the lower one stays 0.
    CRangeGen(grabber* owner, QLineEdit* lowerOutput, QLineEdit* upperOutput, int* lowerVariable, int* upperVariable,
              QWidget* parent = nullptr);

    grabber* owner = nullptr;
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
    void slot_pbCancel();
    void slot_rangeChanged();
    void slot_valueChanged(int min, int max);
    void slot_valueChangedMin(int value);
    void slot_valueChangedMax(int value);
    void slot_r1();
    void slot_r2();
    void slot_r3();
    void slot_r4();
    void slot_r5();
    void slot_r6();
    void slot_r7();
    void slot_r8();
    void slot_r9();
    void slot_r10();
    void slot_r11();
    void slot_r12();
    void slot_r13();

private:
    void applyPreset(int index);
    // Stands in for a missing upper variable so that no write goes astray.
    int spareUpper_ = 0;
};
