#include "gui/handlist/storedhandsdialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMap>
#include <QRadioButton>

using torvel::store::DecisionRecord;

namespace {

constexpr auto kDateFormat = "yyyy-MM-dd";

}  // namespace

StoredHandsDialog::StoredHandsDialog(const std::vector<DecisionRecord>& stored, QWidget* parent)
    : QDialog(parent), all_(new QRadioButton(tr("All stored decisions (%1)").arg(stored.size()))),
      tournament_(new QRadioButton(tr("Tournament"))), dates_(new QRadioButton(tr("Played from"))),
      tournaments_(new QComboBox), from_(new QDateEdit), to_(new QDateEdit) {
    setWindowTitle(tr("Stored Hands"));
    // Tournaments by site and number, with how many decisions each holds.
    QMap<QString, QPair<QString, int>> byName;
    QDate first, last;
    for (const DecisionRecord& r : stored) {
        const QString id = QString::fromStdString(r.tournamentId);
        if (!id.isEmpty()) {
            auto& entry = byName[QString::fromStdString(r.site) + QLatin1Char(' ') + id];
            entry.first = id;
            ++entry.second;
        }
        const QDate day = QDate::fromString(QString::fromStdString(r.playedAt.substr(0, 10)), QLatin1String(kDateFormat));
        if (day.isValid()) {
            first = first.isValid() ? std::min(first, day) : day;
            last = last.isValid() ? std::max(last, day) : day;
        }
    }
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        tournaments_->addItem(tr("%1 (%2)").arg(it.key()).arg(it.value().second), it.value().first);
    for (QDateEdit* edit : {from_, to_}) {
        edit->setDisplayFormat(QLatin1String(kDateFormat));
        edit->setCalendarPopup(true);
    }
    from_->setDate(first.isValid() ? first : QDate::currentDate());
    to_->setDate(last.isValid() ? last : QDate::currentDate());
    tournament_->setEnabled(tournaments_->count() > 0);
    dates_->setEnabled(first.isValid());
    all_->setChecked(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(all_, 0, 0, 1, 4);
    grid->addWidget(tournament_, 1, 0);
    grid->addWidget(tournaments_, 1, 1, 1, 3);
    grid->addWidget(dates_, 2, 0);
    grid->addWidget(from_, 2, 1);
    grid->addWidget(new QLabel(tr("to")), 2, 2);
    grid->addWidget(to_, 2, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    grid->addWidget(buttons, 3, 0, 1, 4);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Touching a field picks its way of choosing.
    connect(tournaments_, &QComboBox::activated, tournament_, [this] { tournament_->setChecked(true); });
    for (QDateEdit* edit : {from_, to_})
        connect(edit, &QDateEdit::dateChanged, dates_, [this] { dates_->setChecked(true); });
}

torvel::store::DecisionFilter StoredHandsDialog::filter() const {
    torvel::store::DecisionFilter filter;
    if (tournament_->isChecked())
        filter.tournamentId = tournaments_->currentData().toString().toStdString();
    if (dates_->isChecked()) {
        filter.since = from_->date().toString(QLatin1String(kDateFormat)).toStdString();
        filter.until = to_->date().toString(QLatin1String(kDateFormat)).toStdString();
    }
    return filter;
}
