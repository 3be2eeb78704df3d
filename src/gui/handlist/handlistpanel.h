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

class DeskActions;
class DeskModel;
class QGridLayout;
class QProgressDialog;
class QTreeWidget;
class QTreeWidgetItem;

namespace torvel {
class GameState;
}

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

public slots:
    void onImportClicked();
    void onExportClicked();
    void onDeleteAllClicked();
    void onRowClicked(QTreeWidgetItem* item, int column);
    void onSelectionChanged();

private:
    // Highlights the row of the situation on the table (none when unlisted).
    void selectShown(const torvel::GameState* shown);
    torvel::GameState* situationOf(const QTreeWidgetItem* item) const;
    // Removes a row and its situation from the list; the situation is
    // destroyed unless it is on the table (then it is returned).
    void removeRow(QTreeWidgetItem* item);

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
};
