// The opponent action dialog: fold, call and raise move chips between the
// seat's stack and bet at once; "Close" makes an all-in player the raiser.
#include <QCheckBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "app/grabber.h"
#include "engine/gamestate.h"
#include "ranges/cresult.h"
#include "table/coppaction.h"
#include "table/cplayer.h"
#include "table/layout.h"
#include "table/seatdialogs.h"
#include "trainer/cmgr.h"

using torvel::GameState;

// Runs handler on the first modal dialog of type Dialog (polling up to
// three seconds); other modal windows are let be.
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

class ActionTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<grabber> window;
    Layout* table() const { return window->frame->table; }
    CPlayer* seat(int i) const { return table()->seatWidgets[static_cast<std::size_t>(i)]; }
    GameState& g() const { return *window->current; }
    torvel::SeatState& state(int i) const { return g().seats[static_cast<std::size_t>(i)]; }

    std::unique_ptr<COppAction> dialogFor(int seatIndex) {
        return std::make_unique<COppAction>(window.get(), state(seatIndex), seatIndex, nullptr, nullptr);
    }
    // Types an amount and presses Return, as the user does.
    static void type(QLineEdit* edit, const QString& amount) {
        edit->selectAll();
        QTest::keyClicks(edit, amount);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void expectChips(int seatIndex, int stack, int bet) {
        QCOMPARE(state(seatIndex).stack, stack);
        QCOMPARE(state(seatIndex).bet, bet);
        // The table's seat widget shows the same.
        QCOMPARE(seat(seatIndex)->stack, stack);
        QCOMPARE(seat(seatIndex)->bet, bet);
    }

private slots:
    // Six players with 1400 each, hero in seat 3; button 7, small blind 8
    // (100 in), big blind 0 (200 in); seat 2 folded before the hero, seats
    // 5, 7, 8 and 0 act after him.
    void init() {
        window = std::make_unique<grabber>();
        QVERIFY2(window->tablesLoaded(), qPrintable(window->tableLoadError()));
        for (int s : {3, 0, 2, 5, 7, 8})
            seat(s)->takeSeatButton->click();
        table()->setButton(7, true);
        QCOMPARE(state(2).action, 0);
        QCOMPARE(state(8).bet, 100);
        QCOMPARE(state(0).bet, 200);
    }
    void cleanup() { window.reset(); }

    void startValuesApplyAtOnce_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("bigBlind");
        QTest::addColumn<int>("bet");
        QTest::addColumn<QString>("shown");
        QTest::newRow("call one big blind") << 1 << 200 << 200 << "200";
        QTest::newRow("raise three big blinds") << 2 << 200 << 600 << "600";
        QTest::newRow("call 600 of 1400") << 1 << 600 << 600 << "600";
        // Three big blinds are more than he has: all-in, never below zero.
        QTest::newRow("raise beyond the stack") << 2 << 600 << 1400 << "1400";
    }
    void startValuesApplyAtOnce() {
        QFETCH(int, action);
        QFETCH(int, bigBlind);
        QFETCH(int, bet);
        QFETCH(QString, shown);
        g().bigBlind = bigBlind;
        state(2).action = action;
        auto dialog = dialogFor(2);
        expectChips(2, 1400 - bet, bet);
        QCOMPARE(dialog->callBox->isChecked(), action == 1);
        QCOMPARE(dialog->raiseBox->isChecked(), action == 2);
        QLineEdit* used = action == 1 ? dialog->callEdit : dialog->raiseEdit;
        QLineEdit* other = action == 1 ? dialog->raiseEdit : dialog->callEdit;
        QCOMPARE(used->text(), shown);
        QVERIFY(used->isEnabled());
        QVERIFY(!other->isEnabled());
        QCOMPARE(state(2).action, action);
        QCOMPARE(g().raiserSeat, -1);  // nobody is the raiser before "Close"
    }

    void foldKeepsTheBlinds_data() {
        QTest::addColumn<int>("seatIndex");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("stackAfter");
        QTest::addColumn<int>("betAfter");
        QTest::newRow("small blind who called") << 8 << 1 << 1300 << 100;
        QTest::newRow("big blind who raised") << 0 << 2 << 1200 << 200;
        QTest::newRow("caller gets his call back") << 5 << 1 << 1400 << 0;
    }
    void foldKeepsTheBlinds() {
        QFETCH(int, seatIndex);
        QFETCH(int, action);
        QFETCH(int, stackAfter);
        QFETCH(int, betAfter);
        state(seatIndex).action = action;
        auto dialog = dialogFor(seatIndex);
        QVERIFY(state(seatIndex).bet > betAfter);  // the start value went in
        g().raiserSeat = seatIndex;
        dialog->foldBox->click();
        QCOMPARE(state(seatIndex).action, 0);
        expectChips(seatIndex, stackAfter, betAfter);
        QCOMPARE(g().raiserSeat, -1);
        for (QWidget* w : {static_cast<QWidget*>(dialog->callLabel), static_cast<QWidget*>(dialog->callEdit),
                           static_cast<QWidget*>(dialog->raiseLabel), static_cast<QWidget*>(dialog->raiseEdit)})
            QVERIFY(!w->isEnabled());
    }

    void aShortBlindFoldsWhatHeHasAndIsNoRaiser() {
        // The big blind holds 150 in all, less than his blind.
        state(0).stack = 0;
        state(0).bet = 150;
        state(0).action = 0;
        auto dialog = dialogFor(0);
        expectChips(0, 0, 150);
        dialog->closeButton->click();
        QCOMPARE(g().raiserSeat, -1);
    }

    void allInAndCloseMakesTheRaiser() {
        state(5).action = 2;
        auto dialog = dialogFor(5);
        type(dialog->raiseEdit, "1400");
        expectChips(5, 0, 1400);
        QCOMPARE(g().raiserSeat, -1);  // not before "Close"
        dialog->closeButton->click();
        QCOMPARE(g().raiserSeat, 5);

        // Calling all-in counts the same.
        state(5).action = 1;
        g().raiserSeat = -1;
        auto caller = dialogFor(5);
        type(caller->callEdit, "1400");
        caller->closeButton->click();
        QCOMPARE(g().raiserSeat, 5);
    }

    void closingByTheFrameLeavesTheRaiser() {
        state(5).action = 2;
        whenOpen<COppAction>([](COppAction* dialog) {
            dialog->raiseEdit->setText("1400");
            emit dialog->raiseEdit->editingFinished();  // as when the edit loses focus
            dialog->close();
        });
        openOpponentAction(window.get(), state(5), 5, nullptr, nullptr);
        expectChips(5, 0, 1400);
        QCOMPARE(g().raiserSeat, -1);

        // Return in an amount presses "Close", the dialog's default.
        bool stillOpen = false;
        whenOpen<COppAction>([&stillOpen](COppAction* dialog) {
            type(dialog->raiseEdit, "1400");
            stillOpen = dialog->isVisible();
            if (stillOpen)
                dialog->close();
        });
        openOpponentAction(window.get(), state(5), 5, nullptr, nullptr);
        QVERIFY(!stillOpen);
        QCOMPARE(g().raiserSeat, 5);
    }

    void reopeningTheRaiser() {
        state(5).action = 2;
        state(5).stack = 0;
        state(5).bet = 1400;
        g().raiserSeat = 5;
        // His own all-in stays within the bounds.
        auto dialog = dialogFor(5);
        QCOMPARE(static_cast<const QIntValidator*>(dialog->raiseEdit->validator())->top(), 1400);
        // Opening put three big blinds in; closing so, he is no longer all-in.
        expectChips(5, 800, 600);
        QCOMPARE(g().raiserSeat, 5);  // raising leaves the raiser alone
        dialog->closeButton->click();
        QCOMPARE(g().raiserSeat, -1);

        g().raiserSeat = 5;
        auto again = dialogFor(5);
        type(again->raiseEdit, "1400");
        again->closeButton->click();
        QCOMPARE(g().raiserSeat, 5);
    }

    void validatorBounds() {
        state(5).action = 1;
        auto free = dialogFor(5);
        auto* bounds = static_cast<const QIntValidator*>(free->callEdit->validator());
        QCOMPARE(free->raiseEdit->validator(), free->callEdit->validator());
        QCOMPARE(bounds->bottom(), 100);  // the small blind
        QCOMPARE(bounds->top(), 1400);
        type(free->callEdit, "50");  // below the small blind: not taken
        expectChips(5, 1200, 200);
        free.reset();

        // Only one player can be all-in before the hero.
        g().raiserSeat = 2;
        auto beside = dialogFor(5);
        QCOMPARE(static_cast<const QIntValidator*>(beside->callEdit->validator())->top(), 1399);
        type(beside->callEdit, "1400");
        expectChips(5, 1200, 200);
        type(beside->callEdit, "1399");
        expectChips(5, 1, 1399);
        beside->closeButton->click();
        QCOMPARE(g().raiserSeat, 2);
    }

    void aStartValueBesideTheRaiserStopsAChipShort() {
        g().raiserSeat = 2;
        state(5).action = 2;
        state(5).stack = 500;
        auto dialog = dialogFor(5);  // three big blinds (600) are more than his 500
        expectChips(5, 1, 499);
        QCOMPARE(dialog->raiseEdit->text(), QStringLiteral("499"));
    }

    void switchingClearsTheRaiser() {
        state(5).action = 2;
        auto dialog = dialogFor(5);
        type(dialog->raiseEdit, "1400");
        dialog->closeButton->click();
        QCOMPARE(g().raiserSeat, 5);

        dialog->callBox->click();
        QCOMPARE(g().raiserSeat, -1);
        QCOMPARE(state(5).action, 1);
        expectChips(5, 1200, 200);  // the call edit's amount

        g().raiserSeat = 5;
        dialog->foldBox->click();
        QCOMPARE(g().raiserSeat, -1);
        expectChips(5, 1400, 0);

        // Another seat's raise is not touched.
        g().raiserSeat = 2;
        dialog->callBox->click();
        QCOMPARE(g().raiserSeat, 2);
    }

    void clickOnTheTableOpensAndMirrors() {
        bool openedOnTheFold = false;
        whenOpen<COppAction>([&openedOnTheFold](COppAction* dialog) {
            openedOnTheFold = dialog->foldBox->isChecked();  // seat 2 folded
            dialog->callBox->click();
            type(dialog->callEdit, "400");
            dialog->closeButton->click();
        });
        QTest::mouseClick(seat(2), Qt::LeftButton, {}, QPoint(75, 40));
        QVERIFY(openedOnTheFold);
        QCOMPARE(state(2).action, 1);
        expectChips(2, 1000, 400);

        // A player after the hero has not acted: no dialog (one that
        // opened by mistake is closed, so the test fails and goes on).
        auto watching = std::make_shared<bool>(true);
        bool opened = false;
        whenOpen<COppAction>([watching, &opened](COppAction* dialog) {
            if (*watching) {
                opened = true;
                dialog->close();
            }
        });
        QTest::mouseClick(seat(5), Qt::LeftButton, {}, QPoint(75, 40));
        *watching = false;
        QVERIFY(!opened);
        QCOMPARE(state(5).action, -1);
    }

    void aListedHandKeepsItsBlindsAndLeavesTheTable() {
        GameState listed = g();
        listed.smallBlind = 200;
        listed.bigBlind = 400;
        listed.seats[5].action = 1;
        CResult report(window.get(), "Details for 1", nullptr);
        report.buildReport(&listed);
        COppAction dialog(window.get(), listed.seats[5], 5, &report, nullptr);
        QCOMPARE(dialog.situation(), &listed);
        QCOMPARE(listed.seats[5].bet, 400);
        QCOMPARE(listed.seats[5].stack, 1000);
        QCOMPARE(static_cast<const QIntValidator*>(dialog.callEdit->validator())->bottom(), 200);
        // The table's situation and seat widget are another hand's.
        expectChips(5, 1400, 0);
        type(dialog.callEdit, "1400");
        dialog.closeButton->click();
        QCOMPARE(listed.raiserSeat, 5);
        QCOMPARE(g().raiserSeat, -1);
    }
};

QTEST_MAIN(ActionTest)
#include "action_test.moc"
