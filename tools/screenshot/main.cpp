// torvel-screenshot OUT.png [SCENE]: run from a working directory with the
// tables and pictures (build/runtime); with QT_QPA_PLATFORM=offscreen no
// display is needed. Scenes: editor (default), trainer, plot, handlist FILE
// (imports FILE with the "Tight" profile), report, range, about, cards,
// ppdir, empty; nash, nashreport and nashapply [WIDTHxHEIGHT]: the editor's
// spot with its equilibrium solved, then the "Nash Ranges" window, the
// report beside the equilibrium, or the table after "Apply" with "Nash".
// leakreport FILE... and stored FILE... import the files into
// a hand database of their own and grab the leak report or the "Stored
// Hands" question; deleteall FILE... grabs the question of "DeleteAll",
// storedlist FILE... the window listing the stored decisions again.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputDialog>
#include <QMessageBox>
#include <QFileInfo>
#include <QPixmap>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "gui/app/mainwindow.h"
#include "gui/handlist/handlistpanel.h"
#include "gui/leak/leakreportwindow.h"
#include "store/handstore.h"
#include "engine/gamestate.h"
#include "gui/table/cardpickerdialog.h"
#include "gui/table/seatwidget.h"
#include "gui/table/tableview.h"
#include "gui/dialogs/rangedialog.h"
#include "gui/nash/nashrangeswindow.h"
#include "gui/trainer/tableframe.h"

namespace {

// Six players: the hero in seat 4 with AhTh, the button on seat 2.
void editorScene(MainWindow& window) {
    TableView* table = window.frame()->table();
    for (int seat : {4, 0, 2, 5, 7, 8})
        table->seatWidget(seat)->takeSeatButton()->click();
    const int stacks[10] = {3100, 0, 2450, 0, 2800, 1900, 0, 4200, 1350, 0};
    for (int seat : {0, 2, 4, 5, 7, 8}) {
        SeatWidget* w = table->seatWidget(seat);
        w->setStack(stacks[seat]);
        window.desk().situation()->seats[static_cast<std::size_t>(seat)].stack = stacks[seat];
    }
    table->setButton(2, true);
    CardPickerDialog first(window.desk(), window.resources(), table->seatWidget(4), 0);
    first.pick(12);  // Ah
    CardPickerDialog second(window.desk(), window.resources(), table->seatWidget(4), 1);
    second.pick(8);  // Th
    table->profileCombo()->setCurrentIndex(1);
    table->applyButton()->click();
}

// The trainer after ten answers: the settings panel, the hand list with
// its coloured rows and the score on the table.
void trainerScene(MainWindow& window) {
    window.startTrainer();
    for (int answer = 0; answer < 10; ++answer) {
        QPushButton* button = answer % 3 == 0 ? window.frame()->foldButton() : window.frame()->pushButton();
        button->click();
    }
}

// Grabs the next modal dialog (passing over progress dialogs) and closes it.
// A dialog that computes while it is built (the plot) is not modal yet
// then: keep looking until it is.
void grabModal(const QString& out, QApplication& app, QSize size = {}) {
    QTimer::singleShot(300, [&app, out, size] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->inherits("QProgressDialog")) {
            grabModal(out, app, size);
            return;
        }
        if (size.isValid())
            dialog->resize(size);
        const bool saved = dialog && dialog->grab().save(out);
        std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(out));
        if (dialog)
            dialog->close();
    });
}

// Answers the import's profile question and the boxes after it as a user
// would, while answering is set.
bool answering = true;
void answerImport() {
    QTimer::singleShot(50, [] {
        if (!answering)
            return;
        QWidget* w = QApplication::activeModalWidget();
        if (auto* input = qobject_cast<QInputDialog*>(w))
            input->accept();
        else if (auto* box = qobject_cast<QMessageBox*>(w))
            box->accept();
        answerImport();
    });
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

    MainWindow window;
    if (!window.tablesLoaded()) {
        std::fprintf(stderr, "%s\n", qPrintable(window.tableLoadError()));
        return 1;
    }
    window.show();
    if (scene == QLatin1String("editor") || scene == QLatin1String("plot"))
        editorScene(window);
    if (scene.startsWith(QLatin1String("nash"))) {
        editorScene(window);
        window.openNashRanges();
        NashRangesWindow* nash = window.nashRanges();
        const QStringList size = argc > 3 ? QString::fromLocal8Bit(argv[3]).split(QLatin1Char('x')) : QStringList();
        if (size.size() == 2) {
            nash->resize(size[0].toInt(), size[1].toInt());
            window.resize(size[0].toInt(), size[1].toInt());
        }
        while (nash->solving())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
        if (scene == QLatin1String("nash")) {
            nash->rangeChoice()->setCurrentIndex(1);
            const bool saved = nash->grab().save(out);
            std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(out));
            return saved ? 0 : 1;
        }
        nash->hide();
        if (scene == QLatin1String("nashapply")) {
            window.frame()->table()->profileCombo()->setCurrentIndex(TableView::kNashProfileIndex);
            window.frame()->table()->applyButton()->click();
        } else {
            grabModal(out, app, size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize());
            window.frame()->detailsButton()->click();
            return QFileInfo::exists(out) ? 0 : 1;
        }
    }
    if (scene == QLatin1String("trainer"))
        trainerScene(window);
    QTemporaryDir scratch;
    const bool database = scene == QLatin1String("leakreport") || scene == QLatin1String("stored") ||
                          scene == QLatin1String("deleteall") || scene == QLatin1String("storedlist");
    if (scene == QLatin1String("handlist") || database) {
        QStringList files;
        for (int i = 3; i < argc; ++i)
            files << QString::fromLocal8Bit(argv[i]);
        window.frame()->handList()->setDatabasePath(scratch.filePath(QStringLiteral("hands.sqlite")));
        answerImport();
        window.showHandList();
        window.frame()->handList()->runImport(files);
    }
    if (scene == QLatin1String("leakreport")) {
        window.openLeakReport();
        LeakReportWindow* report = window.leakReport();
        if (!report)
            return 1;
        QTimer::singleShot(200, [&] {
            const bool saved = report->grab().save(out);
            std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(out));
            app.exit(saved ? 0 : 1);
        });
        return QApplication::exec();
    }
    answering = false;
    if (scene == QLatin1String("deleteall")) {
        grabModal(out, app);
        window.frame()->handList()->onDeleteAllClicked();
        return QFileInfo::exists(out) ? 0 : 1;
    }
    if (scene == QLatin1String("storedlist")) {
        // Empty the list but keep the database, then list it again.
        QTimer::singleShot(100, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::No)->click();
        });
        window.frame()->handList()->onDeleteAllClicked();
        window.frame()->handList()->showStored({});
    }
    if (scene == QLatin1String("stored")) {
        grabModal(out, app);
        window.showStoredHands();
        return QFileInfo::exists(out) ? 0 : 1;
    }
    if (scene == QLatin1String("about") || scene == QLatin1String("cards") || scene == QLatin1String("ppdir") ||
        scene == QLatin1String("report") || scene == QLatin1String("range")) {
        if (scene != QLatin1String("about") && scene != QLatin1String("ppdir"))
            editorScene(window);
        grabModal(out, app);
        if (scene == QLatin1String("about"))
            window.openAbout();
        else if (scene == QLatin1String("ppdir"))
            window.openPartyPokerDirectoryDialog();
        else if (scene == QLatin1String("report"))
            window.frame()->detailsButton()->click();
        else if (scene == QLatin1String("range"))
            RangeDialog(&window.desk(), window.desk().situation(), 5, 0).exec();
        else {
            CardPickerDialog picker(window.desk(), window.resources(), window.frame()->table()->seatWidget(4), 1);
            picker.exec();
        }
        return QFileInfo::exists(out) ? 0 : 1;
    }
    if (scene == QLatin1String("plot")) {
        // The plot dialog runs modally: grab it once it is up.
        grabModal(out, app);
        window.frame()->plotButton()->click();
        return QFileInfo::exists(out) ? 0 : 1;
    }
    QTimer::singleShot(200, [&] {
        const bool saved = window.grab().save(out);
        std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(out));
        app.exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
