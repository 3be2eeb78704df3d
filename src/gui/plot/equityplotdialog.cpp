#include "gui/plot/equityplotdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

#include "engine/gamestate.h"
#include "engine/positions.h"
#include "gui/plot/equityplotview.h"

using torvel::GameState;

EquityPlotDialog::EquityPlotDialog(GameState* game, QWidget* parent) : QDialog(parent), game_(game) {
    setWindowTitle(tr("Plot"));
    if (!game_ || game_->heroSeat == -1 || game_->playerCount <= 1)
        return;

    QStringList offered;
    for (const auto& p : torvel::walkPositions(*game_)) {
        const torvel::SeatState& s = game_->seats[static_cast<std::size_t>(p.seat)];
        if (p.seat != game_->heroSeat && s.action != torvel::kActionFold && s.position[0] != '\0')
            offered << QString::fromLatin1(s.position);
    }

    layout_ = new QGridLayout(this);
    titleLabel_ = new QLabel;
    titleLabel_->setMaximumHeight(20);
    graph_ = new EquityPlotView(game_, this);
    opponentCombo_ = new QComboBox;
    opponentCombo_->setMinimumWidth(70);
    closeButton_ = new QPushButton(tr("Close"));
    layout_->addWidget(new QLabel(tr("View Equity by Playerrange:")), 1, 0, 1, 3);
    layout_->addWidget(opponentCombo_, 1, 3, 1, 1);
    layout_->addWidget(graph_, 2, 0, 3, 4);
    graph_->resize(500, 300);
    layout_->addWidget(titleLabel_, 5, 0, 1, 4);
    layout_->addWidget(closeButton_, 6, 0, 1, 4);
    connect(closeButton_, &QPushButton::clicked, this, &EquityPlotDialog::onCloseClicked);

    if (offered.isEmpty()) {
        // Nobody is left to call: there is nothing to plot.
        graph_->setNotice(tr("Every opponent has folded: no calling range to vary."));
        opponentCombo_->setEnabled(false);
        return;
    }
    opponentCombo_->addItems(offered);
    connect(opponentCombo_, &QComboBox::currentTextChanged, this, &EquityPlotDialog::onOpponentChosen);
    opponentCombo_->setCurrentIndex(0);
    onOpponentChosen(opponentCombo_->itemText(0));
}

void EquityPlotDialog::onCloseClicked() { close(); }

void EquityPlotDialog::onOpponentChosen(const QString& name) {
    if (!game_)
        return;
    int opponent = -1;
    for (int s = 0; s < 10; ++s)
        if (s != game_->heroSeat && game_->seats[static_cast<std::size_t>(s)].occupied() &&
            QString::fromLatin1(game_->seats[static_cast<std::size_t>(s)].position) == name)
            opponent = s;
    if (opponent < 0)
        return;  // no such opponent: nothing to compute

    QProgressDialog progress(tr("...Computing..."), tr("Cancel"), 0, 100, this);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    titleLabel_->setText(QStringLiteral("<center><b>") + name + QStringLiteral(" Handrange</b></center>"));
    torvel::EdgeCurves curves;
    torvel::computeEdgeCurves(*game_, opponent, curves, [&progress](int step) {
        progress.setValue(step);
        return !progress.wasCanceled();
    });
    graph_->setCurves(curves);
    progress.close();
}
