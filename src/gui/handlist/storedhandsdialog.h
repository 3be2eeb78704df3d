#pragma once
// "Stored Hands": which of the decisions kept in the hand database to list
// again: all of them, one tournament, or those played between two dates.

#include <QDialog>

#include <vector>

#include "store/decisionrecord.h"
#include "store/handstore.h"

class QComboBox;
class QDateEdit;
class QRadioButton;

class StoredHandsDialog : public QDialog {
    Q_OBJECT

public:
    // stored: every decision in the database, for the tournaments and dates offered.
    StoredHandsDialog(const std::vector<torvel::store::DecisionRecord>& stored, QWidget* parent);

    torvel::store::DecisionFilter filter() const;

    QRadioButton* allButton() const { return all_; }
    QRadioButton* tournamentButton() const { return tournament_; }
    QRadioButton* datesButton() const { return dates_; }
    QComboBox* tournaments() const { return tournaments_; }
    QDateEdit* from() const { return from_; }
    QDateEdit* to() const { return to_; }

private:
    QRadioButton* all_ = nullptr;
    QRadioButton* tournament_ = nullptr;
    QRadioButton* dates_ = nullptr;
    QComboBox* tournaments_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
};
