#include "gui/app/clientdirectorydialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "settings/clientdirs.h"
#include "gui/app/mainwindow.h"
#include "settings/inifile.h"
#include "gui/table/tableview.h"
#include "gui/trainer/tableframe.h"

ClientDirectoryDialog::ClientDirectoryDialog(MainWindow* mainWindow_) : QDialog(mainWindow_), mainWindow(mainWindow_) {
    setWindowTitle(tr("PartyPoker Directory"));
    auto* grid = new QGridLayout(this);
    directoryEdit = new QLineEdit(mainWindow->partyPokerDirectory);
    directoryEdit->setMinimumWidth(320);
    auto* pick = new QPushButton(tr("Pick"));
    pick->setDefault(true);
    auto* save = new QPushButton(tr("Save"));
    grid->addWidget(directoryEdit, 0, 0, 1, 4);
    grid->addWidget(pick, 0, 4);
    grid->addWidget(save, 1, 0, 1, 5);
    connect(pick, &QPushButton::clicked, this, &ClientDirectoryDialog::onPickClicked);
    connect(save, &QPushButton::clicked, this, &ClientDirectoryDialog::onSaveClicked);
}

void ClientDirectoryDialog::onPickClicked() {
    const QString chosen = QFileDialog::getExistingDirectory(mainWindow, tr("Set PartyPoker directory"), QString());
    if (chosen.isEmpty())
        return;
    mainWindow->partyPokerDirectory = chosen.left(511);
    directoryEdit->setText(mainWindow->partyPokerDirectory);
}

void ClientDirectoryDialog::onSaveClicked() {
    torvel::IniFile settings(torvel::kSettingsFileName);
    settings.writeString(torvel::kSettingsSection, torvel::kPartyPokerDirectoryKey, directoryEdit->text().toStdString());
    mainWindow->frame->table->loadPartyPokerLook();
    close();
}
