// torvel-screenshot OUT.png [SCENE]: run from a working directory with the
// tables and pictures (build/runtime); with QT_QPA_PLATFORM=offscreen no
// display is needed. Scenes: editor (default), empty.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>

#include "app/grabber.h"
#include "engine/gamestate.h"
#include "table/ccards.h"
#include "table/cplayer.h"
#include "table/layout.h"
#include "trainer/cmgr.h"

namespace {

// Six players: the hero in seat 4 with AhTh, the button on seat 2.
void editorScene(grabber& window) {
    Layout* table = window.frame->table;
    for (int seat : {4, 0, 2, 5, 7, 8})
        table->seatWidgets[static_cast<std::size_t>(seat)]->takeSeatButton->click();
    const int stacks[10] = {3100, 0, 2450, 0, 2800, 1900, 0, 4200, 1350, 0};
    for (int seat : {0, 2, 4, 5, 7, 8}) {
        CPlayer* w = table->seatWidgets[static_cast<std::size_t>(seat)];
        w->stack = stacks[seat];
        window.current->seats[static_cast<std::size_t>(seat)].stack = stacks[seat];
    }
    table->setButton(2, true);
    CCards first(&window, 0);
    first.pick(12);  // Ah
    CCards second(&window, 1);
    second.pick(8);  // Th
    table->profileCombo->setCurrentIndex(1);
    table->applyButton->click();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    if (argc < 2) {
        std::fprintf(stderr, "usage: torvel-screenshot OUT.png [editor|empty]\n");
        return 2;
    }
    const QString out = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));
    const QString scene = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("editor");

    grabber window;
    if (!window.tablesLoaded()) {
        std::fprintf(stderr, "%s\n", qPrintable(window.tableLoadError()));
        return 1;
    }
    window.show();
    if (scene == QLatin1String("editor"))
        editorScene(window);
    QTimer::singleShot(200, [&] {
        const bool saved = window.grab().save(out);
        std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(out));
        app.exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
