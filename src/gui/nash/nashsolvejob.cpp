#include "gui/nash/nashsolvejob.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>

#include <chrono>

#include "engine/computedriver.h"
#include "engine/nashranges.h"
#include "gui/desk/deskmodel.h"

namespace {

// Progress of the solver seen from the worker thread: values go back to the
// job through its event queue, cancels come in through an atomic flag.
class WorkerProgress : public torvel::ComputeProgress {
public:
    WorkerProgress(NashSolveJob* job, const std::atomic<bool>& canceled, const std::atomic<double>& reached)
        : job_(job), canceled_(canceled), reached_(reached) {}
    void setValue(int value) override {
        const double reached = reached_.load();
        QMetaObject::invokeMethod(job_, [job = job_, value, reached] { emit job->progressed(value, reached); },
                                  Qt::QueuedConnection);
    }
    bool wasCanceled() const override { return canceled_.load(); }

private:
    NashSolveJob* job_;
    const std::atomic<bool>& canceled_;
    const std::atomic<double>& reached_;
};

}  // namespace

NashSolveJob::NashSolveJob(DeskModel& desk, const torvel::NashTable& table, QObject* parent)
    : QObject(parent), desk_(desk), table_(table) {}

NashSolveJob::~NashSolveJob() {
    if (thread_) {
        canceled_ = true;
        thread_->wait();
        delete thread_;
    }
}

bool NashSolveJob::running() const { return thread_ && !thread_->isFinished(); }

void NashSolveJob::start() {
    if (thread_)
        return;
    const torvel::EquityTable& equities = desk_.equityTable();
    thread_ = QThread::create([this, &equities] {
        std::atomic<double> reached{1.0};
        WorkerProgress progress(this, canceled_, reached);
        torvel::NashOptions options;
        options.reached = [&reached](double worst) { reached = worst; };
        const auto begin = std::chrono::steady_clock::now();
        result_ = torvel::solveNash(table_, equities, options, progress);
        seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    });
    connect(thread_, &QThread::finished, this, [this] {
        desk_.nashStore().keep(table_, result_);
        emit finished();
    });
    thread_->start();
}

const torvel::NashResult* solveNashWithDialog(QWidget* parent, DeskModel& desk, const torvel::NashTable& table,
                                              QString& why) {
    if (const torvel::NashResult* known = desk.nashStore().find(table))
        return known;
    QProgressDialog progress(QObject::tr("...Computing the equilibrium..."), QObject::tr("Cancel"), 0, 100, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setValue(0);
    NashSolveJob job(desk, table);
    QEventLoop loop;
    QObject::connect(&job, &NashSolveJob::progressed, &progress, [&progress](int percent, double reached) {
        progress.setValue(percent);
        if (reached < 1.0)
            progress.setLabelText(QObject::tr("...Computing the equilibrium... (exploitability %1)")
                                  .arg(QString::number(reached, 'g', 2)));
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &job, &NashSolveJob::cancel);
    QObject::connect(&job, &NashSolveJob::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    progress.close();
    if (!job.result().error.empty())
        why = QString::fromStdString(job.result().error);
    else if (job.result().canceled)
        why = QObject::tr("cancelled");
    return desk.nashStore().find(table);
}

QString assignNashRangesWithDialog(QWidget* parent, DeskModel& desk, torvel::GameState& g) {
    torvel::NashSpot spot;
    if (const std::string refusal = torvel::nashSpotOf(g, spot); !refusal.empty())
        return QString::fromStdString(refusal);
    QString why;
    const torvel::NashResult* solved = solveNashWithDialog(parent, desk, spot.table, why);
    if (!solved)
        return why;
    torvel::applyNashRanges(g, spot, solved->profile);
    return {};
}
