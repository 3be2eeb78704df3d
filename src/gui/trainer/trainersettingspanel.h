#pragma once
// The trainer's settings below the table: which spots to deal (position,
// players, stacks, the hero's hand band, room and blind level). The six
// stack and range edits persist in the settings file.

#include <QGroupBox>

#include "engine/situationgenerator.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class MainWindow;

class TrainerSettingsPanel : public QGroupBox {
    Q_OBJECT

public:
    TrainerSettingsPanel(MainWindow* mainWindow, QWidget* parent);

    // The panel's choices for the dealer.
    torvel::TrainerSettings trainerSettings() const;

    MainWindow* mainWindow = nullptr;
    QComboBox* positionCombo = nullptr;
    QComboBox* playersCombo = nullptr;
    QLineEdit* myStackMinEdit = nullptr;
    QLineEdit* myStackMaxEdit = nullptr;
    QLineEdit* myRangeMinEdit = nullptr;
    QLineEdit* myRangeMaxEdit = nullptr;
    QPushButton* pickButton = nullptr;
    int bandLower = 0;
    int bandUpper = 68;
    QLineEdit* opponentStackMinEdit = nullptr;
    QLineEdit* opponentStackMaxEdit = nullptr;
    QComboBox* roomCombo = nullptr;
    QComboBox* levelCombo = nullptr;

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
    void store(const char* key, const QLineEdit* edit);
};
