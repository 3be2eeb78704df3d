// Program entry of the desktop program.
#include <cstdio>
#include <exception>

#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>

#include "gui/app/mainwindow.h"

namespace {

int runProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);

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
