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

class DeskModel;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;

namespace torvel {
class GameState;
class HandRanking;
struct SeatState;
}  // namespace torvel

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

class RangeDialog : public QDialog {
    Q_OBJECT

public:
    // Edits seat seatIndex of situation: mode 1 the calling range against a
    // push, any other value the own range. Without a situation nothing is
    // read or written; desk may be null (no ranking, no table to follow).
    RangeDialog(DeskModel* desk, torvel::GameState* situation, int seatIndex, int mode, QWidget* parent = nullptr);

    // 1: the calling range against a push; else the own range.
    int mode() const { return mode_; }
    QPushButton* closeButton() const { return closeButton_; }
    QSlider* maxSlider() const { return maxSlider_; }
    QSlider* minSlider() const { return minSlider_; }
    QLineEdit* maxEdit() const { return maxEdit_; }
    QLineEdit* minEdit() const { return minEdit_; }
    QLabel* rangeLabel() const { return rangeLabel_; }
    const std::array<QPushButton*, rangegrid::kPresetCount>& presetButtons() const { return presetButtons_; }
    const std::array<QPushButton*, rangegrid::kCells>& cellsByRank() const { return cellsByRank_; }
    const std::array<QPushButton*, rangegrid::kCells>& cellsByPosition() const { return cellsByPosition_; }

public slots:
    // Selects preset index (0 = "3%" .. 12 = "100%").
    void applyPreset(int index);
    void onCloseClicked();
    void onUpperChanged(int upper);
    void onLowerChanged(int lower);

private:
    // Writes the band into the seat; the table follows.
    void writeBand(int upper);

    DeskModel* desk_ = nullptr;
    torvel::GameState* situation_ = nullptr;
    int seatIndex_ = 0;
    torvel::SeatState* seat_ = nullptr;
    int mode_ = 0;
    QPushButton* closeButton_ = nullptr;
    std::array<QPushButton*, rangegrid::kCells> cellsByRank_{};
    QSlider* maxSlider_ = nullptr;
    QSlider* minSlider_ = nullptr;
    QLineEdit* maxEdit_ = nullptr;
    QLineEdit* minEdit_ = nullptr;
    int currentLower_ = 0;
    // The seat's own range at opening; binds only in mode 1.
    int upperLimit_ = rangegrid::kCells;
    int lowerLimit_ = 0;
    std::array<QPushButton*, rangegrid::kPresetCount> presetButtons_{};
    QLabel* rangeLabel_ = nullptr;
    std::array<QPushButton*, rangegrid::kCells> cellsByPosition_{};
};
