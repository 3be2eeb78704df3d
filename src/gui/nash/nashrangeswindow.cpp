#include "gui/nash/nashrangeswindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/gamestate.h"
#include "gui/desk/deskmodel.h"
#include "gui/dialogs/rangegridview.h"
#include "gui/nash/nashsolvejob.h"

NashRangesWindow::NashRangesWindow(DeskModel& desk, QWidget* parent) : QWidget(parent, Qt::Window), desk_(desk) {
    setWindowTitle(tr("Nash Ranges"));
    status_ = new QLabel;
    status_->setWordWrap(true);
    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    progress_->setFormat(tr("%p%"));
    cancelButton_ = new QPushButton(tr("Cancel"));
    copyButton_ = new QPushButton(tr("Copy"));
    copyButton_->setToolTip(tr("Copy the range texts per position"));
    players_ = new QTableWidget(0, 4);
    players_->setHorizontalHeaderLabels({tr("Position"), tr("Stack"), tr("BB"), tr("Equity")});
    players_->verticalHeader()->hide();
    players_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    players_->setSelectionMode(QAbstractItemView::NoSelection);
    players_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    rangeChoice_ = new QComboBox;
    grid_ = new RangeGridView;
    figures_ = new QLabel;

    auto* left = new QVBoxLayout;
    left->addWidget(players_, 1);
    left->addWidget(new QLabel(tr("Range:")));
    left->addWidget(rangeChoice_);
    left->addWidget(figures_);
    left->addWidget(copyButton_);
    auto* top = new QHBoxLayout;
    top->addWidget(progress_, 1);
    top->addWidget(cancelButton_);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 0);
    body->addWidget(grid_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    players_->setMinimumWidth(260);
    resize(900, 620);

    connect(cancelButton_, &QPushButton::clicked, this, &NashRangesWindow::cancel);
    connect(copyButton_, &QPushButton::clicked, this, &NashRangesWindow::copyResult);
    connect(rangeChoice_, &QComboBox::currentIndexChanged, this, &NashRangesWindow::showChoice);
    const auto refreshWhenShown = [this] {
        if (isVisible())
            refresh();
    };
    connect(&desk_, &DeskModel::situationChanged, this, refreshWhenShown);
    // Queued: an edit announces itself before it has posted everything.
    connect(&desk_, &DeskModel::situationEdited, this, refreshWhenShown, Qt::QueuedConnection);
    showResult();
}

NashRangesWindow::~NashRangesWindow() = default;

void NashRangesWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

bool NashRangesWindow::solving() const { return job_ && job_->running(); }

void NashRangesWindow::refresh() {
    torvel::NashSpot spot;
    const torvel::GameState* g = desk_.situation();
    const std::string refusal = g ? torvel::nashTableOf(*g, spot) : std::string("no situation on the table");
    const bool haveTable = refusal.empty();
    if (haveTable == haveTable_ && (!haveTable || (NashStore::same(spot.table, spot_.table) && spot.seats == spot_.seats)))
        return;
    job_.reset();
    haveTable_ = haveTable;
    spot_ = spot;
    result_ = nullptr;
    if (!haveTable) {
        status_->setText(tr("No equilibrium: %1.").arg(QString::fromStdString(refusal)));
        showResult();
        emit settled();
        return;
    }
    const auto& t = spot_.table;
    status_->setText(tr("%1 players, blinds %2/%3, ante %4")
                         .arg(t.stacks.size())
                         .arg(t.smallBlind)
                         .arg(t.bigBlind)
                         .arg(t.ante));
    result_ = desk_.nashStore().find(t);
    if (result_) {
        seconds_ = 0.0;
        showResult();
        emit settled();
        return;
    }
    startSolve();
}

void NashRangesWindow::startSolve() {
    job_ = std::make_unique<NashSolveJob>(desk_, spot_.table);
    connect(job_.get(), &NashSolveJob::progressed, this, [this](int percent, double reached) {
        progress_->setValue(percent);
        // The solver reports what it reached from its first check on.
        if (reached < 1.0)
            progress_->setFormat(tr("%p% (exploitability %1)").arg(QString::number(reached, 'g', 2)));
    });
    connect(job_.get(), &NashSolveJob::finished, this, &NashRangesWindow::onFinished);
    progress_->setValue(0);
    progress_->setFormat(tr("Computing..."));
    job_->start();
    showResult();
}

void NashRangesWindow::cancel() {
    if (job_ && job_->running())
        job_->cancel();
}

void NashRangesWindow::onFinished() {
    const torvel::NashResult& r = job_->result();
    seconds_ = job_->seconds();
    if (!r.error.empty())
        status_->setText(tr("No equilibrium: %1.").arg(QString::fromStdString(r.error)));
    else if (r.canceled)
        status_->setText(status_->text() + tr(" (cancelled)"));
    result_ = desk_.nashStore().find(spot_.table);
    // A cancelled solve is tried again only when the table changes.
    showResult();
    emit settled();
}

QString NashRangesWindow::positionName(int player) const {
    const int n = static_cast<int>(spot_.seats.size());
    QString name = QString::fromStdString(torvel::shortPositionName(n - player));
    if (const torvel::GameState* g = desk_.situation(); g && player < n) {
        const auto& seat = g->seats[static_cast<std::size_t>(spot_.seats[static_cast<std::size_t>(player)])];
        if (seat.name[0] != '\0')
            name += QStringLiteral(" ") + QString::fromLatin1(seat.name);
    }
    return name;
}

void NashRangesWindow::showResult() {
    const bool busy = solving();
    progress_->setVisible(busy);
    cancelButton_->setVisible(busy);
    copyButton_->setEnabled(result_ != nullptr);
    const int n = haveTable_ ? static_cast<int>(spot_.table.stacks.size()) : 0;
    players_->setRowCount(n);
    for (int k = 0; k < n; ++k) {
        const auto stack = spot_.table.stacks[static_cast<std::size_t>(k)];
        const QStringList cells{
            positionName(k), QString::number(stack),
            QString::number(static_cast<double>(stack) / static_cast<double>(spot_.table.bigBlind), 'f', 1),
            result_ ? QString::number(100.0 * result_->report.equity[static_cast<std::size_t>(k)], 'f', 2) +
                          QStringLiteral(" %")
                    : QString()};
        for (int c = 0; c < cells.size(); ++c)
            players_->setItem(k, c, new QTableWidgetItem(cells[c]));
    }

    const QString kept = rangeChoice_->currentText();
    choices_.clear();
    if (result_) {
        for (int i = 0; i + 1 < n; ++i)
            choices_.push_back({tr("%1 pushes").arg(QString::fromStdString(torvel::shortPositionName(n - i))), i});
        for (int i = 0; i + 1 < n; ++i)
            for (int j = i + 1; j < n; ++j)
                choices_.push_back({tr("%1 calls %2")
                                        .arg(QString::fromStdString(torvel::shortPositionName(n - j)),
                                             QString::fromStdString(torvel::shortPositionName(n - i))),
                                    -1, i, j});
    }
    {
        const QSignalBlocker quiet(rangeChoice_);
        rangeChoice_->clear();
        for (const Choice& c : choices_)
            rangeChoice_->addItem(c.name);
        const int again = rangeChoice_->findText(kept);
        rangeChoice_->setCurrentIndex(again >= 0 ? again : 0);
    }
    rangeChoice_->setEnabled(!choices_.empty());
    showChoice(rangeChoice_->currentIndex());

    if (result_)
        figures_->setText(tr("Exploitability %1 of the prize pool%2\n%3 iterations, %4 s")
                              .arg(QString::number(result_->report.worst(), 'g', 2),
                                   result_->converged ? QString() : tr(" (not reached)"))
                              .arg(result_->iterations)
                              .arg(QString::number(seconds_, 'f', 2)));
    else
        figures_->setText(busy ? tr("Computing...") : QString());
}

void NashRangesWindow::showChoice(int index) {
    if (!result_ || index < 0 || index >= static_cast<int>(choices_.size())) {
        grid_->setRange({}, tr("No range"));
        return;
    }
    const Choice& c = choices_[static_cast<std::size_t>(index)];
    grid_->setRange(rangeOf(c), c.name);
}

const torvel::ClassStrategy& NashRangesWindow::rangeOf(const Choice& c) const {
    const int n = static_cast<int>(spot_.table.stacks.size());
    return c.push >= 0 ? result_->profile.push[static_cast<std::size_t>(c.push)]
                       : result_->profile.call[static_cast<std::size_t>(torvel::callIndex(n, c.pusher, c.caller))];
}

QString NashRangesWindow::resultText() const {
    if (!result_)
        return {};
    QString text;
    for (const Choice& c : choices_) {
        const torvel::ClassStrategy& range = rangeOf(c);
        text += c.name + QStringLiteral(" (") + QString::number(100.0 * torvel::comboShare(range), 'f', 2) +
                QStringLiteral(" %): ") + QString::fromStdString(torvel::nashRangeText(range)) + QLatin1Char('\n');
    }
    return text;
}

void NashRangesWindow::copyResult() const { QApplication::clipboard()->setText(resultText()); }
