#include "gui/handlist/handlistpanel.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "settings/inifile.h"
#include "engine/gamestate.h"
#include "gui/desk/deskactions.h"
#include "gui/desk/deskmodel.h"
#include "gui/nash/nashsolvejob.h"
#include "import/handexport.h"
#include "import/handlistrules.h"
#include "import/historyimport.h"

using torvel::GameState;

namespace {

enum Column { kGame = 0, kBlinds = 1, kDetails = 2, kShow = 3, kDelete = 4, kKey = 5, kSituation = 6 };

void colourRow(QTreeWidgetItem* item, bool right) { item->setForeground(kGame, right ? Qt::darkGreen : Qt::red); }

}  // namespace

HandListPanel::HandListPanel(DeskModel& desk, DeskActions& actions, QWidget* parent)
    : QGroupBox(tr("Results"), parent), desk_(desk), actions_(actions), tree_(new QTreeWidget),
      viewIcon_(QStringLiteral("images/view.png")), showIcon_(QStringLiteral("images/show.png")),
      deleteIcon_(QStringLiteral("images/delete.png")) {
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
    progress_->close();
    if (!situations_.isEmpty())
        actions_.showSituation(situations_.first());
    actions_.updateScore();
}

void HandListPanel::importFile(const QString& path) {
    handCount_ = 0;
    relevantCount_ = 0;
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
        actions_.runAnalysis(g->heroAction);
        actions_.enterInHandList(g);
        ++relevantCount_;
    };
    importedFiles_.push_back(QFile::encodeName(path).toStdString());
    const auto summary = torvel::import::importHistoryFile(importedFiles_.back(), &desk_, callbacks);
    handCount_ = summary.handCount;
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
