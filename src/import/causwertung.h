#pragma once
// The hand list: every graded decision since the start or the last clear
// (imported hands and trainer answers), each owning its situation. A click
// shows a situation on the table, opens its report or deletes it. The panel
// also runs the import of hand-history files and the export.

#include <QGroupBox>
#include <QIcon>
#include <QList>

#include <memory>
#include <vector>

class QGridLayout;
class QProgressDialog;
class QTreeWidget;
class QTreeWidgetItem;
class grabber;

namespace torvel {
class GameState;
}

class CAuswertung : public QGroupBox {
    Q_OBJECT

public:
    CAuswertung(grabber* mainWindow, QWidget* parent);
    ~CAuswertung() override;

    // Enters a situation and takes it over; one already listed is not
    // entered again (then false; the list keeps owning it).
    bool addEntry(std::unique_ptr<torvel::GameState> situation, const QString& text);
    bool contains(const torvel::GameState* situation) const;
    // Parses one file: every relevant decision gets the import's profile,
    // is shown, graded and listed.
    void importFile(const QString& path);
    // Recounts the main window's score from the rows and colours them.
    void recount();
    // Runs the import (file dialog, profile question, progress, summary).
    void runImport(const QStringList& files);

    QList<torvel::GameState*> situations;
    // Never exported over.
    std::vector<std::string> importedFiles;
    QTreeWidget* tree = nullptr;
    QGridLayout* grid = nullptr;
    QIcon viewIcon;
    QIcon showIcon;
    QIcon deleteIcon;
    int relevantCount = 0;
    int handCount = 0;
    int profileIndex = 0;
    std::unique_ptr<QProgressDialog> progress;
    int allInCount = 0;
    grabber* mainWindow = nullptr;

public slots:
    void slot_pbImport();
    void slot_pbExport();
    void slot_pbRemove();
    void t_Clicked(QTreeWidgetItem* item, int column);
    void t_Changed();

private:
    torvel::GameState* situationOf(const QTreeWidgetItem* item) const;
    // Removes a row and its situation from the list; the situation is
    // destroyed unless it is on the table (then it is returned).
    void removeRow(QTreeWidgetItem* item);

    std::vector<std::unique_ptr<torvel::GameState>> owned_;
};
