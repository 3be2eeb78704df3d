// "Nash Ranges" and the "Nash" profile give the ranges the solver gives for the same table.
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>

#include "deskfixture.h"
#include "engine/cards.h"
#include "engine/computedriver.h"
#include "engine/nashranges.h"
#include "gui/dialogs/analysisreportdialog.h"
#include "gui/dialogs/rangegrid.h"
#include "gui/dialogs/rangegridview.h"
#include "gui/nash/nashrangeswindow.h"
#include "gui/nash/nashsolvejob.h"

class NashTest : public QObject, DeskFixture {
    Q_OBJECT

    // The button (seat 0, the hero) with stack chips; the blinds hold 1400 each before posting.
    void seatThree(int stack) {
        sit({0, 3, 6});
        seat(0)->setStack(stack);
        state(0).stack = stack;
    }
    static torvel::NashTable tableOf(std::vector<std::int64_t> stacks) {
        return {.stacks = std::move(stacks), .smallBlind = 100, .bigBlind = 200, .payouts = {0.5, 0.3, 0.2}};
    }
    torvel::NashResult solved(const torvel::NashTable& t) const {
        torvel::SilentProgress quiet;
        return torvel::solveNash(t, window->desk().equityTable(), {}, quiet);
    }
    static bool settle(NashRangesWindow* nash) {
        QSignalSpy settled(nash, &NashRangesWindow::settled);
        return !nash->solving() || settled.wait(60000);
    }

private slots:
    void init() { startWindow(); }
    void cleanup() { window.reset(); }

    void windowComputesCancelsAndFollowsTheTable() {
        seatThree(2000);
        window->openNashRanges();
        NashRangesWindow* nash = window->nashRanges();
        QVERIFY(nash->solving() && settle(nash) && nash->result());
        // Action order from the button: the button first, the big blind last.
        const torvel::NashTable expected = tableOf({2000, 1400, 1400});
        QCOMPARE(nash->table().stacks, expected.stacks);
        QCOMPARE(nash->result()->profile.push, solved(expected).profile.push);
        QCOMPARE(nash->rangeChoice()->count(), 5);  // two pushers, three (pusher, caller) pairs
        QVERIFY(nash->resultText().startsWith(QStringLiteral("BU pushes (")));
        nash->rangeChoice()->setCurrentIndex(1);
        QCOMPARE(nash->grid()->range(), nash->result()->profile.push[1]);

        NashSolveJob* job = nash->job();
        nash->refresh();
        QCOMPARE(nash->job(), job);

        // Ten players take long enough to cancel; a cancelled table is not kept.
        sit({1, 2, 4, 5, 7, 8, 9});
        nash->refresh();
        QVERIFY(nash->solving() && nash->cancelButton()->isVisible());
        nash->cancelButton()->click();
        QVERIFY(settle(nash) && !nash->result() && !window->desk().nashStore().find(nash->table()));
        QVERIFY(nash->statusLabel()->text().contains(QStringLiteral("cancelled")));
    }

    // Each player after the pusher holds the band of his equilibrium call.
    void expectCallBands(const GameState& situation, const torvel::NashSpot& spot, const torvel::NashProfile& profile) {
        const int n = static_cast<int>(spot.seats.size());
        for (int k = spot.pusherAt + 1; k < n; ++k) {
            if (k == spot.heroAt)
                continue;
            const auto& range = profile.call[static_cast<std::size_t>(torvel::callIndex(n, spot.pusherAt, k))];
            const auto& seat = situation.seats[static_cast<std::size_t>(spot.seats[static_cast<std::size_t>(k)])];
            QCOMPARE(seat.rangeFrom, 0);
            QCOMPARE(seat.rangeTo, torvel::topBandForShare(window->desk().handRanking(), torvel::comboShare(range)));
        }
    }

    void applyNashGivesTheEquilibriumBands() {
        seatThree(2600);
        table()->profileCombo()->setCurrentIndex(TableView::kNashProfileIndex);
        table()->applyButton()->click();
        // The same table as torvel-cli nash --stacks 2600,1400,1400 --blinds 100,200.
        torvel::NashSpot spot;
        QCOMPARE(torvel::nashSpotOf(g(), spot), std::string());
        QCOMPARE(spot.table.stacks, tableOf({2600, 1400, 1400}).stacks);
        expectCallBands(g(), spot, solved(tableOf({2600, 1400, 1400})).profile);
    }

    void trainerDealsWithTheEquilibriumRanges() {
        table()->profileCombo()->setCurrentIndex(TableView::kNashProfileIndex);
        window->startTrainer();
        // Not every dealt spot is one the game knows (the big blind first in).
        torvel::NashSpot spot;
        for (int deal = 0; deal < 20 && !torvel::nashSpotOf(g(), spot).empty(); ++deal)
            window->nextTrainerSituation();
        QCOMPARE(torvel::nashSpotOf(g(), spot), std::string());
        const torvel::NashResult* kept = window->desk().nashStore().find(spot.table);
        QVERIFY(kept);
        expectCallBands(g(), spot, kept->profile);
    }

    void reportShowsTheEquilibriumOnceSolved() {
        seatThree(2600);
        table()->applyButton()->click();  // "Tight", and the analysis
        QVERIFY(g().pushRangeText[0] != '\0');
        AnalysisReportDialog report(&window->desk(), QStringLiteral("Details"));
        report.buildReport(&g());
        QVERIFY(!report.heroRangeGrid()->isHidden());
        QCOMPARE(report.heroRangeGrid()->range(), torvel::classesOfPushRangeText(g().pushRangeText));
        QVERIFY(report.equilibriumGrid()->isHidden());

        window->openNashRanges();
        QVERIFY(settle(window->nashRanges()));
        report.buildReport(&g());
        QVERIFY(!report.equilibriumGrid()->isHidden());
        QCOMPARE(report.equilibriumGrid()->range(), window->nashRanges()->result()->profile.push[0]);
    }

    void gridCellsHoldTheirClassInColoursApart() {
        QVERIFY(RangeGridView::colourOf(0.0) != RangeGridView::colourOf(0.5) &&
                RangeGridView::colourOf(0.5) != RangeGridView::colourOf(1.0));
        for (int at = 0; at < 169; ++at) {
            const int k = RangeGridView::classOfCell(at);
            QVERIFY(k >= 0);
            QCOMPARE(QString::fromStdString(torvel::handClassName(torvel::allHandClasses()[static_cast<std::size_t>(k)])),
                     rangegrid::cellName(at));
        }
    }
};

QTEST_MAIN(NashTest)
#include "nash_test.moc"
