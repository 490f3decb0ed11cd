// The invoices through the real print server: a sale rung up on the sale screen and finished with
// print type A4(1), A4(2) or A5 (the two-up invoice called directly), the print dialog answered
// with the private cupsd's cups-pdf queue "BillPrinter", and the PDF read back with pdftotext.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "data/db.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/print_surface_qt.h"
#include "reportkit/report_print.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/sale_fixtures.h"
#include "support/sale_screen_test.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using shell::SettingValue;

// The text read back loses or reshapes the Thai marks written above or below a letter (some come
// back as private-use glyph codes, sara am split in two); both sides of a comparison are taken
// without them.
QString withoutThaiMarks(QString t) {
  t.replace(QChar(0x0E33), QChar(0x0E32));
  t.remove(QRegularExpression(QStringLiteral(
      "[\\x{0E31}\\x{0E34}-\\x{0E3A}\\x{0E47}-\\x{0E4E}\\x{F700}-\\x{F8FF}\\x{200B}-\\x{200D}]")));
  return t;
}

// Runs a print-server tool on the private server; its output, or a failure of the test.
QString printTool(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    ADD_FAILURE() << tool.toStdString() << " " << args.join(' ').toStdString() << ": "
                  << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// A cups-pdf queue of the private server, made as the server's own are.
void addQueue(const QString& name) {
  const QString dir = QFileInfo(qEnvironmentVariable("CUPS_SERVER")).absolutePath();
  printTool(QStringLiteral("/usr/sbin/lpadmin"),
            {"-p", name, "-E", "-v", "cups-pdf:/", "-P", dir + "/cups-pdf.ppd", "-o",
             "pdftops-renderer-default=pdftocairo"});
}
void removeQueue(const QString& name) { printTool(QStringLiteral("/usr/sbin/lpadmin"), {"-x", name}); }

// The queue a PDF's job went to: cups-pdf names the file after the job's number.
QString queueOf(const QString& pdf) {
  const QString job =
      QRegularExpression(QStringLiteral("job_(\\d+)")).match(QFileInfo(pdf).fileName()).captured(1);
  if (job.isEmpty()) return {};
  const QString jobs = printTool(QStringLiteral("lpstat"), {"-W", "all", "-o"});
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("^(\\S+)-") + job + QStringLiteral("\\s"),
                         QRegularExpression::MultilineOption)
          .match(jobs);
  return m.captured(1);
}

class InvoicePrint : public salefx::SaleScreenTest {
 protected:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
      GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
    DbTest::SetUp();
    plat::setClock(QDateTime());  // the real day: the PDF's bill number is this run's own
    auto& s = shell::settings();
    s.DisplayPort = SettingValue::ofNumber(0);
    s.DrawerPort = SettingValue::ofNumber(0);
    s.VatRate = 7;
    s.FontName = QStringLiteral("DejaVu Sans");
    s.BillFontSize = 10;
    s.ComName = SettingValue::ofText(QStringLiteral("Invoice Corner Shop"));
    s.InvLine1 = SettingValue::ofText(QStringLiteral("TAX INVOICE"));
    s.InvLine4 = QStringLiteral("Thank you for your custom");
    s.BillNoContinue = true;
    shell::session().userName = QStringLiteral("Admin");
    sale::registerForms();
    for (int i = 1; i <= 20; ++i) {
      const QString code = QStringLiteral("P%1").arg(i, 2, 10, QLatin1Char('0'));
      salefx::addProduct(code, QStringLiteral("Product number %1").arg(i), 10 * i, 100);
      salefx::addLot(code, "2024-03-01", "0001", 100);
    }
    data::Conn().exec("UPDATE Product SET ProNoun = 'box' WHERE PId = 'P02'");
    salefx::addCustomer("C1", "Alpha Trading", "Khun Alpha", "02-111-2222", 1);
    // The series goes on from a number of this run's own, so the PDF found is this run's.
    lastBill_ = 1000000000 + (QDateTime::currentMSecsSinceEpoch() * 1000 + getpid()) % 8000000000;
    data::Conn().exec(
        "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, Employee, "
        "Recieve) VALUES ('P01', '08:00:00', '2024-03-01', '2024-03-01', '0001', 1, 10, ?, 'Admin', 10)",
        {lastBill_});
    openSaleScreen();
  }
  // Rings up the first n products (one of each) for the customer and pays 10,000.00.
  void ringUp(int n) {
    f->txtCus->setText("C1");
    int k = 13;
    f->txtCus_KeyPress(k);
    for (int i = 1; i <= n; ++i) {
      f->txtBar->setText(QStringLiteral("P%1").arg(i, 2, 10, QLatin1Char('0')));
      k = 13;
      f->txtBar_KeyPress(k);
    }
    f->cmdPay_Click();
    f->txtPay->setText("10000");
    k = 13;
    f->txtPay_KeyPress(k);
  }
  // The PDF of the job titled "Invoice <tag>" whose text holds last; its text, pages split, and in
  // *queue the queue it was printed on.
  QStringList pdfPages(const QSet<QString>& before, const QString& tag, const QString& last,
                       QString* queue = nullptr) {
    QString text;
    const QString pdf = printfix::waitForPdf(before, tag, last, &text);
    if (queue) *queue = pdf.isEmpty() ? QString() : queueOf(pdf);
    if (pdf.isEmpty()) {
      ADD_FAILURE() << "no whole PDF for " << tag.toStdString() << " in "
                    << printfix::pdfFolders().join(", ").toStdString();
      return {};
    }
    QFile::remove(pdf);
    QStringList pages = text.split(QLatin1Char('\f'));
    while (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
  }

  plat::ScriptedDialogs dlg;
  qint64 lastBill_ = 0;
};

TEST_F(InvoicePrint, EachPrintTypeFromFinishAndTheTwoUpSheetReachTheQueue) {
  struct Case {
    int printType;
    int lines;
    bool thai;
    int pages;
    const char* total;
    const char* words;
  } cases[] = {
      // The A4 amount in words takes two lines of its box ('|' between them).
      {3, 18, false, 2, "1,710.00", "(One thousand seven hundred ten|and 00/100)"},
      {4, 3, false, 1, "60.00", "(Sixty and 00/100)"},
      {5, 3, true, 1, "60.00", "(หกสิบบาทถ้วน)"},
  };
  qint64 bill = lastBill_;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printType);
    shell::settings().PrintType = static_cast<qint16>(c.printType);
    shell::settings().LangThai = c.thai;
    const QSet<QString> before = printfix::pdfsNow();
    ringUp(c.lines);
    dlg.clear();
    dlg.answerPrint(QStringLiteral("BillPrinter"));
    f->cmdReceive_Click();
    ++bill;
    EXPECT_EQ(dlg.texts(), (QStringList{"", c.thai ? "เริ่มใหม่" : "Finish"}));
    const QString billNo = print::billNoText(bill);
    const QStringList pages = pdfPages(before, billNo, QStringLiteral("Thank you for your custom"));
    ASSERT_EQ(pages.size(), c.pages);
    const QString all = withoutThaiMarks(pages.join('\n'));
    QStringList wanted{
        QStringLiteral("Invoice Corner Shop"), billNo,
        QStringLiteral("Alpha Trading"),       QStringLiteral("Khun Alpha"),
        QStringLiteral("Product number 1"),    QStringLiteral("Product number %1").arg(c.lines)};
    for (const QString& line : QString::fromUtf8(c.words).split(QLatin1Char('|')))
      wanted << withoutThaiMarks(line);
    for (const QString& t : wanted)
      EXPECT_TRUE(all.contains(t)) << t.toStdString() << " not in\n" << all.toStdString();
    // The unit word stands after the second line's quantity.
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("Product number 2\\s+1\\s+box"))))
        << all.toStdString();
    // The total (and the words) on the last page only.
    for (int p = 0; p < pages.size(); ++p) {
      EXPECT_EQ(pages[p].contains(QString::fromLatin1(c.total)), p == pages.size() - 1) << "page " << p;
      EXPECT_TRUE(pages[p].contains("Invoice Corner Shop")) << "page " << p;
    }
    if (c.pages == 2) {
      EXPECT_FALSE(pages[0].contains("Product number 18"));
      EXPECT_TRUE(pages[1].contains("Product number 18"));
    }
  }

  // The two-up sheet, called directly: the next number, bare, on both copies.
  shell::settings().LangThai = false;
  const QSet<QString> before = printfix::pdfsNow();
  ringUp(2);
  dlg.clear();
  dlg.answerPrint(QStringLiteral("BillPrinter"));
  f->BillInvoidA6();
  const QString number = QString::number(bill + 1);
  EXPECT_EQ(f->CurBillNo(), number);
  EXPECT_EQ(dlg.texts(), QStringList{""});
  const QStringList pages = pdfPages(before, number, QStringLiteral("Thank you for your custom"));
  ASSERT_EQ(pages.size(), 1);
  EXPECT_EQ(pages[0].count(QStringLiteral("TAX INVOICENo. ") + number), 2) << pages[0].toStdString();
  EXPECT_EQ(pages[0].count(QStringLiteral("Alpha Trading")), 2);
  EXPECT_EQ(pages[0].count(QStringLiteral("(Thirty and 00/100)")), 2);
}

// The boxes of the words pdftotext finds on page 1, in points from the page's top left.
std::vector<QRectF> wordBoxes(const QString& pdf) {
  const QString html = printTool(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
  std::vector<QRectF> out;
  const QRegularExpression re(
      QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"));
  for (auto it = re.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    out.emplace_back(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                     QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
  }
  return out;
}

// Page 1 as pixels, kDpi to the inch.
constexpr int kDpi = 300;
QImage pagePixels(const QString& pdf) {
  QTemporaryDir dir;
  printTool(QStringLiteral("pdftoppm"), {"-r", QString::number(kDpi), "-gray", "-png", "-f", "1", "-l", "1",
                                         "-singlefile", pdf, dir.filePath("page")});
  return QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_Grayscale8);
}

// The first (or, from below, the last) pixel row between top and bottom (points) with ink in the
// columns from left to right (points); -1 when there is none.
int inkRow(const QImage& page, const QRectF& box, bool fromBelow) {
  const double k = kDpi / 72.0;
  const int x0 = static_cast<int>(box.left() * k), x1 = static_cast<int>(box.right() * k);
  const int y0 = std::max(0, static_cast<int>(box.top() * k));
  const int y1 = std::min(page.height() - 1, static_cast<int>(box.bottom() * k));
  for (int i = 0; i <= y1 - y0; ++i) {
    const int y = fromBelow ? y1 - i : y0 + i;
    const uchar* row = page.constScanLine(y);
    for (int x = std::max(0, x0); x <= std::min(page.width() - 1, x1); ++x)
      if (row[x] < 128) return y;
  }
  return -1;
}

// In the shipped Thai font the 20 point shop name of the A4 invoices keeps its lowest mark (the
// vowel below the letters of "สุข") above the highest mark of the address under it, measured on
// the pixels of the PDF the print server made: the name alone, then the address alone, on the
// same page, so the ink of each is known for its own.
TEST_F(InvoicePrint, TheShopNameStaysClearOfTheAddressBelowIt) {
  auto& s = shell::settings();
  s.LangThai = true;
  s.FontName = QStringLiteral("Norasi");
  s.ComAddress1 = QStringLiteral("Bangkok 10110");
  const QString name = QStringLiteral("ร้านสุขใจ");
  const QString address = QStringLiteral("ที่อยู่ ๙๙ ถนนสุขุมวิท ป้ายรถเมล์");
  qint64 bill = lastBill_;
  for (const int printType : {3, 4}) {
    SCOPED_TRACE(printType);
    s.PrintType = static_cast<qint16>(printType);
    // Job 0 holds the name, job 1 the address: the topmost text of its page.
    int nameBottom = -1, addressTop = -1;
    for (int job = 0; job < 2; ++job) {
      s.ComName = SettingValue::ofText(job == 0 ? name : QString());
      s.ComAddress = job == 1 ? address : QString();
      const QSet<QString> before = printfix::pdfsNow();
      ringUp(1);
      dlg.clear();
      dlg.answerPrint(QStringLiteral("BillPrinter"));
      f->cmdReceive_Click();
      QString text;
      const QString pdf = printfix::waitForPdf(before, print::billNoText(++bill),
                                               QStringLiteral("Thank you for your custom"), &text);
      ASSERT_FALSE(pdf.isEmpty());
      std::vector<QRectF> boxes = wordBoxes(pdf);
      const QImage page = pagePixels(pdf);
      QFile::remove(pdf);
      ASSERT_FALSE(page.isNull());
      std::sort(boxes.begin(), boxes.end(),
                [](const QRectF& a, const QRectF& b) { return a.top() < b.top(); });
      ASSERT_GE(boxes.size(), 2u);
      // The topmost text's words, and the line below them (the second address line for the name).
      QRectF top = boxes[0];
      double below = 0;
      for (const QRectF& b : boxes) {
        if (b.top() < boxes[0].bottom() - 2) {
          top |= b;
        } else if (below == 0) {
          below = b.top();
        }
      }
      ASSERT_GT(below, 0);
      if (job == 0) {
        // Down to the next line's box: nothing else has ink in the name's columns before it.
        nameBottom =
            inkRow(page, QRectF(QPointF(top.left(), top.top() - 20), QPointF(top.right(), below)), true);
      } else {
        addressTop = inkRow(page, QRectF(QPointF(top.left(), 0), QPointF(top.right(), top.bottom())), false);
      }
    }
    ASSERT_GT(nameBottom, 0);
    ASSERT_GT(addressTop, 0);
    EXPECT_LT(nameBottom, addressTop) << "the name's lowest ink row " << nameBottom
                                      << ", the address's highest " << addressTop << " (" << kDpi << " dpi)";
  }
}

// A report sent to the report printer by name makes it current, but the next sale's invoice dialog
// starts from the bill printer, then from the printer the last dialog chose; a choice without a
// printer (a file) keeps the one the program had.
TEST_F(InvoicePrint, AReportPrinterNeverBecomesTheInvoiceDialogsPreselection) {
  auto& s = shell::settings();
  s.BillPrinter = SettingValue::ofText(QStringLiteral("BillPrinter"));
  s.ReportPrinter = QStringLiteral("ReportPrinter");
  s.PrintType = 3;
  plat::FlexGrid grid;
  grid.setCols(1);
  grid.setRows(1);
  grid.setTextMatrix(0, 0, QStringLiteral("row"));
  reportkit::ReportPrint report;
  report.docName = QStringLiteral("Preselection report %1").arg(getpid());
  report.columns = {{0, reportkit::Align::Left, 400}};
  auto printReport = [&] {
    ASSERT_EQ(reportkit::printReport(report, grid, 1), reportkit::PrintOutcome::Printed);
    EXPECT_EQ(plat::currentPrinter(), QStringLiteral("ReportPrinter"));
  };
  auto invoice = [&](std::optional<QString> answer) {
    ringUp(1);
    dlg.clear();
    dlg.preselected.clear();
    dlg.answerPrint(std::move(answer));
    f->cmdReceive_Click();
    return dlg.preselected;
  };

  printReport();
  EXPECT_EQ(invoice(QStringLiteral("BillPrinter")), QStringList{"BillPrinter"});
  EXPECT_EQ(plat::currentPrinter(), QStringLiteral("BillPrinter"));
  printReport();
  EXPECT_EQ(invoice(QString()), QStringList{"BillPrinter"});
  EXPECT_EQ(plat::currentPrinter(), QStringLiteral("ReportPrinter"));
}

// The bill printer's queue gone: the cashier is told in the shop's language, and the printer the
// dialog fell back to takes that one invoice only; once the queue is back, the next invoice's dialog
// starts from the bill printer again and the invoice lands there.
TEST_F(InvoicePrint, AMissingBillPrinterIsToldAndTheFallbackTakesOnlyThatInvoice) {
  const QString bill = QStringLiteral("TillBill%1").arg(getpid());
  addQueue(bill);
  struct Gone {
    QString queue;
    ~Gone() { QProcess::execute(QStringLiteral("/usr/sbin/lpadmin"), {QStringLiteral("-x"), queue}); }
  } gone{bill};
  auto& s = shell::settings();
  s.BillPrinter = SettingValue::ofText(bill);
  s.PrintType = 3;
  struct Case {
    bool thai;
    const char* told;
  } cases[] = {
      {false, "The printer %1 is not installed. Choose the printer for this document."},
      {true, "ไม่พบเครื่องพิมพ์ %1 ในเครื่องนี้ กรุณาเลือกเครื่องพิมพ์สำหรับเอกสารนี้"},
  };
  qint64 billNo = lastBill_;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.thai ? "Thai" : "English");
    s.LangThai = c.thai;
    plat::forgetDialogPrinter();  // a new session
    removeQueue(bill);
    const QString fallback = plat::dialogPrinter(bill);
    ASSERT_FALSE(fallback.isEmpty());
    ASSERT_NE(fallback, bill);

    // The cashier accepts the printer the dialog offers in its place.
    QSet<QString> before = printfix::pdfsNow();
    ringUp(1);
    dlg.clear();
    dlg.preselected.clear();
    dlg.answerPrint(fallback);
    f->cmdReceive_Click();
    ++billNo;
    EXPECT_EQ(dlg.preselected, QStringList{fallback});
    ASSERT_FALSE(dlg.shown.empty());
    EXPECT_EQ(dlg.shown[0].kind, plat::ScriptedDialogs::Kind::Message);
    EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(c.told).arg(bill));
    QString queue;
    EXPECT_FALSE(pdfPages(before, print::billNoText(billNo), QStringLiteral("Thank you"), &queue).isEmpty());
    EXPECT_EQ(queue, fallback);

    // The bill printer back: the next invoice's dialog offers it, without a word, and it prints there.
    addQueue(bill);
    before = printfix::pdfsNow();
    ringUp(1);
    dlg.clear();
    dlg.preselected.clear();
    dlg.answerPrint(bill);
    f->cmdReceive_Click();
    ++billNo;
    EXPECT_EQ(dlg.preselected, QStringList{bill});
    EXPECT_EQ(dlg.texts(), (QStringList{"", c.thai ? "เริ่มใหม่" : "Finish"}));
    EXPECT_EQ(pdfPages(before, print::billNoText(billNo), QStringLiteral("Thank you"), &queue).size(), 1);
    EXPECT_EQ(queue, bill);
  }
}

}  // namespace
