#pragma once
// The range of one seat as a band of the hand ranking: a 13 x 13 grid of the
// hand classes, two sliders and thirteen presets. Mode 1 edits the calling
// range against a push, which stays inside the seat's own range. Every
// change goes at once into the situation, and the table follows.

#include <QDialog>

#include <array>

#include "gui/dialogs/rangegrid.h"

class DeskModel;
class QLabel;
class QLineEdit;
class QSlider;

namespace torvel {
class GameState;
class HandRanking;
struct SeatState;
}  // namespace torvel

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
