#pragma once
// "Default opponent callingranges": edits and saves the three calling-range
// profiles. Cells the table does not show (a caller before the pusher, or
// early positions) are kept in hidden edits and saved unchanged.

#include <QDialog>

#include <array>
#include <string>

namespace torvel {
class GameStateOwner;
}
class QComboBox;
class QDoubleValidator;
class QLineEdit;

class CallingRangeEditor : public QDialog {
    Q_OBJECT

public:
    // owner gives the profile directory; null: "data".
    CallingRangeEditor(const torvel::GameStateOwner* owner, QWidget* parent);

    // Whether cell (row = pusher, column = caller) has a visible edit.
    static bool cellShown(int row, int column);

    // Entry row * 10 + column.
    const std::array<QLineEdit*, 100>& callRangeEdits() const { return callRangeEdits_; }
    const std::array<QLineEdit*, 100>& bubbleEdits() const { return bubbleEdits_; }
    const std::array<float, 100>& loadedCallRanges() const { return loadedCallRanges_; }
    const std::array<float, 10>& loadedPotOdds() const { return loadedPotOdds_; }
    const std::array<float, 100>& loadedBubbleRanges() const { return loadedBubbleRanges_; }
    QComboBox* profileCombo() const { return profileCombo_; }
    QLineEdit* potOddsTwoEdit() const { return potOddsTwoEdit_; }
    QLineEdit* potOddsOneAndHalfEdit() const { return potOddsOneAndHalfEdit_; }
    QDoubleValidator* validator() const { return validator_; }
    // The values as read from the files, before they are shown.
    // Pot-odds value 1 belongs to "1:2", value 0 to "1:1.5".

public slots:
    void onCloseClicked();
    void onSaveClicked();
    void onProfileChosen(int profile);

private:
    // Marks every shown field that is empty or outside 0..100 and clears
    // the mark of the others; true when none is marked.
    bool markInvalidEdits();

    std::array<QLineEdit*, 100> callRangeEdits_{};
    std::array<QLineEdit*, 100> bubbleEdits_{};
    std::array<float, 100> loadedCallRanges_{};
    std::array<float, 10> loadedPotOdds_{};
    std::array<float, 100> loadedBubbleRanges_{};
    QComboBox* profileCombo_ = nullptr;
    QLineEdit* potOddsTwoEdit_ = nullptr;
    QLineEdit* potOddsOneAndHalfEdit_ = nullptr;
    QDoubleValidator* validator_ = nullptr;
    std::string directory() const;

    const torvel::GameStateOwner* owner_ = nullptr;
};
