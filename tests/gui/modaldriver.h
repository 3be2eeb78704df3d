#pragma once
// Answers the next modal dialog from a timer: the tests open dialogs the
// way a user would and this plays the user's part.

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Offers take the active modal widget every 10 ms for up to 30 s (loaded machines) until it takes it;
// progress dialogs come and go on their own and are passed over.
inline void pollModal(std::function<bool(QWidget*)> take, int attempts = 3000) {
    QTimer::singleShot(10, [take, attempts]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!take(modal && !modal->inherits("QProgressDialog") ? modal : nullptr) && attempts > 0)
            pollModal(take, attempts - 1);
    });
}

// Runs handler on the first modal dialog of type Dialog; other windows are let be.
template <typename Dialog, typename Handler>
void whenOpen(Handler handler) {
    pollModal([handler](QWidget* modal) {
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (dialog)
            handler(dialog);
        return dialog != nullptr;
    });
}

// Runs handler on the first modal widget that appears, then lets the caller go on.
inline void whenModal(std::function<void(QWidget*)> handler) { whenOpen<QWidget>(handler); }

#include <QLineEdit>
#include <QTest>

// Replaces an edit's text as a user types it, and presses Return unless told not to (Return in a
// dialog presses its default button).
inline void typeInto(QLineEdit* edit, const QString& text, bool pressReturn = true) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    if (pressReturn)
        QTest::keyClick(edit, Qt::Key_Return);
}

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

// The action labelled text in the menu labelled menu, as a user finds it.
inline QAction* menuAction(QMainWindow& window, const QString& menu, const QString& text) {
    for (QAction* top : window.menuBar()->actions())
        if (top->menu() && top->text() == menu)
            for (QAction* a : top->menu()->actions())
                if (a->text() == text)
                    return a;
    return nullptr;
}

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// A working directory of its own, with copies of the ready one's tables, profiles and pictures, for a test
// that writes files; the old directory comes back when it goes.
class ScratchWorkingDirectory {
public:
    ScratchWorkingDirectory() : previous_(QDir::currentPath()) {
        copyTree(previous_, dir_.path(), {QStringLiteral("table.res"), QStringLiteral("ranking.res"),
                                          QStringLiteral("zivuzadir.jpg"), QStringLiteral("data"),
                                          QStringLiteral("images")});
        QDir::setCurrent(dir_.path());
    }
    ~ScratchWorkingDirectory() { QDir::setCurrent(previous_); }

    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    static void copyTree(const QString& from, const QString& to, const QStringList& names) {
        for (const QString& name : names) {
            const QString source = QDir(from).filePath(name);
            const QString target = QDir(to).filePath(name);
            if (QFileInfo(source).isDir()) {
                QDir().mkpath(target);
                copyTree(source, target, QDir(source).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot));
            } else {
                QFile::copy(source, target);
            }
        }
    }

    QString previous_;
    QTemporaryDir dir_;
};

// Notes and closes every modal window (progress aside) while it lives: a step that should be silent fails
// instead of hanging.
class UnexpectedModals {
public:
    UnexpectedModals() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal->inherits("QProgressDialog"))
                return;
            auto* box = qobject_cast<QMessageBox*>(modal);
            seen << modal->windowTitle() + (box ? QStringLiteral(": ") + box->text() : QString());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        });
        timer_.start(10);
    }
    QStringList seen;

private:
    QTimer timer_;
};
