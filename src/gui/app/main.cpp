// Program entry of the desktop program.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>

#include "gui/app/mainwindow.h"
#include "settings/installdata.h"

namespace {

// An installed program works in the user's own directory, prepared from the
// read-only data beside it; from the build tree it stays where it was started.
QString enterUserDirectory() {
    using namespace torvel::settings;
    const std::filesystem::path installed = installedDataDirectory(runningExecutable());
    if (installed.empty()) return {};
    const std::filesystem::path work = userWorkingDirectory();
    if (work.empty()) return QStringLiteral("Neither TORVEL_HOME, XDG_DATA_HOME nor HOME is set.");
    if (const std::string reason = prepareWorkingDirectory(installed, work); !reason.empty())
        return QString::fromStdString(reason);
    std::error_code ec;
    std::filesystem::current_path(work, ec);
    return ec ? QStringLiteral("cannot enter %1").arg(QString::fromStdString(work.string())) : QString();
}

int runProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);

    if (const QString reason = enterUserDirectory(); !reason.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), QStringLiteral("Torvel ICM cannot start.\n%1").arg(reason));
        return 1;
    }

    auto* window = new MainWindow;
    if (!window->tablesLoaded()) {
        // Every analysis depends on the two tables: do not start without them.
        QMessageBox::critical(nullptr, QStringLiteral("Error"),
                              QStringLiteral("Torvel ICM cannot start.\n%1").arg(window->tableLoadError()));
        delete window;
        return 1;
    }
    window->show();
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    const int status = QApplication::exec();
    delete window;
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // No failure may end the program without a word.
    try {
        return runProgram(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "torvel: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "torvel: unexpected failure\n");
    }
    return 2;
}
