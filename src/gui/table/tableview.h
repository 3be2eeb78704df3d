#pragma once
// The painted poker table: ten seats around an oval, the dealer-button
// spots, the blinds line, the profile chooser with "Apply", the bets and
// the analysis and trainer feedback. Opens the seats' dialogs.

#include <QPen>
#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <array>
#include <memory>
#include <utility>

class DealerButton;
class DeskActions;
class DeskModel;
class QComboBox;
class QPushButton;
class SeatWidget;
class TableResources;

namespace torvel {
class GameState;
struct SeatState;
}  // namespace torvel

// The table picture: our own, or that of a poker client's directory.
enum class TableLook : int { Own = 0, PartyPoker = 1, PokerStars = 2 };

class TableView : public QWidget {
    Q_OBJECT

public:
    // The profile entries: "Tight", "Medium", "Loose" (the profile files),
    // then "Nash" (the equilibrium of the table).
    static constexpr int kNashProfileIndex = 3;

    TableView(DeskModel& desk, const TableResources& resources, DeskActions& actions, const QString& tableImageFile,
              QWidget* parent);
    ~TableView() override;

    // Moves the dealer button to seat; with postBlinds the old blinds go
    // back into the stacks, the new ones are posted and the actions between
    // the big blind and the hero are reset.
    void setButton(int seat, bool postBlinds);
    void setBlinds(int smallBlind, int bigBlind, int ante);
    // Shows the seat buttons and lets the table be edited, or hides them.
    void setEditMode(bool on);
    // Empties every seat and the situation on the table.
    void clearTable();
    void loadPartyPokerLook();
    void loadPokerStarsLook();
    void setLook(TableLook look);

    SeatWidget* seatWidget(int seat) const;
    DealerButton* buttonSpot(int seat) const;
    int buttonSeat() const { return buttonSeat_; }
    QString blindsText() const { return blindsText_; }
    TableLook look() const { return look_; }
    // Null while the client's table picture is missing.
    const QPixmap* partyPokerPicture() const { return partyPokerImage_.get(); }
    const QPixmap* pokerStarsPicture() const { return pokerStarsImage_.get(); }
    QComboBox* profileCombo() const { return profileCombo_; }
    QPushButton* applyButton() const { return applyButton_; }

    // The fixed blind levels of the level list, "small/big[/ante]".
    static const QStringList& blindLevels();
    // Opens the blind-level list (only in edit mode).
    void chooseBlindLevel();
    // Puts a new blind level on the table: every bet goes back to its stack
    // (an all-in raiser stays all-in), then the antes and the blinds are
    // posted anew. No chip is made or lost.
    void changeBlindLevel(int smallBlind, int bigBlind, int ante);

public slots:
    void onApplyClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Stores the mouse position (-1, -1 when outside) and repaints what it highlights.
    void trackMouse(int x, int y);
    // Copies a situation put on the table into the seats.
    void showSituation(torvel::GameState* situation);
    void onSeatTaken(int seat, bool moveButton);
    void onSeatLeft(int seat);
    void pickCard(int which);
    void editOpponentAction(int seat);
    // Opens the range dialog, then analyses again.
    void editRange(int seat, int mode);
    // The seat of the situation on the table and its widget; nulls without either.
    std::pair<const torvel::SeatState*, SeatWidget*> seatOnTable(int seat) const;
    void copyChipsFromSituation(int seat, bool betToo);
    void copyRangesFromSituation(int seat);

    DeskModel& desk_;
    const TableResources& resources_;
    DeskActions& actions_;
    std::array<SeatWidget*, 10> seatWidgets_{};
    std::array<DealerButton*, 10> buttonSpots_{};
    std::unique_ptr<QPixmap> ownImage_;
    std::unique_ptr<QPixmap> partyPokerImage_;
    std::unique_ptr<QPixmap> pokerStarsImage_;
    QRect target_{0, 0, 800, 490};
    TableLook look_ = TableLook::Own;
    QString blindsText_;
    int buttonSeat_ = -1;
    QComboBox* profileCombo_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPen textPen_;
    QPen greenPen_;
    // The mouse position over the table; -1 while it is elsewhere.
    int lastX_ = -1;
    int lastY_ = -1;
};
