#include "gui/trainer/trainersettingspanel.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "gui/desk/deskmodel.h"
#include "settings/inifile.h"
#include "gui/dialogs/rangebanddialog.h"

namespace {

QLineEdit* numberEdit(int low, int high, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaximumWidth(40);
    edit->setValidator(new QIntValidator(low, high, edit));
    return edit;
}

// A row of widgets ending in a stretch.
QWidget* row(std::initializer_list<QWidget*> widgets) {
    auto* holder = new QWidget;
    auto* box = new QHBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets)
        box->addWidget(w);
    box->addStretch(1);
    return holder;
}

QLabel* text(const QString& t) { return new QLabel(t); }

}  // namespace

TrainerSettingsPanel::TrainerSettingsPanel(const DeskModel& desk, QWidget* parent)
    : QGroupBox(tr("Setting"), parent), desk_(desk) {
    setMinimumWidth(630);
    positionCombo_ = new QComboBox;
    positionCombo_->addItems({tr("All"), tr("Small Blind"), tr("Big Blind"), tr("Non Blind"), tr("Button")});
    playersCombo_ = new QComboBox;
    playersCombo_->addItem(tr("Random"));
    for (int n = 2; n <= 10; ++n)
        playersCombo_->addItem(QString::number(n));
    myStackMinEdit_ = numberEdit(1, 20, this);
    myStackMaxEdit_ = numberEdit(1, 20, this);
    myRangeMinEdit_ = numberEdit(0, 100, this);
    myRangeMaxEdit_ = numberEdit(0, 100, this);
    pickButton_ = new QPushButton(tr("Pick"));
    pickButton_->setMaximumWidth(60);
    opponentStackMinEdit_ = numberEdit(1, 20, this);
    opponentStackMaxEdit_ = numberEdit(1, 20, this);
    roomCombo_ = new QComboBox;
    roomCombo_->addItems({tr("Pokerstars"), tr("FullTiltPoker"), tr("PartyPoker")});
    levelCombo_ = new QComboBox;

    auto* grid = new QGridLayout(this);
    grid->addWidget(row({text(tr("My Position")), positionCombo_}), 0, 0);
    grid->addWidget(row({text(tr("Number of Player")), playersCombo_}), 0, 1);
    // The stack rows keep to their own column: spanning both would lay them
    // under the hand-range and blinds rows.
    grid->addWidget(row({text(tr("My Stack between")), myStackMinEdit_, text(tr("and")), myStackMaxEdit_, text(tr("BB"))}), 1, 0);
    grid->addWidget(row({text(tr("My Handrange between")), myRangeMinEdit_, text(tr("and")), myRangeMaxEdit_, text(tr("%")), pickButton_}),
                    1, 1);
    grid->addWidget(row({text(tr("Opponent Stack between")), opponentStackMinEdit_, text(tr("and")), opponentStackMaxEdit_, text(tr("BB"))}), 2, 0);
    grid->addWidget(row({text(tr("Blinds :")), roomCombo_, levelCombo_}), 2, 1);

    onRoomChosen(0);
    // Pairs of minimum (even index) and maximum (the next one).
    fields_ = {{{myStackMinEdit_, "msMin", 1, 20, 4}, {myStackMaxEdit_, "msMax", 1, 20, 14},
                {myRangeMinEdit_, "mrMin", 0, 100, 0}, {myRangeMaxEdit_, "mrMax", 0, 100, 40},
                {opponentStackMinEdit_, "osMin", 1, 20, 4}, {opponentStackMaxEdit_, "osMax", 1, 20, 14}}};
    const torvel::IniFile settings(torvel::kSettingsFileName);
    // A hand-edited file gets what the fields accept when typed; a pair the
    // wrong way round gives way to the defaults.
    for (std::size_t pair = 0; pair < fields_.size(); pair += 2) {
        StoredField& low = fields_[pair];
        StoredField& high = fields_[pair + 1];
        const int minimum = std::clamp(settings.readInt(torvel::kSettingsSection, low.key, low.value), low.low, low.high);
        const int maximum =
            std::clamp(settings.readInt(torvel::kSettingsSection, high.key, high.value), high.low, high.high);
        if (minimum <= maximum) {
            low.value = minimum;
            high.value = maximum;
        }
    }
    for (StoredField& f : fields_) {
        f.edit->setText(QString::number(f.value));
        f.edit->installEventFilter(this);
    }

    connect(myStackMinEdit_, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onMyStackMinEdited);
    connect(myStackMaxEdit_, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onMyStackMaxEdited);
    connect(myRangeMinEdit_, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onMyRangeMinEdited);
    connect(myRangeMaxEdit_, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onMyRangeMaxEdited);
    connect(roomCombo_, &QComboBox::currentIndexChanged, this, &TrainerSettingsPanel::onRoomChosen);
    connect(opponentStackMinEdit_, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onOpponentStackMinEdited);
    connect(opponentStackMaxEdit_, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onOpponentStackMaxEdited);
    connect(pickButton_, &QPushButton::clicked, this, &TrainerSettingsPanel::onPickRangeClicked);

    // A fixed 630 would let a wider style squeeze the row texts ("My
    // Handrange between" lost its last letters): never narrower than the rows.
    setMinimumWidth(std::max(630, minimumSizeHint().width()));
}

bool TrainerSettingsPanel::acceptable(std::size_t index, int value) const {
    const StoredField& f = fields_[index];
    if (value < f.low || value > f.high)
        return false;
    const bool isMinimum = index % 2 == 0;
    return isMinimum ? value <= fields_[index + 1].value : value >= fields_[index - 1].value;
}

void TrainerSettingsPanel::commit(std::size_t index) {
    StoredField& f = fields_[index];
    bool number = false;
    const int value = f.edit->text().trimmed().toInt(&number);
    // Rejected text, or a minimum above its maximum, gives way to the value
    // in use; only accepted values reach the dealer and the settings file.
    if (!number || !acceptable(index, value)) {
        f.edit->setText(QString::number(f.value));
        return;
    }
    if (f.edit->text() != QString::number(value))
        f.edit->setText(QString::number(value));
    if (value == f.value)
        return;
    f.value = value;
    torvel::IniFile settings(torvel::kSettingsFileName);
    settings.writeString(torvel::kSettingsSection, f.key, std::to_string(value));
}

bool TrainerSettingsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut)
        for (std::size_t i = 0; i < fields_.size(); ++i)
            if (fields_[i].edit == watched)
                commit(i);
    return QGroupBox::eventFilter(watched, event);
}

void TrainerSettingsPanel::onMyStackMinEdited() { commit(0); }
void TrainerSettingsPanel::onMyStackMaxEdited() { commit(1); }
void TrainerSettingsPanel::onMyRangeMinEdited() { commit(2); }
void TrainerSettingsPanel::onMyRangeMaxEdited() { commit(3); }
void TrainerSettingsPanel::onOpponentStackMinEdited() { commit(4); }
void TrainerSettingsPanel::onOpponentStackMaxEdited() { commit(5); }

void TrainerSettingsPanel::onRoomChosen(int room) {
    levelCombo_->clear();
    levelCombo_->addItem(tr("All"));
    for (const auto& level : torvel::roomLevels(static_cast<torvel::TrainerRoom>(std::clamp(room, 0, 2))))
        levelCombo_->addItem(QString::fromStdString(torvel::blindLevelText(level)));
}

void TrainerSettingsPanel::onPickRangeClicked() {
    RangeBandDialog dialog(&desk_.handRanking(), myRangeMinEdit_, myRangeMaxEdit_, &bandLower_, &bandUpper_, this);
    dialog.exec();
    // The band dialog writes both fields; they are the values in use now.
    for (std::size_t index : {std::size_t{2}, std::size_t{3}}) {
        bool number = false;
        const int value = fields_[index].edit->text().toInt(&number);
        if (number)
            fields_[index].value = std::clamp(value, fields_[index].low, fields_[index].high);
    }
}

torvel::TrainerSettings TrainerSettingsPanel::trainerSettings() const {
    torvel::TrainerSettings s;
    s.position = static_cast<torvel::TrainerPosition>(std::max(0, positionCombo_->currentIndex()));
    s.players = playersCombo_->currentIndex() >= 1 ? playersCombo_->currentIndex() + 1 : 0;
    // The accepted values, never text still being typed.
    s.myStackMin = fields_[0].value;
    s.myStackMax = fields_[1].value;
    s.opponentStackMin = fields_[4].value;
    s.opponentStackMax = fields_[5].value;
    s.room = static_cast<torvel::TrainerRoom>(std::max(0, roomCombo_->currentIndex()));
    s.level = levelCombo_->currentIndex() - 1;
    s.bandLower = bandLower_;
    s.bandUpper = bandUpper_;
    return s;
}
