#include <QLabel>
#include <QSlider>

#include "deskfixture.h"
#include "gui/dialogs/rangebanddialog.h"

namespace {

// Empty when exactly the ranking positions lower .. upper - 1 are checked.
template <typename Dialog>
QString bandMismatch(const Dialog& dialog, int lower, int upper) {
    for (int k = 0; k < 169; ++k)
        if (dialog.cellsByRank()[static_cast<std::size_t>(k)]->isChecked() != (k >= lower && k < upper))
            return QStringLiteral("position %1 is wrong").arg(k);
    return {};
}

const QString kEveryHand = QStringLiteral(
    "22+, A2s+, K2s+, Q2s+, J2s+, T2s+, 92s+, 82s+, 72s+, 62s+, 52s+, 42s+, 32s+, "
    "A2o+, K2o+, Q2o+, J2o+, T2o+, 92o+, 82o+, 72o+, 62o+, 52o+, 42o+, 32o+, ");

}  // namespace

class RangeTest : public QObject, DeskFixture {
    Q_OBJECT

    // Opponent seat 6's own and calling range, in the widget and the situation.
    void setRanges(int from, int to, int from2, int to2) {
        seat(6)->setRangeFrom(state(6).rangeFrom = from);
        seat(6)->setRangeTo(state(6).rangeTo = to);
        seat(6)->setRange2From(state(6).range2From = from2);
        seat(6)->setRange2To(state(6).range2To = to2);
    }
    void expectRanges(int from, int to, int from2, int to2) {
        const QList<int> want{from, to, from2, to2};
        QCOMPARE((QList<int>{seat(6)->rangeFrom(), seat(6)->rangeTo(), seat(6)->range2From(), seat(6)->range2To()}), want);
        QCOMPARE((QList<int>{state(6).rangeFrom, state(6).rangeTo, state(6).range2From, state(6).range2To}), want);
    }

private slots:
    void init() {
        startWindow();
        sit({0, 6});  // hero, opponent
    }
    void cleanup() { window.reset(); }

    // Opening shows the stored band and writes it over the calling range.
    void opensOnTheStoredBand() {
        setRanges(0, 13, 20, 40);
        RangeDialog dialog(&window->desk(), window->desk().situation(), 6, 0);
        QCOMPARE(dialog.minEdit()->text() + " " + dialog.maxEdit()->text(), QStringLiteral("0.00 7.69"));  // 13 / 169
        QCOMPARE(bandMismatch(dialog, 0, 13), QString());
        // AA KK QQ JJ TT 99 88 AKs 77 AQs AJs AKo ATs
        QCOMPARE(dialog.rangeLabel()->text(), QStringLiteral("77+, ATs+, AKo+, "));
        expectRanges(0, 13, 0, 13);

        // An empty range opens empty; the first move fills everything in.
        setRanges(0, 0, 0, 0);
        RangeDialog empty(&window->desk(), window->desk().situation(), 6, 0);
        QCOMPARE(empty.minEdit()->text() + empty.maxEdit()->text() + empty.rangeLabel()->text(), QString());
        empty.maxSlider()->setValue(5);
        QCOMPARE(empty.maxEdit()->text() + " " + empty.rangeLabel()->text(), QStringLiteral("2.96 TT+, "));
        expectRanges(0, 5, 0, 5);
        // A cell cannot be toggled on its own.
        QTest::mouseClick(empty.cellsByRank()[60], Qt::LeftButton);
        QTest::mouseClick(empty.cellsByRank()[2], Qt::LeftButton);
        QCOMPARE(bandMismatch(empty, 0, 5), QString());
        empty.presetButtons()[12]->click();  // every hand
        QCOMPARE(empty.maxEdit()->text() + " " + empty.rangeLabel()->text(), QStringLiteral("100.00 Any two"));
        expectRanges(0, 169, 0, 169);
    }

    // Own range 20..50: a moved slider or preset is pushed back to keep a band; the calling range follows.
    void slidersAndPresetsKeepABand() {
        using Case = std::tuple<int, int, int, int>;  // 0 min, 1 max slider, 2 preset (12 % or 50 %); value; band
        for (auto [control, value, lower, upper] : std::initializer_list<Case>{
                 {1, 5, 20, 21}, {1, 84, 20, 84}, {0, 120, 49, 50}, {0, 35, 35, 50}, {2, 5, 20, 21}, {2, 10, 20, 84}}) {
            setRanges(20, 50, 20, 50);
            RangeDialog dialog(&window->desk(), window->desk().situation(), 6, 0);
            if (control == 2)
                QTest::mouseClick(dialog.presetButtons()[static_cast<std::size_t>(value)], Qt::LeftButton);
            else
                (control == 1 ? dialog.maxSlider() : dialog.minSlider())->setValue(value);
            QCOMPARE(QList<int>({dialog.minSlider()->value(), dialog.maxSlider()->value()}), QList<int>({lower, upper}));
            QCOMPARE(bandMismatch(dialog, lower, upper), QString());
            expectRanges(lower, upper, lower, upper);
        }
    }

    void handListOfCheckedCells() {
        auto text = [](const QStringList& names) {
            std::array<bool, 169> checked{};
            for (std::size_t at = 0; at < 169; ++at)
                checked[at] = names.contains(rangegrid::cellName(static_cast<int>(at)));
            return rangegrid::handListText(checked);
        };
        // A run stops at the first gap; a row without its pair adds nothing.
        QCOMPARE(text({"AA", "QQ", "KQs", "KJs", "A5s"}), QStringLiteral("AA+, "));
        QCOMPARE(text({"AA", "KK", "AKs", "AQs", "A9s", "KQo", "QJo"}), QStringLiteral("KK+, AQs+, KQo+, "));
    }

    void callingRangeStaysInsideTheOwnRange() {
        setRanges(10, 60, 20, 40);
        state(6).action = 1;
        RangeDialog dialog(&window->desk(), window->desk().situation(), 6, 1);
        QCOMPARE(bandMismatch(dialog, 20, 40), QString());
        expectRanges(10, 60, 20, 40);
        for (int k = 0; k < 169; ++k)
            QCOMPARE(dialog.cellsByRank()[static_cast<std::size_t>(k)]->isVisibleTo(&dialog), k >= 10 && k < 60);

        dialog.presetButtons()[0]->click();  // 5 classes, below the lower bound
        expectRanges(10, 60, 20, 21);
        QCOMPARE(dialog.rangeLabel()->text(), QStringLiteral("Range: 0.59 %"));
    }

    // A calling range outside the own range once swung a bound for ever; it opens as a band inside, sliders stop there.
    void damagedRangesInCallingModeStayBands() {
        using Case = std::tuple<int, int, int, int, int, int>;  // stored ranges, calling band opened
        for (auto [from, to, from2, to2, openFrom, openTo] : std::initializer_list<Case>{
                 {30, 60, 0, 0, 30, 31}, {30, 60, 70, 90, 59, 60}, {0, 0, 0, 0, 0, 1}}) {
            setRanges(from, to, from2, to2);
            RangeDialog dialog(&window->desk(), window->desk().situation(), 6, 1);
            expectRanges(from, to, openFrom, openTo);
            dialog.minSlider()->setValue(0);
            dialog.presetButtons()[12]->click();
            const int end = std::max(to, from + 1);  // an empty own range leaves one class
            expectRanges(from, to, from, end);
            QCOMPARE(bandMismatch(dialog, from, end), QString());
        }
        // Without a situation the dialog has the whole ranking to itself and writes nothing.
        RangeDialog loose(&window->desk(), nullptr, 6, 1);
        loose.presetButtons()[10]->click();
        QCOMPARE(bandMismatch(loose, 0, 84), QString());
        expectRanges(0, 0, 0, 1);
    }

    void tableClicksOpenTheDialog() {
        window->frame()->table()->setButton(0, true);
        answerRange(10);  // 50%
        QTest::mouseClick(seat(6), Qt::LeftButton, {}, QPoint(30, 108));
        expectRanges(0, 84, 0, 84);
        // A caller's calling range, to the right of the own range.
        state(6).action = 1;
        answerRange(0);  // 3%
        QTest::mouseClick(seat(6), Qt::LeftButton, {}, QPoint(100, 108));
        expectRanges(0, 84, 0, 5);
    }

    void bandDialogWritesTheCallersBand() {
        int lower = 10, upper = 50;
        QLineEdit lowerOut, upperOut;
        RangeBandDialog dialog(&window->desk().handRanking(), &lowerOut, &upperOut, &lower, &upper);
        QCOMPARE(lowerOut.text() + " " + upperOut.text(), QStringLiteral("5.92 29.59"));  // 10 and 50 of 169
        dialog.presetButtons()[10]->click();
        QCOMPARE(upper, 84);
        QCOMPARE(dialog.rangeLabel()->text(), QStringLiteral("Range: 43.79 %"));  // 74 / 169
        dialog.minSlider()->setValue(84);  // onto the max slider
        dialog.maxSlider()->setValue(20);  // below the min slider
        QCOMPARE(QList<int>({lower, upper}), QList<int>({83, 84}));
        QCOMPARE(bandMismatch(dialog, 83, 84), QString());
        // Back to the top: the hands are named, not an old percentage.
        dialog.minSlider()->setValue(0);
        dialog.maxSlider()->setValue(13);
        QCOMPARE(QList<int>({lower, upper}), QList<int>({0, 13}));
        QCOMPARE(dialog.rangeLabel()->text(), QStringLiteral("77+, ATs+, AKo+, "));
        QCOMPARE(state(6).rangeTo, 13);  // the situation is not touched

        // With one slider; a caller without an upper integer gets a working dialog.
        RangeBandDialog one(&window->desk().handRanking(), nullptr, &upperOut, nullptr, &upper);
        QVERIFY(one.minSlider()->isHidden() && one.minEdit()->isHidden());
        one.maxSlider()->setValue(0);
        QCOMPARE(upper, 1);
        QCOMPARE(upperOut.text(), QStringLiteral("0.59"));
        RangeBandDialog noUpper(&window->desk().handRanking(), nullptr, nullptr, nullptr, nullptr);
        noUpper.presetButtons()[2]->click();
        QCOMPARE(noUpper.maxSlider()->value(), 8);
    }

    // Values from a settings file may be anything; the caller gets a band back.
    void bandDialogMakesABandOfAnyValues() {
        using Case = std::tuple<int, int, int, int>;  // stored, band
        for (auto [lowerIn, upperIn, lowerOut, upperOut] :
             std::initializer_list<Case>{{-5, 500, 0, 169}, {80, 20, 80, 81}, {169, 169, 168, 169}}) {
            int lower = lowerIn, upper = upperIn;
            RangeBandDialog dialog(&window->desk().handRanking(), nullptr, nullptr, &lower, &upper);
            QCOMPARE(QList<int>({lower, upper}), QList<int>({lowerOut, upperOut}));
            QCOMPARE(bandMismatch(dialog, lowerOut, upperOut), QString());
            if (lowerOut == 0)
                QCOMPARE(dialog.rangeLabel()->text(), kEveryHand);
        }
    }
};

QTEST_MAIN(RangeTest)
#include "range_test.moc"
