#pragma once
// The trainer's settings below the table: which spots to deal (position,
// players, stacks, the hero's hand band, room and blind level). The six
// stack and range edits persist in the settings file.

#include <QGroupBox>

#include "engine/situationgenerator.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class grabber;

class CSetting : public QGroupBox {
    Q_OBJECT

public:
    CSetting(grabber* mainWindow, QWidget* parent);

    // The panel's choices for the dealer.
    torvel::TrainerSettings trainerSettings() const;

    grabber* mainWindow = nullptr;
    QComboBox* positionCombo = nullptr;
    QComboBox* playersCombo = nullptr;
    QLineEdit* msMin = nullptr;
    QLineEdit* msMax = nullptr;
    QLineEdit* mrMin = nullptr;
    QLineEdit* mrMax = nullptr;
    QPushButton* pickButton = nullptr;
    int bandLower = 0;
    int bandUpper = 68;
    QLineEdit* osMin = nullptr;
    QLineEdit* osMax = nullptr;
    QComboBox* roomCombo = nullptr;
    QComboBox* levelCombo = nullptr;

public slots:
    void slot_msMin();
    void slot_msMax();
    void slot_mrMin();
    void slot_mrMax();
    void slot_cbRoom(int room);
    void slot_osMin();
    void slot_osMax();
    void slot_mrPick();

private:
    void store(const char* key, const QLineEdit* edit);
};
