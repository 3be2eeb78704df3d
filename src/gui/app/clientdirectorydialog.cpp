#include "gui/app/clientdirectorydialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "settings/clientdirs.h"
#include "gui/desk/deskmodel.h"
#include "settings/inifile.h"

ClientDirectoryDialog::ClientDirectoryDialog(DeskModel& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setWindowTitle(tr("PartyPoker Directory"));
    auto* grid = new QGridLayout(this);
    directoryEdit_ = new QLineEdit(desk_.partyPokerDirectory());
    directoryEdit_->setMinimumWidth(320);
    auto* pick = new QPushButton(tr("Pick"));
    pick->setDefault(true);
    auto* save = new QPushButton(tr("Save"));
    grid->addWidget(directoryEdit_, 0, 0, 1, 4);
    grid->addWidget(pick, 0, 4);
    grid->addWidget(save, 1, 0, 1, 5);
    connect(pick, &QPushButton::clicked, this, &ClientDirectoryDialog::onPickClicked);
    connect(save, &QPushButton::clicked, this, &ClientDirectoryDialog::onSaveClicked);
}

void ClientDirectoryDialog::onPickClicked() {
    const QString chosen = QFileDialog::getExistingDirectory(parentWidget(), tr("Set PartyPoker directory"), QString());
    if (chosen.isEmpty())
        return;
    desk_.setPartyPokerDirectory(chosen.left(511));
    directoryEdit_->setText(desk_.partyPokerDirectory());
}

void ClientDirectoryDialog::onSaveClicked() {
    torvel::IniFile settings(torvel::kSettingsFileName);
    settings.writeString(torvel::kSettingsSection, torvel::kPartyPokerDirectoryKey, directoryEdit_->text().toStdString());
    emit saved();
    close();
}
