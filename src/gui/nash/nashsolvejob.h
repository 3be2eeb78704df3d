#pragma once
// One equilibrium solve on a worker thread: progress and the exploitability
// reached come back as signals, a cancel stops it at the next check, and
// the result is kept in the desk's store when it finishes.

#include <QObject>

#include <atomic>
#include <memory>

#include "engine/nashsolver.h"

class DeskModel;
class QThread;
class QWidget;

class NashSolveJob : public QObject {
    Q_OBJECT

public:
    NashSolveJob(DeskModel& desk, const torvel::NashTable& table, QObject* parent = nullptr);
    // Cancels a running solve and waits for its thread.
    ~NashSolveJob() override;

    void start();
    void cancel() { canceled_ = true; }
    bool running() const;
    const torvel::NashTable& table() const { return table_; }
    // Valid once finished was emitted.
    const torvel::NashResult& result() const { return result_; }
    double seconds() const { return seconds_; }

signals:
    void progressed(int percent, double exploitability);
    void finished();

private:
    DeskModel& desk_;
    torvel::NashTable table_;
    torvel::NashResult result_;
    double seconds_ = 0.0;
    std::atomic<bool> canceled_{false};
    QThread* thread_ = nullptr;
};

namespace torvel {
class GameState;
}

// The solved result of a table: from the store, or solved on a worker thread
// while a progress dialog with "Cancel" waits. Null when cancelled or when
// the table cannot be solved; why then says which.
const torvel::NashResult* solveNashWithDialog(QWidget* parent, DeskModel& desk, const torvel::NashTable& table,
                                              QString& why);

// Gives the opponents of g their ranges from the equilibrium of its table.
// Returns the reason when it could not (a spot the game does not know, a
// table that cannot be solved, or "Cancel"), else empty.
QString assignNashRangesWithDialog(QWidget* parent, DeskModel& desk, torvel::GameState& g);
