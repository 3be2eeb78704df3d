#pragma once
// The hand-class grid, the presets and the labels that both range dialogs
// build the same way.

#include <QObject>
#include <QPushButton>
#include <QString>

#include <array>

#include "engine/constants.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

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
// Connects preset k to the dialog's applyPreset(k).
template <typename Dialog>
void connectPresets(Dialog* dialog, const std::array<QPushButton*, kPresetCount>& presets) {
    for (std::size_t k = 0; k < presets.size(); ++k)
        QObject::connect(presets[k], &QPushButton::clicked, dialog, [dialog, k] { dialog->applyPreset(static_cast<int>(k)); });
}
// The label under the presets (row 15) for the hand list or the band's share.
QLabel* makeRangeLabel(QWidget* dialog, QGridLayout* layout);
// "Range: 26.63 %", the share of the band lower .. upper - 1.
QString bandShareText(int lower, int upper);
// A display-only edit for a bound in percent.
QLineEdit* makeBoundEdit(QWidget* dialog);

}  // namespace rangegrid
