#pragma once
// The central frame: the table, the payout structure, the hand list, the
// trainer settings and the row of buttons, shared by the editor, the trainer
// and the hand list.

#include <QWidget>

class HandListPanel;
class PayoutPanel;
class TrainerSettingsPanel;
class TableView;
class QPushButton;
class MainWindow;

class TableFrame : public QWidget {
    Q_OBJECT

public:
    explicit TableFrame(MainWindow* mainWindow);

    // Shows the seat buttons and lets the table be edited, or hides them.
    void setEditMode(bool on);
    void clearTable();

    MainWindow* mainWindow = nullptr;
    QPushButton* editButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* plotButton = nullptr;
    QPushButton* computeButton = nullptr;
    QPushButton* detailsButton = nullptr;
    QPushButton* pushButton = nullptr;
    QPushButton* foldButton = nullptr;
    QWidget* buttonBar = nullptr;
    HandListPanel* handList = nullptr;
    TrainerSettingsPanel* settings = nullptr;
    PayoutPanel* payouts = nullptr;
    TableView* table = nullptr;

public slots:
    void onPushClicked();
    void onFoldClicked();
    void onEditToggled();
    void onClearClicked();
    void onPlotClicked();
    void onComputeClicked();
    void onDetailsClicked();
};
