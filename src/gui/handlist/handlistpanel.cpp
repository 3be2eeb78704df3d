#include "gui/handlist/handlistpanel.h"

#include <QApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSet>
#include <QTreeWidget>

#include <atomic>

#include "settings/inifile.h"
#include "engine/gamestate.h"
#include "gui/desk/deskactions.h"
#include "gui/desk/deskmodel.h"
#include "gui/nash/nashsolvejob.h"
#include "import/handexport.h"
#include "import/handlistrules.h"
#include "import/historyimport.h"
#include "gui/handlist/storedhandsdialog.h"
#include "store/handstore.h"

using torvel::GameState;

namespace {

enum Column { kGame = 0, kBlinds = 1, kDetails = 2, kShow = 3, kDelete = 4, kKey = 5, kSituation = 6 };

void colourRow(QTreeWidgetItem* item, bool right) { item->setForeground(kGame, right ? Qt::darkGreen : Qt::red); }

// What makes a decision one in the database: site, hand and hero.
QString decisionKey(const std::string& site, const std::string& handId, const std::string& hero) {
    return QString::fromStdString(site + '\n' + handId + '\n' + hero);
}

QString decisionKey(const GameState& g) {
    return decisionKey(g.site, g.handId,
                       GameState::validSeat(g.heroSeat) ? g.seats[static_cast<std::size_t>(g.heroSeat)].name : "");
}

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

struct StoredSituations {
    torvel::store::StoreStatus status;
    std::vector<std::unique_ptr<GameState>> situations;  // without an owner yet
};

// Runs on a worker thread: reads the database and rebuilds the situations;
// stops early when cancelled.
std::shared_ptr<StoredSituations> readStoredSituations(const std::string& path,
                                                       const torvel::store::DecisionFilter& filter,
                                                       const std::shared_ptr<std::atomic_bool>& cancelled) {
    auto read = std::make_shared<StoredSituations>();
    std::vector<torvel::store::DecisionRecord> records;
    read->status = torvel::store::readStored(path, filter, records);
    for (std::size_t i = 0; read->status && i < records.size() && !*cancelled; ++i) {
        auto g = std::make_unique<GameState>(nullptr);
        if (torvel::store::restoreSituation(records[i], *g))
            read->situations.push_back(std::move(g));
    }
    return read;
}

}  // namespace

HandListPanel::HandListPanel(DeskModel& desk, DeskActions& actions, QWidget* parent)
    : QGroupBox(tr("Results"), parent), desk_(desk), actions_(actions), tree_(new QTreeWidget),
      viewIcon_(QStringLiteral("images/view.png")), showIcon_(QStringLiteral("images/show.png")),
      deleteIcon_(QStringLiteral("images/delete.png")),
      databasePath_(QString::fromLatin1(torvel::store::kDefaultDatabase)) {
    setMaximumWidth(600);
    // Room for every column header beside the scroll bar.
    setMinimumWidth(440);
    setMinimumHeight(130);
    tree_->setColumnCount(7);
    tree_->setHeaderLabels({tr("Game"), tr("Blinds"), tr("Details"), tr("Show"), tr("Delete"), QString(), QString()});
    // Wide enough for the highest blinds and the headers beside their icons.
    const int widths[] = {140, 84, 60, 44, 52, 0, 0};
    for (int c = 0; c < 7; ++c)
        tree_->setColumnWidth(c, widths[c]);
    tree_->setColumnHidden(kKey, true);
    tree_->setColumnHidden(kSituation, true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setRootIsDecorated(false);

    grid_ = new QGridLayout(this);
    grid_->addWidget(tree_, 0, 0, 1, 3);
    auto* importButton = new QPushButton(QIcon(QStringLiteral("images/import.png")), tr("Import"));
    auto* exportButton = new QPushButton(QIcon(QStringLiteral("images/save.png")), tr("Export"));
    auto* deleteAllButton = new QPushButton(deleteIcon_, tr("DeleteAll"));
    grid_->addWidget(importButton, 1, 0);
    grid_->addWidget(exportButton, 1, 1);
    grid_->addWidget(deleteAllButton, 1, 2);
    connect(importButton, &QPushButton::clicked, this, &HandListPanel::onImportClicked);
    connect(exportButton, &QPushButton::clicked, this, &HandListPanel::onExportClicked);
    connect(deleteAllButton, &QPushButton::clicked, this, &HandListPanel::onDeleteAllClicked);
    connect(tree_, &QTreeWidget::itemClicked, this, &HandListPanel::onRowClicked);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &HandListPanel::onSelectionChanged);
    connect(&desk_, &DeskModel::situationChanged, this, &HandListPanel::selectShown);
}

void HandListPanel::selectShown(const GameState* shown) {
    // Following the table must not show the selected row again.
    const QSignalBlocker quiet(tree_);
    QTreeWidgetItem* row = nullptr;
    for (int i = 0; i < tree_->topLevelItemCount() && !row; ++i)
        if (situationOf(tree_->topLevelItem(i)) == shown)
            row = tree_->topLevelItem(i);
    tree_->setCurrentItem(row);
    if (!row)
        tree_->clearSelection();
    tree_->viewport()->update();
}

HandListPanel::~HandListPanel() = default;

bool HandListPanel::contains(const GameState* situation) const {
    return situation != nullptr && situations_.contains(const_cast<GameState*>(situation));
}

GameState* HandListPanel::situationOf(const QTreeWidgetItem* item) const {
    if (!item)
        return nullptr;
    auto* g = static_cast<GameState*>(item->data(kSituation, Qt::DisplayRole).value<void*>());
    return contains(g) ? g : nullptr;
}

bool HandListPanel::addEntry(std::unique_ptr<GameState> situation, const QString& text) {
    if (!situation)
        return false;
    if (contains(situation.get())) {
        // Already listed, and so already owned here.
        (void)situation.release();
        return false;
    }
    GameState* g = situation.get();
    owned_.push_back(std::move(situation));
    situations_.append(g);

    auto* item = new QTreeWidgetItem;
    item->setText(kKey, text);
    item->setData(kSituation, Qt::DisplayRole, QVariant::fromValue(static_cast<void*>(g)));
    torvel::import::normaliseHeroAction(*g);
    item->setText(kGame, QStringLiteral("Game #") + QString::fromStdString(g->handId));
    item->setText(kBlinds, QStringLiteral("%1/%2").arg(g->smallBlind).arg(g->bigBlind));
    item->setText(kDetails, tr("View"));
    QFont underlined = item->font(kDetails);
    underlined.setUnderline(true);
    item->setFont(kDetails, underlined);
    item->setIcon(kDetails, viewIcon_);
    item->setIcon(kShow, showIcon_);
    item->setIcon(kDelete, deleteIcon_);
    colourRow(item, torvel::import::decisionIsRight(*g));
    tree_->addTopLevelItem(item);
    if (desk_.isOnTable(g))
        selectShown(g);
    return true;
}

void HandListPanel::recount() {
    int answers = 0;
    int correct = 0;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = tree_->topLevelItem(i);
        const GameState* g = situationOf(item);
        if (!g)
            continue;
        ++answers;
        const bool right = torvel::import::decisionIsRight(*g);
        if (right)
            ++correct;
        colourRow(item, right);
    }
    desk_.setScore(answers, correct);
}

void HandListPanel::onRowClicked(QTreeWidgetItem* item, int column) {
    GameState* g = situationOf(item);
    if (!g)
        return;
    if (column == kGame || column == kBlinds || column == kShow) {
        actions_.showSituation(g);
    } else if (column == kDetails) {
        actions_.openReport(g, QStringLiteral("Details for ") + item->text(kGame), this);
    } else if (column == kDelete) {
        const bool onTable = desk_.isOnTable(g);
        removeRow(item);
        if (onTable) {
            if (situations_.isEmpty())
                actions_.nextTrainerSituation();
            else
                actions_.showSituation(situations_.first());
        }
        actions_.updateScore();
    }
}

void HandListPanel::removeRow(QTreeWidgetItem* item) {
    GameState* g = situationOf(item);
    situations_.removeAll(g);
    delete item;
    // A situation still on the table stays alive until the table moves on.
    for (auto it = owned_.begin(); it != owned_.end(); ++it) {
        if (it->get() != g)
            continue;
        if (desk_.isOnTable(g))
            desk_.keepUntilReplaced(std::move(*it));
        owned_.erase(it);
        break;
    }
}

void HandListPanel::onSelectionChanged() {
    const auto selected = tree_->selectedItems();
    if (!selected.isEmpty())
        onRowClicked(selected.first(), kGame);
}

void HandListPanel::onDeleteAllClicked() {
    if (QFileInfo::exists(databasePath_) &&
        QMessageBox::question(window(), tr("DeleteAll"),
                              tr("Also delete every decision kept in the hand database %1?").arg(databasePath_),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes) {
        torvel::store::HandStore database;
        auto status = database.open(QFile::encodeName(databasePath_).toStdString(),
                                    torvel::store::HandStore::OpenMode::MustExist);
        if (status)
            status = database.clear();
        if (!status)
            QMessageBox::warning(window(), tr("Error"), fromStd(status.reason));
    }
    actions_.startFreshSituation();
    tree_->clear();
    situations_.clear();
    owned_.clear();
    desk_.resetScore();
}

void HandListPanel::onImportClicked() {
    desk_.setMode(DeskMode::HandList);
    const torvel::IniFile settings(torvel::kSettingsFileName);
    const QString directory = QString::fromStdString(settings.readString(torvel::kSettingsSection, "dir", ""));
    const QStringList files =
        QFileDialog::getOpenFileNames(this, tr("Select files"), directory, tr("Handhistories (*.txt *.xml *.hhf *.*)"));
    runImport(files);
}

void HandListPanel::runImport(const QStringList& files) {
    progress_ = std::make_unique<QProgressDialog>(tr("Importiere : ..."), tr("Import abbrechen"), 0, 100);
    progress_->setGeometry(100, 100, 400, 150);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setWindowTitle(tr("Handhistoryimport..."));
    progress_->show();
    if (!files.isEmpty()) {
        torvel::IniFile settings(torvel::kSettingsFileName);
        settings.writeString(torvel::kSettingsSection, "dir", files.first().toStdString());
        progress_->setMaximum(static_cast<int>(files.size()));
        profileIndex_ = 0;
        bool ok = false;
        const QString choice = QInputDialog::getItem(this, tr("Profile?"), tr("Which profile to use for the import?"),
                                                     {tr("Tight"), tr("Medium"), tr("Loose"), tr("Nash")}, 0, false, &ok);
        if (ok && !choice.isEmpty())
            profileIndex_ = choice == tr("Medium") ? 1 : choice == tr("Loose") ? 2 : choice == tr("Nash") ? kNashProfile : 0;
    }
    int relevantTotal = 0;
    int handTotal = 0;
    QStringList perFile;
    notModelledCount_ = 0;
    torvel::store::HandStore database;
    QStringList storeFailures;
    if (!files.isEmpty())
        if (const auto opened = database.open(QFile::encodeName(databasePath_).toStdString()); !opened)
            storeFailures << fromStd(opened.reason);
    for (int i = 0; i < files.size(); ++i) {
        if (progress_->wasCanceled())
            break;
        progress_->setLabelText(tr("Importiere : ") + files[i]);
        QApplication::processEvents();
        progress_->setValue(i);
        importFile(files[i]);
        relevantTotal += relevantCount_;
        handTotal += handCount_;
        perFile << tr("%1: %2 (of %3)").arg(QFileInfo(files[i]).fileName()).arg(relevantCount_).arg(handCount_);
        if (const QString failure = storeGraded(database); !failure.isEmpty())
            storeFailures << tr("%1: %2").arg(files[i], failure);
    }
    if (!files.isEmpty()) {
        progress_->setValue(progress_->maximum());
        QString summary = tr("%1 (of %2) relevant hands imported.").arg(relevantTotal).arg(handTotal);
        if (files.size() > 1)
            summary += QLatin1Char('\n') + perFile.join(QLatin1Char('\n'));
        if (notModelledCount_ > 0)
            summary += tr("\n%1 of them with the Tight ranges: the equilibrium does not model them.")
                           .arg(notModelledCount_);
        QMessageBox::information(window(), tr("Import finished!"), summary, QMessageBox::Ok);
    }
    if (!storeFailures.isEmpty())
        QMessageBox::warning(window(), tr("Error"),
                             tr("The imported decisions are listed but not all were kept in the hand database:\n%1")
                                 .arg(storeFailures.join(QLatin1Char('\n'))));
    progress_->close();
    if (!situations_.isEmpty())
        actions_.showSituation(situations_.first());
    actions_.updateScore();
}

void HandListPanel::importFile(const QString& path) {
    handCount_ = 0;
    relevantCount_ = 0;
    graded_.clear();
    torvel::import::ImportCallbacks callbacks;
    callbacks.onDecision = [this](std::unique_ptr<GameState> decision) {
        // A spot the equilibrium does not model (limpers, a raise that is not
        // all-in) keeps the "Tight" ranges and is counted.
        decision->assignCallingRanges(profileIndex_ == kNashProfile ? 0 : profileIndex_);
        if (profileIndex_ == kNashProfile && !assignNashRangesWithDialog(this, desk_, *decision).isEmpty())
            ++notModelledCount_;
        GameState* g = decision.get();
        desk_.keepUntilReplaced(std::move(decision));
        actions_.showSituation(g);
        const bool graded = actions_.runAnalysis(g->heroAction) == 0;
        actions_.enterInHandList(g);
        if (graded && contains(g))
            graded_.push_back(torvel::store::recordFromGraded(*g, profileIndex_));
        ++relevantCount_;
    };
    importedFiles_.push_back(QFile::encodeName(path).toStdString());
    const auto summary = torvel::import::importHistoryFile(importedFiles_.back(), &desk_, callbacks);
    handCount_ = summary.handCount;
}

QString HandListPanel::storeGraded(torvel::store::HandStore& database) {
    std::vector<torvel::store::DecisionRecord> records;
    records.swap(graded_);
    if (!database.isOpen() || records.empty())
        return {};
    const auto stored = database.add(records);
    return stored ? QString() : fromStd(stored.reason);
}

int HandListPanel::showStored(const torvel::store::DecisionFilter& filter) {
    // Reading and rebuilding thousands of situations takes a while: off the
    // GUI thread, then listed in steps, with "Cancel" throughout.
    QProgressDialog progress(tr("Reading the hand database ..."), tr("Cancel"), 0, 0, window());
    progress.setWindowTitle(tr("Stored Hands"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    QFutureWatcher<std::shared_ptr<StoredSituations>> reader;
    QEventLoop waiting;
    connect(&reader, &QFutureWatcherBase::finished, &waiting, &QEventLoop::quit);
    connect(&progress, &QProgressDialog::canceled, &waiting, &QEventLoop::quit);
    reader.setFuture(QtConcurrent::run(readStoredSituations, QFile::encodeName(databasePath_).toStdString(), filter,
                                       cancelled));
    if (!reader.isFinished())
        waiting.exec();
    if (progress.wasCanceled()) {
        *cancelled = true;
        reader.waitForFinished();
        return 0;
    }
    const std::shared_ptr<StoredSituations> read = reader.result();
    if (!read->status) {
        progress.close();
        QMessageBox::warning(window(), tr("Error"), fromStd(read->status.reason));
        return -1;
    }

    QSet<QString> listed;
    for (const GameState* g : situations_)
        listed.insert(decisionKey(*g));
    const int count = static_cast<int>(read->situations.size());
    progress.setLabelText(tr("Listing the stored decisions ..."));
    progress.setMaximum(count);
    int added = 0;
    for (int i = 0; i < count && !progress.wasCanceled(); ++i) {
        if (i % 500 == 0)
            progress.setValue(i);
        std::unique_ptr<GameState>& g = read->situations[static_cast<std::size_t>(i)];
        if (listed.contains(decisionKey(*g)))
            continue;
        g->owner = &desk_;
        const QString id = fromStd(g->handId);
        if (addEntry(std::move(g), id))
            ++added;
    }
    progress.close();
    if (!situations_.isEmpty())
        actions_.showSituation(situations_.first());
    actions_.updateScore();
    return added;
}

void HandListPanel::onShowStoredClicked() {
    std::vector<torvel::store::DecisionRecord> stored;
    if (const auto status = torvel::store::readStored(QFile::encodeName(databasePath_).toStdString(), {}, stored);
        !status) {
        QMessageBox::warning(window(), tr("Error"), fromStd(status.reason));
        return;
    }
    if (stored.empty()) {
        QMessageBox::information(window(), tr("Stored Hands"), tr("The hand database %1 holds no decisions yet.").arg(databasePath_));
        return;
    }
    StoredHandsDialog dialog(stored, this);
    if (dialog.exec() == QDialog::Accepted)
        showStored(dialog.filter());
}

void HandListPanel::onExportClicked() {
    QString name = QFileDialog::getSaveFileName(this, tr("Export to File"), QString(), tr("Text Files (*.txt)"));
    if (name.isEmpty())
        return;
    const std::string path = torvel::import::exportFileName(QFile::encodeName(name).toStdString());
    if (const std::string refusal = torvel::import::exportRefusal(path, importedFiles_, situations_.size());
        !refusal.empty()) {
        QMessageBox::warning(this, tr("Error"), QString::fromStdString(refusal));
        return;
    }
    std::vector<const GameState*> list(situations_.begin(), situations_.end());
    const auto written = torvel::import::writeFileAtomically(path, torvel::import::exportText(list));
    if (!written)
        QMessageBox::warning(this, tr("Error"),
                             tr("The hand histories could not be written to %1:\n%2")
                                 .arg(QFile::decodeName(QByteArray::fromStdString(path)),
                                      QString::fromStdString(written.reason)));
}
