#pragma once
// The main window as the widget tests meet it, in a working directory of its
// own, with the short ways to its table, seats and situation.
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

#include "engine/gamestate.h"
#include "gui/app/mainwindow.h"
#include "gui/dialogs/rangedialog.h"
#include "gui/handlist/handlistpanel.h"
#include "gui/table/seatwidget.h"
#include "gui/table/tableview.h"
#include "gui/trainer/tableframe.h"
#include "modaldriver.h"
#include "settings/inifile.h"

using torvel::GameState;

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

// Answers the next stack question with value (below 0 cancels) and records the chips it started from.
inline void answerStack(int value, int* shown = nullptr) {
    whenModal([=](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        if (input && shown)
            *shown = input->intValue();
        if (input && value >= 0) {
            input->setIntValue(value);
            input->accept();
        } else {
            w->close();
        }
    });
}

class DeskFixture {
protected:
    std::unique_ptr<ScratchWorkingDirectory> scratch;
    std::unique_ptr<MainWindow> window;

    TableFrame* frame() const { return window->frame(); }
    TableView* table() const { return window->frame()->table(); }
    SeatWidget* seat(int i) const { return table()->seatWidget(i); }
    HandListPanel* list() const { return window->frame()->handList(); }
    GameState& g() const { return *window->desk().situation(); }
    torvel::SeatState& state(int i) const { return g().seats[static_cast<std::size_t>(i)]; }
    void sit(std::initializer_list<int> seats) {
        for (int s : seats)
            seat(s)->takeSeatButton()->click();
    }
    // "Title: text" of the message box that step brings up (shared, as the
    // watcher outlives a step that brings none).
    static QString messageOf(const std::function<void()>& step) {
        auto seen = std::make_shared<QString>();
        whenOpen<QMessageBox>([seen](QMessageBox* box) {
            *seen = box->windowTitle() + ": " + box->text();
            box->accept();
        });
        step();
        return *seen;
    }
    QString settingsValue(const char* key) const {
        const torvel::IniFile settings(torvel::kSettingsFileName);
        return QString::fromStdString(settings.readString(torvel::kSettingsSection, key, "<absent>"));
    }

    void startWindow() {
        window = std::make_unique<MainWindow>();
        QVERIFY2(window->tablesLoaded(), qPrintable(window->tableLoadError()));
        window->show();
    }
    // Files written by a test (VAZ.ini, exports, the database) never reach the shared runtime.
    void openDesk() {
        scratch = std::make_unique<ScratchWorkingDirectory>();
        startWindow();
    }
    void closeDesk() {
        window.reset();
        scratch.reset();
    }
};
