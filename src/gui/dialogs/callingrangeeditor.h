#pragma once
// "Default opponent callingranges": edits and saves the three calling-range
// profiles. Cells the table does not show (a caller before the pusher, or
// early positions) are kept in hidden edits and saved unchanged.

#include <QDialog>

#include <array>
#include <string>

class MainWindow;
class QComboBox;
class QDoubleValidator;
class QLineEdit;

class CallingRangeEditor : public QDialog {
    Q_OBJECT

public:
    CallingRangeEditor(MainWindow* owner, QWidget* parent);

    // Whether cell (row = pusher, column = caller) has a visible edit.
    static bool cellShown(int row, int column);

    // Entry row * 10 + column.
    std::array<QLineEdit*, 100> callRangeEdits{};
    std::array<QLineEdit*, 100> bubbleEdits{};
    // The values as read from the files, before they are shown.
    std::array<float, 100> loadedCallRanges{};
    std::array<float, 10> loadedPotOdds{};
    std::array<float, 100> loadedBubbleRanges{};
    QComboBox* profileCombo = nullptr;
    // Pot-odds value 1 belongs to "1:2", value 0 to "1:1.5".
    QLineEdit* potOddsTwoEdit = nullptr;
    QLineEdit* potOddsOneAndHalfEdit = nullptr;
    QDoubleValidator* validator = nullptr;

public slots:
    void onCloseClicked();
    void onSaveClicked();
    void onProfileChosen(int profile);

private:
    std::string directory() const;

    MainWindow* owner_ = nullptr;
};
