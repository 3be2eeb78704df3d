#include "gui/dialogs/callingrangeeditor.h"

#include <QComboBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

#include "engine/owner.h"
#include "engine/callingprofile.h"

using torvel::CallingProfile;

namespace {

constexpr int kTableSize = torvel::kProfileTableSize;
constexpr int kCells = kTableSize * kTableSize;
// Grid rows of the two tables: cell (r, c) sits in row r + offset.
constexpr int kCallRangeRowOffset = 3;
constexpr int kBubbleRowOffset = 21;
// The "Others" caller gets the last column instead of column 1.
constexpr int kOthersColumn = 11;

QString twoDecimals(float value) { return QString::number(static_cast<double>(value), 'f', 2); }

// Text that is not a number counts as 0.
float editValue(const QLineEdit* edit) { return edit->text().toFloat(); }

int gridColumn(int column) { return column == torvel::kColumnOtherCaller ? kOthersColumn : column + 1; }

void addColumnHeaders(QGridLayout* grid, int row) {
    for (int column = 1; column <= 6; ++column)
        grid->addWidget(new QLabel, row, column);
    const char* const headers[] = {"Cut Off", "Button", "Small Blind", "Big Blind", "Others"};
    for (int k = 0; k < 5; ++k)
        grid->addWidget(new QLabel(QObject::tr(headers[k])), row, 7 + k);
}

void addRowLabels(QGridLayout* grid, int firstRow) {
    const char* const labels[] = {"Push Before CO", "Cut Off Pushes", "Button Pushes", "Small Blind Pushes",
                                  "Big Blind Pushes"};
    for (int k = 0; k < 5; ++k)
        grid->addWidget(new QLabel(QObject::tr(labels[k])), firstRow + k, 0);
}

}  // namespace

bool CallingRangeEditor::cellShown(int row, int column) {
    return row >= torvel::kRowEarlyPusher && row < kTableSize && column >= 0 && column < kTableSize &&
           (column == torvel::kColumnOtherCaller || column > row);
}

CallingRangeEditor::CallingRangeEditor(const torvel::GameStateOwner* owner, QWidget* parent) : QDialog(parent), owner_(owner) {
    setWindowTitle(tr("Default opponent callingranges"));
    validator_ = new QDoubleValidator(0.0, 100.0, 2, this);
    validator_->setNotation(QDoubleValidator::StandardNotation);
    // The files and the engine read a dot, whatever the desktop's language.
    QLocale dot = QLocale::c();
    dot.setNumberOptions(QLocale::RejectGroupSeparator);
    validator_->setLocale(dot);

    auto* grid = new QGridLayout(this);
    auto newEdit = [this]() {
        auto* edit = new QLineEdit(this);
        edit->setValidator(validator_);
        edit->setMaximumWidth(50);
        return edit;
    };
    // Hidden cells still hold their values; they never enter the layout.
    auto placeTable = [&](std::array<QLineEdit*, 100>& edits, int rowOffset, bool bubble) {
        for (int cell = 0; cell < kCells; ++cell) {
            const int row = cell / kTableSize;
            const int column = cell % kTableSize;
            QLineEdit* edit = newEdit();
            if (bubble)
                edit->setMinimumWidth(45);
            edits[static_cast<std::size_t>(cell)] = edit;
            if (cellShown(row, column))
                grid->addWidget(edit, row + rowOffset, gridColumn(column));
            else
                edit->hide();
        }
    };

    profileCombo_ = new QComboBox;
    for (int profile = 0; profile < torvel::kProfileCount; ++profile)
        profileCombo_->addItem(tr(torvel::profileName(profile).c_str()));
    profileCombo_->setCurrentIndex(0);
    grid->addWidget(profileCombo_, 0, 0, 1, 4);

    grid->addWidget(new QLabel(tr("<center><b>Callingrange against a Push</b></center>")), 1, 1, 1, 11);
    addColumnHeaders(grid, 2);
    addRowLabels(grid, 8);
    placeTable(callRangeEdits_, kCallRangeRowOffset, false);

    grid->addWidget(new QLabel, 13, 0, 1, 11);
    grid->addWidget(new QLabel(tr("<b>Callingrange for potodds:</b>")), 14, 0, 1, 11);
    grid->addWidget(new QLabel(tr("If potodds > 1:2 ")), 15, 0, 1, 4);
    potOddsTwoEdit_ = newEdit();
    grid->addWidget(potOddsTwoEdit_, 15, 6, 1, 4);
    grid->addWidget(new QLabel(tr("If potodds > 1:1.5 ")), 16, 0, 1, 11);
    potOddsOneAndHalfEdit_ = newEdit();
    grid->addWidget(potOddsOneAndHalfEdit_, 16, 6, 1, 4);
    grid->addWidget(new QLabel(tr("The potodds override the above 'callingranges against a push'.")), 17, 0, 1, 11);
    grid->addWidget(new QLabel, 18, 0, 1, 11);

    grid->addWidget(new QLabel(tr("<center><b>Callingrange against a Push at the Bubble</b></center>")), 19, 1, 1,
                    11);
    addColumnHeaders(grid, 20);
    addRowLabels(grid, 26);
    placeTable(bubbleEdits_, kBubbleRowOffset, true);
    grid->addWidget(new QLabel(tr("This callingranges are used at the bubble,\n when everyone plays a bit tighter "
                                  "than usual.\nThis tighter ranges are only used if a player is at risk\nof "
                                  "elimination from the sitngo/tourney")),
                    31, 0, 3, 11);

    auto* save = new QPushButton(tr("Save"));
    grid->addWidget(save, 35, 0, 1, 8);
    auto* close = new QPushButton(tr("Close"));
    grid->addWidget(close, 35, 8, 1, 4);

    onProfileChosen(0);
    connect(profileCombo_, &QComboBox::currentIndexChanged, this, &CallingRangeEditor::onProfileChosen);
    connect(save, &QPushButton::clicked, this, &CallingRangeEditor::onSaveClicked);
    connect(close, &QPushButton::clicked, this, &CallingRangeEditor::onCloseClicked);
}

std::string CallingRangeEditor::directory() const { return owner_ ? owner_->profileDirectory() : std::string("data"); }

void CallingRangeEditor::onCloseClicked() { close(); }

void CallingRangeEditor::onProfileChosen(int profile) {
    if (profile < 0 || profile >= torvel::kProfileCount)
        return;
    // Missing or short files keep the defaults: 7 % everywhere, pot odds 50 / 80.
    const CallingProfile p = CallingProfile::load(directory(), profile);
    std::copy(&p.callRanges[0][0], &p.callRanges[0][0] + kCells, loadedCallRanges_.begin());
    std::copy(std::begin(p.potOdds), std::end(p.potOdds), loadedPotOdds_.begin());
    std::copy(&p.bubbleRanges[0][0], &p.bubbleRanges[0][0] + kCells, loadedBubbleRanges_.begin());
    for (std::size_t cell = 0; cell < kCells; ++cell) {
        callRangeEdits_[cell]->setText(twoDecimals(loadedCallRanges_[cell]));
        bubbleEdits_[cell]->setText(twoDecimals(loadedBubbleRanges_[cell]));
    }
    potOddsOneAndHalfEdit_->setText(twoDecimals(loadedPotOdds_[0]));
    potOddsTwoEdit_->setText(twoDecimals(loadedPotOdds_[1]));
}

bool CallingRangeEditor::markInvalidEdits() {
    // Only what the user sees is checked: hidden cells keep the file's values.
    std::vector<QLineEdit*> shown{potOddsOneAndHalfEdit_, potOddsTwoEdit_};
    for (int cell = 0; cell < kCells; ++cell) {
        if (!cellShown(cell / kTableSize, cell % kTableSize))
            continue;
        shown.push_back(callRangeEdits_[static_cast<std::size_t>(cell)]);
        shown.push_back(bubbleEdits_[static_cast<std::size_t>(cell)]);
    }
    bool allValid = true;
    for (QLineEdit* edit : shown) {
        bool ok = false;
        const double value = QLocale::c().toDouble(edit->text().trimmed(), &ok);
        const bool valid = ok && value >= 0.0 && value <= 100.0;
        edit->setProperty("invalid", !valid);
        edit->setStyleSheet(valid ? QString() : QStringLiteral("background-color: #ffb0b0;"));
        allValid = allValid && valid;
    }
    return allValid;
}

void CallingRangeEditor::onSaveClicked() {
    const int profile = profileCombo_->currentIndex();
    if (profile < 0 || profile >= torvel::kProfileCount)
        return;
    if (!markInvalidEdits()) {
        QMessageBox::warning(this, tr("Error"),
                             tr("Every calling range is a percentage from 0 to 100.\n"
                                "Correct the marked fields and save again."));
        return;
    }
    CallingProfile p;
    for (std::size_t cell = 0; cell < kCells; ++cell) {
        p.callRanges[cell / kTableSize][cell % kTableSize] = editValue(callRangeEdits_[cell]);
        p.bubbleRanges[cell / kTableSize][cell % kTableSize] = editValue(bubbleEdits_[cell]);
    }
    p.potOdds[0] = editValue(potOddsOneAndHalfEdit_);
    p.potOdds[1] = editValue(potOddsTwoEdit_);
    // The edits stay as they are, so nothing typed is lost when the user
    // frees the disk or the directory and saves again.
    if (const auto result = p.save(directory(), profile); !result) {
        QMessageBox::warning(this, tr("Error"),
                             tr("The calling ranges \"%1\" could not be saved.\n%2")
                                 .arg(profileCombo_->currentText(), QString::fromStdString(result.reason)));
    }
}
