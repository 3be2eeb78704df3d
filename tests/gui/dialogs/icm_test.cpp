// Equities are worked out by hand: first place by chip share, each later place the same among the rest.
#include <QLabel>
#include <QPointer>

#include "deskfixture.h"
#include "gui/dialogs/icmcalculatordialog.h"

class IcmTest : public QObject, DeskFixture {
    Q_OBJECT

    IcmCalculatorDialog* icm = nullptr;

    QLineEdit* chips(int i) const { return icm->chipsFields()[static_cast<std::size_t>(i)]; }
    QLineEdit* percent(int i) const { return icm->percentFields()[static_cast<std::size_t>(i)]; }
    QLineEdit* amount(int i) const { return icm->amountFields()[static_cast<std::size_t>(i)]; }
    QPushButton* reduce(int i) const { return icm->reduceButtons()[static_cast<std::size_t>(i)]; }
    template <typename Widgets>
    static QStringList texts(const Widgets& column, int n) {
        QStringList out;
        for (int i = 0; i < n; ++i)
            out << column[static_cast<std::size_t>(i)]->text();
        return out;
    }
    QString totals() const { return icm->percentTotalLabel()->text() + " " + icm->amountTotalLabel()->text(); }
    QAction* icmEntry() const { return menuAction(*window, QStringLiteral("Main"), QStringLiteral("ICM Calc")); }
    // 5000 / 3000 / 2000 chips, "1 Table" (50 / 30 / 20 %), pool 100.
    void threeStacks() {
        const char* counts[] = {"5000", "3000", "2000"};
        for (int i = 0; i < 3; ++i)
            typeInto(chips(i), QLatin1String(counts[i]));
        buttonLabelled(icm, "1 Table")->click();
        typeInto(icm->prizePoolField(), QStringLiteral("100"));
    }

private slots:
    void init() {
        startWindow();
        QVERIFY(icmEntry());
        icmEntry()->trigger();
        icm = window->icmCalculator();
        QVERIFY(icm && icm->isVisible());
    }
    void cleanup() {
        icm = nullptr;
        window.reset();
    }

    void presetsFillThePercentsAndTheAmounts() {
        typeInto(icm->prizePoolField(), QStringLiteral("1000"));
        typeInto(percent(8), QStringLiteral("5"));  // a hand-typed value further down is overwritten
        QCOMPARE(amount(8)->text(), QStringLiteral("50.00"));
        QVERIFY(buttonLabelled(icm, "3 Table"));
        buttonLabelled(icm, "3 Table")->click();
        QCOMPARE(texts(icm->amountFields(), 10), QStringList({"370.00", "266.70", "177.80", "103.70", "81.80", "0.00",
                                                              "0.00", "0.00", "0.00", "0.00"}));
        QCOMPARE(totals(), QStringLiteral("100.00 1000.00"));
    }

    // 50 / 30 / 20: 0.383929, 0.3275, 0.288571. Place 3 unpaid: those less their third-place part.
    void reduceTakesAPlaceOutOfThePayoutAndClearKeepsIt() {
        threeStacks();
        icm->computeButton()->click();
        QCOMPARE(texts(icm->icmLabels(), 4), QStringList({"38.39", "32.75", "28.86", "0.00"}));  // percent
        QCOMPARE(texts(icm->valueLabels(), 4), QStringList({"38.39", "32.75", "28.86", "0.00"}));
        reduce(2)->click();
        QVERIFY(!percent(2)->isEnabled() && !amount(2)->isEnabled() && percent(1)->isEnabled());
        typeInto(icm->prizePoolField(), QStringLiteral("100"));
        QCOMPARE(totals(), QStringLiteral("80.00 80.00"));
        icm->computeButton()->click();
        QCOMPARE(texts(icm->valueLabels(), 3), QStringList({"35.18", "26.25", "18.57"}));

        // From the amounts: pool 50 + 30, shares 62.5 / 37.5; the reduced place keeps its numbers.
        typeInto(amount(0), QStringLiteral("50"));
        QCOMPARE(icm->prizePoolField()->text(), QStringLiteral("80.00"));
        QCOMPARE(texts(icm->percentFields(), 3), QStringList({"62.50", "37.50", "20"}));
        QCOMPARE(amount(2)->text(), QStringLiteral("20.00"));

        icm->clearButton()->click();  // everything but "Reduce"
        for (const QStringList& column : {texts(icm->chipsFields(), 10), texts(icm->percentFields(), 10),
                                          texts(icm->amountFields(), 10), texts(icm->icmLabels(), 10),
                                          texts(icm->valueLabels(), 10)})
            QCOMPARE(column, QStringList(10, QStringLiteral("0")));
        QCOMPARE(totals(), QStringLiteral("0 0"));
        QVERIFY(reduce(2)->isChecked() && !percent(2)->isEnabled());
        reduce(2)->click();
        QVERIFY(percent(2)->isEnabled() && amount(2)->isEnabled());
    }

    void amountsGiveThePoolAndThePercents() {
        // Each a third: 33.33 shown, the total of the shares still 100.
        for (int q = 0; q < 3; ++q)
            typeInto(amount(q), QStringLiteral("1"));
        QCOMPARE(icm->prizePoolField()->text(), QStringLiteral("3.00"));
        QCOMPARE(texts(icm->percentFields(), 3), QStringList(3, QStringLiteral("33.33")));
        QCOMPARE(totals(), QStringLiteral("100.00 3.00"));
        // Amounts that sum to 0 give a pool of 0 and leave the percents.
        icm->clearButton()->click();
        typeInto(percent(0), QStringLiteral("30"));
        typeInto(amount(0), QStringLiteral("0"));
        QCOMPARE(icm->prizePoolField()->text(), QStringLiteral("0.00"));
        QCOMPARE(percent(0)->text(), QStringLiteral("30"));
        typeInto(amount(1), QStringLiteral("12"));
        typeInto(icm->prizePoolField(), QStringLiteral("0"));
        typeInto(percent(1), QStringLiteral("40"));
        QCOMPARE(amount(1)->text(), QStringLiteral("12"));
        QCOMPARE(icm->amountTotalLabel()->text(), QStringLiteral("12.00"));
    }

    // Text the validators would never let through: chips beyond a billion count as a billion, a non-number as
    // 0, a share above 100 as 100.
    void outOfRangeTextIsHeldToTheFieldRange() {
        chips(0)->setText(QStringLiteral("99999999999999"));
        chips(1)->setText(QStringLiteral("1000000000"));
        chips(2)->setText(QStringLiteral("lots"));
        percent(0)->setText(QStringLiteral("100"));
        icm->prizePoolField()->setText(QStringLiteral("10"));
        icm->computeButton()->click();
        QCOMPARE(texts(icm->valueLabels(), 3), QStringList({"5.00", "5.00", "0.00"}));
        percent(0)->setText(QStringLiteral("250"));
        chips(1)->setText(QStringLiteral("0"));
        icm->computeButton()->click();
        QCOMPARE(icm->valueLabels()[0]->text(), QStringLiteral("10.00"));
    }

    // Out-of-range text is corrected on losing focus, so the field shows the value computed with.
    void outOfRangeTextIsCorrectedOnLeavingTheField() {
        const struct {
            QLineEdit* field;
            const char* typed;
            const char* shown;
        } cases[] = {{percent(0), "150", "100"}, {percent(1), "12.5", "12.5"}, {percent(2), "", "0"},
                     {chips(0), "9999999999", "1000000000"}, {chips(1), "", "0"},
                     {icm->prizePoolField(), "9999999999", "1000000000"}};
        for (const auto& c : cases) {
            c.field->clear();
            QTest::keyClicks(c.field, QLatin1String(c.typed));
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(c.field, &leave);
            QCOMPARE(c.field->text(), QLatin1String(c.shown));
        }
    }

    void icmCalcShowsTheSameWindowWithItsValues() {
        QPointer<IcmCalculatorDialog> first = window->icmCalculator();
        typeInto(chips(0), QStringLiteral("4200"));
        buttonLabelled(icm, "6 Max")->click();
        icm->closeButton()->click();
        QVERIFY(first && !first->isVisible());
        icmEntry()->trigger();
        QVERIFY(first && first->isVisible() && window->icmCalculator() == first);
        QCOMPARE(chips(0)->text() + " " + percent(0)->text(), QStringLiteral("4200 60"));
        QCOMPARE(window->findChildren<IcmCalculatorDialog*>().size(), 1);
        window.reset();  // the main window takes the calculator with it
        QVERIFY(first.isNull());
    }
};

QTEST_MAIN(IcmTest)
#include "icm_test.moc"
