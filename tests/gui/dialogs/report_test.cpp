// Payouts are winner-take-all, so an ICM equity is the hero's share of the chips in play; opponents hold AA
// or nothing, so the hero's AA wins 50 or 100 %.
#include <QCheckBox>
#include <QLabel>

#include <cstring>

#include "deskfixture.h"
#include "gui/dialogs/payoutpanel.h"
#include "gui/dialogs/analysisreportdialog.h"
#include "gui/table/opponentactiondialog.h"

namespace {

QString link(const QString& text) { return "<font color=#0000FF><u>" + text + "</u></font>"; }
QString tableRow(const QStringList& cells) { return "<tr><td>" + cells.join("</td><td>") + "</td></tr>"; }
const QString kHeader = tableRow({"Opponent", "Range", "Prob(Range)", "Prob(case)", "Winner", "Win%", "Eq."});

// The visible rows of the table (index and cell texts).
QList<std::pair<int, QStringList>> shownRows(const AnalysisReportDialog& report) {
    QList<std::pair<int, QStringList>> rows;
    for (int r = 0; r < AnalysisReportDialog::kRows; ++r) {
        QStringList texts;
        for (QLabel* cell : report.cells()[static_cast<std::size_t>(r)])
            texts << cell->text();
        if (!report.cells()[static_cast<std::size_t>(r)][0]->isHidden())
            rows.append({r, texts});
    }
    return rows;
}

// Pushes the action dialog's seat all-in for 1000 and presses "Close".
void pushAllIn(QWidget* w) {
    if (auto* action = qobject_cast<OpponentActionDialog*>(w)) {
        action->raiseBox()->click();
        action->raiseEdit()->setText("1000");
        emit action->raiseEdit()->editingFinished();
        action->closeButton()->click();
    } else {
        w->close();
    }
}

}  // namespace

class ReportTest : public QObject, DeskFixture {
    Q_OBJECT

    static void click(AnalysisReportDialog& report, std::size_t row, std::size_t column) {
        QTest::mouseClick(report.cells()[row][column], Qt::LeftButton);
    }

    // Six players, hero AA in seat 3 with 1000 chips. Button 7, small blind 8, big blind 0; seat 2 (first to act,
    // any two) folds; seat 5 never calls; seats 7, 8 and 0 call with AA only.
    void sixHanded() {
        sit({3, 0, 2, 5, 7, 8});
        window->frame()->payouts()->setStructure({"100"});
        for (auto [s, chips, rangeTo] : {std::tuple{0, 2000, 1}, std::tuple{2, 1000, 169}, std::tuple{3, 1000, 0},
                                         std::tuple{5, 2500, 0}, std::tuple{7, 1500, 1}, std::tuple{8, 2000, 1}}) {
            seat(s)->setStack(chips);
            seat(s)->setBet(0);
            state(s).rangeTo = state(s).range2To = rangeTo;
            seat(s)->setRangeTo(rangeTo);
            seat(s)->setRange2To(rangeTo);
        }
        seat(3)->setCards(12, 25);  // Ah Ad
        state(3).card1 = state(3).handLow = 12;
        state(3).card2 = state(3).handHigh = 25;
        table()->setButton(7, true);
    }

    std::unique_ptr<AnalysisReportDialog> computedReport() {
        sixHanded();
        window->frame()->computeButton()->click();
        auto report = std::make_unique<AnalysisReportDialog>(&window->desk(), "Editor", nullptr);
        report->buildReport(&g());
        return report;
    }

private slots:
    void init() { startWindow(); }
    void cleanup() { window.reset(); }

    void pushCaseFromDetails() {
        sixHanded();
        QString text;
        QList<std::pair<int, QStringList>> rows;
        whenModal([&rows, &text](QWidget* w) {
            if (auto* report = qobject_cast<AnalysisReportDialog*>(w)) {
                rows = shownRows(*report);
                text = report->reportText();
            }
            w->close();
        });
        window->frame()->detailsButton()->click();  // computes first, as the user's "Details" does
        QCOMPARE(g().decision, 3);
        // The bottom six rows, the big blind last; seat 2 folded before the hero.
        const QList<std::pair<int, QStringList>> expectedRows = {
            {4, {"MP+1", link("100.00"), link("1000"), "0", "10.00", link("Fold"), "100.00"}},
            {5, {"<font color=#0000FF>Hero</font>", "AA", link("1000"), "0", "10.00", "?", ""}},
            {6, {"Cut Off", link("0.00"), link("2500"), "0", "25.00", "", "0.00"}},
            {7, {"Button", link("0.59"), link("1500"), "0", "15.00", "", "0.45"}},
            {8, {"Small Blind", link("0.59"), link("1900"), "100", "20.00", "", "0.45"}},
            {9, {"Big Blind", link("0.59"), link("1800"), "200", "20.00", "", "0.45"}}};
        QCOMPARE(rows, expectedRows);

        // Winning against a caller the hero holds 2300, 2200 or 2100 of the 10000 chips, losing 0. Nobody calls
        // with (1 - 6/1326)^3 = 98.65 %, then he holds 1300. Push = 0.9865 * 0.13 + 0.115 * 0.45249 % + 0.11 *
        // 0.45044 % + 0.105 * 0.44840 % = 12.97; fold: he keeps 1000, 10.00.
        for (const QString& part :
             {QStringLiteral("<b><font color=#00FF00>12.97</font></b></td><td><b><font color=#FF0000>10.00</font></b>"
                             "</td><td>2.97</td></tr></table><br><b>Your Action : <br>Correct Action : Push<br>"),
              "Details for Push Eq.</big></b></td></tr>" + kHeader +
                  tableRow({"Cut Off", "0.00", "0.00", "0.00", "Hero", "100.00", "23.00"}) +
                  tableRow({"", "", "", "", "Cut Off", "0.00", "0.00"}),
              tableRow({"No Caller", "", "", "98.65", "Hero", "100.00", "13.00"}) + "</table>",
              "Details for Fold Eq.</big></b></td></tr>" + kHeader +
                  tableRow({"", "", "", "", "Cut Off", "25.00", "10.00"})})
            QVERIFY2(text.contains(part), qPrintable(part));
        QCOMPARE(text.count("<tr>"), 20);  // 3 headline, 2 + 9 push, 2 + 4 fold rows
    }

    void tieReadsPushInPlainColours() {
        sit({1, 3, 5, 7, 9});  // hero 1
        table()->setButton(3, true);  // SB 5, BB 7, seat 9 folds, hero 1, seat 3 to act
        g().evPush = g().evFold = 0.25f;
        std::strcpy(state(1).position, "mine");
        AnalysisReportDialog report(&window->desk(), "Tie", nullptr);
        report.buildReport(&g());
        QCOMPARE(QString(state(1).position), QStringLiteral("mine"));  // positions are never the hero's
        // Equal: push in plain red, fold in plain green, and the answer is Push.
        QVERIFY(report.reportText().contains("<tr><td><font color=#FF0000>25.00</font></b></td>"
                                             "<td><font color=#00FF00>25.00</font></b></td><td>0.00</td></tr>"));
        QVERIFY(report.reportText().contains("Correct Action : Push<br>"));
        // Three opponents still in (seat 9 folded): each takes 100/3 of the fold case.
        QCOMPARE(report.reportText().count("<td>33.33</td>"), 3);

        g().evPush = 0.2f;
        report.buildReport(&g());
        QVERIFY(report.reportText().contains("Correct Action : Fold<br>") && report.reportText().contains("<td>-5.00</td>"));
    }

    void stackCellAndRecompute() {
        const auto report = computedReport();
        const QString before = report->reportText();
        int start = -1;
        answerStack(4500, &start);
        click(*report, 6, 2);
        QCOMPARE(QList<int>({start, state(5).stack, seat(5)->stack()}), QList<int>({2500, 4500, 4500}));
        QCOMPARE(report->cells()[6][2]->text(), link("4500"));
        QCOMPARE(report->reportText(), before);  // not computed yet

        // A blind's cell and dialog show the chips behind his blind; cancelling changes nothing.
        answerStack(-1, &start);
        click(*report, 8, 2);
        QCOMPARE(QList<int>({start, state(8).stack}), QList<int>({1900, 1900}));

        // Recompute with 12000 chips in play: nobody calling he holds 1300 (10.83), folding 1000 (8.33); push
        // 0.9865 * 0.10833 + 0.0045249 * 0.5 * 0.19167 + 0.0045044 * 0.5 * 0.18333 + 0.0044840 * 0.5 * 0.175 = 10.81.
        g().heroAction = 3;
        g().setPushRangeText("22+");
        report->recomputeButton()->click();
        QCOMPARE(g().pushRangeText[0], '\0');  // scanned for the stacks before the edit
        const QString after = report->reportText();
        QVERIFY(after.contains("<b><font color=#00FF00>10.81</font></b></td><td><b><font color=#FF0000>8.33</font>"));
        QCOMPARE(report->cells()[6][4]->text(), QStringLiteral("37.50"));  // 4500 of 12000
        QVERIFY(after.contains("Your Action : Push<br>"));  // the recorded answer stays
    }

    // Seat 2 (AA only) pushes from the report: it rebuilds at once, computes on "Recompute".
    void actionCellThenRecomputeGivesTheCallCase() {
        const auto report = computedReport();
        state(2).rangeTo = state(2).range2To = 1;
        const float pushBefore = g().evPush;
        // Only players who acted before the hero have an action to edit; the hero's cards are no range.
        {
            UnexpectedModals modals;
            click(*report, 6, 5);
            click(*report, 5, 1);
            QVERIFY(modals.seen.isEmpty());
        }

        whenModal(pushAllIn);
        click(*report, 4, 5);
        QCOMPARE(QList<int>({g().raiserSeat, state(2).bet, seat(2)->bet()}), QList<int>({2, 1000, 1000}));
        QCOMPARE(report->cells()[4][5]->text() + report->cells()[4][2]->text() + report->cells()[4][3]->text(),
                 link("Push") + link("0") + "1000");
        QCOMPARE(g().evPush, pushBefore);

        // Calling, the hero wins 1000 + 1300 (23.00) or is out, AA against AA: 11.50; folding he keeps 1000: 10.00.
        report->recomputeButton()->click();
        for (const QString& part :
             {QStringLiteral("<font color=#00FF00>11.50</font></b></td><td><b><font color=#FF0000>10.00"),
              "Details for Push Eq.</big></b></td></tr>" + kHeader +
                  tableRow({"MP+1", "0.59", "100.00", "100.00", "Hero", "50.00", "23.00"}) +
                  tableRow({"", "", "", "", "MP+1", "50.00", "0.00"}) + "</table>",
              tableRow({"No Caller", "", "", "98.65", "MP+1", "100.00", "10.00"}) + "</table>"})
            QVERIFY2(report->reportText().contains(part), qPrintable(part));
    }

    // A range cell edits the report's own situation: the table's for a computed report, a listed hand's otherwise.
    void rangeAndStackCellsEditTheReportsSituation() {
        const auto report = computedReport();
        int mode = -1;
        answerRange(10, &mode);  // 84 classes
        click(*report, 7, 1);  // the Button, seat 7
        QCOMPARE(QList<int>({mode, state(7).rangeTo, seat(7)->rangeTo()}), QList<int>({0, 84, 84}));
        QCOMPARE(report->cells()[7][1]->text(), link("49.70"));

        GameState listed = g();
        report->buildReport(&listed);
        answerStack(700);
        click(*report, 6, 2);
        QCOMPARE(QList<int>({listed.seats[5].stack, state(5).stack, seat(5)->stack()}), QList<int>({700, 2500, 2500}));
        answerRange(8);  // 50 classes
        click(*report, 8, 1);  // Small Blind, seat 8
        QCOMPARE(QList<int>({listed.seats[8].rangeTo, state(8).rangeTo, seat(8)->rangeTo()}), QList<int>({50, 1, 1}));
        QCOMPARE(report->cells()[8][1]->text(), link("29.59"));
    }

    void badSituationsListNothingOrWhatFits() {
        AnalysisReportDialog report(&window->desk(), "Bad", nullptr);
        report.buildReport(nullptr);
        QVERIFY(shownRows(report).isEmpty() && report.reportText().isEmpty());
        report.recomputeButton()->click();  // nothing to compute

        sit({1, 4, 8});
        table()->setButton(1, true);
        GameState noButton = g(), noPlayers = g(), broken = g();
        noButton.buttonSeat = -1;
        noPlayers.playerCount = 0;
        for (GameState* bad : {&noButton, &noPlayers}) {
            report.buildReport(bad);
            QVERIFY(shownRows(report).isEmpty());
        }
        // A count that does not match the seats and no big blind: rows only where they fit.
        broken.playerCount = 12;
        for (auto& s : broken.seats)
            s.isBigBlind = false;
        broken.raiserSeat = 42;
        broken.heroSeat = 11;
        report.buildReport(&broken);
        QVERIFY(shownRows(report).size() <= 3);
        QVERIFY(report.reportText().endsWith(kHeader + "</table>"));  // no detail rows
    }
};

QTEST_MAIN(ReportTest)
#include "report_test.moc"
