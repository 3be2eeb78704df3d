// The opponent action dialog: chips move at once; "Close" makes an all-in player the raiser.
#include <QCheckBox>
#include <QIntValidator>

#include <tuple>

#include "deskfixture.h"
#include "gui/dialogs/analysisreportdialog.h"
#include "gui/table/opponentactiondialog.h"

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

}  // namespace

class ActionTest : public QObject, DeskFixture {
    Q_OBJECT

    std::unique_ptr<OpponentActionDialog> dialogFor(int seatIndex) {
        return std::make_unique<OpponentActionDialog>(&window->desk(), &g(), seatIndex);
    }
    // The situation and the table's seat widget show the same chips.
    void expectChips(int seatIndex, int stack, int bet) {
        QCOMPARE(QList<int>({state(seatIndex).stack, state(seatIndex).bet}), QList<int>({stack, bet}));
        QCOMPARE(QList<int>({seat(seatIndex)->stack(), seat(seatIndex)->bet()}), QList<int>({stack, bet}));
    }

private slots:
    // 1400 each, hero 3, button 7, blinds 8 and 0; seat 2 folded before the hero, 5, 7, 8 and 0 act after.
    void init() {
        openDesk();
        sit({3, 0, 2, 5, 7, 8});
        table()->setButton(7, true);
        QCOMPARE(state(2).action, 0);
    }
    void cleanup() { closeDesk(); }

    // Call one big blind, raise three, never more than the stack.
    void startValuesApplyAtOnce() {
        for (auto [action, bigBlind, bet] :
             {std::tuple{1, 200, 200}, std::tuple{2, 200, 600}, std::tuple{2, 600, 1400}}) {
            g().bigBlind = bigBlind;
            std::tie(state(2).action, state(2).stack, state(2).bet) = std::tuple(action, 1400, 0);
            auto dialog = dialogFor(2);
            expectChips(2, 1400 - bet, bet);
            QCOMPARE(dialog->raiseBox()->isChecked(), action == 2);
            QLineEdit* used = action == 1 ? dialog->callEdit() : dialog->raiseEdit();
            QCOMPARE(used->text(), QString::number(bet));
            QVERIFY(used->isEnabled() && !(action == 1 ? dialog->raiseEdit() : dialog->callEdit())->isEnabled());
            QCOMPARE(g().raiserSeat, -1);  // nobody is the raiser before "Close"
        }
    }

    void foldKeepsTheBlinds() {
        // The small blind who called, the big blind who raised, a caller.
        for (auto [s, action, stack, bet] : {std::tuple{8, 1, 1300, 100}, std::tuple{0, 2, 1200, 200},
                                             std::tuple{5, 1, 1400, 0}}) {
            state(s).action = action;
            auto dialog = dialogFor(s);
            QVERIFY(state(s).bet > bet);  // the start value went in
            g().raiserSeat = s;
            dialog->foldBox()->click();
            expectChips(s, stack, bet);
            QCOMPARE(QList<int>({state(s).action, g().raiserSeat}), QList<int>({0, -1}));
            QVERIFY(!dialog->callEdit()->isEnabled() && !dialog->raiseEdit()->isEnabled());
        }
        // A big blind with 150 in all, less than his blind, is no raiser.
        std::tie(state(0).stack, state(0).bet, state(0).action) = std::tuple(0, 150, 0);
        auto shortBlind = dialogFor(0);
        expectChips(0, 0, 150);
        shortBlind->closeButton()->click();
        QCOMPARE(g().raiserSeat, -1);
    }

    // All-in makes the raiser on "Close" or Return, not when the frame closes the dialog.
    void allInAndCloseMakesTheRaiser() {
        for (int action : {2, 1}) {
            state(5).action = action;
            g().raiserSeat = -1;
            auto dialog = dialogFor(5);
            typeInto(action == 2 ? dialog->raiseEdit() : dialog->callEdit(), "1400");
            expectChips(5, 0, 1400);
            QCOMPARE(g().raiserSeat, -1);
            dialog->closeButton()->click();
            QCOMPARE(g().raiserSeat, 5);
        }
        g().raiserSeat = -1;
        state(5).action = 2;
        whenModal([](QWidget* w) {
            if (auto* dialog = qobject_cast<OpponentActionDialog*>(w)) {
                dialog->raiseEdit()->setText("1400");
                emit dialog->raiseEdit()->editingFinished();  // as when the edit loses focus
            }
            w->close();
        });
        OpponentActionDialog(&window->desk(), &g(), 5).exec();
        expectChips(5, 0, 1400);
        QCOMPARE(g().raiserSeat, -1);

        bool stillOpen = true;
        whenModal([&stillOpen](QWidget* w) {
            if (auto* dialog = qobject_cast<OpponentActionDialog*>(w))
                typeInto(dialog->raiseEdit(), "1400");
            stillOpen = w->isVisible();
            w->close();
        });
        OpponentActionDialog(&window->desk(), &g(), 5).exec();
        QVERIFY(!stillOpen);
        QCOMPARE(g().raiserSeat, 5);
    }

    void reopeningTheRaiser() {
        std::tie(state(5).action, state(5).stack, state(5).bet, g().raiserSeat) = std::tuple(2, 0, 1400, 5);
        auto dialog = dialogFor(5);
        QCOMPARE(dialog->amountValidator()->top(), 1400);  // his own all-in stays within the bounds
        expectChips(5, 0, 1400);
        QCOMPARE(dialog->raiseEdit()->text(), QStringLiteral("1400"));
        dialog->closeButton()->click();
        QCOMPARE(g().raiserSeat, 5);

        // Switching from the all-in raise clears him as the raiser; another seat's raise is not touched.
        dialog->callBox()->click();
        QCOMPARE(QList<int>({g().raiserSeat, state(5).action}), QList<int>({-1, 1}));
        expectChips(5, 1200, 200);  // the call edit's amount
        g().raiserSeat = 5;
        dialog->foldBox()->click();
        QCOMPARE(g().raiserSeat, -1);
        expectChips(5, 1400, 0);
        g().raiserSeat = 2;
        dialog->callBox()->click();
        QCOMPARE(g().raiserSeat, 2);
    }

    // An amount out of bounds is held to them on leaving the field and on "Close".
    void amountsAreClampedToTheBounds() {
        const struct {
            int otherRaiser;
            const char* typed;
            bool byClose;
            int bet;
        } rows[] = {
            {-1, "9999", false, 1400}, {-1, "9999", true, 1400}, {-1, "50", false, 100}, {-1, "", true, 100},
            {-1, "700", true, 700},    {2, "1400", false, 1399}, {2, "9999", true, 1399},
        };
        for (const auto& r : rows) {
            std::tie(state(5).action, state(5).stack, state(5).bet) = std::tuple(1, 1400, 0);
            g().raiserSeat = r.otherRaiser;
            auto dialog = dialogFor(5);
            QCOMPARE(dialog->amountValidator()->bottom(), 100);  // the small blind
            QLineEdit* edit = dialog->callEdit();
            edit->clear();
            QTest::keyClicks(edit, QString::fromLatin1(r.typed));
            if (r.byClose)
                dialog->closeButton()->click();
            else
                emit edit->editingFinished();  // as when the field loses focus
            expectChips(5, 1400 - r.bet, r.bet);
            QCOMPARE(edit->text(), QString::number(r.bet));
            QCOMPARE(g().raiserSeat, r.otherRaiser == -1 && r.bet == 1400 && r.byClose ? 5 : r.otherRaiser);
        }

        // A start value of three big blinds (600) beside the raiser stops a chip short of his 500.
        std::tie(state(5).action, state(5).stack, state(5).bet, g().raiserSeat) = std::tuple(2, 500, 0, 2);
        auto shortStack = dialogFor(5);
        expectChips(5, 1, 499);
        QCOMPARE(shortStack->raiseEdit()->text(), QStringLiteral("499"));
    }

    // A click on "Folded" opens it at the fold; the table repaints while it is open; no range dialog follows.
    void clickOnTheTableOpensAndMirrors() {
        PaintCounter paints;
        table()->installEventFilter(&paints);
        QString title;
        bool openedOnTheFold = false;
        int paintsWhileOpen = -1;
        std::unique_ptr<UnexpectedModals> second;
        whenOpen<OpponentActionDialog>([&](OpponentActionDialog* dialog) {
            title = dialog->windowTitle();
            openedOnTheFold = dialog->foldBox()->isChecked();
            dialog->callBox()->click();
            paints.paints = 0;
            typeInto(dialog->callEdit(), "400");
            QApplication::processEvents();
            paintsWhileOpen = paints.paints;
            second = std::make_unique<UnexpectedModals>();
            dialog->closeButton()->click();
        });
        QTest::mouseClick(seat(2), Qt::LeftButton, {}, QPoint(30, 107));
        QCOMPARE(QList<bool>({openedOnTheFold, state(2).action == 1, paintsWhileOpen > 0}), QList<bool>(3, true));
        expectChips(2, 1000, 400);
        QVERIFY(second && second->seen.isEmpty());
        QCOMPARE(title, QStringLiteral("Action of %1").arg(QString::fromUtf8(state(2).name)));

        // A player after the hero has not acted: no dialog.
        UnexpectedModals watch;
        QTest::mouseClick(seat(5), Qt::LeftButton, {}, QPoint(75, 40));
        QVERIFY2(watch.seen.isEmpty(), qPrintable(watch.seen.join(", ")));
        QCOMPARE(state(5).action, -1);
    }

    void aListedHandKeepsItsBlindsAndLeavesTheTable() {
        GameState listed = g();
        std::tie(listed.smallBlind, listed.bigBlind, listed.seats[5].action) = std::tuple(200, 400, 1);
        AnalysisReportDialog report(&window->desk(), "Details for 1", nullptr);
        report.buildReport(&listed);
        OpponentActionDialog dialog(&window->desk(), &listed, 5);
        QCOMPARE(dialog.situation(), &listed);
        QCOMPARE(QList<int>({listed.seats[5].stack, listed.seats[5].bet}), QList<int>({1000, 400}));
        QCOMPARE(dialog.amountValidator()->bottom(), 200);
        expectChips(5, 1400, 0);  // the table shows another hand
        typeInto(dialog.callEdit(), "1400");
        dialog.closeButton()->click();
        QCOMPARE(listed.raiserSeat, 5);
        QCOMPARE(g().raiserSeat, -1);
    }
};

QTEST_MAIN(ActionTest)
#include "action_test.moc"
