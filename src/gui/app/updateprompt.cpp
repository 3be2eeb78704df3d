#include "gui/app/updateprompt.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

bool MessageBoxUpdatePrompt::offerUpdate() {
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("New Version Available!"));
    box.setText(QStringLiteral("A new version of Torvel ICM is available. Please visit our web site and "
                               "download the new version.\n\n"
                               "If you need help, write to support@torvel-icm.example.\n\n"
                               "Do you want to visit the downloadpage now?"));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxUpdatePrompt::openDownloadPage(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}
