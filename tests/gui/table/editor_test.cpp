// The table editor as a user drives it.
#include <QComboBox>
#include <QLabel>

#include "deskfixture.h"
#include "gui/dialogs/payoutpanel.h"
#include "gui/table/cardpickerdialog.h"
#include "gui/table/dealerbutton.h"

class EditorTest : public QObject, DeskFixture {
    Q_OBJECT

    // Bet and stack of each seat listed.
    QList<int> chips(std::initializer_list<int> seats) const {
        QList<int> out;
        for (int s : seats)
            out << state(s).bet << state(s).stack;
        return out;
    }

private slots:
    void init() { openDesk(); }
    void cleanup() { closeDesk(); }

    void seatingAndLeaving() {
        sit({3});  // the first player seated is the hero and gets the button
        QCOMPARE(QList<int>({g().heroSeat, state(3).status, table()->buttonSeat()}), QList<int>({3, 1, 3}));
        QCOMPARE(QList<int>({seat(3)->handLow(), seat(3)->handHigh()}), QList<int>({0, 18}));  // 2h and 7d
        QCOMPARE(state(3).stack + state(3).bet, 1400);  // 14 small blinds

        sit({6});
        QCOMPARE(QList<int>({state(6).status, state(6).rangeTo, state(6).range2To, state(6).card1, g().playerCount}),
                 QList<int>({2, 13, 13, -1, 2}));
        QCOMPARE(seat(6)->card1Image(), &window->resources().cardPicture(52));
        QVERIFY(!seat(6)->takeSeatButton()->isVisibleTo(seat(6)));
        seat(6)->leaveButton()->click();
        QCOMPARE(QList<int>({state(6).status, state(6).stack, g().playerCount}), QList<int>({0, 0, 1}));

        // The hero who leaves frees the hero seat for the next one seated.
        seat(3)->leaveButton()->click();
        QCOMPARE(QList<int>({g().heroSeat, window->desk().kept().heroSeat}), QList<int>({-1, -1}));
        sit({8});
        QCOMPARE(g().heroSeat, 8);
    }

    void buttonMovesPostAndRefundBlinds() {
        sit({0, 2, 5, 7});
        table()->setButton(0, true);
        QVERIFY(state(0).isButton && state(2).isSmallBlind && state(5).isBigBlind);
        QCOMPARE(chips({2, 5}), QList<int>({100, 1300, 200, 1200}));

        // A bet above the blind comes back when the player becomes a blind.
        seat(7)->setBet(600);
        seat(7)->setStack(800);
        table()->setButton(2, true);
        QVERIFY(!state(2).isSmallBlind && state(5).isSmallBlind && state(7).isBigBlind);
        QCOMPARE(chips({2, 5, 7}), QList<int>({0, 1400, 100, 1300, 200, 1200}));
        QVERIFY(!table()->buttonSpot(0)->isDealer() && table()->buttonSpot(2)->isDealer());

        g().raiserSeat = 0;  // the raiser who becomes a blind is no raiser any more
        table()->setButton(5, true);
        QCOMPARE(g().raiserSeat, -1);
        table()->setButton(4, true);  // an empty seat cannot take the button
        QCOMPARE(QList<int>({g().buttonSeat, table()->buttonSeat()}), QList<int>({5, 5}));
    }

    // Alone, a player posts the small blind only (the hero's label is one amount); heads-up the button posts it.
    void headsUpTheButtonPostsTheSmallBlind() {
        sit({1});
        QCOMPARE(QList<int>({state(1).isSmallBlind, state(1).isBigBlind, state(1).bet}), QList<int>({1, 0, 100}));
        sit({6});
        table()->setButton(6, true);
        QVERIFY(state(6).isSmallBlind && state(1).isBigBlind);
        QCOMPARE(chips({6, 1}), QList<int>({100, 1300, 200, 1200}));
        QCOMPARE(state(6).action, -1);  // no action reset heads-up
    }

    void actionsBetweenBigBlindAndHeroAreReset() {
        sit({4, 0, 2, 6, 8});  // hero 4
        table()->setButton(0, true);
        table()->setButton(6, true);  // SB 8, BB 0; 2 folds, hero 4, 6 has not acted
        QCOMPARE(QList<int>({state(2).action, state(6).action, state(8).action, state(0).action, state(4).action}),
                 QList<int>({0, -1, -1, -1, -1}));
        state(2).action = 2;  // the raiser keeps his action
        g().raiserSeat = 2;
        table()->setButton(6, true);
        QCOMPARE(QList<int>({state(2).action, g().raiserSeat}), QList<int>({2, 2}));
    }

    void blindLevelList() {
        sit({1, 3, 5});
        table()->setButton(1, true);
        QStringList offered;
        whenOpen<QInputDialog>([&offered](QInputDialog* dialog) {
            offered = dialog->comboBoxItems();
            dialog->setTextValue(QStringLiteral("200/400/25"));
            dialog->accept();
        });
        QTest::mouseClick(table(), Qt::LeftButton, {}, QPoint(40, 15));
        QCOMPARE(offered.size(), 26);
        QVERIFY(!offered.contains(QStringLiteral("6000/12000/200")));
        QCOMPARE(QList<int>({g().smallBlind, g().bigBlind, g().ante}), QList<int>({200, 400, 25}));
        QCOMPARE(table()->blindsText(), QStringLiteral("Blinds : 200 / 400 / 25"));

        window->showHandList();  // outside edit mode the list does not open
        QTest::mouseClick(table(), Qt::LeftButton, {}, QPoint(40, 15));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void cardPickerForbidsTheOtherCardAndOrdersTheClass() {
        sit({2});
        // The hero holds 2h (0) and 7d (18): for card 1 only the 7d cell is the back.
        CardPickerDialog first(window->desk(), window->resources(), seat(window->desk().kept().heroSeat), 0);
        const auto cells = first.findChildren<CardCell*>();
        QCOMPARE(cells.size(), 52);
        for (int i = 0; i < 52; ++i)
            QCOMPARE(cells[i]->card(), i == 18 ? 52 : i);
        QTest::mouseClick(cells[18], Qt::LeftButton);
        QCOMPARE(state(2).card1, 0);  // nothing happened

        // Kh beside 7d: the offsuit class is written (K, 7 + 13), which the
        // analysis rewrites to (7, K + 13); the widget keeps card order.
        QTest::mouseClick(cells[11], Qt::LeftButton);
        QCOMPARE(QList<int>({state(2).card1, state(2).handLow, state(2).handHigh}), QList<int>({11, 11, 18}));
        sit({5});
        table()->setButton(2, true);
        QCOMPARE(window->runAnalysis(-2), 0);
        QCOMPARE(QList<int>({state(2).handLow, state(2).handHigh}), QList<int>({5, 24}));
        QCOMPARE(QList<int>({seat(2)->handLow(), seat(2)->handHigh()}), QList<int>({11, 18}));

        // A suited hand with the higher rank first: Kh and 7h.
        CardPickerDialog second(window->desk(), window->resources(), seat(window->desk().kept().heroSeat), 1);
        const auto cells2 = second.findChildren<CardCell*>();
        QCOMPARE(cells2[11]->card(), 52);
        QTest::mouseClick(cells2[5], Qt::LeftButton);
        QCOMPARE(QList<int>({state(2).card2, state(2).handLow, state(2).handHigh}), QList<int>({5, 5, 11}));
    }

    void applyNeedsButtonAndHero() {
        const auto apply = [this] { table()->applyButton()->click(); };
        QCOMPARE(messageOf(apply), QStringLiteral("Error: No button set"));
        sit({3, 5});
        seat(3)->leaveButton()->click();
        QCOMPARE(messageOf(apply), QStringLiteral("Error: No player set"));

        sit({7, 9});  // 7 is the hero now
        table()->setButton(5, true);
        table()->profileCombo()->setCurrentIndex(2);
        table()->applyButton()->click();
        for (int s : {5, 9})
            QVERIFY(state(s).rangeTo > 0 && seat(s)->rangeTo() == state(s).rangeTo);
        QVERIFY(g().decision == 0 || g().decision == 3);
        QVERIFY(window->desk().answerCount() == 0 && list()->situations().isEmpty());
    }

    void computeWritesTheFeedback() {
        sit({4, 0, 2, 7});
        table()->setButton(2, true);  // hero 4 in the small blind
        QCOMPARE(g().decision, -3);
        frame()->computeButton()->click();
        QVERIFY(g().decision == 0 || g().decision == 3);
        QVERIFY(g().evPush > 0.0f && g().evFold > 0.0f && g().pushRangeText[0] != '\0');
        // "Compute" grades nothing: the hand list, which counts the score, stays empty.
        QCOMPARE(g().heroAction, -2);
        QVERIFY(window->desk().answerCount() == 0 && list()->situations().isEmpty());
        // The "Eq." lines and the verdict are painted from these fields.
        const QImage after = table()->grab().toImage();
        g().decision = -3;
        g().setPushRangeText({});
        QVERIFY(after != table()->grab().toImage());

        g().buttonSeat = -1;
        QCOMPARE(messageOf([this] { QCOMPARE(window->runAnalysis(-2), 1); }),
                 QStringLiteral("Error: No Button set.\nPlease set the Button and retry."));
        QCOMPARE(g().decision, -3);
    }

    void clearKeepsTheBlinds() {
        sit({1, 3, 5});
        table()->setBlinds(300, 600, 25);
        table()->setButton(1, true);
        frame()->computeButton()->click();
        frame()->clearButton()->click();
        QCOMPARE(QList<int>({g().playerCount, g().heroSeat, g().buttonSeat, g().decision, g().pushRangeText[0]}),
                 QList<int>({0, -1, -1, -3, 0}));
        // The level stays, without its ante.
        QCOMPARE(QList<int>({g().smallBlind, g().bigBlind, g().ante}), QList<int>({300, 600, 0}));
        QCOMPARE(table()->blindsText(), QStringLiteral("Blinds : 300 / 600"));
        for (int i = 0; i < 10; ++i)
            QVERIFY(seat(i)->status() == 0 && state(i).status == 0);
        sit({6});
        QCOMPARE(QList<int>({g().heroSeat, g().buttonSeat, state(6).stack + state(6).bet}),
                 QList<int>({6, 6, 14 * 300}));
    }

    void payoutPresetsAndWindowMenu() {
        PayoutPanel* payouts = frame()->payouts();
        payouts->fields()[8]->setText(QStringLiteral("7"));
        payouts->presetButtons()[4]->click();  // "5 Table"
        QCOMPARE(payouts->paidPlaces(), 7);
        QCOMPARE(window->desk().payoutPercent(8), 0.0);
        // 0 to 100 with a dot or a comma; a warning while the places miss 100.
        const struct {
            const char* typed;
            const char* shown;
            double used;
        } typed[] = {{"50,5", "50,5", 50.5}, {"-100", "100", 100.0}, {"abc", "", 0.0}, {"150", "15", 15.0},
                     {"100.01", "100.0", 100.0}, {"16.5", "16.5", 16.5}};
        for (const auto& t : typed) {
            payouts->fields()[2]->clear();
            QTest::keyClicks(payouts->fields()[2], QString::fromLatin1(t.typed));
            QCOMPARE(payouts->fields()[2]->text(), QString::fromLatin1(t.shown));
            QCOMPARE(window->desk().payoutPercent(2), t.used);
            QCOMPARE(payouts->totalWarning()->isHidden(), t.used == 16.5);
        }

        payouts->hide();
        window->syncWindowMenu();
        QVERIFY(!window->payoutAction()->isChecked());
        window->togglePayoutPanel();
        window->syncWindowMenu();
        QVERIFY(window->payoutAction()->isChecked());
    }

    // A level change only moves chips between stack and bet.
    void blindLevelChangesKeepEveryChip() {
        sit({1, 3, 5, 7});
        table()->setButton(1, true);  // small blind 3, big blind 5
        for (int s : {1, 3, 5, 7})
            seat(s)->setStack(state(s).stack = 140000);
        auto totals = [this] {
            QList<int> out;
            for (int s : {1, 3, 5, 7})
                out << state(s).stack + state(s).bet;
            return out;
        };
        const QList<int> before = totals();
        const struct {
            int smallBlind, bigBlind, ante;
        } levels[] = {{200, 400, 25}, {10000, 20000, 500}, {100, 200, 0}};
        for (const auto& l : levels) {
            table()->changeBlindLevel(l.smallBlind, l.bigBlind, l.ante);
            QCOMPARE(totals(), before);
            QCOMPARE(QList<int>({state(3).bet, state(5).bet, state(1).bet, state(7).bet}),
                     QList<int>({l.smallBlind, l.bigBlind, l.ante, l.ante}));
            for (int s : {1, 3, 5, 7})
                QCOMPARE(QList<int>({seat(s)->stack(), seat(s)->bet()}), QList<int>({state(s).stack, state(s).bet}));
        }
    }

    // Every edit drops the pushing range and the verdict (a range edit recomputes the verdict).
    void editsForgetTheVerdict() {
        sit({4, 0, 2, 7});
        table()->setButton(2, true);  // hero 4 in the small blind, big blind 7; 0 and 2 folded
        // Opens the seat's dialog with a click at the spot and closes it untouched.
        const auto clickAndClose = [this](int s, QPoint at) {
            return [this, s, at] {
                whenModal([](QWidget* w) { w->close(); });
                QTest::mouseClick(seat(s), Qt::LeftButton, {}, at);
            };
        };
        const struct {
            const char* edit;
            bool verdictKept;
            std::function<void()> run;
        } edits[] = {
            {"cards", false, clickAndClose(4, {10, 40})},
            {"stack", false, [this] {
                 answerStack(140000);  // the top level's stacks
                 QTest::mouseClick(seat(2), Qt::LeftButton, {}, QPoint(75, 92));
                 QCOMPARE(state(2).stack, 140000);
             }},
            {"action", false, clickAndClose(0, {75, 40})},
            {"button", false, [this] { table()->setButton(7, true); }},
            {"level", false, [this] { table()->changeBlindLevel(200, 400, 25); }},
            {"range", true, clickAndClose(7, {20, 107})},
        };
        for (const auto& e : edits) {
            frame()->computeButton()->click();
            QVERIFY(g().decision != -3 && g().pushRangeText[0] != '\0');
            e.run();
            QVERIFY2(g().pushRangeText[0] == '\0', e.edit);
            QVERIFY2((g().decision != -3) == e.verdictKept, e.edit);
        }
    }

    // A player who left and sits down again brings his chips, but no bet.
    void aSeatTakenAnewHasNoBet() {
        sit({1, 3, 5, 7});
        table()->setButton(1, true);
        state(7).action = 2;
        seat(7)->setBet(state(7).bet = 600);
        seat(7)->setStack(state(7).stack = 4400);
        seat(7)->leaveButton()->click();
        sit({7});
        QCOMPARE(QList<int>({state(7).bet, seat(7)->bet(), state(7).stack}), QList<int>({0, 0, 5000}));
        QVERIFY(state(7).action != 2);
    }

    void startupRefusesWithoutTables() {
        ScratchWorkingDirectory bare;
        QVERIFY(QFile::rename(QStringLiteral("table.res"), QStringLiteral("table.bak")));
        {
            MainWindow lonely;
            QVERIFY(!lonely.tablesLoaded());
            QVERIFY(lonely.tableLoadError().contains(QStringLiteral("table.res")));
        }
        QVERIFY(QFile::rename(QStringLiteral("table.bak"), QStringLiteral("table.res")));
        QVERIFY(QFile::resize(QStringLiteral("ranking.res"), 6));
        MainWindow truncated;
        QVERIFY(!truncated.tablesLoaded());
        QVERIFY(truncated.tableLoadError().contains(QStringLiteral("ranking.res: truncated")));
    }
};

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
