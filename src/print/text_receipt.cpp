#include "print/text_receipt.h"

#include <QStringList>

#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "print/doc_values.h"
#include "print/slip_receipt.h"
#include "shell/lang.h"
#include "shell/settings.h"

namespace print {

QString quantityFill(const QString& quantity) {
  switch (quantity.size()) {
    case 1:
      return QStringLiteral("   ");
    case 2:
      return QStringLiteral("  ");
    case 3:
      return QStringLiteral(" ");
    default:
      return QString();
  }
}

QString moneyFill(const QString& amount) {
  switch (amount.size()) {
    case 4:
      return QString(5, QLatin1Char(' '));
    case 5:
      return QString(4, QLatin1Char(' '));
    case 6:
      return QString(3, QLatin1Char(' '));
    case 8:
      return QStringLiteral(" ");
    default:
      return QString();
  }
}

QString amountFill(const QString& quantity, const QString& amount) {
  const QString fill = moneyFill(amount);
  // An amount that fills its field would run into the quantity and read as one figure
  // (1 and 12,000.00 as 112,000.00): one blank keeps them apart.
  if (fill.isEmpty() && !quantity.isEmpty()) return QStringLiteral(" ");
  return fill;
}

std::optional<QByteArray> textReceiptBytes(const SaleDocument& doc) {
  const auto amounts = docAmounts(doc);
  if (!amounts) return std::nullopt;
  const auto& set = shell::settings();
  const bool thai = set.LangThai;
  const QString tab = QStringLiteral("\t");

  QStringList lines;
  lines << set.HeadInvoice + (doc.billNo > 0 ? billNoText(doc.billNo) : QString());
  lines << QLatin1Char(' ') + set.ComName.toText();
  lines << set.ComTaxID.toText();
  lines << set.PosText;
  lines << QStringLiteral("   ") + printDate() + QStringLiteral("      ") + printTime();

  for (qsizetype i = 0; i < doc.lines.size(); ++i) {
    const SaleDocLine& l = doc.lines[i];
    // Thai names take a fixed field; English names print whole and push the columns right.
    const QString name = thai ? (l.name + QString(10, QLatin1Char(' '))).left(12) : l.name;
    const QString qty = quantityText(l);
    const QString amount = plat::fmtMoney(l.amount);
    lines << QLatin1Char(' ') + QString::number(i + 1) + QLatin1Char(' ') + name + tab + quantityFill(qty) +
                 qty + amountFill(qty, amount) + amount;
  }

  const QString total = plat::fmtMoney(amounts->total);
  const QString tax = plat::fmtMoney(amounts->tax);
  const QString pay = plat::fmtMoney(amounts->pay);
  const QString change = plat::fmtMoney(amounts->change);
  if (thai) {
    lines << QStringLiteral("     รวมเงิน") + tab + moneyFill(total) + total;
    lines << QStringLiteral("     ภาษี") + tab + moneyFill(tax) + tax;
    lines << QStringLiteral("     รวมเงิน") + tab + moneyFill(total) + total;
    lines << QStringLiteral("     รับเงินมา") + tab + pay;
    lines << QStringLiteral("     เงินทอน") + tab + change;
    lines << QStringLiteral("พนักงานขาย : ") + doc.employee;
  } else {
    lines << QStringLiteral("     AMOUNT") + tab + moneyFill(total) + total;
    lines << QStringLiteral("     VAT") + tab + moneyFill(tax) + tax;
    lines << QStringLiteral("     CASHPAY") + tab + pay;
    lines << QStringLiteral("     CHANGE") + tab + change;
    lines << QStringLiteral("Employee : ") + doc.employee;
  }
  lines << set.TotalVatText;
  // Feeds the paper out of the printer.
  for (int i = 0; i < 9; ++i) lines << QStringLiteral("     ");

  QByteArray out("\x1bM");
  for (const QString& line : lines) out += plat::toCp874(line) + "\r\n";
  return out;
}

void PrintLQ(const SaleDocument& doc) {
  const auto bytes = textReceiptBytes(doc);
  QString err;
  if (!bytes || !plat::writeRawPort(*bytes, &err))
    plat::dialogs().message(receiptFailedText(), QString(), plat::Icon::Warning);
}

}  // namespace print
