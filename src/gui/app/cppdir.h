#pragma once
// The small dialog in which the user picks the PartyPoker directory, whose
// table picture gives the table its PartyPoker look.

#include <QDialog>

class QLineEdit;
class grabber;

class CPPDir : public QDialog {
    Q_OBJECT

public:
    explicit CPPDir(grabber* mainWindow);

    grabber* mainWindow = nullptr;
    QLineEdit* directoryEdit = nullptr;

public slots:
    void slot_pbCancel();
    void slot_pbPick();
};
