#pragma once
// The slip receipt of a finished sale on the roll receipt printer, in three paper widths. The texts
// are made first (layoutSlip), then placed on a print surface (paintSlip); printSlip does the whole
// job: the printer, the cash drawer wired to it, and the warnings.
#include <QString>
#include <optional>
#include <vector>

#include "platform/print_surface.h"
#include "print/sale_document.h"

namespace print {

enum class SlipWidth { W70 = 1, W65 = 2, W55 = 3 };

// Where the slips of one width and language differ; positions in twips.
struct SlipSpec {
  SlipWidth width;
  bool thai;
  int headX, headY;
  int shopX, shopY;
  int taxIdX;
  int posX;
  int dateX;
  const char* afterTime;  // between the time and the bill number
  int nameX, nameChars;
  int quantityX;
  const char* afterQuantity;
  int priceRight;
  int amountRight;
  bool amountGrouped;  // "##,##0.00", else "##0.00"
  int labelX;
  int valueRight;
  bool writesPayBack;  // the paid amount, formatted, goes back into the sale screen's box
  int footX;
};

const SlipSpec& slipSpec(SlipWidth width, bool thai);

struct SlipRow {
  QString number, name, quantity, price, amount;
};

// Every text of one slip, ready to be placed.
struct SlipContent {
  QString head, shop, taxId, pos, dateLine;
  std::vector<SlipRow> rows;
  QString labels[4];  // total, VAT, cash, change
  QString values[4];
  QString employee;
  QString foot;
  QString payText;  // the formatted paid amount
};

// The texts of doc's slip from the settings and the clock; nullopt when an amount is not a number.
std::optional<SlipContent> layoutSlip(const SaleDocument& doc, const SlipSpec& spec);

// Places c on s in the font fontName at size points (rows below Y 10000 go on a new page).
void paintSlip(const SlipContent& c, const SlipSpec& spec, plat::PrintSurface& s, const QString& fontName,
               double size);

// The receipt printer's cash-drawer pulse.
QByteArray drawerKick();

// Prints doc's slip of that width on the printer named by BillPrinter (see slip_receipt.cpp).
void printSlip(const SaleDocument& doc, SlipWidth width);

// The three slip procedures of the sale screen: 7 cm, 6.5 cm and 5.5 cm.
void Printing(const SaleDocument& doc);
void Printing1(const SaleDocument& doc);
void Printing2(const SaleDocument& doc);

// The short warning shown when a receipt could not be printed.
QString receiptFailedText();

}  // namespace print
