#include "print/dispatch.h"

#include "print/invoice.h"
#include "print/slip_receipt.h"
#include "print/text_receipt.h"
#include "shell/settings.h"

namespace print {

void printSale(const SaleDocument& doc) {
  const auto& set = shell::settings();
  switch (set.PrintType) {
    case 1:
      switch (set.SlipWidth) {
        case 1:
          Printing(doc);
          break;
        case 2:
          Printing1(doc);
          break;
        case 3:
          Printing2(doc);
          break;
        default:
          break;  // no such width: nothing to print
      }
      break;
    case 2:
      PrintLQ(doc);
      break;
    case 3:
      cmdBillInvoid_Click(doc);
      break;
    case 4:
      BillInvoidA4Form(doc);
      break;
    case 5:
      BillInvoidA5(doc);
      break;
    default:
      break;  // 6 and any other value print nothing
  }
}

}  // namespace print
