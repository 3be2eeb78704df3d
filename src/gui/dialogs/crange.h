#pragma once
// The range of one seat as a band of the hand ranking: a 13 x 13 grid of the
// hand classes, two sliders and thirteen presets. Mode 1 edits the calling
// range against a push, which stays inside the seat's own range. Every
// change goes at once into the seat widget and the situation on the table.

#include <QDialog>
#include <QPushButton>
#include <QString>

#include <array>

#include "engine/constants.h"

class CPlayer;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;
class grabber;

namespace torvel {
class HandRanking;
}

// Pieces that both range dialogs build the same way. Grid positions are
// row * 13 + column with rows and columns running from the Ace (0) down to
// the Deuce (12): pairs on the diagonal, suited hands above it, offsuit
// hands below it.
namespace rangegrid {

inline constexpr int kSide = torvel::kRankCount;
inline constexpr int kCells = torvel::kHandClassCount;
inline constexpr int kPresetCount = 13;
// Classes each preset selects; the labels round the share.
inline constexpr std::array<int, kPresetCount> kPresetUpper{5, 6, 8, 13, 16, 20, 25, 30, 50, 67, 84, 135, 169};
extern const std::array<const char*, kPresetCount> kPresetLabels;

enum class CellKind { Pair, Suited, Offsuit };

CellKind cellKind(int gridPosition);
// "AA", "AKs", "AKo".
QString cellName(int gridPosition);
// A bound (or a band's size) in classes as a share of all 169, "49.70".
QString percentText(double classes);

// The grid position of each ranking position. A ranking that is short or
// names a class twice is completed with the unused cells in grid order, so
// every cell appears exactly once.
std::array<int, kCells> gridPositionsByRank(const torvel::HandRanking& ranking);

// The short form of the checked cells: the pairs from AA down, then per row
// the suited hands from its pair to the right, then per column the offsuit
// hands from its pair downwards, each run given by its last cell and "+, ".
QString handListText(const std::array<bool, kCells>& checkedByPosition);
QString handListText(const std::array<QPushButton*, kCells>& cellsByPosition);

// Creates the 169 cells of a dialog in its layout (row r + 1, column c + 1)
// with their colours; cellsByRank[k] is the cell of ranking position k.
void buildCells(QWidget* dialog, QGridLayout* layout, const torvel::HandRanking& ranking,
                std::array<QPushButton*, kCells>& cellsByRank, std::array<QPushButton*, kCells>& cellsByPosition);
// The preset buttons "3%" .. "100%" in row 14, columns 1..13.
void buildPresets(QWidget* dialog, QGridLayout* layout, std::array<QPushButton*, kPresetCount>& presets);
// Connects preset k to the dialog's slot_r(k + 1).
template <typename Dialog>
void connectPresets(Dialog* dialog, const std::array<QPushButton*, kPresetCount>& presets) {
    const std::array<void (Dialog::*)(), kPresetCount> presetSlots{
        &Dialog::slot_r1, &Dialog::slot_r2, &Dialog::slot_r3,  &Dialog::slot_r4,  &Dialog::slot_r5,
        &Dialog::slot_r6, &Dialog::slot_r7, &Dialog::slot_r8,  &Dialog::slot_r9,  &Dialog::slot_r10,
        &Dialog::slot_r11, &Dialog::slot_r12, &Dialog::slot_r13};
    for (std::size_t k = 0; k < presetSlots.size(); ++k)
        QObject::connect(presets[k], &QPushButton::clicked, dialog, presetSlots[k]);
}
// The label under the presets (row 15) for the hand list or the band's share.
QLabel* makeRangeLabel(QWidget* dialog, QGridLayout* layout);
// "Range: 26.63 %", the share of the band lower .. upper - 1.
QString bandShareText(int lower, int upper);
// A display-only edit for a bound in percent.
QLineEdit* makeBoundEdit(QWidget* dialog);

}  // namespace rangegrid

class CRange : public QDialog {
    Q_OBJECT

public:
    // mode 1 edits the calling range against a push, any other value the
    // own range; seatWidget may be null (then nothing is read or written).
    CRange(grabber* owner, CPlayer* seatWidget, int mode, QWidget* parent = nullptr);

    grabber* owner = nullptr;
    CPlayer* seatWidget = nullptr;
    QPushButton* closeButton = nullptr;
    std::array<QPushButton*, rangegrid::kCells> cellsByRank{};
    QSlider* maxSlider = nullptr;
    QSlider* minSlider = nullptr;
    QLineEdit* maxEdit = nullptr;
    QLineEdit* minEdit = nullptr;
    int currentLower = 0;
    int mode = 0;
    // The seat's own range at opening; binds only in mode 1.
    int upperLimit = rangegrid::kCells;
    int lowerLimit = 0;
    std::array<QPushButton*, rangegrid::kPresetCount> presetButtons{};
    QLabel* rangeLabel = nullptr;
    std::array<QPushButton*, rangegrid::kCells> cellsByPosition{};

public slots:
    void slot_pbCancel();
    void slot_rangeChanged();
    void slot_valueChanged(int upper);
    void slot_valueChangedMin(int lower);
    void slot_r1();
    void slot_r2();
    void slot_r3();
    void slot_r4();
    void slot_r5();
    void slot_r6();
    void slot_r7();
    void slot_r8();
    void slot_r9();
    void slot_r10();
    void slot_r11();
    void slot_r12();
    void slot_r13();

private:
    void applyPreset(int index);
    // Writes the band into the seat widget and the situation's seat.
    void writeBand(int upper);
};
