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

class IcmCalculatorDialog : public QDialog {
    Q_OBJECT

public:
    explicit IcmCalculatorDialog(QWidget* parent = nullptr);

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
    // In the order of PayoutPanel::presets().
    std::array<QPushButton*, 6> presetButtons{};
    QPushButton* closeButton = nullptr;
    QPushButton* computeButton = nullptr;
    QPushButton* clearButton = nullptr;
    torvel::IcmModel model;

public slots:
    void onCloseClicked();
    void onChipsOrAmountEdited();
    void onPercentOrPoolEdited();
    void onClearClicked();
    void onComputeClicked();

private:
    void applyPreset(int preset);
    void reduce(int place);
    bool paid(int place) const;
    void showTotals(double percentSum, double amountSum);
};
