#pragma once
// The painted poker table: ten seats around an oval, the dealer-button
// spots, the blinds line, the profile chooser with "Apply", the bets and
// the analysis and trainer feedback.

#include <QPen>
#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <array>
#include <memory>

class DealerButton;
class TableFrame;
class SeatWidget;
class QComboBox;
class QPushButton;

class TableView : public QWidget {
    Q_OBJECT

public:
    TableView(const QString& tableImageFile, TableFrame* frame);
    ~TableView() override;

    // Moves the dealer button to seat; with postBlinds the old blinds go
    // back into the stacks, the new ones are posted and the actions between
    // the big blind and the hero are reset.
    void setButton(int seat, bool postBlinds);
    void setBlinds(int smallBlind, int bigBlind, int ante);
    void loadPartyPokerLook();
    void loadPokerStarsLook();

    std::array<SeatWidget*, 10> seatWidgets{};
    TableFrame* frame = nullptr;
    std::array<DealerButton*, 10> buttonSpots{};
    std::unique_ptr<QPixmap> ownImage;
    std::unique_ptr<QPixmap> partyPokerImage;
    std::unique_ptr<QPixmap> pokerStarsImage;
    QRect target{0, 0, 800, 490};
    int look = 0;
    bool editMode = true;
    QString blindsText;
    int buttonSeat = -1;
    QComboBox* profileCombo = nullptr;
    QPushButton* applyButton = nullptr;
    QPen textPen;
    QPen greenPen;
    int lastX = 0;
    int lastY = 0;

    // The fixed blind levels of the level list, "small/big[/ante]".
    static const QStringList& blindLevels();
    // Opens the blind-level list (only in edit mode).
    void chooseBlindLevel();

public slots:
    void onApplyClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};
