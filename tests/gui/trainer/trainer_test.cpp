// The trainer as a user drives it: "Trainer" > "Start", ten answers, the
// score against the hand list, the settings panel with its persisted edits,
// "Pick" and the spots dealt from the panel.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <tuple>

#include <memory>

#include "gui/app/mainwindow.h"
#include "settings/inifile.h"
#include "engine/gamestate.h"
#include "gui/handlist/handlistpanel.h"
#include "modaldriver.h"
#include "gui/dialogs/rangebanddialog.h"
#include "gui/table/tableview.h"
#include "gui/trainer/tableframe.h"
#include "gui/trainer/trainersettingspanel.h"

using torvel::GameState;

namespace {

// Types text into an edit and presses Enter, as a user finishes an edit.
void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace

class TrainerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScratchWorkingDirectory> scratch;
    std::unique_ptr<MainWindow> window;
    TableFrame* frame() const { return window->frame(); }
    TrainerSettingsPanel* panel() const { return window->frame()->trainerSettings(); }
    HandListPanel* handList() const { return window->frame()->handList(); }
    GameState& g() const { return *window->desk().situation(); }

    void startTrainer() {
        QAction* start = menuAction(*window, QStringLiteral("Trainer"), QStringLiteral("Start"));
        QVERIFY(start);
        start->trigger();
    }

    QString settingsValue(const char* key) const {
        const torvel::IniFile settings(torvel::kSettingsFileName);
        return QString::fromStdString(settings.readString(torvel::kSettingsSection, key, "<absent>"));
    }

    int heroRankingPosition() const {
        const auto& hero = g().seats[static_cast<std::size_t>(g().heroSeat)];
        return window->desk().handRanking().positionOf({hero.handLow, hero.handHigh});
    }

private slots:
    void init() {
        // VAZ.ini is written by these tests: never into the shared runtime.
        scratch = std::make_unique<ScratchWorkingDirectory>();
        window = std::make_unique<MainWindow>();
        QVERIFY2(window->tablesLoaded(), qPrintable(window->tableLoadError()));
        window->show();
    }
    void cleanup() {
        window.reset();
        scratch.reset();
    }

    void startShowsTheTrainerAndResetsTheScore() {
        window->desk().setScore(7, 3);
        QVERIFY(panel()->isHidden());
        startTrainer();

        QCOMPARE(window->desk().mode(), DeskMode::Trainer);
        QVERIFY(frame()->pushButton()->isVisible());
        QVERIFY(frame()->foldButton()->isVisible());
        QVERIFY(!frame()->computeButton()->isVisible());
        QVERIFY(panel()->isVisible());
        QVERIFY(handList()->isVisible());
        QVERIFY(!window->desk().editMode());
        QCOMPARE(window->desk().answerCount(), 0);
        QCOMPARE(window->desk().correctCount(), 0);

        // A dealt, unanswered spot is on the table.
        QVERIFY(g().heroSeat >= 0 && g().heroSeat <= 9);
        QVERIFY(g().playerCount >= 2 && g().playerCount <= 10);
        QCOMPARE(g().occupiedSeatCount(), g().playerCount);
        QCOMPARE(g().decision, static_cast<int>(torvel::kDecisionNotComputed));
        QVERIFY(heroRankingPosition() >= 0 && heroRankingPosition() < 68);
    }

    void tenAnswersAgreeWithTheHandList() {
        UnexpectedModals refusals;
        startTrainer();
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

        QTreeWidget* tree = handList()->tree();
        QCOMPARE(tree->topLevelItemCount(), 10);
        QCOMPARE(handList()->situations().size(), 10);
        QCOMPARE(window->desk().answerCount(), 10);
        int green = 0;
        for (int row = 0; row < 10; ++row) {
            GameState* s = handList()->situations()[row];
            QCOMPARE(s, answered[row]);
            // The answer given, and the verdict of the analysis.
            QCOMPARE(s->heroAction, row % 3 == 0 ? 0 : 3);
            QCOMPARE(s->decision, s->evFold < s->evPush ? 3 : 0);
            QVERIFY(s->evPush > 0.0f || s->evFold > 0.0f);
            QTreeWidgetItem* item = tree->topLevelItem(row);
            const QColor colour = item->foreground(0).color();
            const bool right = s->heroAction == s->decision;
            QCOMPARE(colour, right ? QColor(Qt::darkGreen) : QColor(Qt::red));
            green += right ? 1 : 0;
        }
        QCOMPARE(window->desk().correctCount(), green);

        // Recounting from the list gives the same score.
        window->updateScore();
        QCOMPARE(window->desk().answerCount(), 10);
        QCOMPARE(window->desk().correctCount(), green);

        // Starting again resets the score; the listed answers stay listed.
        startTrainer();
        QCOMPARE(window->desk().answerCount(), 0);
        QCOMPARE(window->desk().correctCount(), 0);
        frame()->foldButton()->click();
        QCOMPARE(window->desk().answerCount(), 1);
        QVERIFY(window->desk().correctCount() <= 1);
        QCOMPARE(handList()->tree()->topLevelItemCount(), 11);
    }

    void roomChangeRefillsTheLevels() {
        QComboBox* room = panel()->roomCombo();
        QComboBox* level = panel()->levelCombo();
        QCOMPARE(room->count(), 3);

        const struct {
            int room;
            QStringList levels;  // "All", then a few by index
            int count;
            QString last;
        } rooms[] = {
            {1, {"All", "10/20", "15/30", "20/40"}, 17, "300/600"},
            {2, {"All", "20/40", "30/60", "50/100", "100/200", "200/400", "300/600", "400/800/25"}, 16,
             "10000/20000/500"},
            {0, {"All", "10/20", "15/30", "25/50", "50/100", "75/150", "100/200/25"}, 11, "600/1200/50"},
        };
        for (const auto& r : rooms) {
            level->setCurrentIndex(level->count() - 1);  // a level chosen before
            room->setCurrentIndex(r.room);
            QCOMPARE(level->count(), r.count);
            QCOMPARE(level->currentIndex(), 0);
            QCOMPARE(level->currentText(), QStringLiteral("All"));
            for (int i = 0; i < r.levels.size(); ++i)
                QCOMPARE(level->itemText(i), r.levels[i]);
            QCOMPARE(level->itemText(r.count - 1), r.last);
        }
    }

    void theSixEditsPersistInTheSettingsFile() {
        const QString runtimeSettings = QDir(scratch->original()).filePath(QStringLiteral("VAZ.ini"));
        const bool runtimeHadSettings = QFile::exists(runtimeSettings);

        // Defaults without a settings file; what is typed is written at once.
        QVERIFY(!QFile::exists(scratch->filePath(QStringLiteral("VAZ.ini"))));
        using Edit = QLineEdit* (TrainerSettingsPanel::*)() const;
        const struct {
            Edit edit;
            const char* key;
            QString fallback;
            QString typed;
        } edits[] = {{&TrainerSettingsPanel::myStackMinEdit, "msMin", "4", "3"},
                     {&TrainerSettingsPanel::myStackMaxEdit, "msMax", "14", "17"},
                     {&TrainerSettingsPanel::myRangeMinEdit, "mrMin", "0", "5"},
                     {&TrainerSettingsPanel::myRangeMaxEdit, "mrMax", "40", "55"},
                     {&TrainerSettingsPanel::opponentStackMinEdit, "osMin", "4", "6"},
                     {&TrainerSettingsPanel::opponentStackMaxEdit, "osMax", "14", "20"}};
        for (const auto& e : edits) {
            QCOMPARE((panel()->*e.edit)()->text(), e.fallback);
            typeInto((panel()->*e.edit)(), e.typed);
            QCOMPARE(settingsValue(e.key), e.typed);
        }
        QVERIFY(QFile::exists(scratch->filePath(QStringLiteral("VAZ.ini"))));
        QCOMPARE(QFile::exists(runtimeSettings), runtimeHadSettings);

        // Rejected text is never written nor dealt with, and leaving the
        // field puts the value in use back; so does a minimum above its maximum.
        const struct {
            Edit edit;
            const char* key;
            QString typed;
            QString kept;
        } rejected[] = {{&TrainerSettingsPanel::myStackMinEdit, "msMin", "", "3"},
                        {&TrainerSettingsPanel::opponentStackMinEdit, "osMin", "0", "6"},
                        {&TrainerSettingsPanel::myStackMinEdit, "msMin", "18", "3"},
                        {&TrainerSettingsPanel::opponentStackMaxEdit, "osMax", "5", "20"}};
        for (const auto& r : rejected) {
            typeInto((panel()->*r.edit)(), r.typed);
            QCOMPARE(panel()->trainerSettings().myStackMin, 3);
            QCOMPARE(panel()->trainerSettings().opponentStackMin, 6);
            QFocusEvent leave(QEvent::FocusOut);
            QApplication::sendEvent((panel()->*r.edit)(), &leave);
            QCOMPARE((panel()->*r.edit)()->text(), r.kept);
            QCOMPARE(settingsValue(r.key), r.kept);
        }

        // A new panel reads them back; the dealing band starts at 0..68
        // whatever the range edits say.
        TrainerSettingsPanel again(window->desk(), nullptr);
        for (const auto& e : edits)
            QCOMPARE((again.*e.edit)()->text(), e.typed);
        QCOMPARE(again.bandLower(), 0);
        QCOMPARE(again.bandUpper(), 68);

        // Values written by hand are held to what the edits accept; text
        // counts 0, so 1 big blind, below the opponents' minimum of 4: that
        // pair gives way to the defaults.
        const struct {
            const char* key;
            const char* written;
            QLineEdit* (TrainerSettingsPanel::*edit)() const;
            const char* shown;
        } handWritten[] = {{"osMax", "lots", &TrainerSettingsPanel::opponentStackMaxEdit, "14"},
                           {"msMax", "2147483647", &TrainerSettingsPanel::myStackMaxEdit, "20"},
                           {"msMin", "-40", &TrainerSettingsPanel::myStackMinEdit, "1"},
                           {"mrMax", "250", &TrainerSettingsPanel::myRangeMaxEdit, "100"},
                           {"mrMin", "-1", &TrainerSettingsPanel::myRangeMinEdit, "0"}};
        torvel::IniFile settings(torvel::kSettingsFileName);
        for (const auto& h : handWritten)
            QVERIFY(settings.writeString(torvel::kSettingsSection, h.key, h.written));
        TrainerSettingsPanel third(window->desk(), nullptr);
        for (const auto& h : handWritten)
            QCOMPARE((third.*h.edit)()->text(), QString::fromLatin1(h.shown));
        QCOMPARE(third.trainerSettings().myStackMax, 20);
    }

    void settingsThatCannotBeSavedAreToldOnce() {
        // Larger than the settings reader takes in: it is never rewritten.
        QFile big(QStringLiteral("VAZ.ini"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("[VAZ]\n" + QByteArray(1024 * 1024, ';'));
        big.close();
        QString title, text;
        whenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            std::tie(title, text) = std::tuple(box->windowTitle(), box->text());
            box->accept();
        });
        typeInto(panel()->myStackMinEdit(), QStringLiteral("5"));
        QTRY_VERIFY(!title.isEmpty());
        QCOMPARE(title, QStringLiteral("Error"));
        QVERIFY2(text.startsWith(QStringLiteral("The settings could not be saved.\n")) &&
                     text.contains(QStringLiteral("VAZ.ini")),
                 qPrintable(text));
        // The program goes on with the value; a second failure says nothing.
        QCOMPARE(panel()->trainerSettings().myStackMin, 5);
        typeInto(panel()->myStackMaxEdit(), QStringLiteral("9"));
        QTest::qWait(100);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(big.size(), 6 + 1024 * 1024);
    }

    void pickWritesTheBandIntoThePanel() {
        bool opened = false;
        QString labelDuring;
        QString minEditDuring;
        whenOpen<RangeBandDialog>([&](RangeBandDialog* dialog) {
            opened = true;
            // The dialog starts on the panel's band, 0..68.
            QCOMPARE(dialog->minSlider()->value(), 0);
            QCOMPARE(dialog->maxSlider()->value(), 68);
            dialog->minSlider()->setValue(10);
            minEditDuring = panel()->myRangeMinEdit()->text();  // written at once
            dialog->presetButtons()[8]->click();       // the top 50 classes
            labelDuring = dialog->rangeLabel()->text();
            dialog->closeButton()->click();
        });
        panel()->pickButton()->click();
        QVERIFY(opened);

        QCOMPARE(minEditDuring, QStringLiteral("5.92"));  // 10 x 100 / 169
        QCOMPARE(labelDuring, QStringLiteral("Range: 23.67 %"));  // 40 classes
        QCOMPARE(panel()->bandLower(), 10);
        QCOMPARE(panel()->bandUpper(), 50);
        QCOMPARE(panel()->myRangeMinEdit()->text(), QStringLiteral("5.92"));
        QCOMPARE(panel()->myRangeMaxEdit()->text(), QStringLiteral("29.59"));

        // The next spots draw the hero's hand from positions 10..49.
        startTrainer();
        for (int n = 0; n < 15; ++n) {
            const int position = heroRankingPosition();
            QVERIFY2(position >= 10 && position < 50, qPrintable(QString::number(position)));
            window->nextTrainerSituation();
        }
    }

    void dealtSpotsObeyThePanel() {
        UnexpectedModals refusals;
        panel()->playersCombo()->setCurrentIndex(3);  // "4"
        panel()->positionCombo()->setCurrentIndex(4); // "Button"
        panel()->roomCombo()->setCurrentIndex(2);     // PartyPoker
        panel()->levelCombo()->setCurrentIndex(4);    // level 3: 100/200
        typeInto(panel()->myStackMinEdit(), QStringLiteral("5"));
        typeInto(panel()->myStackMaxEdit(), QStringLiteral("5"));
        typeInto(panel()->opponentStackMinEdit(), QStringLiteral("8"));
        typeInto(panel()->opponentStackMaxEdit(), QStringLiteral("8"));
        startTrainer();
        for (int n = 0; n < 12; ++n) {
            QCOMPARE(g().playerCount, 4);
            QCOMPARE(g().occupiedSeatCount(), 4);
            QCOMPARE(g().smallBlind, 100);
            QCOMPARE(g().bigBlind, 200);
            QCOMPARE(g().ante, 0);
            QCOMPARE(g().buttonSeat, g().heroSeat);
            const auto& hero = g().seats[static_cast<std::size_t>(g().heroSeat)];
            QVERIFY(hero.isButton);
            QCOMPARE(hero.stack, 1000);  // 5 big blinds, no blind to post
            QCOMPARE(hero.bet, 0);
            for (int s = 0; s < 10; ++s) {
                const auto& seat = g().seats[static_cast<std::size_t>(s)];
                if (seat.status == torvel::kSeatOpponent)
                    QCOMPARE(seat.stack + seat.bet, 1600);
            }
            (n % 2 ? frame()->pushButton() : frame()->foldButton())->click();
        }

        // Each position of the combo reaches the deal (PokerStars level 5 is
        // 100/200/25); the big blind heads-up always faces the small blind's all-in.
        panel()->roomCombo()->setCurrentIndex(0);
        panel()->levelCombo()->setCurrentIndex(6);
        using Hero = const torvel::SeatState&;
        const struct {
            int players, position;
            std::function<bool(Hero)> holds;
        } positions[] = {
            {2, 2, [this](Hero h) {
                 return h.isBigBlind && h.bet == 200 && h.stack == 1000 - 25 - 200 && g().raiserSeat != -1 &&
                        g().seats[static_cast<std::size_t>(g().raiserSeat)].isSmallBlind &&
                        g().seats[static_cast<std::size_t>(g().raiserSeat)].stack == 0;
             }},
            {3, 1, [](Hero h) { return h.isSmallBlind; }},
            {10, 3, [](Hero h) { return !h.isSmallBlind && !h.isBigBlind; }},
        };
        for (const auto& p : positions) {
            panel()->playersCombo()->setCurrentIndex(p.players - 1);
            panel()->positionCombo()->setCurrentIndex(p.position);
            for (int n = 0; n < 8; ++n) {
                window->nextTrainerSituation();
                QCOMPARE(g().playerCount, p.players);
                QCOMPARE(g().ante, 25);
                QVERIFY2(p.holds(g().seats[static_cast<std::size_t>(g().heroSeat)]), qPrintable(QString::number(p.players)));
            }
        }
        QVERIFY2(refusals.seen.isEmpty(), qPrintable(refusals.seen.join('\n')));
    }
};

QTEST_MAIN(TrainerTest)
#include "trainer_test.moc"
