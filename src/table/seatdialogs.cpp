#include "table/seatdialogs.h"

// The action and range dialogs are not part of the program yet: clicks on
// those areas do nothing.
void openOpponentAction(grabber*, torvel::SeatState&, int, CResult*, QWidget*) {}

void openRangeDialog(grabber*, CPlayer*, int, QWidget*) {}
