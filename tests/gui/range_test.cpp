// The range dialogs as a user drives them: the seat's own range and its
// calling range on the table, and the band dialog that writes into two
// integers of its caller.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyleFactory>
#include <QtTest>

#include <memory>

#include "app/grabber.h"
#include "engine/gamestate.h"
#include "modaldriver.h"
#include "ranges/crange.h"
#include "ranges/crangegen.h"
#include "table/cplayer.h"
#include "table/layout.h"
#include "trainer/cmgr.h"

using torvel::GameState;

namespace {

// Empty when exactly the ranking positions lower .. upper - 1 are checked,
// else the first position that is not as it should be.
template <typename Dialog>
QString bandMismatch(const Dialog& dialog, int lower, int upper) {
    for (int k = 0; k < 169; ++k) {
        const bool inBand = k >= lower && k < upper;
        if (dialog.cellsByRank[static_cast<std::size_t>(k)]->isChecked() != inBand)
            return QStringLiteral("position %1 is %2").arg(k).arg(inBand ? "unchecked" : "checked");
    }
    return {};
}

constexpr const char* kEveryHand =
    "22+, A2s+, K2s+, Q2s+, J2s+, T2s+, 92s+, 82s+, 72s+, 62s+, 52s+, 42s+, 32s+, "
    "A2o+, K2o+, Q2o+, J2o+, T2o+, 92o+, 82o+, 72o+, 62o+, 52o+, 42o+, 32o+, ";

}  // namespace

class RangeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<grabber> window;
    Layout* table() const { return window->frame->table; }
    CPlayer* seat(int i) const { return table()->seatWidgets[static_cast<std::size_t>(i)]; }
    GameState& g() const { return *window->current; }
    torvel::SeatState& state(int i) const { return g().seats[static_cast<std::size_t>(i)]; }

    // Gives opponent seat 6 an own range and a calling range in the widget
    // and in the situation.
    void setRanges(int from, int to, int from2, int to2) {
        seat(6)->rangeFrom = state(6).rangeFrom = from;
        seat(6)->rangeTo = state(6).rangeTo = to;
        seat(6)->range2From = state(6).range2From = from2;
        seat(6)->range2To = state(6).range2To = to2;
    }
    // The four bounds of seat 6, which widget and situation must agree on.
    void expectRanges(int from, int to, int from2, int to2) {
        QCOMPARE(seat(6)->rangeFrom, from);
        QCOMPARE(seat(6)->rangeTo, to);
        QCOMPARE(seat(6)->range2From, from2);
        QCOMPARE(seat(6)->range2To, to2);
        QCOMPARE(state(6).rangeFrom, from);
        QCOMPARE(state(6).rangeTo, to);
        QCOMPARE(state(6).range2From, from2);
        QCOMPARE(state(6).range2To, to2);
    }

private slots:
    void initTestCase() {
        // The program's own style: it paints a checked cell in the light colour.
        if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
            QApplication::setStyle(style);
    }

    void init() {
        window = std::make_unique<grabber>();
        QVERIFY2(window->tablesLoaded(), qPrintable(window->tableLoadError()));
        window->show();
        seat(0)->takeSeatButton->click();  // hero
        seat(6)->takeSeatButton->click();  // opponent, top 13 classes
    }
    void cleanup() { window.reset(); }

    void opensOnTheSeatsOwnRange() {
        CRange dialog(window.get(), seat(6), 0);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Range Selection"));
        QCOMPARE(dialog.minSlider->value(), 0);
        QCOMPARE(dialog.maxSlider->value(), 13);
        QCOMPARE(dialog.minSlider->maximum(), 169);
        QCOMPARE(dialog.maxSlider->maximum(), 169);
        QCOMPARE(dialog.minEdit->text(), QStringLiteral("0.00"));
        QCOMPARE(dialog.maxEdit->text(), QStringLiteral("7.69"));  // 13 / 169
        QVERIFY(!dialog.minEdit->isEnabled());
        QCOMPARE(bandMismatch(dialog, 0, 13), QString());
        // AA KK QQ JJ TT 99 88 AKs 77 AQs AJs AKo ATs
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("77+, ATs+, AKo+, "));
        QCOMPARE(dialog.closeButton->text(), QStringLiteral("Close"));
        QVERIFY(dialog.closeButton->isDefault());

        CRange calling(window.get(), seat(6), 1);
        QCOMPARE(calling.windowTitle(), QStringLiteral("Callingrange against a Push"));
    }

    void sliderRules_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("moveMax");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::newRow("widen") << 0 << 13 << true << 84 << 0 << 84;
        QTest::newRow("max onto min") << 20 << 50 << true << 20 << 20 << 21;
        QTest::newRow("max below min") << 20 << 50 << true << 5 << 20 << 21;
        QTest::newRow("max past the end") << 20 << 50 << true << 500 << 20 << 169;
        QTest::newRow("min onto max") << 20 << 50 << false << 50 << 49 << 50;
        QTest::newRow("min above max") << 20 << 50 << false << 120 << 49 << 50;
        QTest::newRow("min below zero") << 20 << 50 << false << -7 << 0 << 50;
        QTest::newRow("min inside") << 20 << 50 << false << 35 << 35 << 50;
    }
    void sliderRules() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, moveMax);
        QFETCH(int, value);
        QFETCH(int, lower);
        QFETCH(int, upper);
        setRanges(from, to, from, to);
        CRange dialog(window.get(), seat(6), 0);
        (moveMax ? dialog.maxSlider : dialog.minSlider)->setValue(value);
        QCOMPARE(dialog.minSlider->value(), lower);
        QCOMPARE(dialog.maxSlider->value(), upper);
        QCOMPARE(dialog.currentLower, lower);
        QCOMPARE(bandMismatch(dialog, lower, upper), QString());
        // The own range and, following it, the calling range.
        expectRanges(lower, upper, lower, upper);
    }

    void presets_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("upper");
        QTest::addColumn<QString>("percent");
        const std::array<std::tuple<const char*, int, const char*>, 13> rows{{{"3%", 5, "2.96"},
                                                                              {"4%", 6, "3.55"},
                                                                              {"5%", 8, "4.73"},
                                                                              {"8%", 13, "7.69"},
                                                                              {"10%", 16, "9.47"},
                                                                              {"12%", 20, "11.83"},
                                                                              {"15%", 25, "14.79"},
                                                                              {"18%", 30, "17.75"},
                                                                              {"30%", 50, "29.59"},
                                                                              {"40%", 67, "39.64"},
                                                                              {"50%", 84, "49.70"},
                                                                              {"80%", 135, "79.88"},
                                                                              {"100%", 169, "100.00"}}};
        for (int k = 0; k < 13; ++k) {
            const auto& [label, upper, percent] = rows[static_cast<std::size_t>(k)];
            QTest::newRow(label) << k << QString::fromLatin1(label) << upper << QString::fromLatin1(percent);
        }
    }
    void presets() {
        QFETCH(int, index);
        QFETCH(QString, label);
        QFETCH(int, upper);
        QFETCH(QString, percent);
        setRanges(0, 40, 0, 40);
        CRange dialog(window.get(), seat(6), 0);
        QPushButton* preset = dialog.presetButtons[static_cast<std::size_t>(index)];
        QCOMPARE(preset->text(), label);
        QTest::mouseClick(preset, Qt::LeftButton);
        QCOMPARE(dialog.maxSlider->value(), upper);
        QCOMPARE(dialog.minSlider->value(), 0);
        QCOMPARE(dialog.maxEdit->text(), percent);
        QCOMPARE(bandMismatch(dialog, 0, upper), QString());
        expectRanges(0, upper, 0, upper);
    }

    void presetAtOrBelowTheLowerBoundGivesOneClass() {
        setRanges(30, 60, 30, 60);
        CRange dialog(window.get(), seat(6), 0);
        dialog.presetButtons[0]->click();  // 5 classes
        QCOMPARE(dialog.maxSlider->value(), 31);
        expectRanges(30, 31, 30, 31);
        dialog.presetButtons[12]->click();
        dialog.presetButtons[7]->click();  // 30 classes, the lower bound itself
        QCOMPARE(dialog.maxSlider->value(), 31);
        QCOMPARE(dialog.minSlider->value(), 30);
    }

    void labelTexts_data() {
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<QString>("text");
        QTest::newRow("every hand") << 0 << 169 << QStringLiteral("Any two");
        QTest::newRow("middle band") << 5 << 50 << QStringLiteral("Range: 26.63 %");
        QTest::newRow("band to the end") << 5 << 169 << QStringLiteral("Range: 97.04 %");
        QTest::newRow("aces") << 0 << 1 << QStringLiteral("AA+, ");
        QTest::newRow("pairs to tens") << 0 << 5 << QStringLiteral("TT+, ");
        // ... 99 88 AKs 77 AQs AJs AKo ATs AQo AJo KQs
        QTest::newRow("top 16") << 0 << 16 << QStringLiteral("77+, ATs+, KQs+, AJo+, ");
    }
    void labelTexts() {
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(QString, text);
        CRange dialog(window.get(), seat(6), 0);
        dialog.maxSlider->setValue(upper);
        dialog.minSlider->setValue(lower);
        QCOMPARE(dialog.rangeLabel->text(), text);
    }

    void handListOfCheckedCells() {
        auto checkedOf = [](std::initializer_list<const char*> names) {
            std::array<bool, 169> checked{};
            for (const char* name : names) {
                bool found = false;
                for (int i = 0; i < 169; ++i)
                    if (rangegrid::cellName(i) == QLatin1String(name))
                        checked[static_cast<std::size_t>(i)] = found = true;
                if (!found)
                    qFatal("no cell named %s", name);
            }
            return checked;
        };
        QCOMPARE(rangegrid::handListText(checkedOf({"AA", "KK", "QQ", "JJ", "TT", "99", "AKs", "AQs", "AJs", "ATs",
                                                    "A9s", "A8s", "KQs", "KJs", "KTs", "AKo", "AQo", "AJo", "ATo"})),
                 QStringLiteral("99+, A8s+, KTs+, ATo+, "));
        std::array<bool, 169> all{};
        all.fill(true);
        QCOMPARE(rangegrid::handListText(all), QString::fromLatin1(kEveryHand));
        // A run stops at the first gap; a row without its pair adds nothing.
        QCOMPARE(rangegrid::handListText(checkedOf({"AA", "QQ", "KQs", "KJs", "A5s"})), QStringLiteral("AA+, "));
        QCOMPARE(rangegrid::handListText(checkedOf({"AA", "KK", "AKs", "AQs", "A9s", "KQo", "QJo"})),
                 QStringLiteral("KK+, AQs+, KQo+, "));
        QCOMPARE(rangegrid::handListText(std::array<bool, 169>{}), QString());
    }

    void gridPlacesAndColours() {
        CRange dialog(window.get(), seat(6), 0);
        dialog.maxSlider->setValue(50);
        dialog.minSlider->setValue(5);
        QCOMPARE(bandMismatch(dialog, 5, 50), QString());

        auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
        QVERIFY(layout);
        struct Place {
            int position;
            const char* name;
            int row;
            int column;
        };
        for (const Place& p : {Place{0, "AA", 1, 1}, Place{1, "AKs", 1, 2}, Place{13, "AKo", 2, 1},
                               Place{12, "A2s", 1, 13}, Place{156, "A2o", 13, 1}, Place{168, "22", 13, 13},
                               Place{5 * 13 + 9, "95s", 6, 10}, Place{9 * 13 + 5, "95o", 10, 6}}) {
            QPushButton* cell = dialog.cellsByPosition[static_cast<std::size_t>(p.position)];
            QCOMPARE(cell->text(), QString::fromLatin1(p.name));
            int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
            layout->getItemPosition(layout->indexOf(cell), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(row, p.row);
            QCOMPARE(column, p.column);
        }
        // Ranking positions: 7 is AKs, 11 AKo, 168 the worst hand 32o.
        QCOMPARE(dialog.cellsByRank[7]->text(), QStringLiteral("AKs"));
        QCOMPARE(dialog.cellsByRank[11]->text(), QStringLiteral("AKo"));
        QCOMPARE(dialog.cellsByRank[168]->text(), QStringLiteral("32o"));

        const QColor pair(194, 243, 163), suited(232, 155, 155), offsuit(134, 211, 234), light(187, 122, 222);
        for (auto [position, button] : {std::pair{0, pair}, std::pair{168, pair}, std::pair{1, suited},
                                        std::pair{25, suited}, std::pair{13, offsuit}, std::pair{167, offsuit}}) {
            const QPalette palette = dialog.cellsByPosition[static_cast<std::size_t>(position)]->palette();
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                QCOMPARE(palette.color(group, QPalette::Button), button);
                QCOMPARE(palette.color(group, QPalette::Light), light);
                QCOMPARE(palette.color(group, QPalette::ButtonText), QColor(Qt::black));
                QCOMPARE(palette.color(group, QPalette::BrightText), QColor(Qt::black));
                QCOMPARE(palette.color(group, QPalette::Shadow), QColor(Qt::black));
            }
        }
        // Pairs on the diagonal, suited above, offsuit below: 13, 78, 78.
        int pairs = 0, suitedCells = 0, offsuitCells = 0;
        for (QPushButton* cell : dialog.cellsByPosition) {
            const QColor c = cell->palette().color(QPalette::Button);
            pairs += c == pair;
            suitedCells += c == suited;
            offsuitCells += c == offsuit;
            QVERIFY(cell->isCheckable());
            QVERIFY(!cell->isEnabled());
            QVERIFY(cell->maximumWidth() <= 40);
        }
        QCOMPARE(pairs, 13);
        QCOMPARE(suitedCells, 78);
        QCOMPARE(offsuitCells, 78);

        // A cell cannot be toggled on its own.
        QTest::mouseClick(dialog.cellsByRank[60], Qt::LeftButton);
        QTest::mouseClick(dialog.cellsByRank[10], Qt::LeftButton);
        QCOMPARE(bandMismatch(dialog, 5, 50), QString());
        expectRanges(5, 50, 5, 50);
    }

    void emptyStoredRangeOpensEmpty() {
        setRanges(0, 0, 0, 0);
        CRange dialog(window.get(), seat(6), 0);
        QCOMPARE(dialog.maxEdit->text(), QString());
        QCOMPARE(dialog.minEdit->text(), QString());
        QCOMPARE(dialog.rangeLabel->text(), QString());
        QCOMPARE(bandMismatch(dialog, 0, 0), QString());
        expectRanges(0, 0, 0, 0);
        // The first move fills everything in.
        dialog.maxSlider->setValue(5);
        QCOMPARE(dialog.maxEdit->text(), QStringLiteral("2.96"));
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("TT+, "));
        expectRanges(0, 5, 0, 5);
    }

    void ownRangeResetsTheCallingRange() {
        setRanges(10, 60, 20, 40);
        CRange dialog(window.get(), seat(6), 0);
        // Opening already writes the own band over the calling range.
        expectRanges(10, 60, 10, 60);
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("Range: 29.59 %"));  // 50 / 169
        dialog.maxSlider->setValue(80);
        expectRanges(10, 80, 10, 80);
    }

    void callingRangeStaysInsideTheOwnRange() {
        setRanges(10, 60, 20, 40);
        state(6).action = 1;
        CRange dialog(window.get(), seat(6), 1);
        QCOMPARE(dialog.minSlider->value(), 20);
        QCOMPARE(dialog.maxSlider->value(), 40);
        QCOMPARE(bandMismatch(dialog, 20, 40), QString());
        expectRanges(10, 60, 20, 40);
        for (int k = 0; k < 169; ++k)
            QCOMPARE(dialog.cellsByRank[static_cast<std::size_t>(k)]->isVisibleTo(&dialog), k >= 10 && k < 60);

        dialog.presetButtons[12]->click();  // every hand: stops at the own range's end
        QCOMPARE(dialog.maxSlider->value(), 60);
        expectRanges(10, 60, 20, 60);
        dialog.minSlider->setValue(3);
        QCOMPARE(dialog.minSlider->value(), 10);
        expectRanges(10, 60, 10, 60);
        dialog.presetButtons[0]->click();  // 5 classes, below the lower bound
        QCOMPARE(dialog.maxSlider->value(), 11);
        expectRanges(10, 60, 10, 11);
        dialog.maxSlider->setValue(30);
        dialog.minSlider->setValue(45);  // beyond the upper bound
        QCOMPARE(dialog.minSlider->value(), 29);
        expectRanges(10, 60, 29, 30);
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("Range: 0.59 %"));
    }

    void damagedRangesInCallingModeStayBands() {
        // A calling range outside the own range used to push the lower
        // bound back and forth for ever.
        setRanges(30, 60, 0, 0);
        {
            CRange dialog(window.get(), seat(6), 1);
            QCOMPARE(dialog.minSlider->value(), 30);
            QCOMPARE(dialog.maxSlider->value(), 31);
            expectRanges(30, 60, 30, 31);
            dialog.minSlider->setValue(0);
            QCOMPARE(dialog.minSlider->value(), 30);
        }
        setRanges(30, 60, 70, 90);
        {
            CRange dialog(window.get(), seat(6), 1);
            expectRanges(30, 60, 59, 60);
        }
        // An empty own range still leaves one class to call with.
        setRanges(0, 0, 0, 0);
        {
            CRange dialog(window.get(), seat(6), 1);
            dialog.presetButtons[12]->click();
            expectRanges(0, 0, 0, 1);
            QCOMPARE(bandMismatch(dialog, 0, 1), QString());
        }
        // Without a seat the calling mode has the whole ranking to itself.
        CRange loose(window.get(), nullptr, 1);
        loose.presetButtons[10]->click();
        QCOMPARE(loose.maxSlider->value(), 84);
        QCOMPARE(bandMismatch(loose, 0, 84), QString());
    }

    void withoutSeatWidgetNothingIsWritten() {
        setRanges(10, 60, 20, 40);
        CRange dialog(window.get(), nullptr, 0);
        QCOMPARE(dialog.maxSlider->value(), 0);
        dialog.presetButtons[4]->click();
        QCOMPARE(dialog.maxSlider->value(), 16);
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("77+, ATs+, KQs+, AJo+, "));
        expectRanges(10, 60, 20, 40);
    }

    void tableClicksOpenTheDialog() {
        table()->setButton(0, true);
        QVERIFY(state(6).action != 0);
        QString title;
        whenModal([&title](QWidget* w) {
            auto* dialog = qobject_cast<CRange*>(w);
            QVERIFY(dialog);
            title = dialog->windowTitle();
            dialog->presetButtons[10]->click();  // 50%
            dialog->closeButton->click();
        });
        QTest::mouseClick(seat(6), Qt::LeftButton, {}, QPoint(30, 108));
        QCOMPARE(title, QStringLiteral("Range Selection"));
        expectRanges(0, 84, 0, 84);
        QVERIFY(!QApplication::activeModalWidget());

        // A caller's calling range, to the right of the own range.
        state(6).action = 1;
        title.clear();
        whenModal([&title](QWidget* w) {
            auto* dialog = qobject_cast<CRange*>(w);
            QVERIFY(dialog);
            title = dialog->windowTitle();
            dialog->presetButtons[0]->click();  // 3%
            dialog->close();
        });
        QTest::mouseClick(seat(6), Qt::LeftButton, {}, QPoint(100, 108));
        QCOMPARE(title, QStringLiteral("Callingrange against a Push"));
        expectRanges(0, 84, 0, 5);
    }

    // The band dialog: two sliders, writing into the caller's integers.
    void bandDialogWritesTheCallersBand() {
        int lower = 10;
        int upper = 50;
        QLineEdit lowerOut, upperOut;
        CRangeGen dialog(window.get(), &lowerOut, &upperOut, &lower, &upper);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Range Selection"));
        QCOMPARE(dialog.minSlider->value(), 10);
        QCOMPARE(dialog.maxSlider->value(), 50);
        QCOMPARE(lowerOut.text(), QStringLiteral("5.92"));  // 10 / 169
        QCOMPARE(upperOut.text(), QStringLiteral("29.59"));
        QCOMPARE(dialog.minEdit->text(), QStringLiteral("5.92"));
        QCOMPARE(dialog.maxEdit->text(), QStringLiteral("29.59"));
        QCOMPARE(bandMismatch(dialog, 10, 50), QString());
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("Range: 23.67 %"));

        dialog.presetButtons[10]->click();
        QCOMPARE(upper, 84);
        QCOMPARE(upperOut.text(), QStringLiteral("49.70"));
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("Range: 43.79 %"));  // 74 / 169

        dialog.minSlider->setValue(84);  // onto the max slider
        QCOMPARE(dialog.minSlider->value(), 83);
        QCOMPARE(lower, 83);
        dialog.maxSlider->setValue(20);  // below the min slider
        QCOMPARE(dialog.maxSlider->value(), 84);
        QCOMPARE(upper, 84);
        QCOMPARE(bandMismatch(dialog, 83, 84), QString());

        // Back to the top: the hands are named, not an old percentage.
        dialog.minSlider->setValue(0);
        dialog.maxSlider->setValue(13);
        QCOMPARE(lower, 0);
        QCOMPARE(upper, 13);
        QCOMPARE(lowerOut.text(), QStringLiteral("0.00"));
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("77+, ATs+, AKo+, "));
        // No state in the situation is touched.
        QCOMPARE(state(6).rangeTo, 13);
    }

    void bandDialogListsEveryHand() {
        int lower = 0;
        int upper = 169;
        QLineEdit upperOut;
        CRangeGen dialog(window.get(), nullptr, &upperOut, &lower, &upper);
        QCOMPARE(dialog.rangeLabel->text(), QString::fromLatin1(kEveryHand));
        QCOMPARE(upperOut.text(), QStringLiteral("100.00"));
        dialog.minSlider->setValue(5);
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("Range: 97.04 %"));
    }

    void bandDialogWithOneSlider() {
        int upper = 13;
        QLineEdit upperOut;
        CRangeGen dialog(window.get(), nullptr, &upperOut, nullptr, &upper);
        QVERIFY(dialog.minSlider->isHidden());
        QVERIFY(dialog.minEdit->isHidden());
        QVERIFY(!dialog.maxSlider->isHidden());
        QCOMPARE(dialog.minSlider->value(), 0);
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("77+, ATs+, AKo+, "));
        dialog.presetButtons[4]->click();
        QCOMPARE(upper, 16);
        QCOMPARE(upperOut.text(), QStringLiteral("9.47"));
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("77+, ATs+, KQs+, AJo+, "));
        dialog.maxSlider->setValue(0);
        QCOMPARE(dialog.maxSlider->value(), 1);
        QCOMPARE(upper, 1);
        QCOMPARE(dialog.rangeLabel->text(), QStringLiteral("AA+, "));
        QCOMPARE(dialog.minEdit->text(), QString());
    }

    void bandDialogMakesABandOfBadValues_data() {
        QTest::addColumn<int>("lowerIn");
        QTest::addColumn<int>("upperIn");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::newRow("outside the ranking") << -5 << 500 << 0 << 169;
        QTest::newRow("reversed") << 80 << 20 << 80 << 81;
        QTest::newRow("empty at the end") << 169 << 169 << 168 << 169;
    }
    void bandDialogMakesABandOfBadValues() {
        QFETCH(int, lowerIn);
        QFETCH(int, upperIn);
        QFETCH(int, lower);
        QFETCH(int, upper);
        int lowerVar = lowerIn;
        int upperVar = upperIn;
        CRangeGen dialog(window.get(), nullptr, nullptr, &lowerVar, &upperVar);
        QCOMPARE(lowerVar, lower);
        QCOMPARE(upperVar, upper);
        QCOMPARE(dialog.minSlider->value(), lower);
        QCOMPARE(dialog.maxSlider->value(), upper);
        QCOMPARE(bandMismatch(dialog, lower, upper), QString());

        // A caller without an upper integer gets a working dialog.
        CRangeGen noUpper(window.get(), nullptr, nullptr, nullptr, nullptr);
        noUpper.presetButtons[2]->click();
        QCOMPARE(noUpper.maxSlider->value(), 8);
    }

    // Both dialogs at their natural size: every cell name fits its cell.
    // With TORVEL_SHOT_DIR set the pictures are saved there.
    void dialogsAtNaturalSize() {
        setRanges(0, 60, 0, 60);
        state(6).action = 2;
        int lower = 8;
        int upper = 50;
        int everyLower = 0;
        int everyUpper = 169;
        CRangeGen every(window.get(), nullptr, nullptr, &everyLower, &everyUpper);
        int singleUpper = 30;
        CRangeGen single(window.get(), nullptr, nullptr, nullptr, &singleUpper);
        CRange own(window.get(), seat(6), 0);
        own.maxSlider->setValue(25);
        CRange calling(window.get(), seat(6), 1);
        calling.minSlider->setValue(5);
        calling.maxSlider->setValue(16);
        CRangeGen band(window.get(), nullptr, nullptr, &lower, &upper);
        const std::array<std::pair<QDialog*, const char*>, 5> dialogs{{{&own, "range.png"},
                                                                       {&single, "rangegen-single.png"},
                                                                       {&calling, "callingrange.png"},
                                                                       {&band, "rangegen.png"},
                                                                       {&every, "rangegen-every.png"}}};
        for (auto [dialog, file] : dialogs) {
            dialog->adjustSize();
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            const auto cells = dialog->findChildren<QPushButton*>();
            for (QPushButton* cell : cells) {
                if (!cell->isVisibleTo(dialog))
                    continue;
                const int textWidth = cell->fontMetrics().horizontalAdvance(cell->text());
                QVERIFY2(textWidth + 4 <= cell->width(), qPrintable(cell->text()));
                QVERIFY2(cell->height() >= cell->fontMetrics().height(), qPrintable(cell->text()));
            }
            for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
                if (!edit->isVisibleTo(dialog))
                    continue;
                const int textWidth = edit->fontMetrics().horizontalAdvance(QStringLiteral("100.00"));
                QVERIFY2(textWidth + 8 <= edit->width(), qPrintable(QStringLiteral("\"100.00\" takes %1 px, its edit is %2 px wide").arg(textWidth).arg(edit->width())));
            }
            auto* label = dialog->findChild<QLabel*>();
            QVERIFY(label->width() >= label->sizeHint().width() || label->wordWrap());
            const QString dir = qEnvironmentVariable("TORVEL_SHOT_DIR");
            if (!dir.isEmpty())
                QVERIFY(dialog->grab().save(dir + QLatin1Char('/') + QLatin1String(file)));
            dialog->hide();
        }
    }
};

QTEST_MAIN(RangeTest)
#include "range_test.moc"
