#pragma once
// What an opponent did before the hero: fold, call an amount or raise to an
// amount. Edits the seat at once; "Close" makes an all-in player the raiser.

#include <QDialog>

class DeskModel;
class QCheckBox;
class QGridLayout;
class QIntValidator;
class QLabel;
class QLineEdit;
class QPushButton;

namespace torvel {
class GameState;
struct SeatState;
}  // namespace torvel

class OpponentActionDialog : public QDialog {
    Q_OBJECT

public:
    // Edits seat seatIndex of situation (the one on the table or a listed
    // one); the table follows when it shows that situation. desk may be null.
    OpponentActionDialog(DeskModel* desk, torvel::GameState* situation, int seatIndex, QWidget* parent = nullptr);

    torvel::GameState* situation() const { return situation_; }
    QCheckBox* foldBox() const { return foldBox_; }
    QCheckBox* callBox() const { return callBox_; }
    QCheckBox* raiseBox() const { return raiseBox_; }
    QLabel* callLabel() const { return callLabel_; }
    QLabel* raiseLabel() const { return raiseLabel_; }
    QLineEdit* callEdit() const { return callEdit_; }
    QLineEdit* raiseEdit() const { return raiseEdit_; }
    QPushButton* closeButton() const { return closeButton_; }
    // The bounds of what the player can put in; a typed amount beyond them
    // is held to them.
    const QIntValidator* amountValidator() const { return amountValidator_; }

public slots:
    void onFoldToggled(int state);
    void onCallToggled(int state);
    void onRaiseToggled(int state);
    void onCloseClicked();
    void onCallAmountEdited();
    void onRaiseAmountEdited();

private:
    // Puts amount in front of the player; the rest of his chips stay behind.
    void putIn(QLineEdit* edit);
    // The table's seat widget keeps its own copy of stack and bet.
    void mirrorToTable();

    DeskModel* desk_ = nullptr;
    torvel::GameState* situation_ = nullptr;
    torvel::SeatState* seat_ = nullptr;
    int seatIndex_ = 0;
    QGridLayout* grid_ = nullptr;
    QCheckBox* callBox_ = nullptr;
    QLabel* callLabel_ = nullptr;
    QLineEdit* callEdit_ = nullptr;
    QCheckBox* raiseBox_ = nullptr;
    QLabel* raiseLabel_ = nullptr;
    QLineEdit* raiseEdit_ = nullptr;
    QCheckBox* foldBox_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QIntValidator* amountValidator_ = nullptr;
};
