#include <QComboBox>
#include <QLabel>

#include "deskfixture.h"
#include "gui/plot/equityplotdialog.h"
#include "gui/plot/equityplotview.h"

namespace {

QStringList comboItems(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

bool anyAbove(const std::array<float, 101>& curve) {
    return std::any_of(curve.begin(), curve.end(), [](float v) { return v > 0.0f; });
}

}  // namespace

class PlotTest : public QObject, DeskFixture {
    Q_OBJECT

    // What the plot varies and must give back; the dialog must not add an analysis of its own either.
    auto restorable() const {
        return std::tuple(g().evPush, g().evFold, g().decision, g().seats[3].handLow, g().seats[6].rangeTo,
                          g().seats[8].rangeTo);
    }

private slots:
    void init() { startWindow(); }
    void cleanup() { window.reset(); }

    void foldedOpponentsAreNotOffered() {
        // Button 5, small blind 7, big blind 8, hero 4: seats 0 and 2 folded before him, 5, 7 and 8 are to act.
        sit({4, 0, 2, 5, 7, 8});
        table()->setButton(5, true);
        for (int s : {5, 7, 8})
            g().seats[static_cast<std::size_t>(s)].rangeTo = 25;
        EquityPlotDialog plot(&g(), window->frame());
        QCOMPARE(comboItems(plot.opponentCombo()),
                 (QStringList{QStringLiteral("Button"), QStringLiteral("Small Blind"), QStringLiteral("Big Blind")}));
        // Every opponent has his position written, offered or not.
        QCOMPARE(QString::fromLatin1(g().seats[2].position), QStringLiteral("MP+2"));
        // The first one's curves were computed while the dialog was built.
        const auto buttonCurve = plot.graph()->edgeAbove0();
        QVERIFY(anyAbove(buttonCurve) && plot.graph()->notice().isEmpty());

        plot.opponentCombo()->setCurrentIndex(2);
        QCOMPARE(plot.titleLabel()->text(), QStringLiteral("<center><b>Big Blind Handrange</b></center>"));
        QVERIFY(anyAbove(plot.graph()->edgeAbove0()) && plot.graph()->edgeAbove0() != buttonCurve);

        // A name that matches no seat computes nothing.
        const auto bigBlindCurve = plot.graph()->edgeAbove0();
        plot.onOpponentChosen(QStringLiteral("UTG"));
        QVERIFY(plot.graph()->edgeAbove0() == bigBlindCurve);
    }

    void everybodyFoldedComputesNothing() {
        // Button 0, small blind 2, big blind 4 (the hero): the others folded before him, nobody raised.
        sit({4, 0, 2, 5, 7, 8});
        table()->setButton(0, true);
        g().evPush = 0.25f;
        g().decision = torvel::kDecisionNotComputed;
        const auto before = restorable();

        EquityPlotDialog plot(&g(), window->frame());
        QVERIFY(plot.opponentCombo()->count() == 0 && !plot.opponentCombo()->isEnabled());
        QVERIFY(!plot.graph()->notice().isEmpty());
        QVERIFY(!anyAbove(plot.graph()->edgeAbove0()) && !anyAbove(plot.graph()->edgeAbove1()));
        QCOMPARE(restorable(), before);  // not even the final analysis ran
    }

    void thePlotButtonOpensIt() {
        const auto plotClicked = [this] { window->frame()->plotButton()->click(); };
        QCOMPARE(messageOf(plotClicked), QStringLiteral("Error: Please take a seat"));
        sit({3});
        QCOMPARE(messageOf(plotClicked), QStringLiteral("Error: Please add more player"));

        sit({6, 8});
        table()->setButton(3, true);
        g().analyze(0);
        const auto before = restorable();
        QStringList offered;
        whenOpen<EquityPlotDialog>([&](EquityPlotDialog* plot) {
            offered = comboItems(plot->opponentCombo());
            plot->closeButton()->click();
        });
        window->frame()->plotButton()->click();
        QCOMPARE(offered, (QStringList{QStringLiteral("Small Blind"), QStringLiteral("Big Blind")}));
        QCOMPARE(restorable(), before);
    }
};

QTEST_MAIN(PlotTest)
#include "plot_test.moc"
