// The table editor as a user drives it: seats, button, blinds, cards,
// profile, compute and clear.
#include <QComboBox>
#include <QDir>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "app/grabber.h"
#include "engine/gamestate.h"
#include "icm/citm.h"
#include "import/causwertung.h"
#include "modaldriver.h"
#include "table/cbutton.h"
#include "table/ccards.h"
#include "table/cplayer.h"
#include "table/layout.h"
#include "trainer/cmgr.h"

using torvel::GameState;

class EditorTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<grabber> window;
    Layout* table() const { return window->frame->table; }
    CPlayer* seat(int i) const { return table()->seatWidgets[static_cast<std::size_t>(i)]; }
    GameState& g() const { return *window->current; }
    void sit(std::initializer_list<int> seats) {
        for (int s : seats)
            seat(s)->takeSeatButton->click();
    }

private slots:
    void init() {
        window = std::make_unique<grabber>();
        QVERIFY2(window->tablesLoaded(), qPrintable(window->tableLoadError()));
        window->show();
    }
    void cleanup() { window.reset(); }

    void startsAsTheEditorWithBlinds100And200() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Torvel ICM 1.22c"));
        QCOMPARE(window->WindowMode, static_cast<int>(kModeEditor));
        QCOMPARE(g().smallBlind, 100);
        QCOMPARE(g().bigBlind, 200);
        QCOMPARE(table()->blindsText, QStringLiteral("Blinds : 100 / 200"));
        QVERIFY(!window->frame->pushButton->isVisible());
        QVERIFY(window->frame->computeButton->isVisible());
        QCOMPARE(g().handId, std::string("1"));
        for (int i = 0; i < 10; ++i)
            QVERIFY(std::strlen(g().seats[static_cast<std::size_t>(i)].name) >= 3);
    }

    void seatingAndLeaving() {
        sit({3});
        QCOMPARE(g().heroSeat, 3);
        QCOMPARE(window->cacheHeroSeat, 3);
        const auto& hero = g().seats[3];
        QCOMPARE(hero.status, 1);
        QCOMPARE(hero.card1, 0);
        QCOMPARE(hero.card2, 18);
        QCOMPARE(seat(3)->handLow, 0);
        QCOMPARE(seat(3)->handHigh, 18);  // 2h and 7d: offsuit
        QCOMPARE(hero.stack + hero.bet, 1400);  // 14 small blinds
        QCOMPARE(g().playerCount, 1);
        QCOMPARE(table()->buttonSeat, 3);  // the first player gets the button

        sit({6});
        const auto& opponent = g().seats[6];
        QCOMPARE(opponent.status, 2);
        QCOMPARE(opponent.rangeTo, 13);
        QCOMPARE(opponent.range2To, 13);
        QCOMPARE(opponent.card1, -1);
        QCOMPARE(seat(6)->card1Image, &window->cardPicture(52));
        QCOMPARE(g().playerCount, 2);
        QVERIFY(seat(6)->leaveButton->isVisibleTo(seat(6)));
        QVERIFY(!seat(6)->takeSeatButton->isVisibleTo(seat(6)));

        // An opponent keeps his stack when he sits down again.
        seat(6)->stack = 5000;
        g().seats[6].stack = 5000;
        const int chips = seat(6)->stack + seat(6)->bet;
        seat(6)->leaveButton->click();
        QCOMPARE(g().seats[6].status, 0);
        QCOMPARE(g().seats[6].stack, 0);
        QCOMPARE(g().playerCount, 1);
        sit({6});
        QCOMPARE(seat(6)->stack + seat(6)->bet, chips);

        // The hero who leaves frees the hero seat: the next one seated is the hero.
        seat(3)->leaveButton->click();
        QCOMPARE(g().heroSeat, -1);
        QCOMPARE(window->cacheHeroSeat, -1);
        sit({8});
        QCOMPARE(g().heroSeat, 8);
        QCOMPARE(g().seats[8].status, 1);
        QCOMPARE(g().seats[8].stack + g().seats[8].bet, 1400);
    }

    void buttonMovesPostAndRefundBlinds() {
        sit({0, 2, 5, 7});
        table()->setButton(0, true);
        // Button 0, small blind 2, big blind 5.
        QVERIFY(g().seats[2].isSmallBlind);
        QVERIFY(g().seats[5].isBigBlind);
        QCOMPARE(g().seats[2].bet, 100);
        QCOMPARE(g().seats[5].bet, 200);
        QCOMPARE(g().seats[2].stack, 1300);
        QCOMPARE(g().seats[5].stack, 1200);
        QVERIFY(g().seats[0].isButton);
        QCOMPARE(table()->buttonSpots[0]->dealer, 1);

        // A bet above the blind comes back when the player becomes a blind.
        seat(7)->bet = 600;
        seat(7)->stack = 800;
        table()->setButton(2, true);
        QVERIFY(!g().seats[2].isSmallBlind);
        QCOMPARE(g().seats[2].bet, 0);
        QCOMPARE(g().seats[2].stack, 1400);
        QVERIFY(g().seats[5].isSmallBlind);
        QCOMPARE(g().seats[5].bet, 100);
        QCOMPARE(g().seats[5].stack, 1300);
        QVERIFY(g().seats[7].isBigBlind);
        QCOMPARE(g().seats[7].bet, 200);
        QCOMPARE(g().seats[7].stack, 1200);
        QCOMPARE(table()->buttonSpots[0]->dealer, 0);
        QCOMPARE(table()->buttonSpots[2]->dealer, 1);

        // The raiser who becomes a blind is no raiser any more.
        g().raiserSeat = 0;
        table()->setButton(5, true);
        QCOMPARE(g().raiserSeat, -1);

        // An empty seat cannot take the button.
        table()->setButton(4, true);
        QCOMPARE(g().buttonSeat, 5);
        QCOMPARE(table()->buttonSeat, 5);
    }

    void headsUpTheButtonPostsTheSmallBlind() {
        sit({1, 6});
        table()->setButton(6, true);
        QVERIFY(g().seats[6].isSmallBlind);
        QVERIFY(g().seats[1].isBigBlind);
        QCOMPARE(g().seats[6].bet, 100);
        QCOMPARE(g().seats[1].bet, 200);
        // No action reset heads-up.
        QCOMPARE(g().seats[6].action, -1);
    }

    void actionsBetweenBigBlindAndHeroAreReset() {
        sit({4, 0, 2, 6, 8});  // hero 4
        table()->setButton(0, true);  // SB 2, BB 4? no: SB 2, BB 4 is the hero
        table()->setButton(6, true);  // SB 8, BB 0; then 2 folds, hero 4, 6 not acted
        QCOMPARE(g().seats[2].action, 0);
        QCOMPARE(g().seats[6].action, -1);
        QCOMPARE(g().seats[8].action, -1);
        QCOMPARE(g().seats[0].action, -1);
        QCOMPARE(g().seats[4].action, -1);
        // The raiser keeps his action.
        g().seats[2].action = 2;
        g().raiserSeat = 2;
        table()->setButton(6, true);
        QCOMPARE(g().seats[2].action, 2);
        QCOMPARE(g().raiserSeat, 2);
    }

    void blindLevelList() {
        sit({1, 3, 5});
        table()->setButton(1, true);
        QStringList offered;
        whenModal([&offered](QWidget* w) {
            auto* dialog = qobject_cast<QInputDialog*>(w);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("New Blindlevel?"));
            QCOMPARE(dialog->labelText(), QStringLiteral("Blinds:"));
            offered = dialog->comboBoxItems();
            dialog->setTextValue(QStringLiteral("200/400/25"));
            dialog->accept();
        });
        QTest::mouseClick(table(), Qt::LeftButton, {}, QPoint(40, 15));
        QCOMPARE(offered.size(), 26);
        QCOMPARE(offered.first(), QStringLiteral("100/200"));
        QCOMPARE(offered.last(), QStringLiteral("10000/20000/500"));
        QVERIFY(!offered.contains(QStringLiteral("6000/12000/200")));
        QCOMPARE(g().smallBlind, 200);
        QCOMPARE(g().bigBlind, 400);
        QCOMPARE(g().ante, 25);
        QCOMPARE(table()->blindsText, QStringLiteral("Blinds : 200 / 400 / 25"));
        // Posted again at the new level: SB 3, BB 5.
        QCOMPARE(g().seats[3].bet, 200);
        QCOMPARE(g().seats[5].bet, 400);
        QCOMPARE(g().seats[1].bet, 25);  // the ante in front of the others

        // Outside edit mode the list does not open.
        window->slot_qaShow();
        QTest::mouseClick(table(), Qt::LeftButton, {}, QPoint(40, 15));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void cardPickerForbidsTheOtherCardAndOrdersTheClass() {
        sit({2});
        CCards first(window.get(), 0);
        // The hero holds 2h (0) and 7d (18): for card 1 the 7d cell is the back.
        auto cells = first.findChildren<CCardlist*>();
        QCOMPARE(cells.size(), 52);
        int forbidden = 0;
        for (auto* c : cells)
            forbidden += c->card == 52 ? 1 : 0;
        QCOMPARE(forbidden, 1);
        QCOMPARE(cells[18]->card, 52);
        QCOMPARE(cells[0]->card, 0);  // the card being replaced can be picked again
        QTest::mouseClick(cells[18], Qt::LeftButton);
        QCOMPARE(g().seats[2].card1, 0);  // nothing happened

        // Kh as card 1 beside 7d: the offsuit class is written in reverse,
        // (K, 7 + 13), which the analysis rewrites to (7, K + 13).
        QTest::mouseClick(cells[11], Qt::LeftButton);
        QCOMPARE(g().seats[2].card1, 11);
        QCOMPARE(g().seats[2].handLow, 11);
        QCOMPARE(g().seats[2].handHigh, 18);
        sit({5});
        table()->setButton(2, true);
        QCOMPARE(window->runAnalysis(-2), 0);
        QCOMPARE(g().seats[2].handLow, 5);
        QCOMPARE(g().seats[2].handHigh, 24);
        QCOMPARE(seat(2)->handLow, 11);  // the widget keeps card order
        QCOMPARE(seat(2)->handHigh, 18);

        // A suited hand with the higher rank first: Kh and 7h.
        CCards second(window.get(), 1);
        auto cells2 = second.findChildren<CCardlist*>();
        QCOMPARE(cells2[11]->card, 52);
        QTest::mouseClick(cells2[5], Qt::LeftButton);
        QCOMPARE(g().seats[2].card2, 5);
        QCOMPARE(g().seats[2].handLow, 5);
        QCOMPARE(g().seats[2].handHigh, 11);
        QCOMPARE(second.windowTitle(), QStringLiteral("Pick card no.2"));
    }

    void applyNeedsButtonAndHero() {
        QString title, text;
        acceptMessageBox(&title, &text);
        table()->applyButton->click();
        QCOMPARE(title, QStringLiteral("Error"));
        QCOMPARE(text, QStringLiteral("No button set"));

        sit({3, 5});
        seat(3)->leaveButton->click();
        title.clear();
        acceptMessageBox(&title, &text);
        table()->applyButton->click();
        QCOMPARE(text, QStringLiteral("No player set"));

        sit({7, 9});  // 7 is the hero now
        table()->setButton(5, true);
        table()->profileCombo->setCurrentIndex(2);
        table()->applyButton->click();
        // The profile set every opponent's range, mirrored in the seat widgets.
        for (int s : {5, 9}) {
            QVERIFY(g().seats[static_cast<std::size_t>(s)].rangeTo > 0);
            QCOMPARE(seat(s)->rangeTo, g().seats[static_cast<std::size_t>(s)].rangeTo);
        }
        QVERIFY(g().decision == 0 || g().decision == 3);
    }

    void computeWritesTheFeedback() {
        sit({4, 0, 2, 7});
        table()->setButton(2, true);  // hero 4 in the small blind
        QCOMPARE(g().decision, -3);
        window->frame->computeButton->click();
        QVERIFY(g().decision == 0 || g().decision == 3);
        QVERIFY(g().evPush > 0.0f);
        QVERIFY(g().evFold > 0.0f);
        QVERIFY(std::strlen(g().pushRangeText) > 0);
        QCOMPARE(g().heroAction, -2);
        // "Compute" grades nothing: the score is recounted from the hand
        // list, which an editor analysis does not enter.
        QCOMPARE(window->answerCount, 0);
        QVERIFY(window->frame->handList->situations.isEmpty());
        // The "Eq." lines and the verdict are painted from these fields; the
        // picture differs from the one before the analysis.
        const QImage after = table()->grab().toImage();
        g().decision = -3;
        g().setPushRangeText({});
        const QImage before = table()->grab().toImage();
        QVERIFY(after != before);
    }

    void computeRefusesWithoutButton() {
        sit({4});
        table()->buttonSeat = -1;
        g().buttonSeat = -1;
        QString title, text;
        acceptMessageBox(&title, &text);
        QCOMPARE(window->runAnalysis(-2), 1);
        QCOMPARE(title, QStringLiteral("Error"));
        QCOMPARE(text, QStringLiteral("No Button set.\nPlease set the Button and retry."));
        QCOMPARE(g().decision, -3);
        QCOMPARE(window->answerCount, 0);
    }

    void clearKeepsTheBlinds() {
        sit({1, 3, 5});
        table()->setBlinds(300, 600, 25);
        table()->setButton(1, true);
        window->frame->computeButton->click();
        window->frame->clearButton->click();
        QCOMPARE(g().playerCount, 0);
        QCOMPARE(g().heroSeat, -1);
        QCOMPARE(g().buttonSeat, -1);
        QCOMPARE(g().decision, -3);
        QCOMPARE(g().pushRangeText[0], '\0');
        QCOMPARE(g().smallBlind, 300);
        QCOMPARE(g().bigBlind, 600);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(seat(i)->status, 0);
            QCOMPARE(g().seats[static_cast<std::size_t>(i)].status, 0);
        }
        // The first player seated afterwards gets the button and is the hero.
        sit({6});
        QCOMPARE(g().heroSeat, 6);
        QCOMPARE(g().buttonSeat, 6);
        QCOMPARE(g().seats[6].stack + g().seats[6].bet, 14 * 300);
    }

    void payoutPresetsAndWindowMenu() {
        CITM* payouts = window->frame->payouts;
        QCOMPARE(window->payoutPercent(0), 50.0);
        QCOMPARE(payouts->paidPlaces(), 3);
        payouts->fields[8]->setText(QStringLiteral("7"));
        payouts->presetButtons[4]->click();  // "5 Table"
        QCOMPARE(payouts->paidPlaces(), 7);
        QCOMPARE(window->payoutPercent(8), 0.0);
        QCOMPARE(window->payoutPercent(1), 21.5);
        payouts->presetButtons[5]->click();  // "Heads Up"
        QCOMPARE(payouts->paidPlaces(), 1);
        payouts->fields[2]->setText(QStringLiteral("abc"));
        QCOMPARE(window->payoutPercent(2), 0.0);

        payouts->hide();
        window->slot_Fenster();
        QVERIFY(!window->payoutAction->isChecked());
        window->slot_Pool();
        window->slot_Fenster();
        QVERIFY(window->payoutAction->isChecked());
    }

    void modesShowTheirButtons() {
        window->slot_qaShow();
        QCOMPARE(window->WindowMode, static_cast<int>(kModeHandList));
        QVERIFY(!table()->editMode);
        QVERIFY(!window->frame->computeButton->isVisible());
        QVERIFY(!window->frame->pushButton->isVisible());
        QVERIFY(window->frame->plotButton->isVisible());
        window->slot_qaEditor();
        QVERIFY(table()->editMode);
        QVERIFY(window->frame->computeButton->isVisible());
        QVERIFY(!window->frame->editButton->isVisible());
    }

    void startupRefusesWithoutTables() {
        QTemporaryDir empty;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(empty.path());
        grabber lonely;
        QDir::setCurrent(previous);
        QVERIFY(!lonely.tablesLoaded());
        QVERIFY(lonely.tableLoadError().contains(QStringLiteral("table.res")));

        // A truncated ranking is named as such.
        QFile::copy(previous + "/table.res", empty.filePath("table.res"));
        QFile ranking(empty.filePath("ranking.res"));
        QVERIFY(ranking.open(QIODevice::WriteOnly));
        ranking.write(QByteArray("\xA9\x00\x00\x00\x0c\x19", 6));
        ranking.close();
        QDir::setCurrent(empty.path());
        grabber truncated;
        QDir::setCurrent(previous);
        QVERIFY(!truncated.tablesLoaded());
        QVERIFY(truncated.tableLoadError().contains(QStringLiteral("ranking.res")));
        QVERIFY(truncated.tableLoadError().contains(QStringLiteral("truncated")));
    }
};

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
