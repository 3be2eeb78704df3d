// The trainer as a user drives it: answers, score and its settings panel.
#include <QComboBox>
#include <QSlider>
#include <QTreeWidget>

#include <tuple>

#include "deskfixture.h"
#include "gui/dialogs/rangebanddialog.h"
#include "gui/trainer/trainersettingspanel.h"

class TrainerTest : public QObject, DeskFixture {
    Q_OBJECT

    TrainerSettingsPanel* panel() const { return window->frame()->trainerSettings(); }

    void startTrainer() { menuAction(*window, QStringLiteral("Trainer"), QStringLiteral("Start"))->trigger(); }

private slots:
    void init() { openDesk(); }
    void cleanup() { closeDesk(); }

    void tenAnswersAgreeWithTheHandList() {
        UnexpectedModals refusals;
        QVERIFY(panel()->isHidden());
        startTrainer();
        QCOMPARE(window->desk().mode(), DeskMode::Trainer);
        QVERIFY(panel()->isVisible() && frame()->pushButton()->isVisible() && !frame()->computeButton()->isVisible());
        QList<GameState*> answered;
        for (int n = 0; n < 10; ++n) {
            GameState* before = window->desk().situation();
            answered << before;
            (n % 3 == 0 ? frame()->foldButton() : frame()->pushButton())->click();
            // The next spot follows at once; the answered one went to the list.
            QVERIFY(window->desk().situation() != before);
            QCOMPARE(window->desk().situation()->decision, static_cast<int>(torvel::kDecisionNotComputed));
        }
        QVERIFY2(refusals.seen.isEmpty(), qPrintable(refusals.seen.join('\n')));

        QTreeWidget* tree = list()->tree();
        QCOMPARE(tree->topLevelItemCount(), 10);
        QCOMPARE(window->desk().answerCount(), 10);
        int right = 0;
        for (int row = 0; row < 10; ++row) {
            GameState* s = list()->situations()[row];
            QCOMPARE(s, answered[row]);
            QCOMPARE(s->heroAction, row % 3 == 0 ? 0 : 3);
            QCOMPARE(s->decision, s->evFold < s->evPush ? 3 : 0);
            right += s->heroAction == s->decision;
        }
        QCOMPARE(window->desk().correctCount(), right);

        // Starting again resets the score; the listed answers stay listed.
        startTrainer();
        QCOMPARE(window->desk().answerCount() + window->desk().correctCount(), 0);
        frame()->foldButton()->click();
        QCOMPARE(QList<int>({window->desk().answerCount(), tree->topLevelItemCount()}), QList<int>({1, 11}));
    }

    // A level chosen before gives way to "All" of the new room's list.
    void roomChangeRefillsTheLevels() {
        QComboBox* room = panel()->roomCombo();
        QComboBox* level = panel()->levelCombo();
        for (auto [index, count, last] : {std::tuple{1, 17, "300/600"}, std::tuple{2, 16, "10000/20000/500"}}) {
            level->setCurrentIndex(level->count() - 1);
            room->setCurrentIndex(index);
            QCOMPARE(QList<int>({level->count(), level->currentIndex()}), QList<int>({count, 0}));
            QCOMPARE(level->itemText(0) + " " + level->itemText(count - 1), QStringLiteral("All ") + last);
        }
    }

    void theSixEditsPersistInTheSettingsFile() {
        using Edit = QLineEdit* (TrainerSettingsPanel::*)() const;
        struct Row {
            Edit edit;
            const char* key;
            QString in, out;
        };
        // Defaults without a settings file; what is typed is written at once.
        const Row edits[] = {{&TrainerSettingsPanel::myStackMinEdit, "msMin", "4", "3"},
                             {&TrainerSettingsPanel::myStackMaxEdit, "msMax", "14", "17"},
                             {&TrainerSettingsPanel::myRangeMinEdit, "mrMin", "0", "5"},
                             {&TrainerSettingsPanel::myRangeMaxEdit, "mrMax", "40", "55"},
                             {&TrainerSettingsPanel::opponentStackMinEdit, "osMin", "4", "6"},
                             {&TrainerSettingsPanel::opponentStackMaxEdit, "osMax", "14", "20"}};
        for (const auto& e : edits) {
            QCOMPARE((panel()->*e.edit)()->text(), e.in);
            typeInto((panel()->*e.edit)(), e.out);
            QCOMPARE(settingsValue(e.key), e.out);
        }

        // Rejected text (or a minimum above its maximum) is not used; leaving the field shows the used value.
        const Row rejected[] = {{&TrainerSettingsPanel::myStackMinEdit, "msMin", "", "3"},
                                {&TrainerSettingsPanel::opponentStackMinEdit, "osMin", "0", "6"},
                                {&TrainerSettingsPanel::myStackMinEdit, "msMin", "18", "3"},
                                {&TrainerSettingsPanel::opponentStackMaxEdit, "osMax", "5", "20"}};
        for (const auto& r : rejected) {
            typeInto((panel()->*r.edit)(), r.in);
            QCOMPARE(QList<int>({panel()->trainerSettings().myStackMin, panel()->trainerSettings().opponentStackMin}),
                     QList<int>({3, 6}));
            QFocusEvent leave(QEvent::FocusOut);
            QApplication::sendEvent((panel()->*r.edit)(), &leave);
            QCOMPARE((panel()->*r.edit)()->text(), r.out);
            QCOMPARE(settingsValue(r.key), r.out);
        }

        // A new panel reads them back; its dealing band starts at 0..68 whatever the range edits say.
        TrainerSettingsPanel again(window->desk(), nullptr);
        for (const auto& e : edits)
            QCOMPARE((again.*e.edit)()->text(), e.out);
        QCOMPARE(QList<int>({again.bandLower(), again.bandUpper()}), QList<int>({0, 68}));

        // Hand-written values are held to the edits' bounds; text counts 0, so 1 big blind, below the
        // opponents' minimum of 4: that pair gives way to the defaults.
        const Row handWritten[] = {{&TrainerSettingsPanel::opponentStackMaxEdit, "osMax", "lots", "14"},
                                   {&TrainerSettingsPanel::myStackMaxEdit, "msMax", "2147483647", "20"},
                                   {&TrainerSettingsPanel::myStackMinEdit, "msMin", "-40", "1"},
                                   {&TrainerSettingsPanel::myRangeMaxEdit, "mrMax", "250", "100"}};
        torvel::IniFile settings(torvel::kSettingsFileName);
        for (const auto& h : handWritten)
            QVERIFY(settings.writeString(torvel::kSettingsSection, h.key, h.in.toStdString()));
        TrainerSettingsPanel third(window->desk(), nullptr);
        for (const auto& h : handWritten)
            QCOMPARE((third.*h.edit)()->text(), h.out);
        QCOMPARE(third.trainerSettings().myStackMax, 20);
    }

    void settingsThatCannotBeSavedAreToldOnce() {
        // Larger than the settings reader takes in: it is never rewritten.
        QFile big(QStringLiteral("VAZ.ini"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("[VAZ]\n" + QByteArray(1024 * 1024, ';'));
        big.close();
        const QString told = messageOf([this] { typeInto(panel()->myStackMinEdit(), QStringLiteral("5")); });
        QVERIFY2(told.startsWith("Error: The settings could not be saved.\n") && told.contains("VAZ.ini"),
                 qPrintable(told));
        // The program goes on with the value; a second failure says nothing.
        QCOMPARE(panel()->trainerSettings().myStackMin, 5);
        typeInto(panel()->myStackMaxEdit(), QStringLiteral("9"));
        QTest::qWait(100);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(big.size(), 6 + 1024 * 1024);
    }

    void pickWritesTheBandIntoThePanel() {
        QString startBand, minEditDuring;
        whenOpen<RangeBandDialog>([&](RangeBandDialog* dialog) {
            startBand = QStringLiteral("%1..%2").arg(dialog->minSlider()->value()).arg(dialog->maxSlider()->value());
            dialog->minSlider()->setValue(10);
            minEditDuring = panel()->myRangeMinEdit()->text();  // written at once
            dialog->presetButtons()[8]->click();                // the top 50 classes
            dialog->closeButton()->click();
        });
        panel()->pickButton()->click();
        QCOMPARE(startBand, QStringLiteral("0..68"));      // the panel's band
        QCOMPARE(minEditDuring, QStringLiteral("5.92"));  // 10 x 100 / 169
        QCOMPARE(QList<int>({panel()->bandLower(), panel()->bandUpper()}), QList<int>({10, 50}));
        QCOMPARE(panel()->myRangeMaxEdit()->text(), QStringLiteral("29.59"));

        startTrainer();
        for (int n = 0; n < 15; ++n) {
            const torvel::SeatState& hero = state(g().heroSeat);
            const int position = window->desk().handRanking().positionOf({hero.handLow, hero.handHigh});
            QVERIFY2(position >= 10 && position < 50, qPrintable(QString::number(position)));
            window->nextTrainerSituation();
        }
    }

    void dealtSpotsObeyThePanel() {
        UnexpectedModals refusals;
        panel()->roomCombo()->setCurrentIndex(2);   // PartyPoker
        panel()->levelCombo()->setCurrentIndex(4);  // level 3: 100/200
        typeInto(panel()->myStackMinEdit(), QStringLiteral("5"));
        typeInto(panel()->myStackMaxEdit(), QStringLiteral("5"));
        typeInto(panel()->opponentStackMinEdit(), QStringLiteral("8"));
        typeInto(panel()->opponentStackMaxEdit(), QStringLiteral("8"));
        startTrainer();
        using Hero = const torvel::SeatState&;
        const struct {
            int players, position;
            std::function<bool(Hero)> holds;
        } positions[] = {
            {4, 4, [](Hero h) { return h.isButton && h.bet == 0; }},
            {2, 2, [](Hero h) { return h.isBigBlind && h.bet == 200; }},
            {3, 1, [](Hero h) { return h.isSmallBlind && h.bet == 100; }},
            {10, 3, [](Hero h) { return !h.isSmallBlind && !h.isBigBlind && h.bet == 0; }},
        };
        for (const auto& p : positions) {
            panel()->playersCombo()->setCurrentIndex(p.players - 1);
            panel()->positionCombo()->setCurrentIndex(p.position);
            for (int n = 0; n < 8; ++n) {
                window->nextTrainerSituation();
                const torvel::SeatState& hero = state(g().heroSeat);
                QCOMPARE(QList<int>({g().playerCount, g().smallBlind, g().bigBlind, g().ante, hero.stack + hero.bet}),
                         QList<int>({p.players, 100, 200, 0, 1000}));  // 5 big blinds
                QVERIFY2(p.holds(hero), qPrintable(QString::number(n)));
                for (int s = 0; s < 10; ++s)
                    if (state(s).status == torvel::kSeatOpponent)
                        QCOMPARE(state(s).stack + state(s).bet, 1600);
            }
        }
        QVERIFY2(refusals.seen.isEmpty(), qPrintable(refusals.seen.join('\n')));
    }
};

QTEST_MAIN(TrainerTest)
#include "trainer_test.moc"
