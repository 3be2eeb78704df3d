#include "gui/app/mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "settings/clientdirs.h"
#include "gui/app/clientdirectorydialog.h"
#include "settings/inifile.h"
#include "gui/app/updateprompt.h"
#include "engine/computedriver.h"
#include "engine/gamestate.h"
#include "engine/situationgenerator.h"
#include "gui/dialogs/icmcalculatordialog.h"
#include "gui/dialogs/payoutpanel.h"
#include "gui/handlist/handlistpanel.h"
#include "gui/leak/leakreportwindow.h"
#include "gui/dialogs/analysisreportdialog.h"
#include "gui/table/tableview.h"
#include "gui/dialogs/callingrangeeditor.h"
#include "gui/trainer/tableframe.h"
#include "gui/trainer/trainersettingspanel.h"
#include "gui/nash/nashrangeswindow.h"
#include "gui/nash/nashsolvejob.h"

using torvel::GameState;

namespace {

// The progress dialog of "Compute" seen by the engine.
class ProgressDialogAdapter : public torvel::ComputeProgress {
public:
    explicit ProgressDialogAdapter(QProgressDialog& dialog) : dialog_(dialog) {}
    void setValue(int value) override { dialog_.setValue(value); }
    bool wasCanceled() const override { return dialog_.wasCanceled(); }

private:
    QProgressDialog& dialog_;
};

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    icmWindow_ = new IcmCalculatorDialog(this);
    // The values stay in the fields for this run; the user learns once.
    torvel::IniFile::setWriteFailureNotice([](const std::string& reason) {
        const QString text = QStringLiteral("The settings could not be saved.\n%1").arg(QString::fromStdString(reason));
        QMessageBox::warning(nullptr, QStringLiteral("Error"), text);
    });
    {
        // Silent when the server cannot be reached; waits a few seconds at most.
        const torvel::IniFile settings(torvel::kSettingsFileName);
        MessageBoxUpdatePrompt prompt;
        torvel::checkForUpdate(settings, prompt);
    }
    connect(&desk_, &DeskModel::errorReported, this, [this](const QString& text, const QString& caption) {
        QMessageBox::warning(this, caption, text);
    });

    frame_ = new TableFrame(desk_, resources_, *this, this);
    desk_.setPayoutSource([this](int place) { return frame_->payouts()->percent(place); });
    connect(frame_->payouts(), &PayoutPanel::structureChanged, &desk_, &DeskModel::situationEdited);
    connect(&desk_, &DeskModel::modeChanged, this, &MainWindow::onModeChanged);
    buildMenus();
    statusBar()->show();
    setWindowTitle(QStringLiteral("Torvel ICM 1.22c"));
    setCentralWidget(frame_);

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    desk_.loadTables();

    desk_.startFreshSituation();
    frame_->table()->setBlinds(100, 200, 0);
    desk_.situation()->assignNicknames();

    {
        torvel::IniFile settings(torvel::kSettingsFileName);
        const torvel::NoRegistry registry;
        desk_.setPartyPokerDirectory(
            QString::fromStdString(torvel::findPartyPokerDirectory(settings, registry)));
        frame_->table()->loadPartyPokerLook();
        desk_.setPokerStarsDirectory(
            QString::fromStdString(torvel::findPokerStarsDirectory(settings, registry)));
        frame_->table()->loadPokerStarsLook();
    }
    syncLookActions();

    frame_->pushButton()->hide();
    frame_->foldButton()->hide();
    frame_->clearButton()->show();
    frame_->detailsButton()->show();
    frame_->computeButton()->show();
    frame_->handList()->hide();
}

MainWindow::~MainWindow() {
    if (icmWindow_) {
        icmWindow_->close();
        delete icmWindow_;
        icmWindow_ = nullptr;
    }
}

void MainWindow::buildMenus() {
    auto action = [this](QMenu* menu, const QString& label, const QString& icon, const QString& tip,
                         void (MainWindow::*slot)()) {
        auto* a = new QAction(icon.isEmpty() ? QIcon() : QIcon(icon), label, this);
        if (!tip.isEmpty()) {
            a->setToolTip(tip);
            a->setStatusTip(tip);
        }
        connect(a, &QAction::triggered, this, slot);
        menu->addAction(a);
        return a;
    };
    QMenu* main = menuBar()->addMenu(tr("Main"));
    action(main, tr("ICM Calc"), "images/calc.png", tr("Open the ICM calculator"), &MainWindow::openIcmCalculator);
    action(main, tr("Nash Ranges"), "images/range.png", tr("The push/fold equilibrium of the table"),
           &MainWindow::openNashRanges);
    action(main, tr("PartyPoker"), "images/pp.png", tr("Set PartyPoker directory"), &MainWindow::openPartyPokerDirectoryDialog);
    action(main, tr("Info"), "images/info.png", tr("About Torvel ICM"), &MainWindow::openAbout);

    QMenu* history = menuBar()->addMenu(tr("Handhistory"));
    action(history, tr("Show"), "images/show.png", {}, &MainWindow::showHandList);
    action(history, tr("Import"), "images/import.png", {}, &MainWindow::importHandHistories);
    action(history, tr("Export"), "images/save.png", {}, &MainWindow::exportHandHistories);
    action(history, tr("Stored Hands"), "images/show.png", tr("List decisions kept in the hand database"),
           &MainWindow::showStoredHands);
    action(history, tr("Leak Report"), "images/info.png", tr("Where the stored decisions lost equity"),
           &MainWindow::openLeakReport);

    QMenu* trainer = menuBar()->addMenu(tr("Trainer"));
    QAction* start = action(trainer, tr("Start"), "images/quiz.png", tr("Start Trainer"), &MainWindow::startTrainer);
    start->setStatusTip(tr("Start Trainer."));

    QMenu* editor = menuBar()->addMenu(tr("Editor"));
    action(editor, tr("Start"), "images/torvel.png", tr("Start Editor"), &MainWindow::startEditor);

    QMenu* look = menuBar()->addMenu(tr("Layout"));
    look->setToolTipsVisible(true);
    layoutGroup_ = new QActionGroup(this);
    layoutGroup_->setExclusive(true);
    pokerStarsLookAction_ = action(look, tr("PokerStars"), "images/stars.png", tr("PokerStars"), &MainWindow::usePokerStarsLook);
    partyPokerLookAction_ = action(look, tr("PartyPoker"), "images/pp.png", tr("PartyPoker"), &MainWindow::usePartyPokerLook);
    ownLookAction_ = action(look, tr("Kestrune"), "images/torvel.png", tr("Kestrune"), &MainWindow::useOwnLook);
    for (QAction* a : {pokerStarsLookAction_, partyPokerLookAction_, ownLookAction_}) {
        a->setCheckable(true);
        layoutGroup_->addAction(a);
        a->setChecked(a->text() == tr("Kestrune"));
    }

    QMenu* window = menuBar()->addMenu(tr("Window"));
    payoutAction_ = action(window, tr("Payoutstructure"), {}, tr("Payoutstructure"), &MainWindow::togglePayoutPanel);
    payoutAction_->setCheckable(true);
    payoutAction_->setChecked(true);
    connect(window, &QMenu::aboutToShow, this, &MainWindow::syncWindowMenu);

    QMenu* preferences = menuBar()->addMenu(tr("Preferences"));
    action(preferences, tr("Calling ranges"), "images/range.png", tr("Calling ranges"), &MainWindow::openCallingRangeEditor);
}

void MainWindow::showSituation(GameState* situation) {
    desk_.putOnTable(situation);
    update();
}

void MainWindow::enterInHandList(GameState* situation) {
    HandListPanel* list = frame_->handList();
    if (!list || !situation || list->contains(situation))
        return;
    if (std::unique_ptr<GameState> taken = desk_.takeUnlisted(situation))
        list->addEntry(std::move(taken), QString::fromStdString(situation->handId));
}

void MainWindow::startFreshSituation() {
    GameState* fresh = desk_.startFreshSituation();
    frame_->table()->setBlinds(100, 200, 0);
    fresh->assignNicknames();
    frame_->table()->clearTable();
}

void MainWindow::openReport(GameState* situation, const QString& caption, QWidget* parent) {
    if (!situation)
        return;
    AnalysisReportDialog report(&desk_, caption, parent);
    report.buildReport(situation);
    report.exec();
}

void MainWindow::nextTrainerSituation() {
    frame_->trainerSettings()->show();
    // A spot dealt but never answered is not kept: answered ones belong to
    // the hand list.
    auto dealt = std::make_unique<GameState>(&desk_);
    torvel::StdRandSource random;
    torvel::generateSituation(*dealt, frame_->trainerSettings()->trainerSettings(), random);
    // The dealt spot comes with "Tight" ranges; with "Nash" chosen it is
    // graded against the equilibrium where the game knows the spot.
    if (frame_->table()->profileCombo()->currentIndex() == TableView::kNashProfileIndex)
        if (const QString why = assignNashRangesWithDialog(this, desk_, *dealt); !why.isEmpty())
            statusBar()->showMessage(tr("Tight ranges: %1").arg(why), 5000);
    GameState* shown = dealt.get();
    desk_.keepUntilReplaced(std::move(dealt));
    showSituation(shown);
}

int MainWindow::runAnalysis(int answer) {
    GameState* g = desk_.situation();
    if (!g)
        return 1;
    const std::string refusal = torvel::refusalFor(*g);
    if (!refusal.empty()) {
        QMessageBox::warning(this, tr("Error"), QString::fromStdString(refusal), QMessageBox::Ok);
        return 1;
    }
    QProgressDialog progress(tr("...Computing..."), tr("Cancel"), 0, torvel::kComputeProgressSteps, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    ProgressDialogAdapter adapter(progress);
    const torvel::DriverResult result = torvel::runComputeDriver(*g, answer, adapter);
    if (result.refused)
        return 1;
    // A computation without an answer is graded nowhere.
    if (answer != torvel::kNoAnswer) {
        desk_.recordAnswer(result.correct);
        enterInHandList(g);
    }
    progress.close();
    frame_->table()->update();
    return 0;
}

void MainWindow::updateScore() {
    if (frame_->handList())
        frame_->handList()->recount();
    frame_->table()->update();
}

void MainWindow::onModeChanged(DeskMode mode) {
    // Showing the hand list may already grow the window: the editor's size
    // is taken before.
    const QSize before = size();
    frame_->showControlsFor(mode);
    // The hand list below the table wants a few rows of room; the editor
    // gets back the size it had.
    if (mode != DeskMode::Editor && height() < 800) {
        if (!sizeBeforeStretch_.isValid())
            sizeBeforeStretch_ = before;
        resize(std::max(width(), sizeHint().width()), 800);
    } else if (mode == DeskMode::Editor && sizeBeforeStretch_.isValid()) {
        // The hidden panels must leave the minimum size before it shrinks.
        frame_->layout()->activate();
        layout()->activate();
        resize(sizeBeforeStretch_);
        sizeBeforeStretch_ = QSize();
    }
}

void MainWindow::openNashRanges() {
    if (!nashWindow_)
        nashWindow_ = new NashRangesWindow(desk_, this);
    nashWindow_->show();
    nashWindow_->raise();
    nashWindow_->activateWindow();
}

void MainWindow::openIcmCalculator() {
    icmWindow_->show();
    icmWindow_->raise();
    icmWindow_->activateWindow();
}

void MainWindow::openPartyPokerDirectoryDialog() {
    ClientDirectoryDialog dialog(desk_, this);
    connect(&dialog, &ClientDirectoryDialog::saved, frame_->table(), &TableView::loadPartyPokerLook);
    connect(&dialog, &ClientDirectoryDialog::saved, this, &MainWindow::syncLookActions);
    dialog.exec();
}

void MainWindow::openAbout() {
    QDialog about(this);
    aboutDialog_ = &about;
    about.setWindowTitle(tr("About"));
    about.resize(300, 318);
    auto* grid = new QGridLayout(&about);
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap(QStringLiteral("zivuzadir.jpg")));
    picture->setScaledContents(true);
    grid->addWidget(picture, 0, 0, 3, 4);
    auto* address = new QLabel(QStringLiteral("https://www.torvel-icm.example"));
    address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(address, 3, 0, 1, 2);
    auto* close = new QPushButton(tr("Close"));
    grid->addWidget(close, 4, 0, 1, 2);
    connect(close, &QPushButton::clicked, this, &MainWindow::closeAbout);
    about.exec();
    aboutDialog_ = nullptr;
}

void MainWindow::closeAbout() {
    if (aboutDialog_)
        aboutDialog_->close();
}

void MainWindow::showHandList() { desk_.setMode(DeskMode::HandList); }

void MainWindow::importHandHistories() {
    frame_->handList()->show();
    frame_->handList()->onImportClicked();
}

void MainWindow::exportHandHistories() {
    frame_->handList()->show();
    frame_->handList()->onExportClicked();
}

void MainWindow::showStoredHands() {
    desk_.setMode(DeskMode::HandList);
    frame_->handList()->show();
    frame_->handList()->onShowStoredClicked();
}

LeakReportWindow* MainWindow::leakReport() const { return leakReport_; }

void MainWindow::openLeakReport() {
    if (leakReport_)
        leakReport_->close();
    auto* report = new LeakReportWindow(desk_, *this, this);
    report->setAttribute(Qt::WA_DeleteOnClose);
    if (!report->load(frame_->handList()->databasePath())) {
        delete report;
        return;
    }
    leakReport_ = report;
    report->show();
}

void MainWindow::startTrainer() {
    desk_.resetScore();
    desk_.setMode(DeskMode::Trainer);
    nextTrainerSituation();
}

void MainWindow::startEditor() { desk_.setMode(DeskMode::Editor); }

void MainWindow::usePokerStarsLook() { frame_->table()->setLook(TableLook::PokerStars); }

void MainWindow::usePartyPokerLook() { frame_->table()->setLook(TableLook::PartyPoker); }

void MainWindow::useOwnLook() { frame_->table()->setLook(TableLook::Own); }

void MainWindow::syncLookActions() {
    const TableView* table = frame_->table();
    const struct {
        QAction* action;
        bool pictureFound;
        QString missing;
    } clients[] = {
        {pokerStarsLookAction_, table->pokerStarsPicture() != nullptr,
         tr("No PokerStars table picture was found: is PokerStars installed?")},
        {partyPokerLookAction_, table->partyPokerPicture() != nullptr,
         tr("No PartyPoker table picture was found: set the PartyPoker directory in Main > PartyPoker")},
    };
    for (const auto& client : clients) {
        client.action->setEnabled(client.pictureFound);
        const QString tip = client.pictureFound ? client.action->text() : client.missing;
        client.action->setToolTip(tip);
        client.action->setStatusTip(tip);
        if (!client.pictureFound && client.action->isChecked()) {
            ownLookAction_->setChecked(true);
            useOwnLook();
        }
    }
}

void MainWindow::togglePayoutPanel() { frame_->payouts()->setVisible(!frame_->payouts()->isVisible()); }

void MainWindow::syncWindowMenu() { payoutAction_->setChecked(frame_->payouts()->isVisible()); }

void MainWindow::openCallingRangeEditor() {
    CallingRangeEditor dialog(&desk_, this);
    dialog.exec();
}
