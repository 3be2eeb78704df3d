// The hand list as a user drives it.
#include <QFileDialog>
#include <QTreeWidget>

#include "deskfixture.h"
#include "engine/nashranges.h"
#include "gui/trainer/trainersettingspanel.h"
#include "importdriver.h"

namespace {

// Accepts the next file dialog with path (set directly: selectFile() skips a focused name field).
void answerFileDialog(const QString& path) {
    whenOpen<QFileDialog>([path](QFileDialog* dialog) {
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

}  // namespace

class HandListTest : public QObject, DeskFixture {
    Q_OBJECT

    QTreeWidget* tree() const { return list()->tree(); }
    QTreeWidgetItem* row(int i) const { return tree()->topLevelItem(i); }

private slots:
    void init() { openDesk(); }
    void cleanup() { closeDesk(); }

    void importListsGradesAndShows() {
        window->showHandList();
        QCOMPARE(importFixtures(list(), {"pokerstars_hand.txt"}, QStringLiteral("Medium")),
                 QStringLiteral("3 (of 4) relevant hands imported."));
        QCOMPARE(QList<int>({list()->profileIndex(), tree()->topLevelItemCount()}), QList<int>({1, 3}));
        const GameState* first = list()->situations().first();
        QCOMPARE(window->desk().situation(), first);  // the first decision is on the table
        // A hero who called a push is listed as all-in.
        QCOMPARE(first->handId, std::string("158000000101"));
        QVERIFY(first->raiserSeat != -1 && first->heroAction == 3);

        int right = 0;
        for (int i = 0; i < 3; ++i) {
            const GameState* g = list()->situations()[i];
            QCOMPARE(row(i)->text(0) + " " + row(i)->text(1),
                     QStringLiteral("Game #%1 %2/%3").arg(g->handId.c_str()).arg(g->smallBlind).arg(g->bigBlind));
            const bool isRight = g->heroAction == g->decision || (g->decision == 0 && g->heroAction == 5);
            right += isRight;
            QCOMPARE(row(i)->foreground(0).color(), isRight ? QColor(Qt::darkGreen) : QColor(Qt::red));
        }
        QCOMPARE(QList<int>({window->desk().answerCount(), window->desk().correctCount()}), QList<int>({3, right}));

        // The last directory is remembered for the next import.
        QFile settings(scratch->filePath("VAZ.ini"));
        QVERIFY(settings.open(QIODevice::ReadOnly) && settings.readAll().contains("pokerstars_hand.txt"));
        importFixtures(list(), {"pokerstars_hand.txt"});
        QCOMPARE(QList<int>({tree()->topLevelItemCount(), window->desk().answerCount()}), QList<int>({6, 6}));
        QVERIFY(list()->situations()[0] != list()->situations()[3]);
    }

    // No file chosen changes nothing; a cancelled profile question imports with "Tight".
    void noFileOrNoProfileChosen() {
        list()->runImport({});
        QCOMPARE(tree()->topLevelItemCount(), 0);
        QVERIFY(!QFile::exists(scratch->filePath("VAZ.ini")));
        QVERIFY(importFixtures(list(), {"fulltilt.txt"}, {}).endsWith(QStringLiteral("relevant hands imported.")));
        QCOMPARE(list()->profileIndex(), 0);
    }

    void nashImportGradesAgainstTheEquilibrium() {
        const QString summary = importFixtures(list(), {"fulltilt.txt"}, QStringLiteral("Nash"));
        QCOMPARE(list()->profileIndex(), HandListPanel::kNashProfile);
        // The limp to a big blind away from the button is not modelled.
        QCOMPARE(list()->notModelledCount(), 1);
        QVERIFY2(summary.contains(QStringLiteral("\n1 of them with the Tight ranges")), qPrintable(summary));
        // The heads-up push: the caller holds the band of his equilibrium call.
        GameState* headsUp = list()->situations().last();
        QCOMPARE(headsUp->handId, std::string("33100000002"));
        torvel::NashSpot spot;
        QCOMPARE(torvel::nashSpotOf(*headsUp, spot), std::string());
        const torvel::NashResult* solved = window->desk().nashStore().find(spot.table);
        QVERIFY(solved);
        QCOMPARE(headsUp->seats[static_cast<std::size_t>(spot.seats[1])].rangeTo,
                 torvel::topBandForShare(window->desk().handRanking(), torvel::comboShare(solved->profile.call[0])));
    }

    void checkingTheBigBlindIsRightWhenTheVerdictIsFold() {
        auto g = std::make_unique<GameState>(&window->desk());
        g->heroAction = 5;
        g->decision = 0;
        GameState* raw = g.get();
        QVERIFY(list()->addEntry(std::move(g), QStringLiteral("x")));
        QCOMPARE(row(0)->foreground(0).color(), QColor(Qt::darkGreen));
        // Entering it again does nothing (and frees nothing).
        QVERIFY(!list()->addEntry(std::unique_ptr<GameState>(raw), QStringLiteral("x")));
        QCOMPARE(QList<int>({raw->decision, tree()->topLevelItemCount()}), QList<int>({0, 1}));
        window->updateScore();
        QCOMPARE(QList<int>({window->desk().answerCount(), window->desk().correctCount()}), QList<int>({1, 1}));
    }

    void clicksShowReportAndDelete() {
        importFixtures(list(), {"pokerstars_hand.txt"});
        GameState* second = list()->situations()[1];
        list()->onRowClicked(row(1), 3);
        QCOMPARE(window->desk().situation(), second);
        QVERIFY(window->frame()->table()->blindsText().startsWith(
            QStringLiteral("Blinds : %1 / %2").arg(second->smallBlind).arg(second->bigBlind)));
        // Keyboard selection shows the row like a click on its first column.
        tree()->setCurrentItem(row(2));
        QCOMPARE(window->desk().situation(), list()->situations()[2]);

        QString title;
        whenModal([&title](QWidget* w) {
            title = w->windowTitle();
            w->close();
        });
        list()->onRowClicked(row(0), 2);
        QCOMPARE(title, "Details for " + row(0)->text(0));

        // Deleting a row not on the table: the table stays.
        GameState* shown = window->desk().situation();
        list()->onRowClicked(row(0), 4);
        QCOMPARE(window->desk().situation(), shown);
        QCOMPARE(QList<int>({tree()->topLevelItemCount(), window->desk().answerCount()}), QList<int>({2, 2}));
        // Deleting the row on the table shows the first one left.
        list()->onRowClicked(row(1), 4);
        QCOMPARE(window->desk().situation(), list()->situations().first());
        // Deleting the last row deals a trainer spot.
        list()->onRowClicked(row(0), 4);
        QCOMPARE(tree()->topLevelItemCount() + window->desk().answerCount(), 0);
        QVERIFY(window->desk().situation() && window->desk().situation()->heroSeat >= 0);
        QVERIFY(window->frame()->trainerSettings()->isVisible());
    }

    void exportWritesTheListAndReportsFailures() {
        importFixtures(list(), {"pokerstars_hand.txt"});
        const QString target = scratch->filePath(QStringLiteral("hands"));
        answerFileDialog(target);
        list()->onExportClicked();
        QFile written(target + ".txt");
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().count("***** Hand History for Game"), 3);

        // A directory that does not exist: the user is told, nothing is left.
        const auto exportTo = [this](const QString& path) {
            return messageOf([this, path] {
                answerFileDialog(path);
                list()->onExportClicked();
            });
        };
        const QString nowhere = scratch->filePath(QStringLiteral("missing/hands.txt"));
        QString told = exportTo(nowhere);
        QVERIFY2(told.startsWith("Error: ") && told.contains("hands.txt"), qPrintable(told));
        // An imported hand history is never exported over.
        const QString mine = scratch->filePath(QStringLiteral("mine.txt"));
        QVERIFY(QFile::copy(kFixtures + "/pokerstars_hand.txt", mine));
        importFixtures(list(), {mine});
        told = exportTo(mine);
        QVERIFY2(told.startsWith("Error: ") && told.contains("one of the imported hand histories"), qPrintable(told));
        QFile kept(mine), original(kFixtures + "/pokerstars_hand.txt");
        QVERIFY(kept.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), original.readAll());
    }
};

QTEST_MAIN(HandListTest)
#include "handlist_test.moc"
