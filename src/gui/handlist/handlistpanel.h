#pragma once
// The hand list: every graded decision since the start or the last clear
// (imported hands and trainer answers), each owning its situation. A click
// shows a situation on the table, opens its report or deletes it. The panel
// also runs the import of hand-history files and the export, keeps what the
// import grades in the hand database and lists stored decisions again.

#include <QGroupBox>
#include <QIcon>
#include <QList>

#include <memory>
#include <vector>

#include "store/decisionrecord.h"

class DeskActions;
class DeskModel;
class QGridLayout;
class QProgressDialog;
class QTreeWidget;
class QTreeWidgetItem;

namespace torvel {
class GameState;
namespace store {
class HandStore;
struct DecisionFilter;
}  // namespace store
}  // namespace torvel

class HandListPanel : public QGroupBox {
    Q_OBJECT

public:
    HandListPanel(DeskModel& desk, DeskActions& actions, QWidget* parent);
    ~HandListPanel() override;

    // Enters a situation and takes it over; one already listed is not
    // entered again (then false; the list keeps owning it).
    bool addEntry(std::unique_ptr<torvel::GameState> situation, const QString& text);
    bool contains(const torvel::GameState* situation) const;
    // Parses one file: every relevant decision gets the import's profile,
    // is shown, graded and listed.
    void importFile(const QString& path);
    // Recounts the desk's score from the rows and colours them.
    void recount();
    // Runs the import (file dialog, profile question, progress, summary).
    void runImport(const QStringList& files);

    // The listed situations in the order of the rows.
    const QList<torvel::GameState*>& situations() const { return situations_; }
    QTreeWidget* tree() const { return tree_; }
    // Of the last imported file.
    int relevantCount() const { return relevantCount_; }
    int handCount() const { return handCount_; }
    // The calling-range profile of the last import (0 "Tight" .. 2 "Loose",
    // kNashProfile "Nash").
    static constexpr int kNashProfile = 3;
    int profileIndex() const { return profileIndex_; }
    // Decisions of the last "Nash" import the equilibrium does not model.
    int notModelledCount() const { return notModelledCount_; }

    // The hand database the import fills: hands.sqlite in the working
    // directory unless set.
    void setDatabasePath(const QString& path) { databasePath_ = path; }
    const QString& databasePath() const { return databasePath_; }
    // Lists the stored decisions the filter lets through that are not
    // listed yet and returns how many; -1 after an "Error" box when the
    // database cannot be read.
    int showStored(const torvel::store::DecisionFilter& filter);

public slots:
    void onImportClicked();
    void onExportClicked();
    void onDeleteAllClicked();
    // Asks which stored decisions to list (all, a tournament, dates).
    void onShowStoredClicked();
    void onRowClicked(QTreeWidgetItem* item, int column);
    void onSelectionChanged();

private:
    // Highlights the row of the situation on the table (none when unlisted).
    void selectShown(const torvel::GameState* shown);
    torvel::GameState* situationOf(const QTreeWidgetItem* item) const;
    // Removes a row and its situation from the list; the situation is
    // destroyed unless it is on the table (then it is returned).
    void removeRow(QTreeWidgetItem* item);
    // Keeps the decisions graded from one file in the database, the whole
    // file or nothing; the reason when it failed.
    QString storeGraded(torvel::store::HandStore& database);

    DeskModel& desk_;
    DeskActions& actions_;
    QList<torvel::GameState*> situations_;
    // Never exported over.
    std::vector<std::string> importedFiles_;
    QTreeWidget* tree_ = nullptr;
    QGridLayout* grid_ = nullptr;
    QIcon viewIcon_;
    QIcon showIcon_;
    QIcon deleteIcon_;
    int relevantCount_ = 0;
    int handCount_ = 0;
    int profileIndex_ = 0;
    int notModelledCount_ = 0;
    std::unique_ptr<QProgressDialog> progress_;
    std::vector<std::unique_ptr<torvel::GameState>> owned_;
    // Graded by the current file, not yet stored.
    std::vector<torvel::store::DecisionRecord> graded_;
    QString databasePath_;
};
