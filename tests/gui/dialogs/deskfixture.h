#pragma once
// The main window the dialogs open from, with its tables loaded, and short ways into its table and situation.
#include <QPushButton>
#include <QtTest>

#include <initializer_list>
#include <memory>

#include "engine/gamestate.h"
#include "gui/app/mainwindow.h"
#include "gui/dialogs/rangedialog.h"
#include "gui/table/seatwidget.h"
#include "gui/table/tableview.h"
#include "gui/trainer/tableframe.h"
#include "modaldriver.h"

inline QPushButton* buttonLabelled(QWidget* parent, const char* label) {
    for (auto* button : parent->findChildren<QPushButton*>())
        if (button->text() == QLatin1String(label))
            return button;
    return nullptr;
}

// Clicks preset k of the next range dialog, records its mode and closes it.
inline void answerRange(std::size_t preset, int* mode = nullptr) {
    whenModal([preset, mode](QWidget* w) {
        if (auto* range = qobject_cast<RangeDialog*>(w)) {
            range->presetButtons()[preset]->click();
            if (mode)
                *mode = range->mode();
        }
        w->close();
    });
}

class DeskFixture : public QObject {
protected:
    std::unique_ptr<MainWindow> window;

    // For init(): a fresh window, shown; a failure here skips the test.
    void openWindow() {
        window = std::make_unique<MainWindow>();
        QVERIFY2(window->tablesLoaded(), qPrintable(window->tableLoadError()));
        window->show();
    }
    TableView* table() const { return window->frame()->table(); }
    SeatWidget* seat(int i) const { return table()->seatWidget(i); }
    torvel::GameState& g() const { return *window->desk().situation(); }
    torvel::SeatState& state(int i) const { return g().seats[static_cast<std::size_t>(i)]; }
    void sit(std::initializer_list<int> seats) {
        for (int s : seats)
            seat(s)->takeSeatButton()->click();
    }
};
