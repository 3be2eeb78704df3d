#include "gui/trainer/trainersettingspanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "gui/app/mainwindow.h"
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

TrainerSettingsPanel::TrainerSettingsPanel(MainWindow* mainWindow_, QWidget* parent) : QGroupBox(tr("Setting"), parent), mainWindow(mainWindow_) {
    setMinimumWidth(630);
    positionCombo = new QComboBox;
    positionCombo->addItems({tr("All"), tr("Small Blind"), tr("Big Blind"), tr("Non Blind"), tr("Button")});
    playersCombo = new QComboBox;
    playersCombo->addItem(tr("Random"));
    for (int n = 2; n <= 10; ++n)
        playersCombo->addItem(QString::number(n));
    myStackMinEdit = numberEdit(1, 20, this);
    myStackMaxEdit = numberEdit(1, 20, this);
    myRangeMinEdit = numberEdit(0, 100, this);
    myRangeMaxEdit = numberEdit(0, 100, this);
    pickButton = new QPushButton(tr("Pick"));
    pickButton->setMaximumWidth(60);
    opponentStackMinEdit = numberEdit(1, 20, this);
    opponentStackMaxEdit = numberEdit(1, 20, this);
    roomCombo = new QComboBox;
    roomCombo->addItems({tr("Pokerstars"), tr("FullTiltPoker"), tr("PartyPoker")});
    levelCombo = new QComboBox;

    auto* grid = new QGridLayout(this);
    grid->addWidget(row({text(tr("My Position")), positionCombo}), 0, 0);
    grid->addWidget(row({text(tr("Number of Player")), playersCombo}), 0, 1);
    // The stack rows keep to their own column: spanning both would lay them
    // under the hand-range and blinds rows.
    grid->addWidget(row({text(tr("My Stack between")), myStackMinEdit, text(tr("and")), myStackMaxEdit, text(tr("BB"))}), 1, 0);
    grid->addWidget(row({text(tr("My Handrange between")), myRangeMinEdit, text(tr("and")), myRangeMaxEdit, text(tr("%")), pickButton}),
                    1, 1);
    grid->addWidget(row({text(tr("Opponent Stack between")), opponentStackMinEdit, text(tr("and")), opponentStackMaxEdit, text(tr("BB"))}), 2, 0);
    grid->addWidget(row({text(tr("Blinds :")), roomCombo, levelCombo}), 2, 1);

    onRoomChosen(0);
    const torvel::IniFile settings(torvel::kSettingsFileName);
    const struct {
        QLineEdit* edit;
        const char* key;
        int fallback;
    } stored[] = {{myStackMinEdit, "msMin", 4}, {myStackMaxEdit, "msMax", 14}, {myRangeMinEdit, "mrMin", 0},
                  {myRangeMaxEdit, "mrMax", 40}, {opponentStackMinEdit, "osMin", 4}, {opponentStackMaxEdit, "osMax", 14}};
    for (const auto& s : stored)
        s.edit->setText(QString::number(settings.readInt(torvel::kSettingsSection, s.key, s.fallback)));

    connect(myStackMinEdit, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onMyStackMinEdited);
    connect(myStackMaxEdit, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onMyStackMaxEdited);
    connect(myRangeMinEdit, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onMyRangeMinEdited);
    connect(myRangeMaxEdit, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onMyRangeMaxEdited);
    connect(roomCombo, &QComboBox::currentIndexChanged, this, &TrainerSettingsPanel::onRoomChosen);
    connect(opponentStackMinEdit, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onOpponentStackMinEdited);
    connect(opponentStackMaxEdit, &QLineEdit::editingFinished, this, &TrainerSettingsPanel::onOpponentStackMaxEdited);
    connect(pickButton, &QPushButton::clicked, this, &TrainerSettingsPanel::onPickRangeClicked);

    // A fixed 630 would let a wider style squeeze the row texts ("My
    // Handrange between" lost its last letters): never narrower than the rows.
    setMinimumWidth(std::max(630, minimumSizeHint().width()));
}

void TrainerSettingsPanel::store(const char* key, const QLineEdit* edit) {
    torvel::IniFile settings(torvel::kSettingsFileName);
    settings.writeString(torvel::kSettingsSection, key, edit->text().toStdString());
}

void TrainerSettingsPanel::onMyStackMinEdited() { store("msMin", myStackMinEdit); }
void TrainerSettingsPanel::onMyStackMaxEdited() { store("msMax", myStackMaxEdit); }
void TrainerSettingsPanel::onMyRangeMinEdited() { store("mrMin", myRangeMinEdit); }
void TrainerSettingsPanel::onMyRangeMaxEdited() { store("mrMax", myRangeMaxEdit); }
void TrainerSettingsPanel::onOpponentStackMinEdited() { store("osMin", opponentStackMinEdit); }
void TrainerSettingsPanel::onOpponentStackMaxEdited() { store("osMax", opponentStackMaxEdit); }

void TrainerSettingsPanel::onRoomChosen(int room) {
    levelCombo->clear();
    levelCombo->addItem(tr("All"));
    for (const auto& level : torvel::roomLevels(static_cast<torvel::TrainerRoom>(std::clamp(room, 0, 2))))
        levelCombo->addItem(QString::fromStdString(torvel::blindLevelText(level)));
}

void TrainerSettingsPanel::onPickRangeClicked() {
    RangeBandDialog dialog(mainWindow, myRangeMinEdit, myRangeMaxEdit, &bandLower, &bandUpper, this);
    dialog.exec();
}

torvel::TrainerSettings TrainerSettingsPanel::trainerSettings() const {
    torvel::TrainerSettings s;
    s.position = static_cast<torvel::TrainerPosition>(std::max(0, positionCombo->currentIndex()));
    s.players = playersCombo->currentIndex() >= 1 ? playersCombo->currentIndex() + 1 : 0;
    // Text that is no number counts 0.
    s.myStackMin = myStackMinEdit->text().toInt();
    s.myStackMax = myStackMaxEdit->text().toInt();
    s.opponentStackMin = opponentStackMinEdit->text().toInt();
    s.opponentStackMax = opponentStackMaxEdit->text().toInt();
    s.room = static_cast<torvel::TrainerRoom>(std::max(0, roomCombo->currentIndex()));
    s.level = levelCombo->currentIndex() - 1;
    s.bandLower = bandLower;
    s.bandUpper = bandUpper;
    return s;
}
