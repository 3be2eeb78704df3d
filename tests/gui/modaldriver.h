#pragma once
// Answers the next modal dialog from a timer: the tests open dialogs the
// way a user would and this plays the user's part.

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Runs handler on the first modal widget that appears (polling for up to
// two seconds), then lets the caller go on.
inline void whenModal(std::function<void(QWidget*)> handler, int attempts = 200) {
    QTimer::singleShot(10, [handler, attempts]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            handler(modal);
            return;
        }
        if (attempts > 0)
            whenModal(handler, attempts - 1);
    });
}

// Closes the next message box and records its title and text.
inline void acceptMessageBox(QString* title, QString* text) {
    whenModal([title, text](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            if (title)
                *title = box->windowTitle();
            if (text)
                *text = box->text();
            box->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(w)) {
            dialog->reject();
        }
    });
}
