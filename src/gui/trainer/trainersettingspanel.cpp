#include "gui/trainer/trainersettingspanel.h"

#include <QComboBox>
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
    const torvel::IniFile settings(torvel::kSettingsFileName);
    const struct {
        QLineEdit* edit;
        const char* key;
        int fallback;
    } stored[] = {{myStackMinEdit_, "msMin", 4}, {myStackMaxEdit_, "msMax", 14}, {myRangeMinEdit_, "mrMin", 0},
                  {myRangeMaxEdit_, "mrMax", 40}, {opponentStackMinEdit_, "osMin", 4}, {opponentStackMaxEdit_, "osMax", 14}};
    // A hand-edited file gets what the fields accept when typed.
    for (const auto& s : stored) {
        const auto* accepted = static_cast<const QIntValidator*>(s.edit->validator());
        s.edit->setText(QString::number(std::clamp(settings.readInt(torvel::kSettingsSection, s.key, s.fallback),
                                                   accepted->bottom(), accepted->top())));
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

void TrainerSettingsPanel::store(const char* key, const QLineEdit* edit) {
    torvel::IniFile settings(torvel::kSettingsFileName);
    settings.writeString(torvel::kSettingsSection, key, edit->text().toStdString());
}

void TrainerSettingsPanel::onMyStackMinEdited() { store("msMin", myStackMinEdit_); }
void TrainerSettingsPanel::onMyStackMaxEdited() { store("msMax", myStackMaxEdit_); }
void TrainerSettingsPanel::onMyRangeMinEdited() { store("mrMin", myRangeMinEdit_); }
void TrainerSettingsPanel::onMyRangeMaxEdited() { store("mrMax", myRangeMaxEdit_); }
void TrainerSettingsPanel::onOpponentStackMinEdited() { store("osMin", opponentStackMinEdit_); }
void TrainerSettingsPanel::onOpponentStackMaxEdited() { store("osMax", opponentStackMaxEdit_); }

void TrainerSettingsPanel::onRoomChosen(int room) {
    levelCombo_->clear();
    levelCombo_->addItem(tr("All"));
    for (const auto& level : torvel::roomLevels(static_cast<torvel::TrainerRoom>(std::clamp(room, 0, 2))))
        levelCombo_->addItem(QString::fromStdString(torvel::blindLevelText(level)));
}

void TrainerSettingsPanel::onPickRangeClicked() {
    RangeBandDialog dialog(&desk_.handRanking(), myRangeMinEdit_, myRangeMaxEdit_, &bandLower_, &bandUpper_, this);
    dialog.exec();
}

torvel::TrainerSettings TrainerSettingsPanel::trainerSettings() const {
    torvel::TrainerSettings s;
    s.position = static_cast<torvel::TrainerPosition>(std::max(0, positionCombo_->currentIndex()));
    s.players = playersCombo_->currentIndex() >= 1 ? playersCombo_->currentIndex() + 1 : 0;
    // Text that is no number counts 0.
    s.myStackMin = myStackMinEdit_->text().toInt();
    s.myStackMax = myStackMaxEdit_->text().toInt();
    s.opponentStackMin = opponentStackMinEdit_->text().toInt();
    s.opponentStackMax = opponentStackMaxEdit_->text().toInt();
    s.room = static_cast<torvel::TrainerRoom>(std::max(0, roomCombo_->currentIndex()));
    s.level = levelCombo_->currentIndex() - 1;
    s.bandLower = bandLower_;
    s.bandUpper = bandUpper_;
    return s;
}
