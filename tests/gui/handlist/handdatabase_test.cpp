// The hand database seen from the program: the import keeps what it grades
// (each decision once), the hand list shows it again, "DeleteAll" asks
// whether to empty it, a database that cannot be written is reported, and
// the leak report shows the store's numbers.
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>
#include <memory>

#include "engine/gamestate.h"
#include "gui/app/mainwindow.h"
#include "gui/handlist/handlistpanel.h"
#include "gui/leak/leakchartview.h"
#include "gui/leak/leakreportwindow.h"
#include "gui/trainer/tableframe.h"
#include "modaldriver.h"
#include "store/handstore.h"
#include "store/leakreport.h"

using torvel::GameState;
using torvel::store::DecisionRecord;

namespace {

const QString kFixtures = QStringLiteral(TORVEL_IMPORT_FIXTURES);

// Answers the profile question with "Tight", then the summary box; a
// second box (the database's "Error") when error is given.
void answerImport(QString* errorTitle = nullptr, QString* errorText = nullptr) {
    whenOpen<QInputDialog>([errorTitle, errorText](QInputDialog* dialog) {
        dialog->setTextValue(QStringLiteral("Tight"));
        dialog->accept();
        acceptMessageBox(nullptr, nullptr);
        if (errorTitle)
            QTimer::singleShot(0, [errorTitle, errorText] { acceptMessageBox(errorTitle, errorText); });
    });
}

void answerQuestion(QMessageBox::StandardButton answer, QString* text) {
    whenOpen<QMessageBox>([answer, text](QMessageBox* box) {
        *text = box->text();
        box->button(answer)->click();
    });
}

}  // namespace

class HandDatabaseTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScratchWorkingDirectory> scratch;
    std::unique_ptr<MainWindow> window;
    HandListPanel* list() const { return window->frame()->handList(); }

    void import(const QStringList& names) {
        QStringList files;
        for (const QString& name : names)
            files << kFixtures + "/" + name;
        answerImport();
        list()->runImport(files);
    }
    std::vector<DecisionRecord> stored() const {
        std::vector<DecisionRecord> records;
        if (!torvel::store::readStored(scratch->filePath("hands.sqlite").toStdString(), {}, records))
            records.clear();
        return records;
    }
    void clickDeleteAll() {
        for (auto* b : list()->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("DeleteAll"))
                b->click();
    }

private slots:
    void init() {
        scratch = std::make_unique<ScratchWorkingDirectory>();
        window = std::make_unique<MainWindow>();
        QVERIFY(window->tablesLoaded());
        window->show();
        window->showHandList();
    }
    void cleanup() {
        window.reset();
        scratch.reset();
    }

    void importStoresEachDecisionOnce() {
        import({QStringLiteral("pokerstars_hand.txt")});
        const auto records = stored();
        QCOMPARE(records.size(), std::size_t(3));
        for (const GameState* g : list()->situations()) {
            const auto r = std::find_if(records.begin(), records.end(),
                                        [g](const DecisionRecord& record) { return record.handId == g->handId; });
            QVERIFY(r != records.end());
            QCOMPARE(r->heroAction, g->heroAction);
            QCOMPARE(r->decision, g->decision);
            QCOMPARE(r->evPush, static_cast<double>(g->evPush));
            QCOMPARE(r->profile, std::string("tight"));
        }
        import({QStringLiteral("pokerstars_hand.txt")});
        QCOMPARE(list()->tree()->topLevelItemCount(), 6);
        QCOMPARE(stored().size(), std::size_t(3));
    }

    void deleteAllAsksAndStoredDecisionsComeBack() {
        import({QStringLiteral("pokerstars_hand.txt"), QStringLiteral("ggpoker_today.txt")});
        // Listed again in the order they were played.
        QList<QPair<QString, int>> before;
        for (const GameState* g : list()->situations())
            before.append({QString::fromStdString(g->handId), g->decision});
        std::sort(before.begin(), before.end());
        const int right = window->desk().correctCount();
        QCOMPARE(list()->showStored({}), 0);  // all listed already

        QString question;
        answerQuestion(QMessageBox::No, &question);
        clickDeleteAll();
        QVERIFY(question.contains(QStringLiteral("hands.sqlite")));
        QCOMPARE(list()->tree()->topLevelItemCount(), 0);
        QCOMPARE(stored().size(), std::size_t(6));

        QCOMPARE(list()->showStored({}), 6);
        QList<QPair<QString, int>> after;
        for (const GameState* g : list()->situations())
            after.append({QString::fromStdString(g->handId), g->decision});
        std::sort(after.begin(), after.end());
        QCOMPARE(after, before);
        QCOMPARE(window->desk().answerCount(), 6);
        QCOMPARE(window->desk().correctCount(), right);
        QCOMPARE(window->desk().situation(), list()->situations().first());
        QCOMPARE(list()->showStored({}), 0);  // nothing listed twice

        // One tournament, and a date range that holds none of them.
        torvel::store::DecisionFilter tournament;
        tournament.tournamentId = stored().front().tournamentId;
        answerQuestion(QMessageBox::No, &question);
        clickDeleteAll();
        const int inTournament = list()->showStored(tournament);
        QVERIFY(inTournament > 0 && inTournament < 6);
        answerQuestion(QMessageBox::No, &question);
        clickDeleteAll();
        QCOMPARE(list()->showStored({"", "1990-01-01", "1990-12-31"}), 0);

        answerQuestion(QMessageBox::Yes, &question);
        clickDeleteAll();
        QCOMPARE(stored().size(), std::size_t(0));
    }

    void anUnwritableDatabaseIsReportedAndTheImportStillShown() {
        QFile foreign(scratch->filePath("hands.sqlite"));
        QVERIFY(foreign.open(QIODevice::WriteOnly));
        foreign.write("not a database\n");
        foreign.close();
        QString title, text;
        answerImport(&title, &text);
        list()->runImport({kFixtures + "/pokerstars_hand.txt"});
        QCOMPARE(title, QStringLiteral("Error"));
        QVERIFY(text.contains(QStringLiteral("hands.sqlite")));
        QCOMPARE(list()->tree()->topLevelItemCount(), 3);
        QVERIFY(foreign.open(QIODevice::ReadOnly));
        QCOMPARE(foreign.readAll(), QByteArray("not a database\n"));
    }

    void leakReportShowsTheStoresNumbers() {
        import({QStringLiteral("pokerstars_hand.txt"), QStringLiteral("party_gameno_2018.txt"),
                QStringLiteral("ggpoker_today.txt")});
        const auto expected = torvel::store::leakReport(stored());
        QVERIFY(expected.total.mistakes > 0);
        menuAction(*window, QStringLiteral("Handhistory"), QStringLiteral("Leak Report"))->trigger();
        LeakReportWindow* report = window->leakReport();
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->report().total.decisions, expected.total.decisions);
        QCOMPARE(report->report().total.equityLost, expected.total.equityLost);
        QVERIFY(report->totals()->text().startsWith(
            QStringLiteral("%1 decisions, %2 mistakes").arg(expected.total.decisions).arg(expected.total.mistakes)));

        // Every breakdown row, whatever the order, and the chart's bars.
        QTableWidget* table = report->breakdown();
        double stackLoss = 0.0, chartLoss = 0.0;
        for (int row = 0; row < table->rowCount(); ++row) {
            const auto& groups = table->item(row, 0)->text() == QStringLiteral("Position") ? expected.byPosition
                                 : table->item(row, 0)->text() == QStringLiteral("Mistake") ? expected.byMistake
                                                                                             : expected.byStack;
            const auto it = std::find_if(groups.begin(), groups.end(), [&](const auto& g) {
                return QString::fromStdString(g.name) == table->item(row, 1)->text();
            });
            QVERIFY(it != groups.end());
            QCOMPARE(table->item(row, 2)->data(Qt::UserRole).toInt(), it->decisions);
            QCOMPARE(table->item(row, 3)->data(Qt::UserRole).toInt(), it->mistakes);
            QCOMPARE(table->item(row, 4)->data(Qt::UserRole).toDouble(), it->equityLost);
        }
        for (std::size_t band = 0; band < expected.byStack.size(); ++band) {
            stackLoss += expected.byStack[band].equityLost;
            chartLoss += report->chart()->bandTotal(static_cast<int>(band));
        }
        QVERIFY(std::abs(chartLoss - stackLoss) < 1e-9);
        QCOMPARE(table->rowCount(), static_cast<int>(expected.byPosition.size() + expected.byStack.size() + 2));
        table->sortByColumn(4, Qt::DescendingOrder);
        for (int row = 1; row < table->rowCount(); ++row)
            QVERIFY(table->item(row - 1, 4)->data(Qt::UserRole).toDouble() >=
                    table->item(row, 4)->data(Qt::UserRole).toDouble());

        // A click on a costly hand puts it on the table.
        QCOMPARE(report->costliest()->rowCount(), static_cast<int>(expected.costliest.size()));
        const int last = report->costliest()->rowCount() - 1;
        report->showCostly(last);
        QCOMPARE(window->desk().situation()->handId, expected.costliest.back().handId);
        QCOMPARE(window->desk().situation()->decision, expected.costliest.back().decision);
    }
};

QTEST_MAIN(HandDatabaseTest)
#include "handdatabase_test.moc"
