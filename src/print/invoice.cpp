#include "print/invoice.h"

#include <algorithm>
#include <exception>
#include <map>

#include "data/db.h"
#include "data/products.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/numtext.h"
#include "platform/print_fit.h"
#include "platform/print_surface_qt.h"
#include "print/baht_words.h"
#include "print/doc_values.h"
#include "print/slip_receipt.h"
#include "shell/lang.h"
#include "shell/settings.h"

namespace print {
namespace {

using K = InvoiceKind;
using S = SummaryItem;

// clang-format off
const InvoiceSpec kSpecs[] = {
  // A4 on plain paper.
  {K::A4, true, 1000, false, 0, true, false,
   {500, 0}, {4000, 4}, {9000, 6}, {500, 1}, {9000, 7}, {500, 2}, {500, 3}, {500, 4}, {500, 6}, {1200, 7}, {1200, 8},
   "เลขที่  ", "วันที่ ", "dd/MM/yy", "โทรศัพท์ ", "ขายให้  ",
   true, {9, 10, 27, 31}, 500, 11000, {{1150, false}, {2700, false}, {6500, false}, {7900, false}, {9200, true}},
   {{600, "ลำดับ"}, {1500, "รหัสสินค้า"}, {4500, "ชื่อสินค้า"}, {6870, "จำนวน"}, {8100, "ราคา/หน่วย"}, {9700, "จำนวนเงิน"}},
   820, 1200, 2750, 0, 7000, 7100, 9000, 10500,
   {600, 27}, "หมายเหตุ        ", 6450, 10500, "รวมเป็นเงิน        ", "รับเงินมา  ", "เงินทอน  ", "ภาษี  ",
   {{S::Total, 27}, {S::Vat, 30}, {S::Cash, 28}, {S::Change, 29}},
   {500, 32}, {800, 34}, {800, 35}, {600, 29}},
  {K::A4, false, 1000, false, 0, true, false,
   {500, 0}, {4000, 4}, {9000, 6}, {500, 1}, {9000, 7}, {500, 2}, {500, 3}, {500, 4}, {500, 6}, {1700, 7}, {1700, 8},
   "No  ", "Date ", "dd/MM/yyyy", "Tel ", "CUSTOMER  ",
   true, {9, 10, 27, 31}, 500, 11000, {{1150, false}, {2700, false}, {6500, false}, {7900, false}, {9200, true}},
   {{550, "ITEM"}, {1600, "CODE"}, {4400, "NAME"}, {6700, "QUANTITY"}, {8000, "UNIT/PRICE"}, {9600, "AMOUNT"}},
   820, 1200, 2750, 0, 7000, 7100, 9000, 10500,
   {600, 27}, "COMMENT        ", 6450, 10500, "AMOUNT        ", "CASH PAY  ", "CHANGE  ", "VAT  ",
   {{S::Total, 27}, {S::Vat, 30}, {S::Cash, 28}, {S::Change, 29}},
   {500, 32}, {800, 34}, {800, 35}, {600, 29}},
  // A4 on a pre-printed form: the values only, the labels turned into blanks where a value follows.
  {K::A4Form, true, 1000, false, 0, true, false,
   {500, 0}, {4000, 4}, {9000, 6}, {500, 1}, {9000, 7}, {500, 2}, {500, 3}, {500, 4}, {1200, 6}, {1200, 7}, {1200, 8},
   "        ", "       ", "dd/MM/yy", "", "",
   false, {9, 10, 27, 31}, 500, 11000, {},
   {},
   820, 1200, 2750, 0, 7000, 7100, 9000, 10500,
   {600, 27}, nullptr, 6450, 10500, nullptr, nullptr, nullptr, "      ",
   {{S::Total, 27}, {S::Vat, 30}, {S::Cash, 28}, {S::Change, 29}},
   {500, 32}, {800, 34}, {800, 35}, {600, 29}},
  {K::A4Form, false, 1000, false, 0, true, false,
   {500, 0}, {4000, 4}, {9000, 6}, {500, 1}, {9000, 7}, {500, 2}, {500, 3}, {500, 4}, {1700, 6}, {1700, 7}, {1700, 8},
   "    ", "     ", "dd/MM/yyyy", "", "",
   false, {9, 10, 27, 31}, 500, 11000, {},
   {},
   820, 1200, 2750, 0, 7000, 7100, 9000, 10500,
   {600, 27}, nullptr, 6450, 10500, nullptr, nullptr, nullptr, "     ",
   {{S::Total, 27}, {S::Vat, 30}, {S::Cash, 28}, {S::Change, 29}},
   {500, 32}, {800, 34}, {800, 35}, {600, 29}},
  // A5.
  {K::A5, true, 200, true, 0, true, false,
   {500, 0}, {4000, 5}, {9000, 2}, {500, 1}, {9000, 1}, {500, 2}, {500, 3}, {500, 4}, {500, 5}, {1100, 6}, {1100, 7},
   "เลขที่  ", "วันที่ ", "dd/MM/yyyy", "โทรศัพท์ ", "ขายให้   ",
   true, {8, 9, 14, 16.2}, 500, 11000, {{1150, false}, {2700, false}, {6500, false}, {7900, false}, {9200, true}},
   {{600, "ลำดับ"}, {1500, "รหัสสินค้า"}, {4500, "ชื่อสินค้า"}, {6870, "จำนวน"}, {8100, "ราคา/หน่วย"}, {9700, "จำนวนเงิน"}},
   820, 1300, 2750, 0, 7000, 7100, 9000, 10500,
   {600, 14}, "หมายเหตุ        ", 6450, 10500, "รวมเป็นเงิน        ", "รับเงินมา        ", "เงินทอน        ", "ภาษี  ",
   {{S::Total, 14}, {S::Cash, 14.5}, {S::Change, 15}, {S::Vat, 15.5}},
   {500, 16.5}, {500, 17.5}, {500, 18}, {600, 15}},
  {K::A5, false, 200, true, 0, true, false,
   {500, 0}, {4000, 5}, {9000, 2}, {500, 1}, {9000, 1}, {500, 2}, {500, 3}, {500, 4}, {500, 5}, {1400, 6}, {1400, 7},
   "No.  ", "Date ", "dd/MM/yyyy", "Tel ", "CUSTOMER   ",
   true, {8, 9, 14, 16.2}, 500, 11000, {{1150, false}, {2700, false}, {6500, false}, {7900, false}, {9200, true}},
   {{600, "ITEM"}, {1600, "CODE"}, {4500, "NAME"}, {6870, "QUANTITY"}, {8100, "PRICE/UNIT"}, {9700, "AMOUNT"}},
   820, 1300, 2750, 0, 7000, 7100, 9000, 10500,
   {600, 14}, "COMMENT        ", 6450, 10500, "AMOUNT        ", "CASH PAY        ", "CHANGE        ", "VAT  ",
   {{S::Total, 14}, {S::Cash, 14.5}, {S::Change, 15}, {S::Vat, 15.5}},
   {500, 16.5}, {500, 17.5}, {500, 18}, {600, 15}},
  // Two-up: two copies side by side, 6000 twips apart.
  {K::TwoUp, true, 200, true, 6000, false, true,
   {50, 0}, {50, 5}, {50, 5}, {50, 1}, {4000, 4}, {50, 2}, {50, 3}, {50, 4}, {50, 6}, {650, 7}, {650, 8},
   "เลขที่  ", "วันที่ ", "dd/MM/yyyy", "โทรศัพท์ ", "ขายให้   ",
   true, {9, 10, 15, 17.2}, 40, 5100, {{780, false}, {3100, true}, {4100, true}},
   {{200, "ลำดับ"}, {1600, "ชื่อสินค้า"}, {3400, "จำนวน"}, {4200, "จำนวนเงิน"}},
   350, 0, 850, 25, 3700, 0, 0, 4930,
   {0, 0}, nullptr, 3200, 4930, "รวมเป็นเงิน        ", "รับเงินมา        ", "เงินทอน        ", "ภาษี  ",
   {{S::Total, 15}, {S::Cash, 15.5}, {S::Change, 16}, {S::Vat, 16.5}},
   {50, 17.5}, {50, 18.5}, {50, 19}, {100, 16}},
  {K::TwoUp, false, 200, true, 6000, false, true,
   {50, 0}, {50, 5}, {50, 5}, {50, 1}, {4000, 4}, {50, 2}, {50, 3}, {50, 4}, {50, 6}, {1100, 7}, {1100, 8},
   "No. ", "Date ", "dd/MM/yyyy", "Tel ", "CUSTOMER   ",
   true, {9, 10, 15, 17.2}, 40, 5100, {{780, false}, {3100, true}, {4100, true}},
   {{200, "ITEM"}, {1600, "NAME"}, {3200, "QUANTITY"}, {4300, "AMOUNT"}},
   350, 0, 850, 0, 3700, 0, 0, 4930,
   {0, 0}, nullptr, 3200, 4930, "AMOUNT        ", "CASH PAY        ", "CHANGE        ", "VAT  ",
   {{S::Total, 15}, {S::Cash, 15.5}, {S::Change, 16}, {S::Vat, 16.5}},
   {50, 17.5}, {50, 18.5}, {50, 19}, {100, 16}},
};
// clang-format on

// The word whose height, at 15 points, sets the row pitch of every invoice.
const QString kTestWord = QStringLiteral("ทดสอบ");

// Builds the operations of one invoice; with a second copy, every text goes out twice in a row
// (left, then right) and each group of rules once per copy.
class Builder {
 public:
  explicit Builder(const InvoiceSpec& spec) : spec_(spec) {}

  void text(double x, double row, const QString& t, InvoiceOp::Font font = InvoiceOp::Body,
            bool whole = false) {
    if (t.isEmpty()) return;
    InvoiceOp op;
    op.font = font;
    op.whole = whole;
    op.x = x;
    op.row = row;
    op.text = t;
    push(op);
  }
  void text(const InvoiceAt& at, const QString& t, InvoiceOp::Font font = InvoiceOp::Body,
            bool whole = false) {
    text(at.x, at.row, t, font, whole);
  }
  // The shop name, in the title font, kept clear of the row below it.
  void shopName(const InvoiceAt& at, const QString& t) {
    if (t.isEmpty()) return;
    InvoiceOp op;
    op.font = InvoiceOp::Title;
    op.x = at.x;
    op.row = at.row;
    op.text = t;
    op.clearOfNextRow = true;
    push(op);
  }
  // A text with a number in it that must stay whole.
  void figure(const InvoiceAt& at, const QString& t) { text(at, t, InvoiceOp::Body, true); }
  // A text that may go on to further lines down to the row wrapTo.
  void wrapping(const InvoiceAt& at, const QString& t, double wrapTo) {
    if (t.isEmpty()) return;
    InvoiceOp op;
    op.x = at.x;
    op.row = at.row;
    op.text = t;
    op.wrapTo = wrapTo;
    push(op);
  }
  // Ends at edge; measured by `measure` when given (the item number keeps its sign blank).
  void right(double edge, double row, const QString& t, const QString& measure = QString()) {
    if (t.isEmpty()) return;
    InvoiceOp op;
    op.x = edge;
    op.row = row;
    op.right = true;
    op.text = t;
    op.measure = measure;
    push(op);
  }
  void rules(const std::vector<InvoiceOp>& group) {
    ops.insert(ops.end(), group.begin(), group.end());
    if (spec_.copyShift == 0) return;
    for (InvoiceOp op : group) {
      op.x += spec_.copyShift;
      op.x2 += spec_.copyShift;
      ops.push_back(op);
    }
  }
  void newPage() {
    InvoiceOp op;
    op.kind = InvoiceOp::NewPage;
    ops.push_back(op);
  }

  std::vector<InvoiceOp> ops;

 private:
  void push(const InvoiceOp& op) {
    ops.push_back(op);
    if (spec_.copyShift == 0) return;
    InvoiceOp copy = op;
    copy.x += spec_.copyShift;
    ops.push_back(copy);
  }
  const InvoiceSpec& spec_;
};

InvoiceOp line(double x1, double row1, double x2, double row2) {
  InvoiceOp op;
  op.kind = InvoiceOp::Line;
  op.x = x1;
  op.row = row1;
  op.x2 = x2;
  op.row2 = row2;
  return op;
}

QString withLabel(const char* label, const QString& value) { return QString::fromUtf8(label) + value; }

void warn(const QString& text) { plat::dialogs().message(text, QString(), plat::Icon::Warning); }

}  // namespace

const InvoiceSpec& invoiceSpec(InvoiceKind kind, bool thai) {
  for (const auto& s : kSpecs)
    if (s.kind == kind && s.thai == thai) return s;
  return kSpecs[0];
}

QStringList unitWords(const SaleDocument& doc) {
  QStringList out;
  out.reserve(doc.lines.size());
  for (const SaleDocLine& l : doc.lines) {
    const auto p = data::productByCode(l.code);
    out << (p ? p->ProNoun : QString());
  }
  return out;
}

std::optional<InvoiceContent> layoutInvoice(const SaleDocument& doc, const InvoiceSpec& spec,
                                            const QStringList& units) {
  const auto amounts = docAmounts(doc);
  if (!amounts) return std::nullopt;
  const auto& set = shell::settings();
  InvoiceContent c;
  c.top = spec.top;
  c.fontName = set.FontName;
  if (spec.billFontSize) {
    c.bodySize = set.BillFontSize;
    c.titleSize = static_cast<int>(set.BillFontSize) + 2;
  }
  c.totalText = plat::fmtMoney(amounts->total);
  c.taxText = plat::fmtMoney(amounts->tax);

  QString number;
  if (doc.billNo > 0) number = spec.paddedNumber ? billNoText(doc.billNo) : QString::number(doc.billNo);
  const QString today = plat::now().date().toString(QString::fromLatin1(spec.dateFormat));
  const QString words = QLatin1Char('(') +
                        (spec.thai ? ThaiBaht(amounts->total) : EnglishBaht(amounts->total)) +
                        QLatin1Char(')');

  Builder b(spec);
  const int perPage = spec.rowsPerPage();
  const int count = static_cast<int>(doc.lines.size());
  c.pages = count == 0 ? 1 : (count + perPage - 1) / perPage;

  for (int page = 0; page < c.pages; ++page) {
    if (page > 0) b.newPage();

    // Heading.
    b.shopName(spec.shop, set.ComName.toText());
    if (spec.numberAfterTitle) {
      b.figure(spec.title, set.InvLine1.toText() + withLabel(spec.numberLabel, number));
    } else {
      b.text(spec.title, set.InvLine1.toText(), InvoiceOp::Title);
      b.figure(spec.number, withLabel(spec.numberLabel, number));
    }
    b.text(spec.address, set.ComAddress);
    b.figure(spec.date, withLabel(spec.dateLabel, today));
    b.text(spec.address1, set.ComAddress1);
    b.figure(spec.phone, withLabel(spec.phoneLabel, set.ComPhone));
    b.figure(spec.taxId, set.ComTaxID.toText());
    b.text(spec.customer, withLabel(spec.customerLabel, doc.customerName));
    b.text(spec.customerAddr, doc.customerLine1);
    b.text(spec.customerFax, doc.customerLine2);

    // Rules and column headings.
    if (spec.ruled) {
      std::vector<InvoiceOp> across, down;
      for (double r : spec.ruleRows) across.push_back(line(spec.left, r, spec.right, r));
      const double top = spec.ruleRows[0], itemEnd = spec.ruleRows[2], bottom = spec.ruleRows[3];
      down.push_back(line(spec.left, top, spec.left, bottom));
      for (const InvoiceRule& v : spec.verticals)
        if (v.x > 0) down.push_back(line(v.x, top, v.x, v.toBoxBottom ? bottom : itemEnd));
      down.push_back(line(spec.right, top, spec.right, bottom));
      b.rules(across);
      b.rules(down);
      for (const InvoiceHeading& h : spec.headings)
        if (h.text) b.text(h.x, top, QString::fromUtf8(h.text), InvoiceOp::ColumnHeading);
    }

    // Item rows; numbers run on from page to page.
    const int first = page * perPage;
    const int last = std::min(count, first + perPage);
    for (int i = first; i < last; ++i) {
      const SaleDocLine& l = doc.lines[i];
      const double row = spec.ruleRows[1] + (i - first);
      const QString n = QString::number(i + 1);
      b.right(spec.numberRight, row, QLatin1Char(' ') + n, n);
      // A code that lost digits would name another product: it is drawn smaller instead.
      if (spec.codeX > 0) b.text(spec.codeX, row, QLatin1Char(' ') + l.code, InvoiceOp::Body, true);
      b.text(spec.nameX, row, QLatin1Char(' ') + (spec.nameChars > 0 ? l.name.left(spec.nameChars) : l.name));
      b.right(spec.quantityRight, row, plat::fmtHash(l.quantity));
      if (spec.unitX > 0) b.text(spec.unitX, row, i < units.size() ? units[i] : QString());
      if (spec.priceRight > 0) b.right(spec.priceRight, row, plat::fmtMoney(l.unitPrice));
      b.right(spec.amountRight, row, plat::fmtMoney(l.amount));
    }
    if (page + 1 < c.pages) continue;

    // Summary, the setting lines and the words: last page only.
    if (spec.commentLabel) b.text(spec.comment, QString::fromUtf8(spec.commentLabel));
    for (const InvoiceSummaryLine& s : spec.summary) {
      const char* label = nullptr;
      QString labelText, value;
      switch (s.item) {
        case S::Total:
          label = spec.totalLabel;
          value = c.totalText;
          break;
        case S::Cash:
          label = spec.cashLabel;
          value = plat::fmtMoney(amounts->pay);
          break;
        case S::Change:
          label = spec.changeLabel;
          value = plat::fmtMoney(amounts->change);
          break;
        case S::Vat:
          label = spec.vatLabel;
          value = c.taxText;
          break;
      }
      if (label) {
        labelText = QString::fromUtf8(label);
        if (s.item == S::Vat) labelText += plat::plainNumber(set.VatRate) + QLatin1Char('%');
        b.text(spec.labelX, s.row, labelText);
      }
      b.right(spec.valueRight, s.row, value);
    }
    b.text(spec.line2, set.InvLine2.toText());
    b.text(spec.line3, set.InvLine3.toText());
    b.text(spec.line4, set.InvLine4);
    // The amount in words may take a second line inside the summary box rather than shrink.
    b.wrapping(spec.words, words, spec.ruleRows[3]);
  }
  c.ops = std::move(b.ops);
  return c;
}

void paintInvoice(const InvoiceContent& c, plat::PrintSurface& s) {
  s.setFontBold(false);
  s.setFontName(c.fontName);
  s.setFontSize(15);
  double h = s.TextHeight(kTestWord) + 20;
  // A font much taller than its size (some Thai fonts) would push the summary off the paper: the
  // rows then close up so the lowest one still fits the printable height.
  double lowest = 0;
  for (const InvoiceOp& op : c.ops) lowest = std::max({lowest, op.row, op.row2});
  s.setFontSize(c.bodySize);
  const double room = s.ScaleHeight() - c.top - s.TextHeight(kTestWord);
  if (lowest > 0 && room > 0 && h * lowest > room) h = room / lowest;
  auto y = [&](double row) { return h * row + c.top; };

  // Each line's texts are fitted together: between the rules crossing it, a text drawn smaller or
  // cut where the next begins, a figure drawn smaller rather than lose a digit.
  std::vector<plat::LineCell> fitted(c.ops.size());
  for (size_t pageStart = 0; pageStart < c.ops.size();) {
    size_t pageEnd = pageStart;
    while (pageEnd < c.ops.size() && c.ops[pageEnd].kind != InvoiceOp::NewPage) ++pageEnd;
    std::map<double, std::vector<size_t>> lines;
    for (size_t i = pageStart; i < pageEnd; ++i)
      if (c.ops[i].kind == InvoiceOp::Text) lines[c.ops[i].row].push_back(i);
    for (const auto& [row, members] : lines) {
      std::vector<double> dividers;
      for (size_t i = pageStart; i < pageEnd; ++i) {
        const InvoiceOp& op = c.ops[i];
        const double mid = row + 0.5;
        if (op.kind == InvoiceOp::Line && op.x == op.x2 && std::min(op.row, op.row2) <= mid &&
            std::max(op.row, op.row2) >= mid)
          dividers.push_back(op.x);
      }
      std::vector<plat::LineCell> cells;
      for (size_t i : members) {
        const InvoiceOp& op = c.ops[i];
        plat::LineCell cell = plat::LineCell::make(
            op.x, op.right ? plat::TextAlign::Right : plat::TextAlign::Left, op.text, op.right || op.whole);
        cell.measure = op.measure;
        if (op.wrapTo > op.row) cell.depth = y(op.wrapTo) - y(op.row);
        cell.size = op.font == InvoiceOp::Title ? c.titleSize : c.bodySize;
        cell.bold = op.font != InvoiceOp::Body;
        cells.push_back(cell);
      }
      plat::fitLine(s, cells, dividers, 0, s.ScaleWidth());
      for (size_t k = 0; k < members.size(); ++k) fitted[members[k]] = cells[k];
    }
    pageStart = pageEnd + 1;
  }

  for (size_t i = 0; i < c.ops.size(); ++i) {
    const InvoiceOp& op = c.ops[i];
    switch (op.kind) {
      case InvoiceOp::NewPage:
        s.NewPage();
        break;
      case InvoiceOp::Line:
        s.Line(op.x, y(op.row), op.x2, y(op.row2));
        break;
      case InvoiceOp::Text: {
        const plat::LineCell& cell = fitted[i];
        if (cell.shown.isEmpty()) break;
        s.setFontBold(cell.bold);
        s.setFontSize(cell.shownSize);
        double top = y(op.row) + cell.dy;
        // A 20 point name is taller than the 15 point rows: the vowels below its letters would sit
        // on the address, so its line ends where the next row begins.
        if (op.clearOfNextRow) {
          const double over = top + s.TextHeight(cell.shown) - y(op.row + 1);
          if (over > 0) top = std::max(0.0, top - over);
        }
        plat::PrintAt(s, cell.left, top, cell.shown);
        for (qsizetype k = 0; k < cell.rest.size(); ++k)
          plat::PrintAt(s, cell.left, top + cell.lineStep * static_cast<double>(k + 1), cell.rest[k]);
        break;
      }
    }
  }
}

// Every value is read, and every unit word looked up, before the dialog: a sale that cannot be
// printed starts no job and the cashier is told. The dialog starts from the printer last chosen in
// a print dialog and printed on (at first the bill printer); the one chosen becomes the program's
// current printer (never the system's default). A failure while the job is painted or sent throws
// it away with the same warning; the caller (Finish) goes on either way. Cancel prints and says
// nothing.
void printInvoice(const SaleDocument& doc, InvoiceKind kind) {
  if (doc.disableTaxInvoice) doc.disableTaxInvoice();
  const InvoiceSpec& spec = invoiceSpec(kind, shell::thai());
  std::optional<InvoiceContent> content;
  try {
    content = layoutInvoice(doc, spec, spec.unitX > 0 ? unitWords(doc) : QStringList());
  } catch (const data::DbError&) {
    content.reset();
  }
  if (!content) {
    warn(receiptFailedText());
    return;
  }

  plat::PrintDialogRequest request;
  request.printerName = shell::settings().BillPrinter.toText();
  request.copies = 1;
  request.noPrinterNote = shell::L(
      QStringLiteral("การขายที่จบแล้วถูกบันทึกไว้ครบ เมื่อติดตั้งเครื่องพิมพ์ใบเสร็จแล้ว พิมพ์ใหม่ได้จากเมนู สรุป/ยกเลิกบิล (F6)"),
      QStringLiteral("A finished sale is kept: once the bill printer is installed, print it again from Bill "
                     "Detail (F6)."));
  if (!plat::dialogs().printDialog(request)) return;
  if (doc.setTotalText) doc.setTotalText(content->totalText);
  if (doc.setTaxText) doc.setTaxText(content->taxText);

  QString err;
  const QString docName =
      doc.billNo > 0 ? QStringLiteral("Invoice %1")
                           .arg(spec.paddedNumber ? billNoText(doc.billNo) : QString::number(doc.billNo))
                     : QStringLiteral("Invoice");
  const auto surface = plat::printers().openJob(request.printerName, docName, &err);
  if (!surface) {
    warn(receiptFailedText());
    return;
  }
  try {
    paintInvoice(*content, *surface);
    surface->EndDoc();
  } catch (const std::exception&) {
    surface->KillDoc();
    warn(receiptFailedText());
    return;
  }
  plat::dialogs().printed(request);
  if (doc.focusFinish) doc.focusFinish();
}

void cmdBillInvoid_Click(const SaleDocument& doc) { printInvoice(doc, InvoiceKind::A4); }
void BillInvoidA4Form(const SaleDocument& doc) { printInvoice(doc, InvoiceKind::A4Form); }
void BillInvoidA5(const SaleDocument& doc) { printInvoice(doc, InvoiceKind::A5); }
void BillInvoidA6(const SaleDocument& doc) { printInvoice(doc, InvoiceKind::TwoUp); }

}  // namespace print
