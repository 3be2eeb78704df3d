// The ICM calculator as a user drives it: chips, presets, a prize pool,
// amounts, "Reduce", "Compute" and "Clear", and the one window that "ICM
// Calc" shows again and again. Equities are worked out by hand under the
// rule "first place by chip share, each later place the same among the rest".
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "app/grabber.h"
#include "icm/cicm.h"

class IcmTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<grabber> window;
    CIcm* icm = nullptr;

    QLineEdit* chips(int i) const { return icm->chipsFields[static_cast<std::size_t>(i)]; }
    QLineEdit* percent(int i) const { return icm->percentFields[static_cast<std::size_t>(i)]; }
    QLineEdit* amount(int i) const { return icm->amountFields[static_cast<std::size_t>(i)]; }
    QString equity(int i) const { return icm->icmLabels[static_cast<std::size_t>(i)]->text(); }
    QString value(int i) const { return icm->valueLabels[static_cast<std::size_t>(i)]->text(); }
    QPushButton* reduce(int i) const { return icm->reduceButtons[static_cast<std::size_t>(i)]; }
    QPushButton* preset(const char* label) const {
        for (QPushButton* b : icm->presetButtons)
            if (b->text() == QLatin1String(label))
                return b;
        return nullptr;
    }

    // Types into a field and finishes with Return, as a user does.
    static void enter(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    QAction* icmEntry() const {
        for (QAction* a : window->findChildren<QAction*>())
            if (a->text() == QStringLiteral("ICM Calc"))
                return a;
        return nullptr;
    }

    void stacks(std::initializer_list<const char*> counts) {
        int i = 0;
        for (const char* c : counts)
            enter(chips(i++), QString::fromLatin1(c));
    }

private slots:
    void init() {
        window = std::make_unique<grabber>();
        window->show();
        QVERIFY(icmEntry());
        icmEntry()->trigger();
        icm = window->icmWindow;
        QVERIFY(icm);
        QVERIFY(icm->isVisible());
    }
    void cleanup() {
        icm = nullptr;
        window.reset();
    }

    // 5000 / 3000 / 2000 chips, 50 / 30 / 20 %, pool 100. The big stack wins
    // with 0.5, comes second with 0.3 * 5/7 + 0.2 * 5/8 = 0.339286 and third
    // with the rest, 0.160714: 0.25 + 0.101786 + 0.032143 = 0.383929. The
    // middle one 0.15 + 0.3 * 0.375 + 0.2 * 0.325 = 0.3275, the small one
    // 0.1 + 0.3 * 0.285714 + 0.2 * 0.514286 = 0.288571.
    void oneTableWithPoolOf100() {
        stacks({"5000", "3000", "2000"});
        preset("1 Table")->click();
        enter(icm->prizePoolField, QStringLiteral("100"));
        QCOMPARE(percent(0)->text(), QStringLiteral("50"));
        QCOMPARE(percent(2)->text(), QStringLiteral("20"));
        QCOMPARE(percent(3)->text(), QStringLiteral("0"));
        QCOMPARE(amount(0)->text(), QStringLiteral("50.00"));
        QCOMPARE(amount(1)->text(), QStringLiteral("30.00"));
        QCOMPARE(amount(2)->text(), QStringLiteral("20.00"));
        QCOMPARE(amount(3)->text(), QStringLiteral("0.00"));
        QCOMPARE(icm->percentTotalLabel->text(), QStringLiteral("100.00"));
        QCOMPARE(icm->amountTotalLabel->text(), QStringLiteral("100.00"));

        icm->computeButton->click();
        QCOMPARE(equity(0), QStringLiteral("0.38"));
        QCOMPARE(equity(1), QStringLiteral("0.33"));
        QCOMPARE(equity(2), QStringLiteral("0.29"));
        QCOMPARE(equity(3), QStringLiteral("0.00"));
        QCOMPARE(value(0), QStringLiteral("38.39"));
        QCOMPARE(value(1), QStringLiteral("32.75"));
        QCOMPARE(value(2), QStringLiteral("28.86"));
        QCOMPARE(value(9), QStringLiteral("0.00"));
    }

    void presetsFillThePercentsAndTheAmounts_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("percentTotal");
        // Pool 1000: every percent times ten.
        QTest::newRow("6 Max") << "6 Max" << QStringList{"600.00", "400.00"} << "100.00";
        QTest::newRow("1 Table") << "1 Table" << QStringList{"500.00", "300.00", "200.00"} << "100.00";
        QTest::newRow("2 Table") << "2 Table" << QStringList{"400.00", "300.00", "200.00", "100.00"} << "100.00";
        QTest::newRow("3 Table") << "3 Table" << QStringList{"370.00", "266.70", "177.80", "103.70", "81.80"}
                                 << "100.00";
        QTest::newRow("5 Table") << "5 Table"
                                 << QStringList{"310.00", "215.00", "165.00", "125.00", "90.00", "60.00", "35.00"}
                                 << "100.00";
        QTest::newRow("Heads Up") << "Heads Up" << QStringList{"1000.00"} << "100.00";
    }
    void presetsFillThePercentsAndTheAmounts() {
        QFETCH(QString, label);
        QFETCH(QStringList, amounts);
        QFETCH(QString, percentTotal);
        enter(icm->prizePoolField, QStringLiteral("1000"));
        // A hand-typed value further down is overwritten by any preset.
        enter(percent(8), QStringLiteral("5"));
        QCOMPARE(amount(8)->text(), QStringLiteral("50.00"));
        QPushButton* button = preset(qPrintable(label));
        QVERIFY(button);
        button->click();
        for (int q = 0; q < 10; ++q) {
            const QString expected = q < amounts.size() ? amounts[q] : QStringLiteral("0.00");
            QCOMPARE(amount(q)->text(), expected);
            if (q >= amounts.size())
                QCOMPARE(percent(q)->text(), QStringLiteral("0"));
        }
        QCOMPARE(icm->percentTotalLabel->text(), percentTotal);
        QCOMPARE(icm->amountTotalLabel->text(), QStringLiteral("1000.00"));
    }

    // Ten equal stacks share any structure equally: 1/10 each, 100.00 of 1000,
    // with seven paid places under "5 Table".
    void tenEqualStacksUnderFiveTables() {
        for (int i = 0; i < 10; ++i)
            enter(chips(i), QStringLiteral("1500"));
        enter(icm->prizePoolField, QStringLiteral("1000"));
        preset("5 Table")->click();
        icm->computeButton->click();
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(equity(i), QStringLiteral("0.10"));
            QCOMPARE(value(i), QStringLiteral("100.00"));
        }
    }

    // Place 3 not paid: 50 / 30 of a pool of 100. Equities as above without
    // their third-place part: 0.351786, 0.2625, 0.185714.
    void reduceTakesAPlaceOutOfThePayout() {
        stacks({"5000", "3000", "2000"});
        preset("1 Table")->click();
        enter(icm->prizePoolField, QStringLiteral("100"));
        reduce(2)->click();
        QVERIFY(reduce(2)->isChecked());
        QVERIFY(!percent(2)->isEnabled());
        QVERIFY(!amount(2)->isEnabled());
        QVERIFY(percent(1)->isEnabled());

        enter(icm->prizePoolField, QStringLiteral("100"));
        QCOMPARE(icm->percentTotalLabel->text(), QStringLiteral("80.00"));
        QCOMPARE(icm->amountTotalLabel->text(), QStringLiteral("80.00"));
        icm->computeButton->click();
        QCOMPARE(equity(0), QStringLiteral("0.35"));
        QCOMPARE(equity(1), QStringLiteral("0.26"));
        QCOMPARE(equity(2), QStringLiteral("0.19"));
        QCOMPARE(value(0), QStringLiteral("35.18"));
        QCOMPARE(value(1), QStringLiteral("26.25"));
        QCOMPARE(value(2), QStringLiteral("18.57"));

        // From the amounts: the pool becomes 50 + 30 and the shares 62.5 / 37.5;
        // the reduced place keeps its numbers.
        enter(amount(0), QStringLiteral("50"));
        QCOMPARE(icm->prizePoolField->text(), QStringLiteral("80.00"));
        QCOMPARE(percent(0)->text(), QStringLiteral("62.50"));
        QCOMPARE(percent(1)->text(), QStringLiteral("37.50"));
        QCOMPARE(percent(2)->text(), QStringLiteral("20"));
        QCOMPARE(amount(2)->text(), QStringLiteral("20.00"));
        QCOMPARE(icm->percentTotalLabel->text(), QStringLiteral("100.00"));

        reduce(2)->click();
        QVERIFY(percent(2)->isEnabled());
        QVERIFY(amount(2)->isEnabled());
    }

    void amountsGiveThePoolAndThePercents_data() {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("pool");
        QTest::addColumn<QStringList>("percents");
        QTest::addColumn<QString>("percentTotal");
        QTest::newRow("600/300/100") << QStringList{"600", "300", "100"} << "1000.00"
                                     << QStringList{"60.00", "30.00", "10.00"} << "100.00";
        // Each a third: 33.33 shown, the total of the shares still 100.
        QTest::newRow("thirds") << QStringList{"1", "1", "1"} << "3.00" << QStringList{"33.33", "33.33", "33.33"}
                                << "100.00";
    }
    void amountsGiveThePoolAndThePercents() {
        QFETCH(QStringList, amounts);
        QFETCH(QString, pool);
        QFETCH(QStringList, percents);
        QFETCH(QString, percentTotal);
        for (int q = 0; q < amounts.size(); ++q)
            enter(amount(q), amounts[q]);
        QCOMPARE(icm->prizePoolField->text(), pool);
        for (int q = 0; q < percents.size(); ++q)
            QCOMPARE(percent(q)->text(), percents[q]);
        QCOMPARE(icm->percentTotalLabel->text(), percentTotal);
        QCOMPARE(icm->amountTotalLabel->text(), pool);
    }

    void poolOfZeroLeavesTheAmounts() {
        // Amounts that sum to 0 give a pool of 0 and leave the percents.
        enter(percent(0), QStringLiteral("30"));
        enter(amount(0), QStringLiteral("0"));
        QCOMPARE(icm->prizePoolField->text(), QStringLiteral("0.00"));
        QCOMPARE(percent(0)->text(), QStringLiteral("30"));

        enter(amount(1), QStringLiteral("12"));
        QCOMPARE(icm->prizePoolField->text(), QStringLiteral("12.00"));
        enter(icm->prizePoolField, QStringLiteral("0"));
        enter(percent(1), QStringLiteral("40"));
        QCOMPARE(amount(1)->text(), QStringLiteral("12"));
        QCOMPARE(icm->amountTotalLabel->text(), QStringLiteral("12.00"));
    }

    void clearResetsEverythingButReduce() {
        stacks({"5000", "3000", "2000"});
        preset("1 Table")->click();
        enter(icm->prizePoolField, QStringLiteral("100"));
        reduce(4)->click();
        icm->computeButton->click();
        QCOMPARE(value(0), QStringLiteral("38.39"));
        icm->clearButton->click();
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(chips(i)->text(), QStringLiteral("0"));
            QCOMPARE(percent(i)->text(), QStringLiteral("0"));
            QCOMPARE(amount(i)->text(), QStringLiteral("0"));
            QCOMPARE(equity(i), QStringLiteral("0"));
            QCOMPARE(value(i), QStringLiteral("0"));
        }
        QCOMPARE(icm->percentTotalLabel->text(), QStringLiteral("0"));
        QCOMPARE(icm->amountTotalLabel->text(), QStringLiteral("0"));
        QVERIFY(reduce(4)->isChecked());
        QVERIFY(!percent(4)->isEnabled());
    }

    // Text the validators would never let through still computes as
    // something sane: chips beyond a billion count as a billion, anything
    // that is not a number as 0.
    void outOfRangeTextIsHeldToTheFieldRange() {
        chips(0)->setText(QStringLiteral("99999999999999"));
        chips(1)->setText(QStringLiteral("1000000000"));
        chips(2)->setText(QStringLiteral("lots"));
        percent(0)->setText(QStringLiteral("100"));
        icm->prizePoolField->setText(QStringLiteral("10"));
        icm->computeButton->click();
        QCOMPARE(equity(0), QStringLiteral("0.50"));
        QCOMPARE(equity(1), QStringLiteral("0.50"));
        QCOMPARE(equity(2), QStringLiteral("0.00"));
        QCOMPARE(value(0), QStringLiteral("5.00"));
        // A share typed above 100 is read as 100: the winner gets the pool.
        percent(0)->setText(QStringLiteral("250"));
        chips(1)->setText(QStringLiteral("0"));
        icm->computeButton->click();
        QCOMPARE(value(0), QStringLiteral("10.00"));
    }

    void icmCalcShowsTheSameWindowWithItsValues() {
        // Made with the main window, hidden until asked for.
        grabber fresh;
        QVERIFY(fresh.icmWindow);
        QCOMPARE(fresh.icmWindow->parentWidget(), &fresh);
        QVERIFY(!fresh.icmWindow->isVisible());
        QCOMPARE(fresh.icmWindow->windowTitle(), QStringLiteral("ICM Calculator"));
        QVERIFY(fresh.icmWindow->computeButton->isDefault());

        QPointer<CIcm> first = window->icmWindow;
        stacks({"4200", "1800"});
        preset("6 Max")->click();
        icm->closeButton->click();
        QVERIFY(!first->isVisible());
        QVERIFY(first);

        icmEntry()->trigger();
        QCOMPARE(window->icmWindow, first.data());
        QVERIFY(first->isVisible());
        QCOMPARE(chips(0)->text(), QStringLiteral("4200"));
        QCOMPARE(chips(1)->text(), QStringLiteral("1800"));
        QCOMPARE(percent(0)->text(), QStringLiteral("60"));
        QCOMPARE(window->findChildren<CIcm*>().size(), 1);

        // The main window takes the open calculator with it.
        window.reset();
        QVERIFY(first.isNull());
    }
};

QTEST_MAIN(IcmTest)
#include "icm_test.moc"
