#pragma once
// What the touch picker hands to the sale screen: the product chosen and its quantity. The sale
// screen enters a pending pick once, when it becomes active again, and then drops it.
#include <QString>

namespace sale {

struct PickHandOff {
  QString PickPID;
  int PickQty = 1;
  bool pending = false;
};

PickHandOff& pick();

// Hands a product to the sale screen: it is entered when the sale screen is next activated or
// enabled.
inline void handOffPick(const QString& pid, int qty) {
  pick().PickPID = pid;
  pick().PickQty = qty;
  pick().pending = true;
}

}  // namespace sale
