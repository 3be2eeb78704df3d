#pragma once
// The central frame: the table, the payout structure, the hand list, the
// trainer settings and the row of buttons, shared by the editor, the trainer
// and the hand list.

#include <QWidget>

class DeskActions;
class DeskModel;
class HandListPanel;
class PayoutPanel;
class QPushButton;
class TableResources;
class TableView;
class TrainerSettingsPanel;
enum class DeskMode : int;

class TableFrame : public QWidget {
    Q_OBJECT

public:
    TableFrame(DeskModel& desk, const TableResources& resources, DeskActions& actions, QWidget* parent);

    // Shows the seat buttons and lets the table be edited, or hides them.
    void setEditMode(bool on);
    // Shows the buttons and panels of the editor, the trainer or the hand list.
    void showControlsFor(DeskMode mode);

    TableView* table() const { return table_; }
    PayoutPanel* payouts() const { return payouts_; }
    HandListPanel* handList() const { return handList_; }
    TrainerSettingsPanel* trainerSettings() const { return settings_; }
    QPushButton* editButton() const { return editButton_; }
    QPushButton* clearButton() const { return clearButton_; }
    QPushButton* plotButton() const { return plotButton_; }
    QPushButton* computeButton() const { return computeButton_; }
    QPushButton* detailsButton() const { return detailsButton_; }
    QPushButton* pushButton() const { return pushButton_; }
    QPushButton* foldButton() const { return foldButton_; }

public slots:
    void onPushClicked();
    void onFoldClicked();
    void onEditToggled();
    void onClearClicked();
    void onPlotClicked();
    void onComputeClicked();
    void onDetailsClicked();

private:
    DeskModel& desk_;
    DeskActions& actions_;
    QPushButton* editButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* plotButton_ = nullptr;
    QPushButton* computeButton_ = nullptr;
    QPushButton* detailsButton_ = nullptr;
    QPushButton* pushButton_ = nullptr;
    QPushButton* foldButton_ = nullptr;
    QWidget* buttonBar_ = nullptr;
    HandListPanel* handList_ = nullptr;
    TrainerSettingsPanel* settings_ = nullptr;
    PayoutPanel* payouts_ = nullptr;
    TableView* table_ = nullptr;
};
