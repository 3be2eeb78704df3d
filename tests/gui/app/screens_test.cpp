// What the screens show agrees with what the program holds.
#include <QProgressDialog>
#include <QTreeWidget>

#include "deskfixture.h"
#include "gui/plot/equityplotview.h"
#include "handlist/importdriver.h"

namespace {

// The first column at which colour appears on row y of image; -1 if never.
int firstColumnOf(const QImage& image, int y, QColor colour) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == colour)
            return x;
    return -1;
}

}  // namespace

class ScreensTest : public QObject, DeskFixture {
    Q_OBJECT

    // The situation of the highlighted row, null without one.
    const GameState* highlighted() const {
        const auto rows = list()->tree()->selectedItems();
        if (rows.size() != 1)
            return nullptr;
        return list()->situations().value(list()->tree()->indexOfTopLevelItem(rows.first()));
    }

private slots:
    void init() { openDesk(); }
    void cleanup() { closeDesk(); }

    void theHighlightedRowIsTheSituationShown() {
        window->showHandList();
        importFixtures(list(), {"pokerstars_hand.txt"});
        QCOMPARE(list()->situations().size(), 3);
        QCOMPARE(highlighted(), window->desk().situation());
        window->showSituation(list()->situations()[2]);
        QCOMPARE(highlighted(), list()->situations()[2]);
        QCOMPARE(window->desk().situation(), list()->situations()[2]);  // following does not show again
        window->startTrainer();  // a dealt spot is in no row
        QVERIFY(list()->tree()->selectedItems().isEmpty());
    }

    // One line per file after the total, and the bar at its end as the summary shows.
    void theImportSummaryCountsEveryFile() {
        QString bar;
        const QString both = importFixtures(list(), {"pokerstars_hand.txt", "pokerstars_game.txt"}, "Tight", [&](auto) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && progress->isVisible())
                    bar = QStringLiteral("%1/%2").arg(progress->value()).arg(progress->maximum());
        });
        const QRegularExpression counts(QStringLiteral("^(\\d+) \\(of (\\d+)\\) relevant hands imported.\n"
                                                       "pokerstars_hand.txt: 3 \\(of 4\\)\n"
                                                       "pokerstars_game.txt: (\\d+) \\(of (\\d+)\\)$"));
        const auto match = counts.match(both);
        QVERIFY2(match.hasMatch(), qPrintable(both));
        QCOMPARE(match.captured(1).toInt(), 3 + match.captured(3).toInt());
        QCOMPARE(match.captured(2).toInt(), 4 + match.captured(4).toInt());
        QCOMPARE(bar, QStringLiteral("2/2"));
    }

    void hoverHighlightsGoWithTheMouse() {
        const QRect blindsLine(10, 10, 200, 15);
        const QImage before = table()->grab(blindsLine).toImage();
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 15), table()->mapToGlobal(QPointF(20, 15)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(table(), &move);
        QVERIFY(table()->grab(blindsLine).toImage() != before);  // highlighted under the mouse
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(table(), &leave);
        QCOMPARE(table()->grab(blindsLine).toImage(), before);
    }

    void theWindowShrinksBackForTheEditor() {
        QApplication::processEvents();
        const QSize editor = window->size();
        QVERIFY(editor.height() < 800);
        for (void (MainWindow::*leave)() : {&MainWindow::showHandList, &MainWindow::startTrainer}) {
            (window.get()->*leave)();
            QCOMPARE(window->height(), 800);
            QVERIFY(!window->desk().editMode() && !window->frame()->computeButton()->isVisible());
            window->startEditor();
            QCOMPARE(window->size(), editor);
            QVERIFY(window->desk().editMode() && window->frame()->computeButton()->isVisible());
        }
    }

    void theLegendStartsAfterItsCaption() {
        EquityPlotView view(&g(), nullptr);
        view.resize(600, 400);
        const QImage picture = view.grab().toImage();
        const int square = firstColumnOf(picture, 15, QColor(220, 255, 220));
        QVERIFY(square > 30 + view.fontMetrics().horizontalAdvance(QStringLiteral("Edge between :")));
        QVERIFY(firstColumnOf(picture, 15, QColor(50, 255, 50)) > square + 20);
    }
};

QTEST_MAIN(ScreensTest)
#include "screens_test.moc"
