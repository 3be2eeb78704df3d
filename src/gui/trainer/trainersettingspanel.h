#pragma once
// The trainer's settings below the table: which spots to deal (position,
// players, stacks, the hero's hand band, room and blind level). The six
// stack and range edits persist in the settings file.

#include <QGroupBox>

#include <array>

#include "engine/situationgenerator.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class DeskModel;

class TrainerSettingsPanel : public QGroupBox {
    Q_OBJECT

public:
    TrainerSettingsPanel(const DeskModel& desk, QWidget* parent);

    // The panel's choices for the dealer.
    torvel::TrainerSettings trainerSettings() const;

    QComboBox* positionCombo() const { return positionCombo_; }
    QComboBox* playersCombo() const { return playersCombo_; }
    QLineEdit* myStackMinEdit() const { return myStackMinEdit_; }
    QLineEdit* myStackMaxEdit() const { return myStackMaxEdit_; }
    QLineEdit* myRangeMinEdit() const { return myRangeMinEdit_; }
    QLineEdit* myRangeMaxEdit() const { return myRangeMaxEdit_; }
    QPushButton* pickButton() const { return pickButton_; }
    int bandLower() const { return bandLower_; }
    int bandUpper() const { return bandUpper_; }
    QLineEdit* opponentStackMinEdit() const { return opponentStackMinEdit_; }
    QLineEdit* opponentStackMaxEdit() const { return opponentStackMaxEdit_; }
    QComboBox* roomCombo() const { return roomCombo_; }
    QComboBox* levelCombo() const { return levelCombo_; }

public slots:
    void onMyStackMinEdited();
    void onMyStackMaxEdited();
    void onMyRangeMinEdited();
    void onMyRangeMaxEdited();
    void onRoomChosen(int room);
    void onOpponentStackMinEdited();
    void onOpponentStackMaxEdited();
    void onPickRangeClicked();

private:
    const DeskModel& desk_;
    QComboBox* positionCombo_ = nullptr;
    QComboBox* playersCombo_ = nullptr;
    QLineEdit* myStackMinEdit_ = nullptr;
    QLineEdit* myStackMaxEdit_ = nullptr;
    QLineEdit* myRangeMinEdit_ = nullptr;
    QLineEdit* myRangeMaxEdit_ = nullptr;
    QPushButton* pickButton_ = nullptr;
    int bandLower_ = 0;
    int bandUpper_ = 68;
    QLineEdit* opponentStackMinEdit_ = nullptr;
    QLineEdit* opponentStackMaxEdit_ = nullptr;
    QComboBox* roomCombo_ = nullptr;
    QComboBox* levelCombo_ = nullptr;
    // One of the six stored fields: its settings key, its bounds and the
    // value in use.
    struct StoredField {
        QLineEdit* edit = nullptr;
        const char* key = "";
        int low = 0;
        int high = 0;
        int value = 0;
    };
    std::array<StoredField, 6> fields_{};
    bool acceptable(std::size_t index, int value) const;
    // Takes the field's text as its value, or puts the value back.
    void commit(std::size_t index);
    bool eventFilter(QObject* watched, QEvent* event) override;
};
