#include "gui/dialogs/analysisreportdialog.h"

#include <QGridLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "engine/cards.h"
#include "engine/constants.h"
#include "engine/gamestate.h"
#include "gui/dialogs/seateditcell.h"
#include "gui/dialogs/labelscrollarea.h"
#include "gui/dialogs/rangegridview.h"
#include "engine/nashranges.h"
#include "gui/desk/deskmodel.h"

using torvel::GameState;
using torvel::SeatState;

namespace {

// Position names counted back from the big blind (index 1) to UTG (10).
const char* const kPositionNames[] = {"",   "Big Blind", "Small Blind", "Button", "Cut Off", "MP+2",
                                      "MP+1", "MP",        "UTG+2",       "UTG+1", "UTG"};
static_assert(std::size(kPositionNames) == torvel::kSeatCount + 1);

// Pixels; a longer report scrolls.
constexpr int kTallestReportArea = 480;

QString pct(float share) { return QString::number(static_cast<double>(share) * 100.0, 'f', 2); }

QString band(int from, int to) {
    return QString::number(to * 100.0 / torvel::kHandClassCount - from * 100.0 / torvel::kHandClassCount, 'f', 2);
}

QString positionOf(const SeatState& seat) {
    return QString::fromLatin1(seat.position, static_cast<qsizetype>(strnlen(seat.position, sizeof seat.position)));
}

QString row(const QStringList& cells) {
    return QStringLiteral("<tr><td>") + cells.join(QStringLiteral("</td><td>")) + QStringLiteral("</td></tr>");
}

// The two rows of one confrontation: the caller's range and chance of the
// case with the winner's share, then the caller's share when he wins.
QString rowPair(const SeatState& opponent, const QString& winner, const QString& rangeWidth) {
    const QString position = positionOf(opponent);
    return row({position, rangeWidth, pct(opponent.rangeShare), pct(opponent.callProbability), winner,
                pct(opponent.winProbability), pct(opponent.equityIfWin)}) +
           row({{}, {}, {}, {}, position, pct(opponent.loseProbability), pct(opponent.equityIfLose)});
}

const QString kDetailsHeader = QStringLiteral(
    "<tr><td>Opponent</td><td>Range</td><td>Prob(Range)</td><td>Prob(case)</td><td>Winner</td><td>Win%</td><td>"
    "Eq.</td></tr>");

}  // namespace

AnalysisReportDialog::AnalysisReportDialog(DeskModel* desk, const QString& title, QWidget* parent)
    : QDialog(parent), desk_(desk), grid_(new QGridLayout(this)), reportArea_(new LabelScrollArea),
      closeButton_(new QPushButton(tr("Close"))), recomputeButton_(new QPushButton(tr("Recompute"))) {
    setWindowTitle(title);
    reportArea_->setBackgroundRole(QPalette::Light);
    reportArea_->setWidgetResizable(true);
    reportArea_->inner()->setTextFormat(Qt::RichText);
    reportArea_->inner()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    reportArea_->inner()->setMargin(4);

    grid_->addWidget(new QLabel(QStringLiteral("<b><big>Game details</big></b>")), 0, 0, 1, kColumns);
    const char* const headers[kColumns] = {"Player", "Cards", "Stack", "Blinds/Put", "Preflop EQ", "Action", "Range"};
    for (int c = 0; c < kColumns; ++c)
        grid_->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(QLatin1String(headers[c]))), 1, c);

    // An edited action changes what the report computes: show it again.
    auto editCell = [this](int kind, int row) {
        auto* cell = new SeatEditCell(desk_, kind, row);
        connect(cell, &SeatEditCell::actionEdited, this, [this] { buildReport(game_); });
        return cell;
    };
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            QLabel* cell = nullptr;
            if (c == kRangeColumn)
                cell = editCell(SeatEditCell::kRange, r);
            else if (c == kStackColumn)
                cell = editCell(SeatEditCell::kStack, r);
            else if (c == kActionColumn)
                cell = editCell(SeatEditCell::kAction, r);
            else
                cell = new QLabel;
            cell->setAlignment(Qt::AlignLeft);
            cell->setTextFormat(Qt::RichText);
            cell->hide();
            cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = cell;
            grid_->addWidget(cell, r + 2, c);
        }
    }

    grid_->addWidget(reportArea_, 12, 0, 1, kColumns);
    grid_->setRowStretch(12, 1);
    grid_->addWidget(closeButton_, 13, 1, 1, 2);
    grid_->addWidget(recomputeButton_, 13, 4, 1, 2);
    closeButton_->setAutoDefault(false);
    closeButton_->setDefault(false);
    recomputeButton_->setDefault(true);

    // The ranges stand in a column right of the report.
    heroGrid_ = new RangeGridView;
    equilibriumGrid_ = new RangeGridView;
    auto* ranges = new QVBoxLayout;
    ranges->addWidget(heroGrid_, 1);
    ranges->addWidget(equilibriumGrid_, 1);
    grid_->addLayout(ranges, 0, kColumns, 14, 1);
    grid_->setColumnStretch(kColumns, 1);

    connect(closeButton_, &QPushButton::clicked, this, &AnalysisReportDialog::onCloseClicked);
    connect(recomputeButton_, &QPushButton::clicked, this, &AnalysisReportDialog::onComputeClicked);
}

QString AnalysisReportDialog::reportText() const { return reportArea_->inner()->text(); }

void AnalysisReportDialog::buildReport(GameState* situation) {
    game_ = situation;
    for (auto& cellRow : cells_)
        for (QLabel* cell : cellRow)
            cell->hide();
    fillTable();
    fillRanges();
    QLabel* text = reportArea_->inner();
    text->setText(buildText());
    // The label keeps the size of its text, so that the area scrolls
    // rather than cuts it; the area shows its whole width and, up to a
    // height that suits a laptop screen, its whole length.
    text->setMinimumSize(text->sizeHint());
    const int frame = 2 * reportArea_->frameWidth();
    reportArea_->setMinimumWidth(text->minimumWidth() + frame + reportArea_->verticalScrollBar()->sizeHint().width());
    reportArea_->setMinimumHeight(std::min(text->minimumHeight() + frame, kTallestReportArea));
}

void AnalysisReportDialog::fillRanges() {
    const bool haveRange = game_ && game_->pushRangeText[0] != '\0';
    heroGrid_->setVisible(haveRange);
    equilibriumGrid_->hide();
    heroGrid_->clearComparison();
    if (!haveRange)
        return;
    const std::string text(game_->pushRangeText);
    const torvel::ClassStrategy hero = torvel::classesOfPushRangeText(text);
    heroGrid_->setRange(hero, tr("Pushing Range"), QString::fromStdString(text));
    torvel::NashSpot spot;
    if (!desk_ || !torvel::nashSpotOf(*game_, spot).empty())
        return;
    const torvel::NashResult* solved = desk_->nashStore().find(spot.table);
    if (!solved)
        return;
    const torvel::ClassStrategy& equilibrium = torvel::heroNashRange(spot, solved->profile);
    equilibriumGrid_->setRange(equilibrium, tr("Equilibrium (framed: differs)"));
    equilibriumGrid_->setComparison(hero);
    heroGrid_->setComparison(equilibrium);
    equilibriumGrid_->show();
}

void AnalysisReportDialog::fillTable() {
    if (!game_ || !GameState::validSeat(game_->buttonSeat))
        return;
    GameState& g = *game_;
    // Start from the big blind, so that the listing ends with him.
    int seatIndex = g.nextOccupiedSeat(g.buttonSeat);
    if (g.playerCount != 2 && seatIndex != -1)
        seatIndex = g.nextOccupiedSeat(seatIndex);
    if (seatIndex == -1)
        return;

    const int roundEnd = seatIndex;
    int k = g.playerCount;
    bool heroListed = false;
    // One round at most, ending with the seat we started after: a
    // situation without a big blind flag must not loop for ever.
    for (int step = 0; step < torvel::kSeatCount; ++step, --k) {
        seatIndex = g.nextOccupiedSeat(seatIndex);
        if (seatIndex == -1)
            break;
        SeatState& seat = g.seats[static_cast<std::size_t>(seatIndex)];
        const int r = kRows - k;
        const bool listed = r >= 0 && r < kRows;
        auto cell = [this, r](int c) { return cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]; };
        if (listed) {
            for (int c : {kRangeColumn, kStackColumn, kActionColumn})
                static_cast<SeatEditCell*>(cell(c))->bind(seatIndex, game_);
        }

        if (seatIndex == g.heroSeat) {
            if (listed) {
                cell(0)->setText(QStringLiteral("<font color=#0000FF>Hero</font>"));
                cell(1)->setText(QString::fromStdString(torvel::handClassName(seat.handLow, seat.handHigh)));
                cell(2)->setText(SeatEditCell::linkText(QString::number(seat.stack)));
                cell(3)->setText(QString::number(seat.bet));
                cell(4)->setText(pct(g.equityBefore[static_cast<std::size_t>(seatIndex)]));
                cell(5)->setText(QStringLiteral("?"));
                cell(6)->setText(QString());
            }
            heroListed = true;
        } else {
            if (k >= 1 && k <= torvel::kSeatCount)
                torvel::copyToBuffer(seat.position, std::string(kPositionNames[k]));
            if (listed) {
                cell(0)->setText(positionOf(seat));
                cell(1)->setText(SeatEditCell::rangeText(seat));
                cell(2)->setText(SeatEditCell::linkText(QString::number(seat.stack)));
                cell(3)->setText(QString::number(seat.bet));
                cell(4)->setText(pct(g.equityBefore[static_cast<std::size_t>(seatIndex)]));
                // Players after the hero have not acted: their cell keeps its text.
                if (!heroListed) {
                    if (seatIndex == g.raiserSeat)
                        cell(5)->setText(SeatEditCell::linkText(QStringLiteral("Push")));
                    else if (seat.action == torvel::kActionFold)
                        cell(5)->setText(SeatEditCell::linkText(QStringLiteral("Fold")));
                    else if (seat.action == torvel::kActionCall)
                        cell(5)->setText(SeatEditCell::linkText(QStringLiteral("Call")));
                    else if (seat.action == torvel::kActionRaise)
                        cell(5)->setText(SeatEditCell::linkText(QStringLiteral("Raise")));
                }
                cell(6)->setText(pct(seat.rangeShare));
            }
        }
        if (listed) {
            for (int c = 0; c < kColumns; ++c)
                cell(c)->show();
        }
        if (seat.isBigBlind || seatIndex == roundEnd)
            break;
    }
}

QString AnalysisReportDialog::buildText() const {
    if (!game_)
        return {};
    const GameState& g = *game_;
    const bool pushWins = g.evFold < g.evPush;
    QString text = QStringLiteral(
        "<table border=0><tr><td colspan=3><b><big>Result of analysis</big></b></td></tr>"
        "<tr><td>Push Eq</td><td>Fold Eq</td><td>Difference</td></tr><tr><td>");
    text += pushWins ? QStringLiteral("<b><font color=#00FF00>") : QStringLiteral("<font color=#FF0000>");
    text += pct(g.evPush) + QStringLiteral("</font></b></td><td>");
    text += pushWins ? QStringLiteral("<b><font color=#FF0000>") : QStringLiteral("<font color=#00FF00>");
    text += pct(g.evFold) + QStringLiteral("</font></b></td><td>");
    text += QString::number((static_cast<double>(g.evPush) - static_cast<double>(g.evFold)) * 100.0, 'f', 2);
    text += QStringLiteral("</td></tr></table>");

    text += QStringLiteral("<br><b>Your Action : ");
    switch (g.heroAction) {
    case 0: text += QStringLiteral("Fold"); break;
    case 1: text += QStringLiteral("Call"); break;
    case 2: text += QStringLiteral("Raise"); break;
    case 3: text += QStringLiteral("Push"); break;
    case 5: text += QStringLiteral("Check"); break;
    default: break;
    }
    // A tie reads "Push" here, although the verdict folds on a tie.
    text += QStringLiteral("<br>Correct Action : ");
    text += g.evPush < g.evFold ? QStringLiteral("Fold") : QStringLiteral("Push");
    text += QStringLiteral("<br></b>");

    text += QStringLiteral("<br><table border=0><tr><td colspan=3><b><big>Details for Push Eq.</big></b></td></tr>");
    text += kDetailsHeader;

    const int hero = g.heroSeat;
    const int raiser = g.raiserSeat;
    const bool heroKnown = GameState::validSeat(hero);
    const bool raiserKnown = GameState::validSeat(raiser);
    auto seatAt = [&g](int i) -> const SeatState& { return g.seats[static_cast<std::size_t>(i)]; };
    // The seats after the hero in seat order, up to (not including) stop.
    auto after = [hero](int stop) {
        std::vector<int> seats;
        for (int i = 1; i < torvel::kSeatCount; ++i) {
            const int s = (hero + i) % torvel::kSeatCount;
            if (s == stop)
                break;
            seats.push_back(s);
        }
        return seats;
    };

    QString pushRows;
    QString foldRows;
    if (heroKnown && raiserKnown) {
        const SeatState& r = seatAt(raiser);
        const QString raiserPosition = positionOf(r);
        pushRows = rowPair(r, QStringLiteral("Hero"), band(r.rangeFrom, r.rangeTo));
        for (int s : after(raiser)) {
            const SeatState& o = seatAt(s);
            if (o.status >= torvel::kSeatOpponent && o.action != torvel::kActionFold)
                foldRows += rowPair(o, raiserPosition, band(o.rangeFrom, o.rangeTo));
        }
        foldRows += row({QStringLiteral("No Caller"), {}, {}, pct(g.foldProbability), raiserPosition,
                         QStringLiteral("100.00"), pct(g.equityAllFold)});
    } else if (heroKnown && raiser == -1) {
        for (int s : after(hero)) {
            const SeatState& o = seatAt(s);
            if (o.status < torvel::kSeatOpponent || o.action == torvel::kActionFold)
                continue;
            const bool acted = o.action == torvel::kActionCall || o.action == torvel::kActionRaise;
            pushRows += rowPair(o, QStringLiteral("Hero"),
                                acted ? band(o.range2From, o.range2To) : band(o.rangeFrom, o.rangeTo));
        }
        pushRows += row({QStringLiteral("No Caller"), {}, {}, pct(g.foldProbability), QStringLiteral("Hero"),
                         QStringLiteral("100.00"), pct(g.equityAllFold)});

        // Folding, each opponent still in is taken to win the blinds alike.
        int stillIn = 0;
        for (const SeatState& o : g.seats)
            stillIn += o.status >= torvel::kSeatOpponent && o.action != torvel::kActionFold ? 1 : 0;
        for (int s : after(hero)) {
            const SeatState& o = seatAt(s);
            if (o.status < torvel::kSeatOpponent || o.action == torvel::kActionFold)
                continue;
            foldRows += row({{}, {}, {}, {}, positionOf(o), QString::number(100.0 / stillIn, 'f', 2),
                             pct(g.equityIfSeatWins[static_cast<std::size_t>(s)])});
        }
    }
    text += pushRows;
    text += QStringLiteral(
        "</table><br><table border=0><tr><td colspan=3><b><big>Details for Fold Eq.</big></b></td></tr>");
    text += kDetailsHeader;
    text += foldRows;
    text += QStringLiteral("</table>");
    return text;
}

void AnalysisReportDialog::onCloseClicked() { close(); }

void AnalysisReportDialog::onComputeClicked() {
    if (!game_)
        return;
    // Recomputing keeps the hero's recorded answer; the report shows it and
    // the hand list grades by it.
    game_->analyze(game_->heroAction);
    // The pushing range was scanned for the situation before the edits: it
    // goes rather than contradict the new verdict.
    game_->setPushRangeText({});
    buildReport(game_);
}
