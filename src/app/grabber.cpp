#include "app/grabber.h"

#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "app/clientdirs.h"
#include "app/cppdir.h"
#include "app/inifile.h"
#include "app/updateprompt.h"
#include "engine/computedriver.h"
#include "engine/gamestate.h"
#include "engine/plainowner.h"
#include "engine/situationgenerator.h"
#include "icm/cicm.h"
#include "icm/citm.h"
#include "import/causwertung.h"
#include "table/cplayer.h"
#include "table/layout.h"
#include "ranges/ccallrange.h"
#include "trainer/cmgr.h"
#include "trainer/csetting.h"

using torvel::GameState;

namespace {

QPen solidPen(const QColor& colour) { return QPen(QBrush(colour), 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin); }

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

grabber::grabber(QWidget* parent) : QMainWindow(parent) {
    highlightPen = solidPen(Qt::yellow);
    selectionPen = solidPen(QColor(120, 120, 255, 255));
    answerCount = correctCount = 0;
    partyPokerDirectory.clear();
    WindowMode = kModeEditor;
    buttonPicture = QPixmap(QStringLiteral("images/button.bmp"), "BMP");
    for (const auto& name : torvel::defaultNicknames())
        nicknameTexts << QString::fromStdString(name);
    nicknameList_ = torvel::defaultNicknames();
    icmWindow = new CIcm(this);
    for (int i = 0; i < 53; ++i)
        cardPictures[static_cast<std::size_t>(i)] = QPixmap(QStringLiteral("images/%1.bmp").arg(i), "BMP");
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

    frame = new CMgr(this);
    buildMenus();
    statusBar()->show();
    setWindowTitle(QStringLiteral("Torvel ICM 1.22c"));
    setCentralWidget(frame);

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    loadTables();

    keepUntilReplaced(std::make_unique<GameState>(this));
    current = unlisted_.back().get();
    cacheHeroSeat = -1;
    cachePlayerCount = 0;
    cacheButtonSeat = 0;
    frame->table->setBlinds(100, 200, 0);
    current->assignNicknames();

    {
        torvel::IniFile settings(torvel::kSettingsFileName);
        const torvel::NoRegistry registry;
        partyPokerDirectory = QString::fromStdString(torvel::findPartyPokerDirectory(settings, registry));
        frame->table->loadPartyPokerLook();
        starsDirectory = QString::fromStdString(torvel::findPokerStarsDirectory(settings, registry));
        frame->table->loadPokerStarsLook();
    }

    frame->pushButton->hide();
    frame->foldButton->hide();
    frame->clearButton->show();
    frame->detailsButton->show();
    frame->computeButton->show();
    frame->handList->hide();
}

grabber::~grabber() {
    if (icmWindow) {
        icmWindow->close();
        delete icmWindow;
        icmWindow = nullptr;
    }
}

void grabber::loadTables() {
    if (auto r = equityTable_.load("table.res"); !r) {
        tableLoadError_ = QString::fromStdString(r.reason);
        return;
    }
    if (auto r = handRanking_.load("ranking.res"); !r) {
        tableLoadError_ = QString::fromStdString(r.reason);
        return;
    }
    tablesLoaded_ = true;
}

void grabber::buildMenus() {
    auto action = [this](QMenu* menu, const QString& label, const QString& icon, const QString& tip,
                         void (grabber::*slot)()) {
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
    action(main, tr("ICM Calc"), "images/calc.png", tr("Open the ICM calculator"), &grabber::slot_qaIcm);
    action(main, tr("PartyPoker"), "images/pp.png", tr("Set PartyPoker directory"), &grabber::slot_pbPPDir);
    action(main, tr("Info"), "images/info.png", tr("About Torvel ICM"), &grabber::slot_qaAbout);

    QMenu* history = menuBar()->addMenu(tr("Handhistory"));
    action(history, tr("Show"), "images/show.png", {}, &grabber::slot_qaShow);
    action(history, tr("Import"), "images/import.png", {}, &grabber::slot_qaImport);
    action(history, tr("Export"), "images/save.png", {}, &grabber::slot_qaExport);

    QMenu* trainer = menuBar()->addMenu(tr("Trainer"));
    QAction* start = action(trainer, tr("Start"), "images/quiz.png", tr("Start Trainer"), &grabber::slot_pbStart);
    start->setStatusTip(tr("Start Trainer."));

    QMenu* editor = menuBar()->addMenu(tr("Editor"));
    action(editor, tr("Start"), "images/torvel.png", tr("Start Editor"), &grabber::slot_qaEditor);

    QMenu* look = menuBar()->addMenu(tr("Layout"));
    layoutGroup_ = new QActionGroup(this);
    layoutGroup_->setExclusive(true);
    for (QAction* a : {action(look, tr("PokerStars"), "images/stars.png", tr("PokerStars"), &grabber::slot_Stars),
                       action(look, tr("PartyPoker"), "images/pp.png", tr("PartyPoker"), &grabber::slot_Orig),
                       action(look, tr("Kestrune"), "images/torvel.png", tr("Kestrune"), &grabber::slot_Helper)}) {
        a->setCheckable(true);
        layoutGroup_->addAction(a);
        a->setChecked(a->text() == tr("Kestrune"));
    }

    QMenu* window = menuBar()->addMenu(tr("Window"));
    payoutAction = action(window, tr("Payoutstructure"), {}, tr("Payoutstructure"), &grabber::slot_Pool);
    payoutAction->setCheckable(true);
    payoutAction->setChecked(true);
    connect(window, &QMenu::aboutToShow, this, &grabber::slot_Fenster);

    QMenu* preferences = menuBar()->addMenu(tr("Preferences"));
    action(preferences, tr("Calling ranges"), "images/range.png", tr("Calling ranges"), &grabber::slot_CallRanges);
}

double grabber::payoutPercent(int place) const { return frame && frame->payouts ? frame->payouts->percent(place) : 0.0; }

void grabber::reportError(const std::string& text, const std::string& caption) {
    QMessageBox::warning(this, QString::fromStdString(caption), QString::fromStdString(text));
}

const QPixmap& grabber::cardPicture(int index) const {
    static const QPixmap none;
    return index >= 0 && index < 53 ? cardPictures[static_cast<std::size_t>(index)] : none;
}

void grabber::showSituation(GameState* situation) {
    if (!situation)
        return;
    current = situation;
    Layout* table = frame->table;
    for (CPlayer* seat : table->seatWidgets)
        seat->resetSeat();
    cacheSmallBlind = situation->smallBlind;
    cacheAnte = situation->ante;
    cachePlayerCount = situation->playerCount;
    cacheBigBlind = situation->bigBlind;
    cacheHeroSeat = situation->heroSeat;
    table->setBlinds(situation->smallBlind, situation->bigBlind, situation->ante);
    for (int i = 0; i < 10; ++i) {
        CPlayer* w = table->seatWidgets[static_cast<std::size_t>(i)];
        const torvel::SeatState& s = situation->seats[static_cast<std::size_t>(i)];
        if (s.status == torvel::kSeatOpponent)
            w->setCards(-1, -1);
        else if (s.status == torvel::kSeatHero)
            w->setCards(s.card1, s.card2);
        w->isBigBlind = s.isBigBlind;
        w->isSmallBlind = s.isSmallBlind;
        w->bet = s.bet;
        w->rangeTo = s.rangeTo;
        w->rangeFrom = s.rangeFrom;
        w->range2To = s.range2To;
        w->range2From = s.range2From;
        w->stack = s.stack;
        w->isButton = s.isButton;
        w->status = s.status;
        if (table->editMode) {
            w->leaveButton->setVisible(s.status >= 1);
            w->takeSeatButton->setVisible(s.status <= 0);
        }
    }
    cacheButtonSeat = situation->buttonSeat;
    table->setButton(situation->buttonSeat, false);
    update();
    table->update();
    std::erase_if(unlisted_, [situation](const auto& kept) { return kept.get() != situation; });
}

void grabber::keepUntilReplaced(std::unique_ptr<GameState> situation) {
    if (situation)
        unlisted_.push_back(std::move(situation));
}

void grabber::enterInHandList(GameState* situation) {
    CAuswertung* list = frame->handList;
    if (!list || !situation || list->contains(situation))
        return;
    const auto it = std::find_if(unlisted_.begin(), unlisted_.end(),
                                 [situation](const auto& kept) { return kept.get() == situation; });
    if (it == unlisted_.end())
        return;
    std::unique_ptr<GameState> taken = std::move(*it);
    unlisted_.erase(it);
    list->addEntry(std::move(taken), QString::fromStdString(situation->handId));
}

void grabber::startFreshSituation() {
    keepUntilReplaced(std::make_unique<GameState>(this));
    GameState* fresh = unlisted_.back().get();
    current = fresh;
    std::erase_if(unlisted_, [fresh](const auto& kept) { return kept.get() != fresh; });
    cacheHeroSeat = -1;
    cachePlayerCount = 0;
    cacheButtonSeat = 0;
    frame->table->setBlinds(100, 200, 0);
    fresh->assignNicknames();
    frame->clearTable();
}

void grabber::nextTrainerSituation() {
    frame->settings->show();
    // A spot dealt but never answered is not kept: answered ones belong to
    // the hand list.
    auto dealt = std::make_unique<GameState>(this);
    torvel::StdRandSource random;
    torvel::generateSituation(*dealt, frame->settings->trainerSettings(), random);
    GameState* shown = dealt.get();
    keepUntilReplaced(std::move(dealt));
    showSituation(shown);
}

int grabber::runAnalysis(int answer) {
    GameState* g = current;
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
    if (result.correct)
        ++correctCount;
    ++answerCount;
    if (answer != torvel::kNoAnswer)
        enterInHandList(g);
    progress.close();
    frame->table->update();
    return 0;
}

void grabber::updateScore() {
    if (frame->handList)
        frame->handList->recount();
    frame->table->update();
}

void grabber::setMode(int mode) {
    WindowMode = mode;
    const bool editor = mode == kModeEditor;
    frame->setEditMode(editor);
    frame->clearButton->setVisible(editor);
    frame->computeButton->setVisible(editor);
    frame->detailsButton->setVisible(editor);
    frame->pushButton->setVisible(mode == kModeTrainer);
    frame->foldButton->setVisible(mode == kModeTrainer);
    frame->handList->setVisible(!editor);
    frame->settings->setVisible(mode == kModeTrainer);
    // The hand list below the table wants a few rows of room.
    if (!editor && height() < 800)
        resize(std::max(width(), sizeHint().width()), 800);
}

void grabber::slot_qaIcm() {
    icmWindow->show();
    icmWindow->raise();
    icmWindow->activateWindow();
}

void grabber::slot_pbPPDir() {
    CPPDir dialog(this);
    dialog.exec();
}

void grabber::slot_qaAbout() {
    QDialog about(this);
    aboutDialog = &about;
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
    connect(close, &QPushButton::clicked, this, &grabber::slot_aboutok);
    about.exec();
    aboutDialog = nullptr;
}

void grabber::slot_aboutok() {
    if (aboutDialog)
        aboutDialog->close();
}

void grabber::slot_qaShow() { setMode(kModeHandList); }

void grabber::slot_qaImport() {
    frame->handList->show();
    frame->handList->slot_pbImport();
}

void grabber::slot_qaExport() {
    frame->handList->show();
    frame->handList->slot_pbExport();
}

void grabber::slot_pbStart() {
    answerCount = correctCount = 0;
    setMode(kModeTrainer);
    nextTrainerSituation();
}

void grabber::slot_qaEditor() { setMode(kModeEditor); }

void grabber::slot_Stars() {
    frame->table->look = 2;
    update();
    frame->table->update();
}

void grabber::slot_Orig() {
    frame->table->look = 1;
    update();
    frame->table->update();
}

void grabber::slot_Helper() {
    frame->table->look = 0;
    update();
    frame->table->update();
}

void grabber::slot_Pool() { frame->payouts->setVisible(!frame->payouts->isVisible()); }

void grabber::slot_Fenster() { payoutAction->setChecked(frame->payouts->isVisible()); }

void grabber::slot_CallRanges() {
    CCallRange dialog(this, this);
    dialog.exec();
}
