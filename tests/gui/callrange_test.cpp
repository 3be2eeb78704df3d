// The calling-range editor as a user drives it: load, edit and save the
// three profiles (the hidden cells travel along), a fresh installation, a
// missing or blocked data directory, and hostile pot-odds files. Every test
// runs in its own scratch working directory.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDoubleValidator>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdint>
#include <cstring>
#include <memory>

#include "app/grabber.h"
#include "engine/callingprofile.h"
#include "modaldriver.h"
#include "ranges/ccallrange.h"

using torvel::CallingProfile;

namespace {

// Closes every message box that appears while it lives and remembers the
// last one; stops watching when it goes out of scope.
class MessageBoxCatcher : public QObject {
public:
    MessageBoxCatcher() {
        connect(&timer_, &QTimer::timeout, this, [this]() {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++seen;
                title = box->windowTitle();
                text = box->text();
                box->accept();
            }
        });
        timer_.start(10);
    }
    int seen = 0;
    QString title;
    QString text;

private:
    QTimer timer_;
};

QPushButton* buttonLabelled(QWidget* parent, const QString& label) {
    for (auto* button : parent->findChildren<QPushButton*>())
        if (button->text() == label)
            return button;
    return nullptr;
}

void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

int cell(int row, int column) { return row * 10 + column; }

// File contents for profile n: cell (r, c) holds r * 10 + c plus (n + 1) *
// 0.111, so every cell and every profile differs, and the third decimal
// shows that a value is kept as its two-decimal text.
float fileCallRange(int profile, int row, int column) {
    return static_cast<float>(row * 10 + column + (profile + 1) * 0.111);
}
float fileBubble(int profile, int row, int column) {
    return static_cast<float>(99 - (row * 10 + column) + (profile + 1) * 0.111);
}

// What the user types into the shown cells of profile n: r * 10 + c - 50,
// then decimals n * 2 + 1 and 5 (bubble: 7).
QString typedCallRange(int profile, int row, int column) {
    return QStringLiteral("%1.%2").arg(row * 10 + column - 50).arg(profile * 2 + 1) + QLatin1Char('5');
}
QString typedBubble(int profile, int row, int column) {
    return QStringLiteral("%1.%2").arg(99 - (row * 10 + column)).arg(profile * 2 + 1) + QLatin1Char('7');
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void appendInt(QByteArray& out, std::int32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((static_cast<std::uint32_t>(value) >> shift) & 0xff));
}

void appendFloat(QByteArray& out, float value) {
    std::int32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    appendInt(out, bits);
}

}  // namespace

class CallRangeTest : public QObject {
    Q_OBJECT

private:
    QString runtimeDirectory;
    std::unique_ptr<QTemporaryDir> scratch;
    std::unique_ptr<grabber> window;

    std::unique_ptr<CCallRange> openEditor() {
        auto dialog = std::make_unique<CCallRange>(window.get(), window.get());
        dialog->show();
        return dialog;
    }

private slots:
    void initTestCase() { runtimeDirectory = QDir::currentPath(); }

    void init() {
        scratch = std::make_unique<QTemporaryDir>();
        QVERIFY(scratch->isValid());
        for (const char* name : {"table.res", "ranking.res"})
            QVERIFY(QFile::copy(runtimeDirectory + "/" + name, scratch->filePath(name)));
        QVERIFY(QDir::setCurrent(scratch->path()));
        window = std::make_unique<grabber>();
        QVERIFY2(window->tablesLoaded(), qPrintable(window->tableLoadError()));
    }

    void cleanup() {
        window.reset();
        QDir::setCurrent(runtimeDirectory);
        scratch.reset();
    }

    void opensModallyFromPreferencesAndIsGoneAfterClose() {
        QAction* entry = nullptr;
        for (QAction* a : window->findChildren<QAction*>())
            if (a->text() == QStringLiteral("Calling ranges"))
                entry = a;
        QVERIFY(entry);
        QString title;
        bool modal = false;
        bool closeFound = false;
        whenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<CCallRange*>(w);
            if (!dialog) {
                w->close();
                return;
            }
            title = dialog->windowTitle();
            modal = dialog->isModal();
            QPushButton* close = buttonLabelled(dialog, QStringLiteral("Close"));
            closeFound = close != nullptr;
            if (close)
                close->click();
            else
                dialog->reject();
        });
        entry->trigger();
        QCOMPARE(title, QStringLiteral("Default opponent callingranges"));
        QVERIFY(modal);
        QVERIFY(closeFound);
        QVERIFY(window->findChildren<CCallRange*>().isEmpty());
        // Closing saves nothing.
        QVERIFY(!QDir(QStringLiteral("data")).exists());
    }

    void freshInstallationShowsDefaultsInEveryCell() {
        auto dialog = openEditor();
        QCOMPARE(dialog->profileCombo->count(), 3);
        QCOMPARE(dialog->profileCombo->itemText(0), QStringLiteral("Tight"));
        QCOMPARE(dialog->profileCombo->itemText(1), QStringLiteral("Medium"));
        QCOMPARE(dialog->profileCombo->itemText(2), QStringLiteral("Loose"));
        QCOMPARE(dialog->profileCombo->currentIndex(), 0);
        for (int k = 0; k < 100; ++k) {
            QCOMPARE(dialog->callRangeEdits[static_cast<std::size_t>(k)]->text(), QStringLiteral("7.00"));
            QCOMPARE(dialog->bubbleEdits[static_cast<std::size_t>(k)]->text(), QStringLiteral("7.00"));
        }
        QCOMPARE(dialog->potOddsOneAndHalfEdit->text(), QStringLiteral("50.00"));
        QCOMPARE(dialog->potOddsTwoEdit->text(), QStringLiteral("80.00"));
    }

    void showsFifteenCellsPerTableWhereTheHeadersAre() {
        auto dialog = openEditor();
        auto* grid = qobject_cast<QGridLayout*>(dialog->layout());
        QVERIFY(grid);
        int shownCallRanges = 0;
        int shownBubbles = 0;
        for (int k = 0; k < 100; ++k) {
            shownCallRanges += dialog->callRangeEdits[static_cast<std::size_t>(k)]->isVisible() ? 1 : 0;
            shownBubbles += dialog->bubbleEdits[static_cast<std::size_t>(k)]->isVisible() ? 1 : 0;
        }
        // 5 + 4 + 3 + 2 + 1 cells: callers behind the pusher and "Others".
        QCOMPARE(shownCallRanges, 15);
        QCOMPARE(shownBubbles, 15);

        auto positionOf = [grid](QWidget* w) {
            int row = -1, column = -1, rows = 0, columns = 0;
            const int index = grid->indexOf(w);
            if (index >= 0)
                grid->getItemPosition(index, &row, &column, &rows, &columns);
            return QPoint(column, row);
        };
        auto callAt = [&](int r, int c) { return dialog->callRangeEdits[static_cast<std::size_t>(cell(r, c))]; };
        auto bubbleAt = [&](int r, int c) { return dialog->bubbleEdits[static_cast<std::size_t>(cell(r, c))]; };
        // (column, row) in the grid: "Push Before CO" against "Cut Off" and
        // "Others", the big blind's single cell, the bubble table 18 rows lower.
        QCOMPARE(positionOf(callAt(5, 6)), QPoint(7, 8));
        QCOMPARE(positionOf(callAt(5, 0)), QPoint(11, 8));
        QCOMPARE(positionOf(callAt(8, 9)), QPoint(10, 11));
        QCOMPARE(positionOf(callAt(9, 0)), QPoint(11, 12));
        QCOMPARE(positionOf(bubbleAt(7, 8)), QPoint(9, 28));
        QCOMPARE(positionOf(bubbleAt(9, 0)), QPoint(11, 30));
        // A caller before the pusher, and pusher rows 0..4, are hidden.
        QVERIFY(!callAt(9, 8)->isVisible());
        QVERIFY(!callAt(3, 0)->isVisible());
        QCOMPARE(positionOf(callAt(7, 6)), QPoint(-1, -1));
        // The header above the "Others" column and the row labels line up.
        auto textAt = [grid](int row, int column) {
            QLayoutItem* item = grid->itemAtPosition(row, column);
            auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
            return label ? label->text() : QString();
        };
        QCOMPARE(textAt(2, 11), QStringLiteral("Others"));
        QCOMPARE(textAt(20, 10), QStringLiteral("Big Blind"));
        QCOMPARE(textAt(30, 0), QStringLiteral("Big Blind Pushes"));
        QCOMPARE(textAt(15, 0), QStringLiteral("If potodds > 1:2 "));
        QCOMPARE(positionOf(dialog->potOddsTwoEdit), QPoint(6, 15));
        QCOMPARE(positionOf(dialog->potOddsOneAndHalfEdit), QPoint(6, 16));
    }

    void validatorTakesTwoDecimalsBetween0And100() {
        auto dialog = openEditor();
        QDoubleValidator* validator = dialog->validator;
        for (int k = 0; k < 100; ++k) {
            QCOMPARE(dialog->callRangeEdits[static_cast<std::size_t>(k)]->validator(), validator);
            QCOMPARE(dialog->bubbleEdits[static_cast<std::size_t>(k)]->validator(), validator);
        }
        QCOMPARE(dialog->potOddsTwoEdit->validator(), validator);
        int position = 0;
        for (QString accepted : {QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("12.34"),
                                 QStringLiteral("99.99")})
            QCOMPARE(validator->validate(accepted, position), QValidator::Acceptable);
        for (QString refused : {QStringLiteral("100.01"), QStringLiteral("101"), QStringLiteral("-1"),
                                QStringLiteral("12.345"), QStringLiteral("7,5")})
            QVERIFY2(validator->validate(refused, position) != QValidator::Acceptable, qPrintable(refused));

        // Typing a third decimal or a minus sign leaves the text as it was.
        QLineEdit* edit = dialog->callRangeEdits[static_cast<std::size_t>(cell(7, 8))];
        type(edit, QStringLiteral("12.345"));
        QCOMPARE(edit->text(), QStringLiteral("12.34"));
        type(edit, QStringLiteral("-3"));
        QCOMPARE(edit->text(), QStringLiteral("3"));
    }

    // Files with known values for all three profiles; each profile is
    // edited in every shown cell and saved, and a new editor reads back the
    // typed values in the shown cells and the file values, cut to two
    // decimals, in the hidden ones.
    void editsAndSavesEveryProfileKeepingHiddenCells() {
        for (int n = 0; n < 3; ++n) {
            CallingProfile p;
            for (int r = 0; r < 10; ++r)
                for (int c = 0; c < 10; ++c) {
                    p.callRanges[r][c] = fileCallRange(n, r, c);
                    p.bubbleRanges[r][c] = fileBubble(n, r, c);
                }
            p.potOdds[0] = 30.0f + static_cast<float>(n);
            p.potOdds[1] = 60.0f + static_cast<float>(n);
            QVERIFY(p.save("data", n));
        }

        {
            auto dialog = openEditor();
            for (int n = 0; n < 3; ++n) {
                dialog->profileCombo->setCurrentIndex(n);
                // Loading: profile 1, cell (7, 8) holds 78.222 and shows 78.22;
                // its bubble cell 99 - 78 + 0.222 = 21.22; a hidden cell
                // (3, 4) 34.22.
                if (n == 1) {
                    QCOMPARE(dialog->callRangeEdits[static_cast<std::size_t>(cell(7, 8))]->text(),
                             QStringLiteral("78.22"));
                    QCOMPARE(dialog->bubbleEdits[static_cast<std::size_t>(cell(7, 8))]->text(),
                             QStringLiteral("21.22"));
                    QCOMPARE(dialog->callRangeEdits[static_cast<std::size_t>(cell(3, 4))]->text(),
                             QStringLiteral("34.22"));
                    QCOMPARE(dialog->potOddsOneAndHalfEdit->text(), QStringLiteral("31.00"));
                    QCOMPARE(dialog->potOddsTwoEdit->text(), QStringLiteral("61.00"));
                }
                for (int r = 0; r < 10; ++r)
                    for (int c = 0; c < 10; ++c) {
                        if (!CCallRange::cellShown(r, c))
                            continue;
                        type(dialog->callRangeEdits[static_cast<std::size_t>(cell(r, c))], typedCallRange(n, r, c));
                        type(dialog->bubbleEdits[static_cast<std::size_t>(cell(r, c))], typedBubble(n, r, c));
                    }
                type(dialog->potOddsOneAndHalfEdit, QStringLiteral("2%1.25").arg(n));
                type(dialog->potOddsTwoEdit, QStringLiteral("9%1.75").arg(n));
                MessageBoxCatcher boxes;
                buttonLabelled(dialog.get(), QStringLiteral("Save"))->click();
                QCOMPARE(boxes.seen, 0);
            }
        }

        // The files themselves, as the engine reads them.
        for (int n = 0; n < 3; ++n) {
            const CallingProfile saved = CallingProfile::load("data", n);
            for (int r = 0; r < 10; ++r)
                for (int c = 0; c < 10; ++c) {
                    const float callRange =
                        CCallRange::cellShown(r, c)
                            ? static_cast<float>(r * 10 + c - 50 + (n * 2 + 1) * 0.1 + 0.05)
                            : static_cast<float>(r * 10 + c + (n + 1) * 0.11);
                    const float bubble = CCallRange::cellShown(r, c)
                                             ? static_cast<float>(99 - (r * 10 + c) + (n * 2 + 1) * 0.1 + 0.07)
                                             : static_cast<float>(99 - (r * 10 + c) + (n + 1) * 0.11);
                    QVERIFY2(qAbs(saved.callRanges[r][c] - callRange) < 1e-4f,
                             qPrintable(QStringLiteral("profile %1 cell %2,%3: %4").arg(n).arg(r).arg(c).arg(
                                 saved.callRanges[r][c])));
                    QVERIFY2(qAbs(saved.bubbleRanges[r][c] - bubble) < 1e-4f,
                             qPrintable(QStringLiteral("bubble profile %1 cell %2,%3").arg(n).arg(r).arg(c)));
                }
            // Value 0 is "1:1.5", value 1 is "1:2".
            QCOMPARE(saved.potOdds[0], 20.25f + 1.0f * static_cast<float>(n));
            QCOMPARE(saved.potOdds[1], 90.75f + 1.0f * static_cast<float>(n));
            QCOMPARE(saved.potOddsCount, 2);
        }

        // And a new editor shows them again: Loose, (5, 0) typed as "0.55".
        auto again = openEditor();
        again->profileCombo->setCurrentIndex(2);
        QCOMPARE(again->callRangeEdits[static_cast<std::size_t>(cell(5, 0))]->text(), QStringLiteral("0.55"));
        QCOMPARE(again->bubbleEdits[static_cast<std::size_t>(cell(9, 0))]->text(), QStringLiteral("9.57"));
        QCOMPARE(again->callRangeEdits[static_cast<std::size_t>(cell(0, 0))]->text(), QStringLiteral("0.33"));
        QCOMPARE(again->potOddsOneAndHalfEdit->text(), QStringLiteral("22.25"));
        QCOMPARE(again->potOddsTwoEdit->text(), QStringLiteral("92.75"));
    }

    void switchingProfilesDropsUnsavedEdits() {
        auto dialog = openEditor();
        QLineEdit* edit = dialog->callRangeEdits[static_cast<std::size_t>(cell(6, 9))];
        type(edit, QStringLiteral("42"));
        dialog->profileCombo->setCurrentIndex(1);
        dialog->profileCombo->setCurrentIndex(0);
        QCOMPARE(edit->text(), QStringLiteral("7.00"));
        QVERIFY(!QDir(QStringLiteral("data")).exists());
    }

    void saveCreatesTheMissingDataDirectory() {
        QVERIFY(!QDir(QStringLiteral("data")).exists());
        auto dialog = openEditor();
        dialog->profileCombo->setCurrentIndex(1);
        type(dialog->callRangeEdits[static_cast<std::size_t>(cell(8, 9))], QStringLiteral("33.5"));
        MessageBoxCatcher boxes;
        buttonLabelled(dialog.get(), QStringLiteral("Save"))->click();
        QCOMPARE(boxes.seen, 0);

        // 100 floats, a count and two floats, 100 floats; no leftovers.
        QCOMPARE(QFileInfo(QStringLiteral("data/callrange1.conf")).size(), 400);
        QCOMPARE(QFileInfo(QStringLiteral("data/potodds1.conf")).size(), 12);
        QCOMPARE(QFileInfo(QStringLiteral("data/bubble1.conf")).size(), 400);
        QCOMPARE(QDir(QStringLiteral("data")).entryList(QDir::Files).size(), 3);
        const CallingProfile saved = CallingProfile::load("data", 1);
        QCOMPARE(saved.callRanges[8][9], 33.5f);
        QCOMPARE(saved.callRanges[8][0], 7.0f);
        QCOMPARE(saved.potOdds[0], 50.0f);
        QCOMPARE(saved.potOdds[1], 80.0f);
    }

    void failedSaveTellsTheUserAndKeepsTheEdits_data() {
        QTest::addColumn<QString>("blocker");
        // A file where the directory should be; a directory where the
        // bubble file should be (the first two files are written by then).
        QTest::newRow("data is a file") << QStringLiteral("data");
        QTest::newRow("bubble file is a directory") << QStringLiteral("data/bubble2.conf");
    }
    void failedSaveTellsTheUserAndKeepsTheEdits() {
        QFETCH(QString, blocker);
        if (blocker == QStringLiteral("data"))
            writeBytes(blocker, "not a directory");
        else
            QVERIFY(QDir().mkpath(blocker));

        auto dialog = openEditor();
        dialog->profileCombo->setCurrentIndex(2);
        QLineEdit* edit = dialog->bubbleEdits[static_cast<std::size_t>(cell(7, 9))];
        type(edit, QStringLiteral("12.5"));
        MessageBoxCatcher boxes;
        buttonLabelled(dialog.get(), QStringLiteral("Save"))->click();
        QTRY_COMPARE(boxes.seen, 1);
        QCOMPARE(boxes.title, QStringLiteral("Error"));
        QVERIFY2(boxes.text.contains(QStringLiteral("\"Loose\"")), qPrintable(boxes.text));
        QVERIFY2(boxes.text.contains(QStringLiteral("data")), qPrintable(boxes.text));
        QCOMPARE(edit->text(), QStringLiteral("12.5"));
        QVERIFY(dialog->isVisible());
        // Nothing half-written is left behind.
        if (QDir(QStringLiteral("data")).exists())
            QVERIFY(QDir(QStringLiteral("data")).entryList({QStringLiteral("*.tmp")}, QDir::AllEntries).isEmpty());
    }

    void hostilePotOddsFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("oneAndHalf");
        QTest::addColumn<QString>("two");
        QTest::addColumn<QList<float>>("loaded");
        // Count 1000 with twelve values 1.5, 3, 4.5, ...: the first ten are
        // taken, the rest of the file is never read.
        QByteArray many;
        appendInt(many, 1000);
        for (int k = 1; k <= 12; ++k)
            appendFloat(many, 1.5f * static_cast<float>(k));
        QTest::newRow("count above ten")
            << many << "1.50" << "3.00"
            << QList<float>{1.5f, 3.0f, 4.5f, 6.0f, 7.5f, 9.0f, 10.5f, 12.0f, 13.5f, 15.0f};
        // Count 2 but only one value: the second keeps its default.
        QByteArray shortFile;
        appendInt(shortFile, 2);
        appendFloat(shortFile, 25.0f);
        QTest::newRow("fewer values than counted") << shortFile << "25.00" << "80.00" << QList<float>{25.0f, 80.0f};
    }
    void hostilePotOddsFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, oneAndHalf);
        QFETCH(QString, two);
        QFETCH(QList<float>, loaded);
        QVERIFY(QDir().mkpath(QStringLiteral("data")));
        writeBytes(QStringLiteral("data/potodds2.conf"), bytes);
        auto dialog = openEditor();
        dialog->profileCombo->setCurrentIndex(2);
        QCOMPARE(dialog->potOddsOneAndHalfEdit->text(), oneAndHalf);
        QCOMPARE(dialog->potOddsTwoEdit->text(), two);
        for (int k = 0; k < loaded.size(); ++k)
            QCOMPARE(dialog->loadedPotOdds[static_cast<std::size_t>(k)], loaded[k]);

        // Saving writes the two values back with the count 2.
        buttonLabelled(dialog.get(), QStringLiteral("Save"))->click();
        QFile saved(QStringLiteral("data/potodds2.conf"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray written = saved.readAll();
        QCOMPARE(written.size(), 12);
        QCOMPARE(written.left(4), QByteArray("\x02\x00\x00\x00", 4));
    }
};

QTEST_MAIN(CallRangeTest)
#include "callrange_test.moc"
