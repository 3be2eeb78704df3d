#include "import/causwertung.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>

#include "app/grabber.h"
#include "app/inifile.h"
#include "engine/gamestate.h"
#include "import/handexport.h"
#include "import/handlistrules.h"
#include "import/historyimport.h"
#include "table/layout.h"
#include "trainer/cmgr.h"
#include "trainer/framedialogs.h"

using torvel::GameState;

namespace {

enum Column { kGame = 0, kBlinds = 1, kDetails = 2, kShow = 3, kDelete = 4, kKey = 5, kSituation = 6 };

void colourRow(QTreeWidgetItem* item, bool right) { item->setForeground(kGame, right ? Qt::darkGreen : Qt::red); }

}  // namespace

CAuswertung::CAuswertung(grabber* mainWindow_, QWidget* parent)
    : QGroupBox(tr("Results"), parent), tree(new QTreeWidget), viewIcon(QStringLiteral("images/view.png")),
      showIcon(QStringLiteral("images/show.png")), deleteIcon(QStringLiteral("images/delete.png")),
      mainWindow(mainWindow_) {
    setMaximumWidth(600);
    // Room for every column header beside the scroll bar.
    setMinimumWidth(440);
    setMinimumHeight(130);
    tree->setColumnCount(7);
    tree->setHeaderLabels({tr("Game"), tr("Blinds"), tr("Details"), tr("Show"), tr("Delete"), QString(), QString()});
    // Wide enough for the highest blinds and the headers beside their icons.
    const int widths[] = {140, 84, 60, 44, 52, 0, 0};
    for (int c = 0; c < 7; ++c)
        tree->setColumnWidth(c, widths[c]);
    tree->setColumnHidden(kKey, true);
    tree->setColumnHidden(kSituation, true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setRootIsDecorated(false);

    grid = new QGridLayout(this);
    grid->addWidget(tree, 0, 0, 1, 3);
    auto* importButton = new QPushButton(QIcon(QStringLiteral("images/import.png")), tr("Import"));
    auto* exportButton = new QPushButton(QIcon(QStringLiteral("images/save.png")), tr("Export"));
    auto* deleteAllButton = new QPushButton(deleteIcon, tr("DeleteAll"));
    grid->addWidget(importButton, 1, 0);
    grid->addWidget(exportButton, 1, 1);
    grid->addWidget(deleteAllButton, 1, 2);
    connect(importButton, &QPushButton::clicked, this, &CAuswertung::slot_pbImport);
    connect(exportButton, &QPushButton::clicked, this, &CAuswertung::slot_pbExport);
    connect(deleteAllButton, &QPushButton::clicked, this, &CAuswertung::slot_pbRemove);
    connect(tree, &QTreeWidget::itemClicked, this, &CAuswertung::t_Clicked);
    connect(tree, &QTreeWidget::itemSelectionChanged, this, &CAuswertung::t_Changed);
}

CAuswertung::~CAuswertung() = default;

bool CAuswertung::contains(const GameState* situation) const {
    return situation != nullptr && situations.contains(const_cast<GameState*>(situation));
}

GameState* CAuswertung::situationOf(const QTreeWidgetItem* item) const {
    if (!item)
        return nullptr;
    auto* g = static_cast<GameState*>(item->data(kSituation, Qt::DisplayRole).value<void*>());
    return contains(g) ? g : nullptr;
}

bool CAuswertung::addEntry(std::unique_ptr<GameState> situation, const QString& text) {
    if (!situation)
        return false;
    if (contains(situation.get())) {
        // Already listed, and so already owned here.
        (void)situation.release();
        return false;
    }
    GameState* g = situation.get();
    owned_.push_back(std::move(situation));
    situations.append(g);

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
    item->setIcon(kDetails, viewIcon);
    item->setIcon(kShow, showIcon);
    item->setIcon(kDelete, deleteIcon);
    colourRow(item, torvel::import::decisionIsRight(*g));
    tree->addTopLevelItem(item);
    return true;
}

void CAuswertung::recount() {
    mainWindow->answerCount = 0;
    mainWindow->correctCount = 0;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = tree->topLevelItem(i);
        const GameState* g = situationOf(item);
        if (!g)
            continue;
        ++mainWindow->answerCount;
        const bool right = torvel::import::decisionIsRight(*g);
        if (right)
            ++mainWindow->correctCount;
        colourRow(item, right);
    }
}

void CAuswertung::t_Clicked(QTreeWidgetItem* item, int column) {
    GameState* g = situationOf(item);
    if (!g)
        return;
    if (column == kGame || column == kBlinds || column == kShow) {
        mainWindow->showSituation(g);
    } else if (column == kDetails) {
        openReport(mainWindow, g, QStringLiteral("Details for ") + item->text(kGame), this);
    } else if (column == kDelete) {
        const bool onTable = mainWindow->current == g;
        removeRow(item);
        if (onTable) {
            if (situations.isEmpty())
                mainWindow->nextTrainerSituation();
            else
                mainWindow->showSituation(situations.first());
        }
        mainWindow->updateScore();
    }
}

void CAuswertung::removeRow(QTreeWidgetItem* item) {
    GameState* g = situationOf(item);
    situations.removeAll(g);
    delete item;
    // A situation still on the table stays alive until the table moves on.
    for (auto it = owned_.begin(); it != owned_.end(); ++it) {
        if (it->get() != g)
            continue;
        if (mainWindow->current == g)
            mainWindow->keepUntilReplaced(std::move(*it));
        owned_.erase(it);
        break;
    }
}

void CAuswertung::t_Changed() {
    const auto selected = tree->selectedItems();
    if (!selected.isEmpty())
        t_Clicked(selected.first(), kGame);
}

void CAuswertung::slot_pbRemove() {
    mainWindow->startFreshSituation();
    tree->clear();
    situations.clear();
    owned_.clear();
    mainWindow->answerCount = 0;
    mainWindow->correctCount = 0;
    mainWindow->frame->table->update();
}

void CAuswertung::slot_pbImport() {
    mainWindow->enterHandListMode();
    const torvel::IniFile settings(torvel::kSettingsFileName);
    const QString directory = QString::fromStdString(settings.readString(torvel::kSettingsSection, "dir", ""));
    const QStringList files =
        QFileDialog::getOpenFileNames(this, tr("Select files"), directory, tr("Handhistories (*.txt *.hhf *.*)"));
    runImport(files);
}

void CAuswertung::runImport(const QStringList& files) {
    progress = std::make_unique<QProgressDialog>(tr("Importiere : ..."), tr("Import abbrechen"), 0, 100);
    progress->setGeometry(100, 100, 400, 150);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setWindowTitle(tr("Handhistoryimport..."));
    progress->show();
    if (!files.isEmpty()) {
        torvel::IniFile settings(torvel::kSettingsFileName);
        settings.writeString(torvel::kSettingsSection, "dir", files.first().toStdString());
        progress->setMaximum(static_cast<int>(files.size()));
        profileIndex = 0;
        bool ok = false;
        const QString choice = QInputDialog::getItem(this, tr("Profile?"), tr("Which profile to use for the import?"),
                                                     {tr("Tight"), tr("Medium"), tr("Loose")}, 0, false, &ok);
        if (ok && !choice.isEmpty())
            profileIndex = choice == tr("Medium") ? 1 : choice == tr("Loose") ? 2 : 0;
    }
    for (int i = 0; i < files.size(); ++i) {
        if (progress->wasCanceled())
            break;
        progress->setLabelText(tr("Importiere : ") + files[i]);
        QApplication::processEvents();
        progress->setValue(i);
        importFile(files[i]);
    }
    if (!files.isEmpty())
        QMessageBox::information(mainWindow, tr("Import finished!"),
                                 tr("%1 (of %2) relevant hands imported.").arg(relevantCount).arg(handCount),
                                 QMessageBox::Ok);
    progress->close();
    if (!situations.isEmpty())
        mainWindow->showSituation(situations.first());
    mainWindow->updateScore();
}

void CAuswertung::importFile(const QString& path) {
    handCount = 0;
    relevantCount = 0;
    torvel::import::ImportCallbacks callbacks;
    callbacks.onDecision = [this](std::unique_ptr<GameState> decision) {
        decision->assignCallingRanges(profileIndex);
        GameState* g = decision.get();
        mainWindow->keepUntilReplaced(std::move(decision));
        mainWindow->showSituation(g);
        mainWindow->runAnalysis(g->heroAction);
        mainWindow->enterInHandList(g);
        ++relevantCount;
    };
    importedFiles.push_back(QFile::encodeName(path).toStdString());
    const auto summary = torvel::import::importHistoryFile(importedFiles.back(), mainWindow, callbacks);
    handCount = summary.handCount;
}

void CAuswertung::slot_pbExport() {
    QString name = QFileDialog::getSaveFileName(this, tr("Export to File"), QString(), tr("Text Files (*.txt)"));
    if (name.isEmpty())
        return;
    const std::string path = torvel::import::exportFileName(QFile::encodeName(name).toStdString());
    if (const std::string refusal = torvel::import::exportRefusal(path, importedFiles, situations.size());
        !refusal.empty()) {
        QMessageBox::warning(this, tr("Error"), QString::fromStdString(refusal));
        return;
    }
    std::vector<const GameState*> list(situations.begin(), situations.end());
    const auto written = torvel::import::writeFileAtomically(path, torvel::import::exportText(list));
    if (!written)
        QMessageBox::warning(this, tr("Error"),
                             tr("The hand histories could not be written to %1:\n%2")
                                 .arg(QFile::decodeName(QByteArray::fromStdString(path)),
                                      QString::fromStdString(written.reason)));
}
