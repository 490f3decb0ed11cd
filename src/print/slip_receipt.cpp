#include "print/slip_receipt.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "platform/print_fit.h"
#include "platform/print_surface_qt.h"
#include "print/doc_values.h"
#include "shell/lang.h"
#include "shell/settings.h"

namespace print {
namespace {

// clang-format off
const SlipSpec kSpecs[] = {
  // width          thai   head     shop      tax  pos   date after time   name      qty   after price amount grouped label value back   foot
  {SlipWidth::W70, true,  500, 1,  900, 300, 500, 1200, 300, " no # ",   320, 18, 1600, " X", 2700, 3500, true,  750, 3500, true,  200},
  {SlipWidth::W70, false, 500, 1,  900, 300, 500, 1200, 300, " no # ",   320, 18, 1600, " X", 2700, 3500, false, 750, 3500, false, 200},
  {SlipWidth::W65, true,  400, 1,  600, 300, 400,  900, 200, "  no # ",  250, 13, 1400, "X",  2350, 3100, true,  600, 3100, false, 200},
  {SlipWidth::W65, false, 400, 1,  600, 300, 400,  900, 200, "  no # ",  250, 13, 1400, "X",  2300, 3100, true,  600, 3100, false, 200},
  {SlipWidth::W55, true,    1, 1,  250, 300,   0,  600,  50, " no #",    250, 12, 1100, "X",  2000, 2700, true,  450, 2700, false,   1},
  {SlipWidth::W55, false, 100, 1,  600, 250, 100,  700, 200, " no #",    250, 12, 1100, "X",  2000, 2700, false, 450, 2700, false,   0},
};
// clang-format on

// Page break: a row that would start below this Y goes on a new page.
constexpr double kPageBottom = 10000;

// Whole twips, halves to the even number.
double roundTwips(double v) { return std::nearbyint(v); }

// The width of the roll each slip is made for, in twips: the slip keeps inside it even on a
// printer whose page is wider.
double paperWidth(SlipWidth width) {
  const double cm = width == SlipWidth::W70 ? 7 : width == SlipWidth::W65 ? 6.5 : 5.5;
  return cm / 2.54 * 1440;
}

void warn(const QString& text) { plat::dialogs().message(text, QString(), plat::Icon::Warning); }

bool drawerOnPrinter() {
  const auto& port = shell::settings().DrawerPort;
  return port.isText() && port.text == QLatin1String("RJ45");
}

}  // namespace

const SlipSpec& slipSpec(SlipWidth width, bool thai) {
  for (const auto& s : kSpecs)
    if (s.width == width && s.thai == thai) return s;
  return kSpecs[0];
}

QString receiptFailedText() {
  return shell::L(QStringLiteral("พิมพ์ใบเสร็จไม่สำเร็จ"), QStringLiteral("The receipt could not be printed."));
}

QByteArray drawerKick() { return QByteArray("\x1b\x70\x00\x64\xfa", 5); }

std::optional<SlipContent> layoutSlip(const SaleDocument& doc, const SlipSpec& spec) {
  const auto amounts = docAmounts(doc);
  if (!amounts) return std::nullopt;
  const auto& set = shell::settings();
  SlipContent c;
  c.head = set.HeadInvoice;
  c.shop = set.ComName.toText();
  c.taxId = set.ComTaxID.toText();
  c.pos = set.PosText;
  c.dateLine = printDate() + QLatin1Char(' ') + printTime() + QLatin1String(spec.afterTime) +
               (doc.billNo > 0 ? billNoText(doc.billNo) : QString());
  for (qsizetype i = 0; i < doc.lines.size(); ++i) {
    const SaleDocLine& l = doc.lines[i];
    SlipRow r;
    // A number prints with a blank where its sign would stand.
    r.number = QLatin1Char(' ') + QString::number(i + 1);
    r.name = l.name.left(spec.nameChars);
    r.quantity = quantityText(l) + QLatin1String(spec.afterQuantity);
    r.price = plat::fmtMoney(l.unitPrice);
    r.amount = spec.amountGrouped ? plat::fmtMoney(l.amount) : fmtMoneyPlain(l.amount);
    c.rows.push_back(r);
  }
  if (spec.thai) {
    c.labels[0] = QStringLiteral("รวมเงิน        ");
    c.labels[1] = QStringLiteral("ภาษี        ");
    c.labels[2] = QStringLiteral("รับเงินมา");
    c.labels[3] = QStringLiteral("เงินทอน");
    c.employee = QStringLiteral("พนักงานขาย : ") + doc.employee;
  } else {
    c.labels[0] = QStringLiteral("AMOUNT        ");
    c.labels[1] = QStringLiteral("VAT        ");
    c.labels[2] = QStringLiteral("CASH PAY");
    c.labels[3] = QStringLiteral("CHANGE");
    c.employee = QStringLiteral("Employee : ") + doc.employee;
  }
  c.payText = plat::fmtMoney(amounts->pay);
  c.values[0] = plat::fmtMoney(amounts->total);
  c.values[1] = plat::fmtMoney(amounts->tax);
  c.values[2] = c.payText;
  c.values[3] = plat::fmtMoney(amounts->change);
  c.foot = set.TotalVatText;
  return c;
}

void paintSlip(const SlipContent& c, const SlipSpec& spec, plat::PrintSurface& s, const QString& fontName,
               double size) {
  s.setFontBold(false);
  s.setFontSize(size);
  s.setFontName(fontName);
  const double paper = std::min(s.ScaleWidth(), paperWidth(spec.width) - s.PaperLeft());

  // Every line is fitted inside the paper: a name ends a blank before the quantity, a text too
  // wide is drawn smaller and an amount too wide for its place too, on the line's baseline.
  using plat::LineCell;
  using plat::TextAlign;
  auto printLine = [&](std::vector<LineCell> cells, double y) {
    for (LineCell& cell : cells) cell.size = size;
    plat::fitLine(s, cells, {}, 0, paper);
    for (const LineCell& cell : cells) {
      s.setFontSize(cell.shownSize);
      plat::PrintAt(s, cell.align == TextAlign::Right ? roundTwips(cell.left) : cell.left, y + cell.dy,
                    cell.shown);
    }
    s.setFontSize(size);
    s.setCurrentX(0);
    s.setCurrentY(y + s.TextHeight(QStringLiteral("X")));
  };
  auto here = [&] { return s.CurrentY(); };

  printLine({LineCell::words(spec.headX, TextAlign::Left, c.head)}, spec.headY);
  printLine({LineCell::words(spec.shopX, TextAlign::Left, c.shop)}, spec.shopY);
  printLine({LineCell::figure(spec.taxIdX, TextAlign::Left, c.taxId)}, here());
  printLine({LineCell::words(spec.posX, TextAlign::Left, c.pos)}, here());
  printLine({LineCell::figure(spec.dateX, TextAlign::Left, c.dateLine)}, here());

  for (const SlipRow& r : c.rows) {
    if (s.CurrentY() > kPageBottom) s.NewPage();
    printLine(
        {LineCell::figure(0, TextAlign::Left, r.number), LineCell::words(spec.nameX, TextAlign::Left, r.name),
         LineCell::figure(spec.quantityX, TextAlign::Left, r.quantity),
         LineCell::figure(spec.priceRight, TextAlign::Right, r.price),
         LineCell::figure(spec.amountRight, TextAlign::Right, r.amount)},
        roundTwips(here()));
  }
  for (int k = 0; k < 4; ++k)
    printLine({LineCell::words(spec.labelX, TextAlign::Left, c.labels[k]),
               LineCell::figure(spec.valueRight, TextAlign::Right, c.values[k])},
              roundTwips(here()));

  printLine({LineCell::words(0, TextAlign::Left, c.employee)}, here());
  printLine({LineCell::words(spec.footX, TextAlign::Left, c.foot)}, here());
}

// "None" is the designed "no receipt printer" and prints nothing; a name that is no installed
// printer is a setup fault the cashier is told about. The drawer wired to the printer opens only
// before a slip that is going to print, and a drawer that cannot be reached does not stop it. A
// failure while painting or sending throws the job away, so no half slip waits in the printer.
void printSlip(const SaleDocument& doc, SlipWidth width) {
  const auto& set = shell::settings();
  const QString printer = set.BillPrinter.toText();
  if (printer == QLatin1String("None")) return;
  if (!plat::printers().installed().contains(printer)) {
    warn(shell::L(QStringLiteral("ไม่พบเครื่องพิมพ์ใบเสร็จ \"%1\""),
                  QStringLiteral("Receipt printer \"%1\" not found."))
             .arg(printer));
    return;
  }
  const SlipSpec& spec = slipSpec(width, shell::thai());
  const auto content = layoutSlip(doc, spec);
  if (!content) {
    warn(receiptFailedText());
    return;
  }
  plat::setCurrentPrinter(printer);
  if (spec.writesPayBack && doc.setPayText) doc.setPayText(content->payText);

  bool drawerFailed = false;
  if (drawerOnPrinter()) {
    QString err;
    drawerFailed = !plat::writeRawPort(drawerKick(), &err);
  }

  QString err;
  const QString docName =
      doc.billNo > 0 ? QStringLiteral("Receipt %1").arg(billNoText(doc.billNo)) : QStringLiteral("Receipt");
  const auto surface = plat::printers().openJob(printer, docName, &err);
  if (!surface) {
    warn(receiptFailedText());
  } else {
    try {
      paintSlip(*content, spec, *surface, set.FontName, set.BillFontSize);
      surface->EndDoc();
    } catch (const std::exception&) {
      surface->KillDoc();
      warn(receiptFailedText());
    }
  }
  if (drawerFailed)
    warn(shell::L(QStringLiteral("เปิดลิ้นชักเก็บเงินไม่ได้"),
                  QStringLiteral("The cash drawer could not be opened.")));
}

void Printing(const SaleDocument& doc) { printSlip(doc, SlipWidth::W70); }
void Printing1(const SaleDocument& doc) { printSlip(doc, SlipWidth::W65); }
void Printing2(const SaleDocument& doc) { printSlip(doc, SlipWidth::W55); }

}  // namespace print
