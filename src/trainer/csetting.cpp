#include "trainer/csetting.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "app/grabber.h"
#include "app/inifile.h"
#include "ranges/crangegen.h"

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

CSetting::CSetting(grabber* mainWindow_, QWidget* parent) : QGroupBox(tr("Setting"), parent), mainWindow(mainWindow_) {
    setMinimumWidth(630);
    positionCombo = new QComboBox;
    positionCombo->addItems({tr("All"), tr("Small Blind"), tr("Big Blind"), tr("Non Blind"), tr("Button")});
    playersCombo = new QComboBox;
    playersCombo->addItem(tr("Random"));
    for (int n = 2; n <= 10; ++n)
        playersCombo->addItem(QString::number(n));
    msMin = numberEdit(1, 20, this);
    msMax = numberEdit(1, 20, this);
    mrMin = numberEdit(0, 100, this);
    mrMax = numberEdit(0, 100, this);
    pickButton = new QPushButton(tr("Pick"));
    pickButton->setMaximumWidth(60);
    osMin = numberEdit(1, 20, this);
    osMax = numberEdit(1, 20, this);
    roomCombo = new QComboBox;
    roomCombo->addItems({tr("Pokerstars"), tr("FullTiltPoker"), tr("PartyPoker")});
    levelCombo = new QComboBox;

    auto* grid = new QGridLayout(this);
    grid->addWidget(row({text(tr("My Position")), positionCombo}), 0, 0);
    grid->addWidget(row({text(tr("Number of Player")), playersCombo}), 0, 1);
    // The stack rows keep to their own column: spanning both would lay them
    // under the hand-range and blinds rows.
    grid->addWidget(row({text(tr("My Stack between")), msMin, text(tr("and")), msMax, text(tr("BB"))}), 1, 0);
    grid->addWidget(row({text(tr("My Handrange between")), mrMin, text(tr("and")), mrMax, text(tr("%")), pickButton}),
                    1, 1);
    grid->addWidget(row({text(tr("Opponent Stack between")), osMin, text(tr("and")), osMax, text(tr("BB"))}), 2, 0);
    grid->addWidget(row({text(tr("Blinds :")), roomCombo, levelCombo}), 2, 1);

    slot_cbRoom(0);
    const torvel::IniFile settings(torvel::kSettingsFileName);
    const struct {
        QLineEdit* edit;
        const char* key;
        int fallback;
    } stored[] = {{msMin, "msMin", 4}, {msMax, "msMax", 14}, {mrMin, "mrMin", 0},
                  {mrMax, "mrMax", 40}, {osMin, "osMin", 4}, {osMax, "osMax", 14}};
    // A hand-edited file gets what the fields accept when typed.
    for (const auto& s : stored) {
        const auto* accepted = static_cast<const QIntValidator*>(s.edit->validator());
        s.edit->setText(QString::number(std::clamp(settings.readInt(torvel::kSettingsSection, s.key, s.fallback),
                                                   accepted->bottom(), accepted->top())));
    }

    connect(msMin, &QLineEdit::editingFinished, this, &CSetting::slot_msMin);
    connect(msMax, &QLineEdit::editingFinished, this, &CSetting::slot_msMax);
    connect(mrMin, &QLineEdit::editingFinished, this, &CSetting::slot_mrMin);
    connect(mrMax, &QLineEdit::editingFinished, this, &CSetting::slot_mrMax);
    connect(roomCombo, &QComboBox::currentIndexChanged, this, &CSetting::slot_cbRoom);
    connect(osMin, &QLineEdit::editingFinished, this, &CSetting::slot_osMin);
    connect(osMax, &QLineEdit::editingFinished, this, &CSetting::slot_osMax);
    connect(pickButton, &QPushButton::clicked, this, &CSetting::slot_mrPick);

    // A fixed 630 would let a wider style squeeze the row texts ("My
    // Handrange between" lost its last letters): never narrower than the rows.
    setMinimumWidth(std::max(630, minimumSizeHint().width()));
}

void CSetting::store(const char* key, const QLineEdit* edit) {
    torvel::IniFile settings(torvel::kSettingsFileName);
    settings.writeString(torvel::kSettingsSection, key, edit->text().toStdString());
}

void CSetting::slot_msMin() { store("msMin", msMin); }
void CSetting::slot_msMax() { store("msMax", msMax); }
void CSetting::slot_mrMin() { store("mrMin", mrMin); }
void CSetting::slot_mrMax() { store("mrMax", mrMax); }
void CSetting::slot_osMin() { store("osMin", osMin); }
void CSetting::slot_osMax() { store("osMax", osMax); }

void CSetting::slot_cbRoom(int room) {
    levelCombo->clear();
    levelCombo->addItem(tr("All"));
    for (const auto& level : torvel::roomLevels(static_cast<torvel::TrainerRoom>(std::clamp(room, 0, 2))))
        levelCombo->addItem(QString::fromStdString(torvel::blindLevelText(level)));
}

void CSetting::slot_mrPick() {
    CRangeGen dialog(mainWindow, mrMin, mrMax, &bandLower, &bandUpper, this);
    dialog.exec();
}

torvel::TrainerSettings CSetting::trainerSettings() const {
    torvel::TrainerSettings s;
    s.position = static_cast<torvel::TrainerPosition>(std::max(0, positionCombo->currentIndex()));
    s.players = playersCombo->currentIndex() >= 1 ? playersCombo->currentIndex() + 1 : 0;
    // Text that is no number counts 0.
    s.myStackMin = msMin->text().toInt();
    s.myStackMax = msMax->text().toInt();
    s.opponentStackMin = osMin->text().toInt();
    s.opponentStackMax = osMax->text().toInt();
    s.room = static_cast<torvel::TrainerRoom>(std::max(0, roomCombo->currentIndex()));
    s.level = levelCombo->currentIndex() - 1;
    s.bandLower = bandLower;
    s.bandUpper = bandUpper;
    return s;
}
