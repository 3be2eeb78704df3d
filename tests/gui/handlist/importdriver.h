#pragma once
// Imports hand histories through the hand list as a user does.
#include <functional>
#include <memory>

#include "gui/handlist/handlistpanel.h"
#include "modaldriver.h"

inline const QString kFixtures = QStringLiteral(TORVEL_IMPORT_FIXTURES);

// Answers the profile question with profile (cancels it when empty), shows
// the summary box to onSummary and closes it; returns the summary. Names
// are of the fixtures folder unless absolute.
inline QString importFixtures(HandListPanel* list, const QStringList& names, const QString& profile = "Tight",
                              const std::function<void(QMessageBox*)>& onSummary = {}) {
    auto summary = std::make_shared<QString>();  // the watcher may outlive an import that shows none
    whenOpen<QInputDialog>([profile, onSummary, summary](QInputDialog* question) {
        question->setTextValue(profile);
        profile.isEmpty() ? question->reject() : question->accept();
        whenOpen<QMessageBox>([onSummary, summary](QMessageBox* box) {
            *summary = box->text();
            if (onSummary)
                onSummary(box);
            box->accept();
        });
    });
    QStringList paths;
    for (const QString& name : names)
        paths << QDir(kFixtures).filePath(name);
    list->runImport(paths);
    return *summary;
}
