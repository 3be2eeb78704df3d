#pragma once
// The card pictures and the dealer button, painted at the size the table
// shows them so that they need no scaling there.

#include <QImage>

namespace torvel::imagegen {

inline constexpr int kCardWidth = 57;
inline constexpr int kCardHeight = 77;
inline constexpr int kCardCount = 52;
// Picture number of the card back, after the 52 faces.
inline constexpr int kCardBack = 52;
inline constexpr int kButtonSize = 20;

// Card number = rank + 13 * suit (ranks 2..A, suits hearts, diamonds, clubs,
// spades); kCardBack gives the back.
QImage paintCard(int card);
QImage paintDealerButton();

}  // namespace torvel::imagegen
