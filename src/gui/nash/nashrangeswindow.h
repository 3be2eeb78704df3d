#pragma once
// "Nash Ranges": the push/fold equilibrium of the table on the desk. It
// follows the table and solves again (on a worker thread, with progress and
// "Cancel") only when the stacks, blinds, ante or payouts changed.

#include <QWidget>

#include <memory>
#include <vector>

#include "engine/nashranges.h"

class DeskModel;
class NashSolveJob;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class RangeGridView;

class NashRangesWindow : public QWidget {
    Q_OBJECT

public:
    explicit NashRangesWindow(DeskModel& desk, QWidget* parent = nullptr);
    ~NashRangesWindow() override;

    // Reads the table on the desk and solves it when it changed.
    void refresh();
    void cancel();
    // The range texts per position, one line each.
    QString resultText() const;
    void copyResult() const;

    bool solving() const;
    // The table shown (or being solved); empty stacks when there is none.
    const torvel::NashTable& table() const { return spot_.table; }
    const torvel::NashResult* result() const { return result_; }
    NashSolveJob* job() const { return job_.get(); }
    QComboBox* rangeChoice() const { return rangeChoice_; }
    RangeGridView* grid() const { return grid_; }
    QTableWidget* players() const { return players_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QLabel* statusLabel() const { return status_; }

signals:
    // A solve finished, was cancelled or the table cannot be solved.
    void settled();

protected:
    void showEvent(QShowEvent* event) override;

private:
    DeskModel& desk_;
    torvel::NashSpot spot_;
    bool haveTable_ = false;
    const torvel::NashResult* result_ = nullptr;
    double seconds_ = 0.0;
    std::unique_ptr<NashSolveJob> job_;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QTableWidget* players_ = nullptr;
    QComboBox* rangeChoice_ = nullptr;
    RangeGridView* grid_ = nullptr;
    QLabel* figures_ = nullptr;

    struct Choice {
        QString name;
        int push = -1;  // player whose push range, or
        int pusher = -1, caller = -1;
    };
    std::vector<Choice> choices_;

    void startSolve();
    void onFinished();
    void showResult();
    void showChoice(int index);
    QString positionName(int player) const;
    const torvel::ClassStrategy& rangeOf(const Choice& choice) const;
};
