// The hand database as the program keeps, shows and empties it.
#include <QLabel>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>

#include "deskfixture.h"
#include "gui/leak/leakchartview.h"
#include "gui/leak/leakreportwindow.h"
#include "importdriver.h"
#include "store/handstore.h"
#include "store/leakreport.h"

using torvel::store::DecisionRecord;

class HandDatabaseTest : public QObject, DeskFixture {
    Q_OBJECT

    std::vector<DecisionRecord> stored() const {
        std::vector<DecisionRecord> records;
        if (!torvel::store::readStored(scratch->filePath("hands.sqlite").toStdString(), {}, records))
            records.clear();
        return records;
    }
    // Clicks "DeleteAll", answers its question and returns the question.
    QString deleteAll(QMessageBox::StandardButton answer) {
        QString question;
        whenOpen<QMessageBox>([answer, &question](QMessageBox* box) {
            question = box->text();
            box->button(answer)->click();
        });
        buttonLabelled(list(), "DeleteAll")->click();
        return question;
    }
    // The listed decisions in hand order.
    QList<QPair<QString, int>> listed() const {
        QList<QPair<QString, int>> out;
        for (const GameState* g : list()->situations())
            out.append({QString::fromStdString(g->handId), g->decision});
        std::sort(out.begin(), out.end());
        return out;
    }

private slots:
    void init() {
        openDesk();
        window->showHandList();
    }
    void cleanup() { closeDesk(); }

    void importStoresEachDecisionOnce() {
        importFixtures(list(), {"pokerstars_hand.txt"});
        const auto records = stored();
        QCOMPARE(records.size(), std::size_t(3));
        // The graded numbers of the list are the stored ones.
        const GameState* g = list()->situations().last();
        const auto r = std::find_if(records.begin(), records.end(),
                                    [g](const DecisionRecord& record) { return record.handId == g->handId; });
        QVERIFY(r != records.end());
        QCOMPARE(std::tuple(r->heroAction, r->decision, r->evPush, r->profile),
                 std::tuple(g->heroAction, g->decision, static_cast<double>(g->evPush), std::string("tight")));
        importFixtures(list(), {"pokerstars_hand.txt"});
        QCOMPARE(stored().size(), std::size_t(3));
    }

    void deleteAllAsksAndStoredDecisionsComeBack() {
        importFixtures(list(), {"pokerstars_hand.txt", "ggpoker_today.txt"});
        const auto before = listed();
        const int right = window->desk().correctCount();

        QVERIFY(deleteAll(QMessageBox::No).contains(QStringLiteral("hands.sqlite")));
        QCOMPARE(list()->tree()->topLevelItemCount(), 0);
        QCOMPARE(stored().size(), std::size_t(6));
        // The table starts afresh, the score with it.
        const GameState* fresh = window->desk().situation();
        QCOMPARE(QList<int>({fresh->smallBlind, fresh->bigBlind, fresh->playerCount, fresh->heroSeat,
                             window->desk().kept().heroSeat, window->desk().answerCount()}),
                 QList<int>({100, 200, 0, -1, -1, 0}));

        QCOMPARE(list()->showStored({}), 6);
        QCOMPARE(listed(), before);
        QCOMPARE(QList<int>({window->desk().answerCount(), window->desk().correctCount()}), QList<int>({6, right}));
        QCOMPARE(window->desk().situation(), list()->situations().first());
        QCOMPARE(list()->showStored({}), 0);  // nothing listed twice

        torvel::store::DecisionFilter tournament;
        tournament.tournamentId = stored().front().tournamentId;
        deleteAll(QMessageBox::No);
        const int inTournament = list()->showStored(tournament);
        QVERIFY(inTournament > 0 && inTournament < 6);

        deleteAll(QMessageBox::Yes);
        QCOMPARE(stored().size(), std::size_t(0));
    }

    void anUnwritableDatabaseIsReportedAndTheImportStillShown() {
        QFile foreign(scratch->filePath("hands.sqlite"));
        QVERIFY(foreign.open(QIODevice::WriteOnly));
        foreign.write("not a database\n");
        foreign.close();
        QString told;  // the database's "Error" follows the summary
        importFixtures(list(), {"pokerstars_hand.txt"}, "Tight", [&told](QMessageBox*) {
            whenOpen<QMessageBox>([&told](QMessageBox* box) {
                told = box->windowTitle() + ": " + box->text();
                box->accept();
            });
        });
        QVERIFY2(told.startsWith("Error: ") && told.contains("hands.sqlite"), qPrintable(told));
        QCOMPARE(list()->tree()->topLevelItemCount(), 3);
        QVERIFY(foreign.open(QIODevice::ReadOnly));
        QCOMPARE(foreign.readAll(), QByteArray("not a database\n"));
    }

    void leakReportShowsTheStoresNumbers() {
        importFixtures(list(), {"pokerstars_hand.txt", "party_gameno_2018.txt", "ggpoker_today.txt"});
        const auto expected = torvel::store::leakReport(stored());
        QVERIFY(expected.total.mistakes > 0);
        menuAction(*window, QStringLiteral("Handhistory"), QStringLiteral("Leak Report"))->trigger();
        LeakReportWindow* report = window->leakReport();
        QVERIFY(report && report->isVisible());
        QVERIFY(report->totals()->text().startsWith(
            QStringLiteral("%1 decisions, %2 mistakes").arg(expected.total.decisions).arg(expected.total.mistakes)));
        double chartLoss = 0.0;
        for (std::size_t band = 0; band < expected.byStack.size(); ++band)
            chartLoss += report->chart()->bandTotal(static_cast<int>(band));
        QVERIFY(std::abs(chartLoss - expected.total.equityLost) < 1e-9);

        // A group's numbers in their columns; sorted by the numbers, not by their text.
        QTableWidget* table = report->breakdown();
        QCOMPARE(table->rowCount(), static_cast<int>(expected.byPosition.size() + expected.byStack.size() + 2));
        const auto& group = expected.byPosition.front();
        QCOMPARE(table->item(0, 1)->text(), QString::fromStdString(group.name));
        const auto number = [table](int row, int column) {
            return table->item(row, column)->data(Qt::UserRole).toDouble();
        };
        QCOMPARE(QList<double>({number(0, 2), number(0, 3), number(0, 4)}),
                 QList<double>({double(group.decisions), double(group.mistakes), group.equityLost}));
        table->sortByColumn(4, Qt::DescendingOrder);
        for (int row = 1; row < table->rowCount(); ++row)
            QVERIFY(number(row - 1, 4) >= number(row, 4));

        QCOMPARE(report->costliest()->rowCount(), static_cast<int>(expected.costliest.size()));
        report->showCostly(report->costliest()->rowCount() - 1);
        QCOMPARE(window->desk().situation()->handId, expected.costliest.back().handId);
    }
};

QTEST_MAIN(HandDatabaseTest)
#include "handdatabase_test.moc"
