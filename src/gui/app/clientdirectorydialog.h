#pragma once
// The small dialog in which the user picks the PartyPoker directory, whose
// table picture gives the table its PartyPoker look.

#include <QDialog>

class DeskModel;
class QLineEdit;

class ClientDirectoryDialog : public QDialog {
    Q_OBJECT

public:
    ClientDirectoryDialog(DeskModel& desk, QWidget* parent);

    QLineEdit* directoryEdit() const { return directoryEdit_; }

signals:
    // The directory was written to the settings file.
    void saved();

public slots:
    void onSaveClicked();
    void onPickClicked();

private:
    DeskModel& desk_;
    QLineEdit* directoryEdit_ = nullptr;
};
