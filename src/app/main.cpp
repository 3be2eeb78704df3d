// Program entry of the desktop program.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStyleFactory>

#include "engine/plainowner.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (auto* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);

    torvel::PlainOwner tables;
    if (auto loaded = tables.loadTables("."); !loaded) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromStdString(loaded.reason));
        return 1;
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Torvel ICM"));
    auto* label = new QLabel(QStringLiteral("The equity tables are loaded (%1 matchups, %2 classes).\n"
                                            "The table editor arrives with the desktop work.")
                                 .arg(tables.equityTable().size())
                                 .arg(tables.handRanking().size()));
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(800, 490);
    window.show();
    return QApplication::exec();
}
