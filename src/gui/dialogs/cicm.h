#pragma once
// "ICM Calculator": up to ten chip counts and a payout structure, given as
// percentages or as amounts of a prize pool, turned into each player's ICM
// equity and its money value. Players and places share a row index only.

#include <QDialog>

#include <array>

#include "engine/icmmodel.h"

class QLabel;
class QLineEdit;
class QPushButton;

class CIcm : public QDialog {
    Q_OBJECT

public:
    explicit CIcm(QWidget* parent = nullptr);

    static constexpr int kRows = 10;

    std::array<QLineEdit*, kRows> chipsFields{};
    std::array<QLineEdit*, kRows> amountFields{};
    std::array<QLineEdit*, kRows> percentFields{};
    std::array<QLabel*, kRows> icmLabels{};
    std::array<QLabel*, kRows> valueLabels{};
    // Checked: that place is not paid.
    std::array<QPushButton*, kRows> reduceButtons{};
    QLineEdit* prizePoolField = nullptr;
    QLabel* percentTotalLabel = nullptr;
    QLabel* amountTotalLabel = nullptr;
    // In the order of CITM::presets().
    std::array<QPushButton*, 6> presetButtons{};
    QPushButton* closeButton = nullptr;
    QPushButton* computeButton = nullptr;
    QPushButton* clearButton = nullptr;
    torvel::IcmModel model;

public slots:
    void slot_pbCancel();
    void slot_poolChanged();
    void slot_poolPChanged();
    void slot_pbClear();
    void slot_pb1T();
    void slot_pb2T();
    void slot_pb22T();
    void slot_pb3T();
    void slot_pb5T();
    void slot_pb6T();
    void slot_pbReduce0();
    void slot_pbReduce1();
    void slot_pbReduce2();
    void slot_pbReduce3();
    void slot_pbReduce4();
    void slot_pbReduce5();
    void slot_pbReduce6();
    void slot_pbReduce7();
    void slot_pbReduce8();
    void slot_pbReduce9();
    void slot_pbCompute();

private:
    void applyPreset(int preset);
    void reduce(int place);
    bool paid(int place) const;
    void showTotals(double percentSum, double amountSum);
};
