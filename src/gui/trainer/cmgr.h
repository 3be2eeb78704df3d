#pragma once
// The central frame: the table, the payout structure, the hand list, the
// trainer settings and the row of buttons, shared by the editor, the trainer
// and the hand list.

#include <QWidget>

class CAuswertung;
class CITM;
class CSetting;
class Layout;
class QPushButton;
class grabber;

class CMgr : public QWidget {
    Q_OBJECT

public:
    explicit CMgr(grabber* mainWindow);

    // Shows the seat buttons and lets the table be edited, or hides them.
    void setEditMode(bool on);
    void clearTable();

    grabber* mainWindow = nullptr;
    QPushButton* editButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* plotButton = nullptr;
    QPushButton* computeButton = nullptr;
    QPushButton* detailsButton = nullptr;
    QPushButton* pushButton = nullptr;
    QPushButton* foldButton = nullptr;
    QWidget* buttonBar = nullptr;
    CAuswertung* handList = nullptr;
    CSetting* settings = nullptr;
    CITM* payouts = nullptr;
    Layout* table = nullptr;

public slots:
    void slot_Push();
    void slot_Fold();
    void slot_pbEdit();
    void slot_pbClear();
    void slot_pbPlot();
    void slot_pbCompute();
    void slot_pbDetails();
};
