// The analysis report: its table and text for computed situations, the
// cells that edit seats, "Recompute", and situations it must survive.
//
// The situations are paid winner-take-all, so every ICM equity is the
// hero's share of the 10000 chips in play; the opponents hold AA or
// nothing, so every all-in equity of the hero's AA is 50 % or 100 %.
#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <memory>

#include "app/grabber.h"
#include "engine/cards.h"
#include "engine/gamestate.h"
#include "icm/citm.h"
#include "ranges/crange.h"
#include "ranges/cresult.h"
#include "table/cmylabel.h"
#include "table/coppaction.h"
#include "table/cplayer.h"
#include "table/layout.h"
#include "trainer/cmgr.h"

using torvel::GameState;

namespace {

// Runs handler on the first modal dialog of type Dialog (polling up to
// three seconds); other modal windows, such as the progress dialog of a
// computation, are let be.
template <typename Dialog, typename Handler>
void whenOpen(Handler handler, int attempts = 300) {
    QTimer::singleShot(10, [handler, attempts]() {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            handler(dialog);
            return;
        }
        if (attempts > 0)
            whenOpen<Dialog>(handler, attempts - 1);
    });
}

QString link(const QString& text) { return "<font color=#0000FF><u>" + text + "</u></font>"; }

QString tableRow(const QStringList& cells) { return "<tr><td>" + cells.join("</td><td>") + "</td></tr>"; }

const QString kHeader = tableRow({"Opponent", "Range", "Prob(Range)", "Prob(case)", "Winner", "Win%", "Eq."});

QString reportText(const QString& resultRow, const QString& yourAction, const QString& correct,
                   const QStringList& pushRows, const QStringList& foldRows) {
    return "<table border=0><tr><td colspan=3><b><big>Result of analysis</big></b></td></tr>"
           "<tr><td>Push Eq</td><td>Fold Eq</td><td>Difference</td></tr>" +
           resultRow + "</table><br><b>Your Action : " + yourAction + "<br>Correct Action : " + correct +
           "<br></b><br><table border=0><tr><td colspan=3><b><big>Details for Push Eq.</big></b></td></tr>" +
           kHeader + pushRows.join(QString()) +
           "</table><br><table border=0><tr><td colspan=3><b><big>Details for Fold Eq.</big></b></td></tr>" +
           kHeader + foldRows.join(QString()) + "</table>";
}

// What the user sees of a report: the visible rows of the table and the text.
struct Snapshot {
    QString title;
    QList<int> rows;
    QList<QStringList> cells;
    QString text;
};

Snapshot snapshot(const CResult& report) {
    Snapshot s;
    s.title = report.windowTitle();
    for (int r = 0; r < CResult::kRows; ++r) {
        const auto& cellRow = report.cells[static_cast<std::size_t>(r)];
        if (cellRow[0]->isHidden())
            continue;
        s.rows << r;
        QStringList texts;
        for (QLabel* cell : cellRow)
            texts << cell->text();
        s.cells << texts;
    }
    s.text = report.reportText();
    return s;
}

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<grabber> window;
    Layout* table() const { return window->frame->table; }
    CPlayer* seat(int i) const { return table()->seatWidgets[static_cast<std::size_t>(i)]; }
    GameState& g() const { return *window->current; }
    torvel::SeatState& state(int i) const { return g().seats[static_cast<std::size_t>(i)]; }
    CMyLabel* clickable(CResult& report, int row, int column) const {
        return static_cast<CMyLabel*>(report.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
    }

    // Six players, hero AA in seat 3 with 1000 chips, winner-take-all.
    // Button 7, small blind 8, big blind 0; seat 2 (first to act, any two)
    // folds; seat 5 never calls; seats 7, 8 and 0 call with AA only.
    // Nobody holds less than the hero, so every all-in is for his 1000.
    void sixHanded() {
        for (int s : {3, 0, 2, 5, 7, 8})
            seat(s)->takeSeatButton->click();
        window->frame->payouts->setStructure({"100"});
        struct Spot {
            int seat, chips, rangeTo;
        };
        for (const Spot& spot : {Spot{0, 2000, 1}, Spot{2, 1000, 169}, Spot{3, 1000, 0}, Spot{5, 2500, 0},
                                 Spot{7, 1500, 1}, Spot{8, 2000, 1}}) {
            seat(spot.seat)->stack = spot.chips;
            seat(spot.seat)->bet = 0;
            seat(spot.seat)->rangeTo = seat(spot.seat)->range2To = spot.rangeTo;
            state(spot.seat).rangeTo = state(spot.seat).range2To = spot.rangeTo;
        }
        seat(3)->setCards(12, 25);  // Ah Ad
        state(3).card1 = 12;
        state(3).card2 = 25;
        state(3).handLow = 12;
        state(3).handHigh = 25;
        table()->setButton(7, true);
    }

    // Opens the report with "Details" as the user does and reads it; false
    // when no report opened.
    bool details(Snapshot& seen) {
        bool opened = false;
        whenOpen<CResult>([&seen, &opened](CResult* report) {
            opened = true;
            seen = snapshot(*report);
            report->close();
        });
        window->frame->detailsButton->click();
        return opened;
    }

private slots:
    void init() {
        window = std::make_unique<grabber>();
        QVERIFY2(window->tablesLoaded(), qPrintable(window->tableLoadError()));
        // The opponents' one-class ranges are AA, the hero's class.
        QCOMPARE(torvel::handClassName(window->handRanking().classAt(0)), std::string("AA"));
    }
    void cleanup() { window.reset(); }

    void pushCaseFromDetails() {
        sixHanded();
        QCOMPARE(g().decision, -3);
        Snapshot seen;
        QVERIFY(details(seen));  // computes first
        QCOMPARE(seen.title, QStringLiteral("Editor"));
        QCOMPARE(g().decision, 3);

        // The bottom six rows, the big blind last; seat 2 acted (folded)
        // before the hero, the others act after him.
        QCOMPARE(seen.rows, (QList<int>{4, 5, 6, 7, 8, 9}));
        const QList<QStringList> expectedCells = {
            {"MP+1", link("100.00"), link("1000"), "0", "10.00", link("Fold"), "100.00"},
            {"<font color=#0000FF>Hero</font>", "AA", link("1000"), "0", "10.00", "?", ""},
            {"Cut Off", link("0.00"), link("2500"), "0", "25.00", "", "0.00"},
            {"Button", link("0.59"), link("1500"), "0", "15.00", "", "0.45"},
            {"Small Blind", link("0.59"), link("1900"), "100", "20.00", "", "0.45"},
            {"Big Blind", link("0.59"), link("1800"), "200", "20.00", "", "0.45"},
        };
        for (int i = 0; i < expectedCells.size(); ++i)
            QCOMPARE(seen.cells[i], expectedCells[i]);
        // The positions stay in the situation.
        QCOMPARE(QString(state(2).position), QStringLiteral("MP+1"));
        QCOMPARE(QString(state(0).position), QStringLiteral("Big Blind"));

        // Winning against a caller the hero holds 2300, 2200 or 2100 of
        // the 10000 chips; losing he is out (0). Nobody calls with
        // (1 - 6/1326)^3 = 98.65 %, then he holds 1300: 13.00. Push =
        // 0.9865 * 0.13 + 0.115 * 0.45249 % + 0.11 * 0.45044 % + 0.105 *
        // 0.44840 % = 12.97; folding, each of the four still in takes the
        // blinds and the hero keeps his 1000: 10.00.
        const QString expected = reportText(
            "<tr><td><b><font color=#00FF00>12.97</font></b></td><td><b><font color=#FF0000>10.00</font></b></td>"
            "<td>2.97</td></tr>",
            "", "Push",
            {tableRow({"Cut Off", "0.00", "0.00", "0.00", "Hero", "100.00", "23.00"}),
             tableRow({"", "", "", "", "Cut Off", "0.00", "0.00"}),
             tableRow({"Button", "0.59", "0.45", "0.45", "Hero", "50.00", "23.00"}),
             tableRow({"", "", "", "", "Button", "50.00", "0.00"}),
             tableRow({"Small Blind", "0.59", "0.45", "0.45", "Hero", "50.00", "22.00"}),
             tableRow({"", "", "", "", "Small Blind", "50.00", "0.00"}),
             tableRow({"Big Blind", "0.59", "0.45", "0.45", "Hero", "50.00", "21.00"}),
             tableRow({"", "", "", "", "Big Blind", "50.00", "0.00"}),
             tableRow({"No Caller", "", "", "98.65", "Hero", "100.00", "13.00"})},
            {tableRow({"", "", "", "", "Cut Off", "25.00", "10.00"}),
             tableRow({"", "", "", "", "Button", "25.00", "10.00"}),
             tableRow({"", "", "", "", "Small Blind", "25.00", "10.00"}),
             tableRow({"", "", "", "", "Big Blind", "25.00", "10.00"})});
        QCOMPARE(seen.text, expected);
    }

    void callCaseAfterAnAllInFromTheTable() {
        sixHanded();
        state(2).rangeTo = state(2).range2To = 1;  // seat 2 pushes AA only
        seat(2)->rangeTo = seat(2)->range2To = 1;
        // The user raises seat 2 all-in (1000) with the action dialog.
        whenOpen<COppAction>([](COppAction* action) {
            action->raiseBox->click();
            action->raiseEdit->setText("1000");
            emit action->raiseEdit->editingFinished();
            action->closeButton->click();
        });
        QTest::mouseClick(seat(2), Qt::LeftButton, {}, QPoint(75, 40));
        QCOMPARE(g().raiserSeat, 2);

        Snapshot seen;
        QVERIFY(details(seen));
        QCOMPARE(seen.rows, (QList<int>{4, 5, 6, 7, 8, 9}));
        QCOMPARE(seen.cells[0],
                 (QStringList{"MP+1", link("0.59"), link("0"), "1000", "10.00", link("Push"), "100.00"}));
        QCOMPARE(seen.cells[2], (QStringList{"Cut Off", link("0.00"), link("2500"), "0", "25.00", "", "0.00"}));

        // Calling, the hero wins his 1000 and the pot of 1300: 2300 (23.00),
        // or is out; AA against AA: 50 %, so 11.50. Folding, he keeps 1000
        // whoever wins: 10.00.
        const QString expected = reportText(
            "<tr><td><b><font color=#00FF00>11.50</font></b></td><td><b><font color=#FF0000>10.00</font></b></td>"
            "<td>1.50</td></tr>",
            "", "Push",
            {tableRow({"MP+1", "0.59", "100.00", "100.00", "Hero", "50.00", "23.00"}),
             tableRow({"", "", "", "", "MP+1", "50.00", "0.00"})},
            {tableRow({"Cut Off", "0.00", "0.00", "0.00", "MP+1", "100.00", "10.00"}),
             tableRow({"", "", "", "", "Cut Off", "0.00", "10.00"}),
             tableRow({"Button", "0.59", "0.45", "0.45", "MP+1", "50.00", "10.00"}),
             tableRow({"", "", "", "", "Button", "50.00", "10.00"}),
             tableRow({"Small Blind", "0.59", "0.45", "0.45", "MP+1", "50.00", "10.00"}),
             tableRow({"", "", "", "", "Small Blind", "50.00", "10.00"}),
             tableRow({"Big Blind", "0.59", "0.45", "0.45", "MP+1", "50.00", "10.00"}),
             tableRow({"", "", "", "", "Big Blind", "50.00", "10.00"}),
             tableRow({"No Caller", "", "", "98.65", "MP+1", "100.00", "10.00"})});
        QCOMPARE(seen.text, expected);
    }

    void headsUpListsTwoRows() {
        for (int s : {4, 6})
            seat(s)->takeSeatButton->click();
        std::strcpy(state(4).position, "mine");
        for (int button : {4, 6}) {
            table()->setButton(button, true);
            CResult report(window.get(), "Heads", nullptr);
            report.buildReport(&g());
            const Snapshot seen = snapshot(report);
            QCOMPARE(seen.rows, (QList<int>{8, 9}));
            const QString hero = "<font color=#0000FF>Hero</font>";
            // The button posts the small blind heads-up.
            QCOMPARE(seen.cells[0][0], button == 4 ? hero : QStringLiteral("Small Blind"));
            QCOMPARE(seen.cells[1][0], button == 4 ? QStringLiteral("Big Blind") : hero);
            QCOMPARE(QString(state(4).position), QStringLiteral("mine"));  // never the hero's
        }
    }

    void tieAndAnswerWords() {
        for (int s : {1, 3, 5, 7, 9})
            seat(s)->takeSeatButton->click();  // hero 1
        table()->setButton(3, true);  // SB 5, BB 7, seat 9 folds, hero 1, seat 3 to act
        g().evPush = g().evFold = 0.25f;
        CResult report(window.get(), "Tie", nullptr);
        const QList<std::pair<int, QString>> answers = {{0, "Fold"}, {1, "Call"}, {2, "Raise"}, {3, "Push"},
                                                       {5, "Check"}, {4, ""},     {-2, ""}};
        for (const auto& [code, word] : answers) {
            g().heroAction = code;
            report.buildReport(&g());
            QVERIFY2(report.reportText().contains("<b>Your Action : " + word + "<br>"), qPrintable(word));
        }
        // Equal: push in plain red, fold in plain green, and the words say Push.
        QVERIFY(report.reportText().contains("<tr><td><font color=#FF0000>25.00</font></b></td>"
                                             "<td><font color=#00FF00>25.00</font></b></td><td>0.00</td></tr>"));
        QVERIFY(report.reportText().contains("Correct Action : Push<br>"));
        // Three opponents still in (seat 9 folded): each takes 33.33 % of the fold case.
        QCOMPARE(report.reportText().count("<td>33.33</td>"), 3);

        g().evPush = 0.2f;
        report.buildReport(&g());
        QVERIFY(report.reportText().contains("<font color=#FF0000>20.00</font></b></td><td><font color=#00FF00>25.00"));
        QVERIFY(report.reportText().contains("Correct Action : Fold<br>"));
        QVERIFY(report.reportText().contains("<td>-5.00</td>"));
    }

    void rangeCellShowsBounds_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("cell");
        QTest::newRow("top half") << 0 << 84 << link("49.70");
        QTest::newRow("band, upper bound first") << 5 << 50 << link("29.59 - 2.96");
        QTest::newRow("any two") << 0 << 169 << link("100.00");
    }
    void rangeCellShowsBounds() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, cell);
        for (int s : {2, 6})
            seat(s)->takeSeatButton->click();
        table()->setButton(2, true);  // hero 2 on the button, seat 6 big blind
        state(6).rangeFrom = from;
        state(6).rangeTo = to;
        CResult report(window.get(), "Range", nullptr);
        report.buildReport(&g());
        QCOMPARE(report.cells[9][1]->text(), cell);
        QCOMPARE(CResult::rangeText(state(6)), cell);
    }

    void stackCellAndRecompute() {
        sixHanded();
        window->frame->computeButton->click();
        CResult report(window.get(), "Editor", nullptr);
        report.buildReport(&g());
        const QString before = report.reportText();

        // The Cut Off's stack cell (row 6): the dialog starts from the chips
        // in the cell.
        int start = -1;
        QString title, label;
        whenOpen<QInputDialog>([&](QInputDialog* input) {
            title = input->windowTitle();
            label = input->labelText();
            start = input->intValue();
            input->setIntValue(4500);
            input->accept();
        });
        QTest::mouseClick(clickable(report, 6, 2), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("New Stacksize?"));
        QCOMPARE(label, QStringLiteral("Stacksize:"));
        QCOMPARE(start, 2500);
        QCOMPARE(state(5).stack, 4500);
        QCOMPARE(report.cells[6][2]->text(), link("4500"));
        QCOMPARE(seat(5)->stack, 4500);  // the table shows it too
        QCOMPARE(report.reportText(), before);  // not computed yet

        // A blind's cell shows the chips behind his blind, and so does the
        // dialog; cancelling changes nothing.
        start = -1;
        whenOpen<QInputDialog>([&start](QInputDialog* input) {
            start = input->intValue();
            input->reject();
        });
        QTest::mouseClick(clickable(report, 8, 2), Qt::LeftButton);
        QCOMPARE(report.cells[8][2]->text(), link("1900"));
        QCOMPARE(start, 1900);
        QCOMPARE(state(8).stack, 1900);
        QCOMPARE(state(8).bet, 100);

        // Recompute: 12000 chips in play now. Winning he holds 2300, 2300,
        // 2200 or 2100 of them, nobody calling 1300 (10.83), folding 1000
        // (8.33); push 0.9865 * 0.10833 + 0.0045249 * 0.5 * 0.19167 +
        // 0.0045044 * 0.5 * 0.18333 + 0.0044840 * 0.5 * 0.175 = 10.81.
        g().heroAction = 3;  // as the trainer's "Push" leaves it
        report.recomputeButton->click();
        const QString after = report.reportText();
        QVERIFY(after.contains("<b><font color=#00FF00>10.81</font></b></td><td><b><font color=#FF0000>8.33</font>"));
        QVERIFY(after.contains("<td>2.48</td>"));
        QVERIFY(after.contains(tableRow({"Cut Off", "0.00", "0.00", "0.00", "Hero", "100.00", "19.17"})));
        QVERIFY(after.contains(tableRow({"Small Blind", "0.59", "0.45", "0.45", "Hero", "50.00", "18.33"})));
        QVERIFY(after.contains(tableRow({"Big Blind", "0.59", "0.45", "0.45", "Hero", "50.00", "17.50"})));
        QVERIFY(after.contains(tableRow({"No Caller", "", "", "98.65", "Hero", "100.00", "10.83"})));
        QCOMPARE(report.cells[5][4]->text(), QStringLiteral("8.33"));   // the hero's 1000 of 12000
        QCOMPARE(report.cells[6][4]->text(), QStringLiteral("37.50"));  // 4500 of 12000
        // Recomputing keeps the hero's recorded answer.
        QCOMPARE(g().heroAction, 3);
        QVERIFY(after.contains("Your Action : Push<br>"));
    }

    void actionCellRebuildsWithoutComputing() {
        sixHanded();
        window->frame->computeButton->click();
        const float pushBefore = g().evPush;
        CResult report(window.get(), "Editor", nullptr);
        report.buildReport(&g());

        // Only players who acted before the hero have a clickable action.
        QCOMPARE(clickable(report, 6, 5)->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(clickable(report, 4, 5)->cursor().shape(), Qt::PointingHandCursor);
        // The Cut Off acts after the hero: no dialog (one that opened by
        // mistake is closed, so the test fails and goes on).
        auto watching = std::make_shared<bool>(true);
        bool opened = false;
        whenOpen<COppAction>([watching, &opened](COppAction* dialog) {
            if (*watching) {
                opened = true;
                dialog->close();
            }
        });
        QTest::mouseClick(clickable(report, 6, 5), Qt::LeftButton);
        *watching = false;
        QVERIFY(!opened);

        bool fromReport = false;
        whenOpen<COppAction>([&fromReport, &report](COppAction* action) {
            fromReport = action->report == &report;
            action->raiseBox->click();
            action->raiseEdit->setText("1000");
            emit action->raiseEdit->editingFinished();
            action->closeButton->click();
        });
        QTest::mouseClick(clickable(report, 4, 5), Qt::LeftButton);
        QVERIFY(fromReport);
        QCOMPARE(g().raiserSeat, 2);
        QCOMPARE(state(2).bet, 1000);
        QCOMPARE(state(2).stack, 0);
        QCOMPARE(seat(2)->bet, 1000);  // the table's seat follows
        // The row now shows the push; the numbers wait for "Recompute".
        QCOMPARE(report.cells[4][5]->text(), link("Push"));
        QCOMPARE(report.cells[4][2]->text(), link("0"));
        QCOMPARE(report.cells[4][3]->text(), QStringLiteral("1000"));
        QCOMPARE(g().evPush, pushBefore);
        // The text turned to the call case with the numbers of the push
        // case: seat 2's range (any two), share and case as they were.
        QVERIFY(report.reportText().contains(
            "Details for Push Eq.</big></b></td></tr>" + kHeader +
            "<tr><td>MP+1</td><td>100.00</td><td>100.00</td><td>100.00</td><td>Hero</td>"));
        QVERIFY(report.reportText().contains(tableRow({"No Caller", "", "", "98.65", "MP+1", "100.00", "13.00"})));
    }

    void rangeCellOpensTheRangeDialog() {
        sixHanded();
        window->frame->computeButton->click();
        CResult report(window.get(), "Editor", nullptr);
        report.buildReport(&g());
        QCOMPARE(clickable(report, 5, 1)->cursor().shape(), Qt::ArrowCursor);  // the hero's cards

        int mode = -1;
        whenOpen<CRange>([&mode](CRange* range) {
            mode = range->mode;
            range->maxSlider->setValue(84);
            range->close();
        });
        QTest::mouseClick(clickable(report, 7, 1), Qt::LeftButton);  // the Button, seat 7
        QCOMPARE(mode, 0);
        QCOMPARE(state(7).rangeTo, 84);
        QCOMPARE(seat(7)->rangeTo, 84);
        QCOMPARE(report.cells[7][1]->text(), link("49.70"));
        QCOMPARE(report.cells[7][6]->text(), QStringLiteral("0.45"));  // until "Recompute"
    }

    void listedHandLeavesTheTableAlone() {
        // A hand from the list is not the one on the table: editing it
        // from its report must not reach the table's seats.
        sixHanded();
        GameState listed = g();
        CResult report(window.get(), "Details for 1", nullptr);
        report.buildReport(&listed);
        GameState* const onTable = window->current;

        whenOpen<QInputDialog>([](QInputDialog* input) {
            input->setIntValue(700);
            input->accept();
        });
        QTest::mouseClick(clickable(report, 6, 2), Qt::LeftButton);
        QCOMPARE(listed.seats[5].stack, 700);
        QCOMPARE(state(5).stack, 2500);
        QCOMPARE(seat(5)->stack, 2500);

        whenOpen<CRange>([](CRange* range) {
            range->maxSlider->setValue(50);
            range->close();
        });
        QTest::mouseClick(clickable(report, 8, 1), Qt::LeftButton);  // Small Blind, seat 8
        QCOMPARE(listed.seats[8].rangeTo, 50);
        QCOMPARE(state(8).rangeTo, 1);
        QCOMPARE(seat(8)->rangeTo, 1);
        QCOMPARE(window->current, onTable);
        QCOMPARE(report.cells[8][1]->text(), link("29.59"));
    }

    void badSituationsListNothingOrWhatFits() {
        CResult report(window.get(), "Bad", nullptr);
        report.buildReport(nullptr);
        QCOMPARE(snapshot(report).rows.size(), 0);
        QCOMPARE(report.reportText(), QString());
        report.recomputeButton->click();  // nothing to compute

        for (int s : {1, 4, 8})
            seat(s)->takeSeatButton->click();
        table()->setButton(1, true);
        GameState bad = g();
        bad.buttonSeat = -1;
        report.buildReport(&bad);
        QCOMPARE(snapshot(report).rows.size(), 0);

        // A count that does not match the seats and no big blind flag: one
        // round at most, rows only where they fit.
        bad = g();
        bad.playerCount = 12;
        for (auto& s : bad.seats)
            s.isBigBlind = false;
        bad.raiserSeat = 42;
        bad.heroSeat = 11;
        report.buildReport(&bad);
        QVERIFY(snapshot(report).rows.size() <= 3);
        QVERIFY(report.reportText().endsWith(kHeader + "</table>"));  // no detail rows

        bad = g();
        bad.playerCount = 0;
        report.buildReport(&bad);
        QCOMPARE(snapshot(report).rows.size(), 0);
    }
};

QTEST_MAIN(ReportTest)
#include "report_test.moc"
