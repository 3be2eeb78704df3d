#pragma once
// The small dialog in which the user picks the PartyPoker directory, whose
// table picture gives the table its PartyPoker look.

#include <QDialog>

class QLineEdit;
class MainWindow;

class ClientDirectoryDialog : public QDialog {
    Q_OBJECT

public:
    explicit ClientDirectoryDialog(MainWindow* mainWindow);

    MainWindow* mainWindow = nullptr;
    QLineEdit* directoryEdit = nullptr;

public slots:
    void onSaveClicked();
    void onPickClicked();
};
