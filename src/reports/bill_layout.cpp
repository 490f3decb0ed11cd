#include "reports/bill_layout.h"

#include "data/dates.h"
#include "platform/numtext.h"
#include "print/sale_document.h"
#include "shell/settings.h"

namespace reports {

namespace {

const QString kTab = QStringLiteral("\t");
const QString kSeparator = QStringLiteral(
    "- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -");

// Where the list and the printer differ, per language.
struct BillLayout {
  int headIndent[4];     // spaces before HeadInvoice, ComName, ComTaxID, PosText
  const char* dateLead;  // before the date
  const char* afterTime;
  int nameChars;
  bool totalsLeadTab;  // the total lines begin with a tab
  bool totalsEndTab;   // the total and change lines end with a tab
  bool cashThird;      // cash shows a third decimal
  const char* total;
  const char* cash;
  const char* change;
  const char* vat;
  const char* employee;
  int footIndent;
  const char* cancelled;          // with an empty filter
  const char* cancelledFiltered;  // with a bill number
  const char* dayTotal;
  const char* dayEnd;  // after the day lines' amounts
};

// clang-format off
const BillLayout kListEnglish = {{7, 16, 7, 14}, "    ", "     no # ", 12, false, true, true,
    "Total           ", "Cash Pay  ", "Change      ", "Vat ", "Employee : ", 5,
    " x x x C  a  n  c  e  l x x x x ", " x x x C  a  n  c  e  l x x x ", "Today Total", ""};
const BillLayout kListThai = {{7, 16, 7, 14}, "    ", "     no # ", 12, false, false, false,
    "รวม           ", "รับเงินมา    ", "เงินทอน     ", "ภาษี ", "พนักงานขาย : ", 5,
    " x x x ย  ก  เ  ลิ  ก  บิ  ล x x x ", " x x x ย  ก  เ  ลิ  ก  บิ  ล x x x ", "รวมยอดขายวันนี้", ""};
const BillLayout kPrinterEnglish = {{4, 7, 0, 9}, " ", " no # ", 10, true, false, false,
    "Total           ", "Cash Pay  ", "Change     ", "Vat ", "Employee : ", 0,
    " x x x x x x C  a  n  c  e  l x x x x x x x ", " x x x x x x C  a  n  c  e  l x x x x x x x ",
    "Today Total", "\t Baht"};
const BillLayout kPrinterThai = {{4, 7, 0, 9}, " ", " no # ", 10, true, false, false,
    "รวม           ", "รับเงินมา  ", "เงินทอน   ", "ภาษี ", "พนักงานขาย : ", 0,
    " x x x x x x ย  ก  เ  ลิ  ก  บิ  ล x x x x x x ", " x x x x x x ย  ก  เ  ลิ  ก  บิ  ล x x x x x x ",
    "รวมยอดขายวันนี้", "\t บาท"};
// clang-format on

QString u(const char* s) { return QString::fromUtf8(s); }
QString spaces(int n) { return QString(n, QLatin1Char(' ')); }
QString plain(double v) { return plat::plainNumber(v); }

QStringList lines(const QVector<Bill>& bills, bool filtered, const BillTexts& t, const BillLayout& l) {
  const QString lead = l.totalsLeadTab ? kTab : QString();
  const QString end = l.totalsEndTab ? kTab : QString();
  const QString vatLabel = u(l.vat) + plain(t.vatRate) + QStringLiteral("%          ");
  QStringList out;
  double dayTotal = 0;
  for (const Bill& b : bills) {
    out << spaces(l.headIndent[0]) + t.headInvoice << spaces(l.headIndent[1]) + t.comName
        << spaces(l.headIndent[2]) + t.comTaxId << spaces(l.headIndent[3]) + t.posText;
    out << u(l.dateLead) + data::showDate(b.sellDate) + QLatin1Char(' ') + b.sellTime + u(l.afterTime) +
               print::billNoText(b.number);
    out << QString();
    int n = 1;
    for (const BillItem& i : b.items) {
      out << QString::number(n++) + QLatin1Char('.') +
                 i.name.leftJustified(l.nameChars, QLatin1Char(' '), true) + kTab + plain(i.quantity) +
                 QStringLiteral("       x") + kTab + plain(i.price) + kTab + plain(i.amount());
    }
    const double total = b.total();
    out << lead + u(l.total) + kTab + plat::fmtMoney(total) + end;
    out << lead + u(l.cash) + kTab + (l.cashThird ? fmtMoney3(b.received) : plat::fmtMoney(b.received));
    out << lead + u(l.change) + kTab + plat::fmtMoney(b.received - total) + end;
    out << lead + vatLabel + kTab + plain(vatOf(total, t.vatRate));
    out << u(l.employee) + b.employee;
    out << spaces(l.footIndent) + t.totalVatText;
    dayTotal += total;
    // Cancelled lines keep their price with a quantity of 0: the bill totals nothing.
    if (plat::toSatang(total) == 0) out << kTab + u(filtered ? l.cancelledFiltered : l.cancelled);
    if (!filtered) out << kSeparator;
  }
  if (!filtered && !bills.isEmpty()) {
    out << kTab + u(l.dayTotal) + kTab + plat::fmtMoney(dayTotal) + u(l.dayEnd);
    out << kTab + vatLabel + kTab + plain(vatOf(dayTotal, t.vatRate)) + u(l.dayEnd);
  }
  return out;
}

}  // namespace

BillTexts BillTexts::fromSettings() {
  const shell::ShopSettings& s = shell::settings();
  BillTexts t;
  t.headInvoice = s.HeadInvoice;
  t.comName = s.ComName.toText();
  t.comTaxId = s.ComTaxID.toText();
  t.posText = s.PosText;
  t.totalVatText = s.TotalVatText;
  t.vatRate = s.VatRate;
  t.thai = s.LangThai;
  return t;
}

QStringList billListLines(const QVector<Bill>& bills, bool filtered, const BillTexts& texts) {
  return lines(bills, filtered, texts, texts.thai ? kListThai : kListEnglish);
}

QStringList billPrinterLines(const QVector<Bill>& bills, bool filtered, const BillTexts& texts) {
  return lines(bills, filtered, texts, texts.thai ? kPrinterThai : kPrinterEnglish);
}

double vatOf(double amount, double vatRate) {
  // A rate of -100 would divide by zero: no VAT is contained then.
  if (vatRate + 100 == 0) return 0;
  return plat::roundTo(amount * vatRate / (vatRate + 100), 2);
}

QString fmtMoney3(double v) {
  QString exact = plat::plainNumber(plat::roundTo(v, 3));
  const bool negative = exact.startsWith(QLatin1Char('-'));
  if (negative) exact.remove(0, 1);
  const QString whole = exact.section(QLatin1Char('.'), 0, 0);
  const QString fraction = exact.section(QLatin1Char('.'), 1).leftJustified(2, QLatin1Char('0'));
  return (negative ? QStringLiteral("-") : QString()) + plat::fmtWhole(whole.toDouble()) + QLatin1Char('.') +
         fraction;
}

}  // namespace reports
