#include "gui/table/tableview.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "settings/clientdirs.h"
#include "engine/computedriver.h"
#include "engine/gamestate.h"
#include "gui/desk/deskactions.h"
#include "gui/desk/deskmodel.h"
#include "gui/desk/tableresources.h"
#include "gui/dialogs/rangedialog.h"
#include "gui/nash/nashsolvejob.h"
#include "gui/table/cardpickerdialog.h"
#include "gui/table/dealerbutton.h"
#include "gui/table/opponentactiondialog.h"
#include "gui/table/seatwidget.h"
#include "gui/table/tablefont.h"

using torvel::GameState;

namespace {

struct SeatPlace {
    QPoint seat;
    QPoint button;
    QPoint bet;
};

// Seat widget, button spot and bet label of each seat, clockwise from the top.
const std::array<SeatPlace, 10> kPlaces = {{
    {{475, 10}, {500, 130}, {460, 150}},
    {{650, 60}, {625, 160}, {585, 180}},
    {{690, 180}, {665, 230}, {625, 250}},
    {{650, 330}, {625, 295}, {585, 315}},
    {{460, 360}, {500, 310}, {460, 330}},
    {{210, 360}, {250, 310}, {210, 330}},
    {{35, 330}, {150, 295}, {150, 315}},
    {{0, 180}, {120, 230}, {120, 250}},
    {{40, 60}, {155, 160}, {155, 180}},
    {{218, 10}, {250, 130}, {250, 150}},
}};

// Reads a client table picture cut to the table's size; null when missing.
std::unique_ptr<QPixmap> clientPicture(const std::string& file) {
    const QString path = QString::fromStdString(file);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return nullptr;
    QPixmap picture(path);
    if (picture.isNull())
        return nullptr;
    return std::make_unique<QPixmap>(picture.copy(0, 0, 800, 490));
}

}  // namespace

TableView::TableView(DeskModel& desk, const TableResources& resources, DeskActions& actions,
                     const QString& tableImageFile, QWidget* parent)
    : QWidget(parent), desk_(desk), resources_(resources), actions_(actions), textPen_(solidTablePen(Qt::red)),
      greenPen_(solidTablePen(Qt::green)) {
    ownImage_ = std::make_unique<QPixmap>(tableImageFile);
    setFixedSize(800, 490);

    profileCombo_ = new QComboBox(this);
    profileCombo_->addItems({tr("Tight"), tr("Medium"), tr("Loose"), tr("Nash")});
    profileCombo_->setGeometry(340, 5, 90, 20);
    applyButton_ = new QPushButton(tr("Apply"), this);
    applyButton_->setGeometry(433, 5, 50, 20);
    applyButton_->setMaximumWidth(50);
    connect(applyButton_, &QPushButton::clicked, this, &TableView::onApplyClicked);

    for (int i = 0; i < 10; ++i) {
        const auto& place = kPlaces[static_cast<std::size_t>(i)];
        auto* seat = new SeatWidget(desk_, resources_, i, this);
        seat->move(place.seat);
        seatWidgets_[static_cast<std::size_t>(i)] = seat;
        connect(seat, &SeatWidget::seatTaken, this, &TableView::onSeatTaken);
        connect(seat, &SeatWidget::seatLeft, this, &TableView::onSeatLeft);
        connect(seat, &SeatWidget::cardPickRequested, this, &TableView::pickCard);
        connect(seat, &SeatWidget::opponentActionRequested, this, &TableView::editOpponentAction);
        connect(seat, &SeatWidget::rangeEditRequested, this, &TableView::editRange);
        auto* spot = new DealerButton(desk_, resources_, *seat, this);
        connect(spot, &DealerButton::clicked, this, [this, i] { setButton(i, true); });
        spot->move(place.button);
        buttonSpots_[static_cast<std::size_t>(i)] = spot;
    }
    buttonSeat_ = -1;
    loadPartyPokerLook();
    setMouseTracking(true);
    connect(&desk_, &DeskModel::situationChanged, this, &TableView::showSituation);
    connect(&desk_, &DeskModel::tableSeatChipsEdited, this, &TableView::copyChipsFromSituation);
    connect(&desk_, &DeskModel::tableSeatRangesEdited, this, &TableView::copyRangesFromSituation);
    connect(&desk_, &DeskModel::scoreChanged, this, qOverload<>(&TableView::update));
}

TableView::~TableView() = default;

void TableView::loadPartyPokerLook() {
    partyPokerImage_ = clientPicture(torvel::partyPokerLookPicture(desk_.partyPokerDirectory().toStdString()));
}

void TableView::loadPokerStarsLook() {
    pokerStarsImage_ = clientPicture(torvel::pokerStarsLookPicture(desk_.pokerStarsDirectory().toStdString()));
}

void TableView::setBlinds(int smallBlind, int bigBlind, int ante) {
    desk_.keepBlinds(smallBlind, bigBlind, ante);
    if (GameState* g = desk_.situation()) {
        g->smallBlind = smallBlind;
        g->bigBlind = bigBlind;
        g->ante = ante;
    }
    for (SeatWidget* seat : seatWidgets_)
        seat->setBet(ante);
    blindsText_ = QStringLiteral("Blinds : %1 / %2").arg(smallBlind).arg(bigBlind);
    if (ante > 0)
        blindsText_ += QStringLiteral(" / %1").arg(ante);
}

void TableView::setButton(int seat, bool postBlinds) {
    if (buttonSeat_ >= 0 && buttonSeat_ < 10)
        buttonSpots_[static_cast<std::size_t>(buttonSeat_)]->setDealer(false);
    if (seat < 0 || seat > 9 || seatWidgets_[static_cast<std::size_t>(seat)]->status() < 1)
        return;
    buttonSeat_ = seat;
    buttonSpots_[static_cast<std::size_t>(seat)]->setDealer(true);

    GameState* g = desk_.situation();
    int smallBlindSeat = -1;
    int bigBlindSeat = -1;
    if (g) {
        g->buttonSeat = seat;
        smallBlindSeat = g->playerCount == 2 ? seat : g->nextOccupiedSeat(seat);
        bigBlindSeat = smallBlindSeat >= 0 ? g->nextOccupiedSeat(smallBlindSeat) : -1;
        // A player alone posts one blind, not both.
        if (bigBlindSeat == smallBlindSeat)
            bigBlindSeat = -1;
    }

    for (int i = 0; i < 10; ++i) {
        SeatWidget* w = seatWidgets_[static_cast<std::size_t>(i)];
        if (postBlinds && w->isSmallBlind()) {
            w->setStack(w->stack() + w->bet());
            w->setBet(0);
            w->setIsSmallBlind(false);
        }
        if (postBlinds && w->isBigBlind()) {
            w->setStack(w->stack() + w->bet());
            w->setBet(0);
            w->setIsBigBlind(false);
        }
        w->setIsButton(i == seat);
        // The blind goes in front of the player; what he had there goes back.
        auto post = [&](int amount) {
            if (g && g->raiserSeat == i)
                g->raiserSeat = -1;
            w->setStack(w->stack() + w->bet() - amount);
            w->setBet(amount);
        };
        if (postBlinds && i == smallBlindSeat) {
            w->setIsSmallBlind(true);
            post(desk_.kept().smallBlind);
        }
        if (postBlinds && i == bigBlindSeat) {
            w->setIsBigBlind(true);
            post(desk_.kept().bigBlind);
        }
        // Empty seats keep nothing in the situation: a widget remembers the
        // stack of a player who left, the situation must not.
        if (g && w->status() >= 1) {
            torvel::SeatState& s = g->seats[static_cast<std::size_t>(i)];
            s.isBigBlind = w->isBigBlind();
            s.isSmallBlind = w->isSmallBlind();
            s.bet = w->bet();
            s.stack = w->stack();
            s.isButton = w->isButton();
        }
    }

    if (postBlinds)
        desk_.forgetVerdict();
    if (g && postBlinds && g->playerCount != 2 && bigBlindSeat >= 0) {
        // Everybody between the big blind and the hero folds; everybody
        // after the hero has not acted yet; the raiser keeps his action.
        bool heroPassed = false;
        int s = bigBlindSeat;
        do {
            s = g->nextOccupiedSeat(s);
            torvel::SeatState& st = g->seats[static_cast<std::size_t>(s)];
            if (s != g->heroSeat && !heroPassed && s != g->raiserSeat)
                st.action = torvel::kActionFold;
            if (s == g->heroSeat)
                heroPassed = true;
            if (heroPassed && s != g->heroSeat && s != g->raiserSeat)
                st.action = torvel::kActionNone;
        } while (s != bigBlindSeat);
    }
    update();
}

const QStringList& TableView::blindLevels() {
    static const QStringList levels = {
        "15/30",       "20/40",         "25/50",         "30/60",          "40/80",          "50/100",
        "60/120",      "75/150",        "80/160",        "100/200",        "120/240",        "150/300",
        "200/400",     "200/400/25",    "250/500",       "300/600",        "300/600/25",     "400/800/25",
        "600/1200/50", "1000/2000/75",  "1500/3000/75",  "2000/4000/100",  "3000/6000/100",  "4000/8000/200",
        "10000/20000/500"};
    return levels;
}

void TableView::chooseBlindLevel() {
    QStringList items;
    items << QStringLiteral("%1/%2").arg(desk_.kept().smallBlind).arg(desk_.kept().bigBlind);
    items << blindLevels();
    bool ok = false;
    const QString chosen = QInputDialog::getItem(this, tr("New Blindlevel?"), tr("Blinds:"), items, 0, false, &ok);
    if (!ok || chosen.isEmpty())
        return;
    // The matching table also knows one level the list does not offer.
    QStringList known = blindLevels();
    known << QStringLiteral("6000/12000/200");
    for (const QString& level : known) {
        if (level != chosen)
            continue;
        const QStringList parts = level.split(QLatin1Char('/'));
        changeBlindLevel(parts[0].toInt(), parts[1].toInt(), parts.size() > 2 ? parts[2].toInt() : 0);
        return;
    }
    const KeptTableValues& kept = desk_.kept();
    changeBlindLevel(kept.smallBlind, kept.bigBlind, kept.ante);
}

void TableView::changeBlindLevel(int smallBlind, int bigBlind, int ante) {
    std::array<int, 10> chips{};
    for (std::size_t i = 0; i < chips.size(); ++i)
        chips[i] = seatWidgets_[i]->stack() + seatWidgets_[i]->bet();
    setBlinds(smallBlind, bigBlind, ante);
    GameState* g = desk_.situation();
    for (int i = 0; i < 10; ++i) {
        SeatWidget* w = seatWidgets_[static_cast<std::size_t>(i)];
        const int total = chips[static_cast<std::size_t>(i)];
        if (w->status() < 1) {
            w->setBet(0);
            continue;
        }
        const bool allInRaiser = g && g->raiserSeat == i;
        const int inFront = allInRaiser ? total : std::clamp(ante, 0, std::max(0, total));
        w->setBet(inFront);
        w->setStack(total - inFront);
        if (g) {
            g->seats[static_cast<std::size_t>(i)].bet = inFront;
            g->seats[static_cast<std::size_t>(i)].stack = total - inFront;
        }
    }
    desk_.forgetVerdict();
    setButton(buttonSeat_, true);
    update();
}

void TableView::onApplyClicked() {
    GameState* g = desk_.situation();
    if (!g)
        return;
    if (g->buttonSeat == -1) {
        QMessageBox::information(this, tr("Error"), tr("No button set"));
        return;
    }
    if (g->heroSeat == -1) {
        QMessageBox::information(this, tr("Error"), tr("No player set"));
        return;
    }
    if (profileCombo_->currentIndex() == kNashProfileIndex) {
        if (const QString why = assignNashRangesWithDialog(this, desk_, *g); !why.isEmpty()) {
            QMessageBox::information(this, tr("Error"), why);
            return;
        }
    } else {
        g->assignCallingRanges(profileCombo_->currentIndex());
    }
    for (int i = 0; i < 10; ++i) {
        SeatWidget* w = seatWidgets_[static_cast<std::size_t>(i)];
        const torvel::SeatState& s = g->seats[static_cast<std::size_t>(i)];
        w->setRangeFrom(s.rangeFrom);
        w->setRangeTo(s.rangeTo);
        w->setRange2To(s.range2To);
        w->setRange2From(s.range2From);
    }
    // The editor's spot is no answer: it stays out of the hand list and the score.
    actions_.runAnalysis(torvel::kNoAnswer);
    update();
}

void TableView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap* image = look_ == TableLook::PartyPoker ? partyPokerImage_.get() : look_ == TableLook::PokerStars ? pokerStarsImage_.get() : ownImage_.get();
    // A client's missing picture never leaves the felt blank.
    if (!image || image->isNull())
        image = ownImage_.get();
    if (image && !image->isNull())
        painter.drawPixmap(target_, *image);

    const QFont font = tableFont(painter.font(), 8);
    painter.setFont(font);

    painter.setPen(lastX_ >= 0 && lastX_ < 150 && lastY_ >= 0 && lastY_ < 28 ? resources_.selectionPen() : textPen_);
    painter.drawText(QRect(10, 10, 200, 15), Qt::AlignLeft | Qt::AlignVCenter, blindsText_);
    painter.setPen(textPen_);

    const GameState* g = desk_.situation();
    if (g) {
        painter.drawText(QRect(0, 30, 800, 15), Qt::AlignCenter, QString::fromStdString(g->buyInText));
        painter.drawText(QRect(400, 10, 390, 15), Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(g->handId));
    }
    if (desk_.answerCount() >= 1 && desk_.mode() != DeskMode::Editor)
        painter.drawText(QRect(400, 25, 390, 15), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Correct : %1/%2").arg(desk_.correctCount()).arg(desk_.answerCount()));
    if (!g) {
        return;
    }
    if (g->pushRangeText[0] != '\0') {
        // A wide range lists a hand for every high card: shrink it to fit.
        const QString range = QStringLiteral("Pushing Range: ") + QString::fromLatin1(g->pushRangeText);
        const QFont fitted = fittingFont(painter.font(), 8, 6, range, 790);
        painter.setFont(fitted);
        painter.drawText(QRect(0, 475, 790, 15), Qt::AlignRight | Qt::AlignVCenter,
                         QFontMetrics(fitted).elidedText(range, Qt::ElideMiddle, 790));
        painter.setFont(font);
    }
    if (g->heroAction != -1) {
        if (g->heroAction == g->decision || (g->decision == 0 && g->heroAction == 5))
            painter.setPen(greenPen_);
        static const char* const kYourAction[] = {"Your action: Fold", "Your action: Call", "Your action: Raise",
                                                  "Your action: Push", nullptr, "Your action: Check"};
        if (g->heroAction >= 0 && g->heroAction <= 5 && kYourAction[g->heroAction])
            painter.drawText(QRect(400, 445, 390, 15), Qt::AlignRight | Qt::AlignVCenter,
                             QString::fromLatin1(kYourAction[g->heroAction]));
        painter.setPen(textPen_);
    }
    if (g->decision != torvel::kDecisionNotComputed) {
        painter.setPen(Qt::white);
        painter.drawText(QRect(20, 445, 390, 15), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Eq. Push: ") + QString::number(g->evPush * 100.0, 'f', 1));
        painter.drawText(QRect(20, 460, 390, 15), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Eq. Fold: ") + QString::number(g->evFold * 100.0, 'f', 1));
        static const char* const kCorrect[] = {"Correct action: Fold", "Correct action: Call", "Correct action: Raise",
                                               "Correct action: Push"};
        if (g->decision >= 0 && g->decision <= 3)
            painter.drawText(QRect(400, 460, 390, 15), Qt::AlignRight | Qt::AlignVCenter,
                             QString::fromLatin1(kCorrect[g->decision]));
    }

    painter.setPen(Qt::white);
    for (int i = 0; i < 10; ++i) {
        const SeatWidget* w = seatWidgets_[static_cast<std::size_t>(i)];
        if (w->status() < 1 || w->bet() < 1)
            continue;
        const torvel::SeatState& s = g->seats[static_cast<std::size_t>(i)];
        QString text;
        if (i != g->heroSeat) {
            if (s.action == 1)
                text = QStringLiteral("Call ");
            else if (s.action == 2)
                text = QStringLiteral("Raise ");
            text += QString::number(w->bet());
            if (g->bigBlind > 0)
                text += QStringLiteral(" (") + QString::number(static_cast<double>(w->bet()) / g->bigBlind, 'f', 1) +
                        QStringLiteral(" BB)");
        } else {
            QStringList blinds;
            if (s.isSmallBlind)
                blinds << QString::number(g->smallBlind);
            if (s.isBigBlind)
                blinds << QString::number(g->bigBlind);
            text = blinds.join(QStringLiteral(" / "));
        }
        painter.drawText(QRect(kPlaces[static_cast<std::size_t>(i)].bet, QSize(140, 15)),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

void TableView::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (desk_.editMode() && p.y() >= 11 && p.y() < 25 && p.x() < 150)
        chooseBlindLevel();
    event->ignore();
}

void TableView::mouseMoveEvent(QMouseEvent* event) {
    trackMouse(static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
    event->accept();
}

void TableView::leaveEvent(QEvent* event) {
    // Nothing stays highlighted once the mouse has left the table.
    trackMouse(-1, -1);
    QWidget::leaveEvent(event);
}

void TableView::trackMouse(int x, int y) {
    for (DealerButton* spot : buttonSpots_)
        spot->update();
    for (SeatWidget* seat : seatWidgets_)
        seat->update();
    lastX_ = x;
    lastY_ = y;
    update();
}

SeatWidget* TableView::seatWidget(int seat) const {
    return seat >= 0 && seat < 10 ? seatWidgets_[static_cast<std::size_t>(seat)] : nullptr;
}

DealerButton* TableView::buttonSpot(int seat) const {
    return seat >= 0 && seat < 10 ? buttonSpots_[static_cast<std::size_t>(seat)] : nullptr;
}

void TableView::setLook(TableLook look) {
    look_ = look;
    window()->update();
    update();
}

void TableView::setEditMode(bool on) {
    for (SeatWidget* seat : seatWidgets_) {
        if (on) {
            if (seat->status() != 0)
                seat->leaveButton()->show();
            else
                seat->takeSeatButton()->show();
        } else {
            seat->takeSeatButton()->hide();
            seat->leaveButton()->hide();
        }
    }
    desk_.setEditMode(on);
    update();
}

void TableView::clearTable() {
    for (SeatWidget* seat : seatWidgets_) {
        seat->leaveSeat();
        seat->setStatus(0);
        seat->resetSeat();
    }
    if (GameState* g = desk_.situation()) {
        g->resetSeats();
        g->playerCount = 0;
        g->raiserSeat = -1;
        g->decision = torvel::kDecisionNotComputed;
        g->setPushRangeText({});
        g->heroAction = -1;
        g->buttonSeat = -1;
    }
    // No ante is posted on an empty table; the line shows what is in force.
    setBlinds(desk_.kept().smallBlind, desk_.kept().bigBlind, 0);
    desk_.keepPlayerCount(0);
    window()->update();
    update();
}

void TableView::showSituation(GameState* situation) {
    if (!situation)
        return;
    for (SeatWidget* seat : seatWidgets_)
        seat->resetSeat();
    desk_.keepPlayerCount(situation->playerCount);
    desk_.keepHeroSeat(situation->heroSeat);
    setBlinds(situation->smallBlind, situation->bigBlind, situation->ante);
    for (int i = 0; i < 10; ++i) {
        SeatWidget* w = seatWidgets_[static_cast<std::size_t>(i)];
        const torvel::SeatState& s = situation->seats[static_cast<std::size_t>(i)];
        if (s.status == torvel::kSeatOpponent)
            w->setCards(-1, -1);
        else if (s.status == torvel::kSeatHero)
            w->setCards(s.card1, s.card2);
        w->setIsBigBlind(s.isBigBlind);
        w->setIsSmallBlind(s.isSmallBlind);
        w->setBet(s.bet);
        w->setRangeTo(s.rangeTo);
        w->setRangeFrom(s.rangeFrom);
        w->setRange2To(s.range2To);
        w->setRange2From(s.range2From);
        w->setStack(s.stack);
        w->setIsButton(s.isButton);
        w->setStatus(s.status);
        if (desk_.editMode()) {
            w->leaveButton()->setVisible(s.status >= 1);
            w->takeSeatButton()->setVisible(s.status <= 0);
        }
    }
    desk_.keepButtonSeat(situation->buttonSeat);
    setButton(situation->buttonSeat, false);
    window()->update();
    update();
}

void TableView::onSeatTaken(int seat, bool moveButton) {
    if (moveButton)
        buttonSeat_ = seat;
    setButton(buttonSeat_, true);
}

void TableView::onSeatLeft(int seat) {
    const GameState* g = desk_.situation();
    if (g && buttonSeat_ == seat)
        setButton(g->nextOccupiedSeat(seat), true);
}

void TableView::pickCard(int which) {
    const int hero = desk_.kept().heroSeat;
    CardPickerDialog picker(desk_, resources_, seatWidget(hero), which);
    picker.exec();
    desk_.forgetVerdict();
    update();
}

void TableView::editOpponentAction(int seat) {
    GameState* g = desk_.situation();
    if (!g || !GameState::validSeat(seat))
        return;
    OpponentActionDialog dialog(&desk_, g, seat, seatWidget(seat));
    dialog.exec();
    desk_.forgetVerdict();
    update();
}

void TableView::editRange(int seat, int mode) {
    {
        RangeDialog dialog(&desk_, desk_.situation(), seat, mode);
        dialog.exec();
    }
    // The verdict follows the new range; the pushing range is not scanned
    // again here, so it goes rather than contradict the verdict.
    if (GameState* g = desk_.situation()) {
        g->analyze(g->heroAction);
        g->setPushRangeText({});
    }
    actions_.updateScore();
    if (SeatWidget* widget = seatWidget(seat))
        widget->update();
}

std::pair<const torvel::SeatState*, SeatWidget*> TableView::seatOnTable(int seat) const {
    const GameState* g = desk_.situation();
    SeatWidget* widget = seatWidget(seat);
    if (!g || !widget)
        return {nullptr, nullptr};
    return {&g->seats[static_cast<std::size_t>(seat)], widget};
}

void TableView::copyChipsFromSituation(int seat, bool betToo) {
    const auto [s, widget] = seatOnTable(seat);
    if (!widget)
        return;
    widget->setStack(s->stack);
    if (betToo)
        widget->setBet(s->bet);
    widget->update();
    // The bet labels are painted by the table.
    update();
}

void TableView::copyRangesFromSituation(int seat) {
    const auto [s, widget] = seatOnTable(seat);
    if (!widget)
        return;
    widget->setRangeFrom(s->rangeFrom);
    widget->setRangeTo(s->rangeTo);
    widget->setRange2From(s->range2From);
    widget->setRange2To(s->range2To);
}
