#include <QComboBox>
#include <QDoubleValidator>

#include "deskfixture.h"
#include "engine/callingprofile.h"
#include "gui/dialogs/callingrangeeditor.h"

using torvel::CallingProfile;

class CallRangeTest : public QObject, DeskFixture {
    Q_OBJECT

    std::unique_ptr<CallingRangeEditor> openEditor() {
        auto dialog = std::make_unique<CallingRangeEditor>(&window->desk(), window.get());
        dialog->show();
        return dialog;
    }
    static QLineEdit* call(CallingRangeEditor& d, int row, int column) {
        return d.callRangeEdits()[static_cast<std::size_t>(row * 10 + column)];
    }
    static QLineEdit* bubble(CallingRangeEditor& d, int row, int column) {
        return d.bubbleEdits()[static_cast<std::size_t>(row * 10 + column)];
    }

private slots:
    void init() {
        scratch = std::make_unique<ScratchWorkingDirectory>();
        QVERIFY(QDir(QStringLiteral("data")).removeRecursively());  // a fresh installation
        startWindow();
    }
    void cleanup() { closeDesk(); }

    void opensModallyFromPreferences() {
        QAction* entry = menuAction(*window, QStringLiteral("Preferences"), QStringLiteral("Calling ranges"));
        QVERIFY(entry);
        QString title;
        whenModal([&title](QWidget* w) {
            QPushButton* close = buttonLabelled(w, "Close");
            title = close ? w->windowTitle() : QStringLiteral("no Close button");
            close ? close->click() : void(w->close());
        });
        entry->trigger();
        QCOMPARE(title, QStringLiteral("Default opponent callingranges"));
        QVERIFY(window->findChildren<CallingRangeEditor*>().isEmpty());
        QVERIFY(!QDir(QStringLiteral("data")).exists());  // closing saves nothing
    }

    void freshInstallationShowsDefaultsAndDropsUnsavedEdits() {
        auto dialog = openEditor();
        QCOMPARE(dialog->profileCombo()->currentText(), QStringLiteral("Tight"));
        QCOMPARE(call(*dialog, 6, 9)->text() + " " + bubble(*dialog, 9, 0)->text() + " " +
                     dialog->potOddsOneAndHalfEdit()->text() + " " + dialog->potOddsTwoEdit()->text(),
                 QStringLiteral("7.00 7.00 50.00 80.00"));

        typeInto(call(*dialog, 6, 9), QStringLiteral("42"), false);
        dialog->profileCombo()->setCurrentIndex(1);
        dialog->profileCombo()->setCurrentIndex(0);
        QCOMPARE(call(*dialog, 6, 9)->text(), QStringLiteral("7.00"));
        QVERIFY(!QDir(QStringLiteral("data")).exists());
    }

    // 5 + 4 + 3 + 2 + 1 cells per table: callers behind the pusher and "Others".
    void fifteenCellsPerTableTakeTwoDecimals() {
        auto dialog = openEditor();
        int shown = 0;
        for (std::size_t k = 0; k < 100; ++k)
            shown += dialog->callRangeEdits()[k]->isVisible() + dialog->bubbleEdits()[k]->isVisible();
        QCOMPARE(shown, 30);
        QVERIFY(!call(*dialog, 9, 8)->isVisible() && call(*dialog, 9, 0)->isVisible());  // before the pusher; "Others"
        // Two decimals between 0 and 100, a decimal point whatever the locale.
        int position = 0;
        for (QString text : {"100.01", "-1", "12.345", "7,5"})
            QVERIFY2(dialog->validator()->validate(text, position) != QValidator::Acceptable, qPrintable(text));
        typeInto(call(*dialog, 7, 8), QStringLiteral("-12.345"), false);  // the fields use it
        QCOMPARE(call(*dialog, 7, 8)->text(), QStringLiteral("12.34"));
    }

    // Profile n's cells (7, 8) and (8, 7) hold whole numbers plus (n + 1) * 0.111, the rest 7. Shown (7, 8) and
    // (7, 0) are typed over; hidden (8, 7) keeps the file's value, cut to two decimals.
    void editsAndSavesEveryProfileKeepingHiddenCells() {
        for (int n = 0; n < 3; ++n) {
            CallingProfile p;
            const float fraction = static_cast<float>((n + 1) * 0.111);
            p.callRanges[7][8] = 78 + fraction;
            p.callRanges[8][7] = 87 + fraction;
            p.bubbleRanges[7][8] = 21 + fraction;
            p.bubbleRanges[8][7] = 12 + fraction;
            p.potOdds[0] = 30.0f + static_cast<float>(n);
            p.potOdds[1] = 60.0f + static_cast<float>(n);
            QVERIFY(p.save("data", n));
        }
        {
            auto dialog = openEditor();
            for (int n = 0; n < 3; ++n) {
                dialog->profileCombo()->setCurrentIndex(n);
                if (n == 1)  // loading shows two decimals: 78.222, 21.222
                    QCOMPARE(call(*dialog, 7, 8)->text() + " " + bubble(*dialog, 7, 8)->text() + " " +
                                 dialog->potOddsOneAndHalfEdit()->text() + " " + dialog->potOddsTwoEdit()->text(),
                             QStringLiteral("78.22 21.22 31.00 61.00"));
                typeInto(call(*dialog, 7, 8), QStringLiteral("1%1.5").arg(n), false);
                typeInto(call(*dialog, 7, 0), QStringLiteral("2%1.5").arg(n), false);
                typeInto(bubble(*dialog, 7, 8), QStringLiteral("3%1.25").arg(n), false);
                typeInto(dialog->potOddsOneAndHalfEdit(), QStringLiteral("4%1.25").arg(n), false);
                typeInto(dialog->potOddsTwoEdit(), QStringLiteral("9%1.75").arg(n), false);
                UnexpectedModals boxes;
                buttonLabelled(dialog.get(), "Save")->click();
                QCOMPARE(boxes.seen, QStringList());
            }
        }
        for (int n = 0; n < 3; ++n) {
            const CallingProfile s = CallingProfile::load("data", n);
            QStringList values;
            for (float v : {s.callRanges[7][8], s.callRanges[7][0], s.bubbleRanges[7][8], s.potOdds[0], s.potOdds[1],
                            s.callRanges[8][7], s.bubbleRanges[8][7]})
                values << QString::number(v, 'f', 3);
            // Value 0 is "1:1.5", value 1 is "1:2".
            QCOMPARE(values.join(' '),
                     QStringLiteral("1%1.500 2%1.500 3%1.250 4%1.250 9%1.750 87.%2 12.%2").arg(n).arg((n + 1) * 110));
        }
    }

    // A shown field outside 0..100, or empty, stops the save and is marked; the first good one creates "data".
    void valuesOutside0To100AreRefused() {
        const struct {
            const char* typed;
            bool saved;
        } rows[] = {{"150", false}, {"100.01", false}, {"", false}, {"100", true}, {"0", true}};
        for (const auto& r : rows) {
            auto dialog = openEditor();
            QLineEdit* edit = r.typed[0] == '1' ? call(*dialog, 7, 9) : dialog->potOddsTwoEdit();
            typeInto(edit, QString::fromLatin1(r.typed), false);
            UnexpectedModals boxes;
            buttonLabelled(dialog.get(), "Save")->click();
            QCOMPARE(edit->property("invalid").toBool(), !r.saved);
            QCOMPARE(QDir(QStringLiteral("data")).exists(), r.saved);
            if (!r.saved) {
                QTRY_COMPARE(boxes.seen.size(), 1);
                continue;
            }
            QCOMPARE(QDir(QStringLiteral("data")).entryList(QDir::Files).size(), 3);  // no leftovers
            const CallingProfile p = CallingProfile::load("data", 0);
            const float value = r.typed[0] == '1' ? p.callRanges[7][9] : p.potOdds[1];
            QCOMPARE(value, QString::fromLatin1(r.typed).toFloat());
        }
    }

    void failedSaveTellsTheUserAndKeepsTheEdits() {
        // A file where the directory should be; a directory for the bubble file (the first two are written by then).
        for (const char* blocker : {"data", "data/bubble2.conf"}) {
            QDir(QStringLiteral("data")).removeRecursively();
            QFile::remove(QStringLiteral("data"));
            QFile file(QStringLiteral("data"));
            QVERIFY(QLatin1String(blocker) == QLatin1String("data") ? file.open(QIODevice::WriteOnly)
                                                                     : QDir().mkpath(QLatin1String(blocker)));
            auto dialog = openEditor();
            dialog->profileCombo()->setCurrentIndex(2);
            typeInto(bubble(*dialog, 7, 9), QStringLiteral("12.5"), false);
            UnexpectedModals boxes;
            buttonLabelled(dialog.get(), "Save")->click();
            QTRY_COMPARE(boxes.seen.size(), 1);
            const QString box = boxes.seen[0];
            QVERIFY2(box.startsWith("Error: ") && box.contains("\"Loose\"") && box.contains("data"), qPrintable(box));
            QCOMPARE(bubble(*dialog, 7, 9)->text(), QStringLiteral("12.5"));
            QVERIFY(dialog->isVisible());
            QVERIFY(QDir(QStringLiteral("data")).entryList({QStringLiteral("*.tmp")}, QDir::AllEntries).isEmpty());
        }
    }
};

QTEST_MAIN(CallRangeTest)
#include "callrange_test.moc"
