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

    const std::array<QLineEdit*, kRows>& chipsFields() const { return chipsFields_; }
    const std::array<QLineEdit*, kRows>& amountFields() const { return amountFields_; }
    const std::array<QLineEdit*, kRows>& percentFields() const { return percentFields_; }
    const std::array<QLabel*, kRows>& icmLabels() const { return icmLabels_; }
    const std::array<QLabel*, kRows>& valueLabels() const { return valueLabels_; }
    const std::array<QPushButton*, kRows>& reduceButtons() const { return reduceButtons_; }
    QLineEdit* prizePoolField() const { return prizePoolField_; }
    QLabel* percentTotalLabel() const { return percentTotalLabel_; }
    QLabel* amountTotalLabel() const { return amountTotalLabel_; }
    const std::array<QPushButton*, 6>& presetButtons() const { return presetButtons_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* computeButton() const { return computeButton_; }
    QPushButton* clearButton() const { return clearButton_; }
    torvel::IcmModel model() const { return model_; }
    // Checked: that place is not paid.
    // In the order of PayoutPanel::presets().

public slots:
    void onCloseClicked();
    void onChipsOrAmountEdited();
    void onPercentOrPoolEdited();
    void onClearClicked();
    void onComputeClicked();

private:
    std::array<QLineEdit*, kRows> chipsFields_{};
    std::array<QLineEdit*, kRows> amountFields_{};
    std::array<QLineEdit*, kRows> percentFields_{};
    std::array<QLabel*, kRows> icmLabels_{};
    std::array<QLabel*, kRows> valueLabels_{};
    std::array<QPushButton*, kRows> reduceButtons_{};
    QLineEdit* prizePoolField_ = nullptr;
    QLabel* percentTotalLabel_ = nullptr;
    QLabel* amountTotalLabel_ = nullptr;
    std::array<QPushButton*, 6> presetButtons_{};
    QPushButton* closeButton_ = nullptr;
    QPushButton* computeButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    torvel::IcmModel model_;
    void applyPreset(int preset);
    void reduce(int place);
    bool paid(int place) const;
    // Derives each paid place's percent from its amount or the other way
    // round, then shows both totals.
    enum class Given { Amounts, Percents };
    void fillPaidPlaces(Given given, double pool);
};
