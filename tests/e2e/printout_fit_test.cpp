// Every printout legible on paper: the invoices of the four kinds in both languages, a slip, and the
// printouts of the daily, customer history and profit windows, printed in the shipped font (and in
// DejaVu Sans, whose Thai comes from a fallback font) through the private cupsd's cups-pdf queues
// with 13-digit codes, 60-letter Thai names and the largest amounts, and read back with
// `pdftotext -bbox-layout`: no two words of one line overlap, every figure comes back whole as a
// word of its own, every column heading whole, a text drawn smaller no smaller than 7 pt and on its
// line's baseline, and every text of a slip on its paper.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDateEdit>
#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>

#include "data/db.h"
#include "partners/history_form.h"
#include "partners/register.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "print/baht_words.h"
#include "print/invoice.h"
#include "print/slip_receipt.h"
#include "reports/analyze_form.h"
#include "reports/register.h"
#include "reports/sale_period_reports.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using data::Conn;

const QString kCode1 = QStringLiteral("8851234000017");
const QString kCode2 = QStringLiteral("8859876543210");
// 60 letters, marks above and below among them.
const QString kLongName = QStringLiteral("ผงซักฟอกสูตรเข้มข้นพิเศษถุงใหญ่ที่สุดสำหรับเครื่องซักผ้าฝาหน้า").left(60);
const QString kLargest = QStringLiteral("9,999,999.99");

struct Word {
  double xMin, xMax, yMin, yMax;
  QString text;
  double height() const { return yMax - yMin; }
};

// The vowel and tone marks drawn above or below the letter before them, with the shifted forms of
// them that Thai fonts keep in the private use area (pdftotext reads those back as they are).
bool isThaiMark(QChar c) {
  const char16_t u = c.unicode();
  return u == 0x0E31 || (u >= 0x0E34 && u <= 0x0E3A) || (u >= 0x0E47 && u <= 0x0E4E) ||
         (u >= 0xF700 && u <= 0xF71A);
}
bool isThai(QChar c) { return (c.unicode() >= 0x0E01 && c.unicode() <= 0x0E5B) || isThaiMark(c); }

// pdftotext gives a Thai mark a box as wide as its advance in the font, though the mark is drawn
// over its letter and takes no room of its own; where it breaks a word at a mark (or at a change of
// font after one) the pieces overlap by a few hundredths to tenths of a point, or touch with less
// than a point between them. Texts the program places apart are a blank apart (2 points at the
// least), so such a piece is joined to the word it belongs to.
constexpr double kMarkOverhang = 0.5;
constexpr double kMarkGap = 1.0;

std::vector<Word> joinThaiPieces(const std::vector<Word>& words) {
  std::vector<Word> joined;
  for (const Word& w : words) {
    if (!joined.empty() && !w.text.isEmpty()) {
      Word& before = joined.back();
      const double overlap = before.xMax - w.xMin;
      const bool atThai =
          (!before.text.isEmpty() && isThai(before.text.back())) || isThaiMark(w.text.front());
      // A piece of marks alone, read back apart from the letters it stands over.
      const bool marksOnly = std::all_of(w.text.begin(), w.text.end(), isThaiMark);
      const bool over =
          marksOnly && w.xMin >= before.xMin - kMarkOverhang && w.xMax <= before.xMax + kMarkOverhang;
      if (atThai && ((overlap > -kMarkGap && overlap < kMarkOverhang) || over)) {
        before.text += w.text;
        before.xMax = std::max(before.xMax, w.xMax);
        before.yMin = std::min(before.yMin, w.yMin);
        before.yMax = std::max(before.yMax, w.yMax);
        continue;
      }
    }
    joined.push_back(w);
  }
  return joined;
}

// The lines of every page as pdftotext lays them out.
std::vector<std::vector<Word>> pdfLines(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), pdf, QStringLiteral("-")});
  p.waitForFinished(30000);
  const QString html = QString::fromUtf8(p.readAllStandardOutput());
  std::vector<std::vector<Word>> lines;
  static const QRegularExpression line(QStringLiteral("<line[^>]*>(.*?)</line>"),
                                       QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression word(QStringLiteral(
      "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
  for (auto l = line.globalMatch(html); l.hasNext();) {
    std::vector<Word> words;
    const QString body = l.next().captured(1);
    for (auto w = word.globalMatch(body); w.hasNext();) {
      const auto m = w.next();
      words.push_back({m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(2).toDouble(),
                       m.captured(4).toDouble(), m.captured(5)});
    }
    lines.push_back(joinThaiPieces(words));
  }
  return lines;
}

// Fails on two words of one line whose boxes overlap (by more than a hundredth of a point); the
// words of the whole document.
std::vector<Word> checkNoOverlap(const QString& pdf) {
  std::vector<Word> all;
  for (const auto& words : pdfLines(pdf)) {
    for (size_t i = 0; i < words.size(); ++i) {
      all.push_back(words[i]);
      for (size_t j = i + 1; j < words.size(); ++j) {
        EXPECT_FALSE(words[i].xMax > words[j].xMin + 0.01 && words[j].xMax > words[i].xMin + 0.01)
            << words[i].text.toStdString() << " [" << words[i].xMin << ", " << words[i].xMax << "] overlaps "
            << words[j].text.toStdString() << " [" << words[j].xMin << ", " << words[j].xMax << "] in "
            << pdf.toStdString();
      }
    }
  }
  return all;
}

// A word as pdftotext can read it back: it drops the tone marks a Thai font draws in shifted forms
// and reads sara am as nikhahit and sara aa, so words are compared without the marks.
QString skeleton(const QString& word) {
  QString out;
  for (QChar c : word) {
    const char16_t u = c.unicode();
    if (u == 0x0E33) {
      out += QChar(0x0E32);
    } else if (!((u >= 0x0E47 && u <= 0x0E4E) || (u >= 0xF700 && u <= 0xF71A))) {
      out += c;
    }
  }
  return out;
}

// How many words read back as text.
int countWord(const QStringList& words, const QString& text) {
  const QString want = skeleton(text);
  return static_cast<int>(
      std::count_if(words.begin(), words.end(), [&](const QString& w) { return skeleton(w) == want; }));
}

QStringList texts(const std::vector<Word>& words) {
  QStringList out;
  for (const Word& w : words) out << w.text;
  return out;
}

const Word* findWord(const std::vector<Word>& words, const std::function<bool(const Word&)>& match) {
  const auto at = std::find_if(words.begin(), words.end(), match);
  return at == words.end() ? nullptr : &*at;
}
const Word* findWord(const std::vector<Word>& words, const QString& text) {
  return findWord(words, [&](const Word& w) { return skeleton(w.text) == skeleton(text); });
}

// The size a word is drawn at, from its height beside a word of the same font drawn at refSize.
double sizeBeside(const Word& w, const Word& ref, double refSize) {
  return w.height() / ref.height() * refSize;
}

// A text drawn smaller beside one at full size on the same line stands on the same baseline: the
// bottom of its box (its descent) rises by a small part of what it loses in height, where a text
// hung from the line's top would lose it all at the bottom.
void expectOnBaseline(const Word& small, const Word& full) {
  const double lost = full.height() - small.height();
  const double risen = full.yMax - small.yMax;
  EXPECT_LE(std::abs(risen), 0.45 * std::max(0.0, lost) + 0.3)
      << small.text.toStdString() << " [" << small.yMin << ", " << small.yMax << "] beside "
      << full.text.toStdString() << " [" << full.yMin << ", " << full.yMax << "]";
}

// The texts of the boxes shown other than print dialogs.
QStringList messages(const plat::ScriptedDialogs& dialogs) {
  QStringList texts;
  for (const auto& b : dialogs.shown)
    if (b.kind != plat::ScriptedDialogs::Kind::Print) texts << b.text;
  return texts;
}

// The fonts the printouts are checked in.
enum class Font { Shipped, DejaVuSans };

class PrintoutFit : public testenv::DbTest, public testing::WithParamInterface<Font> {
 protected:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
      GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
    DbTest::SetUp();
    printfix::shopSettings();
    plat::setClock(QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
    auto& s = shell::settings();
    s.FontName =
        GetParam() == Font::Shipped ? testenv::shippedSettings().FontName : QStringLiteral("DejaVu Sans");
    ASSERT_FALSE(s.FontName.isEmpty());
    s.BillFontSize = 10;
    s.ReportFontSize = shell::SettingValue::ofNumber(10);
    s.BillPrinter = shell::SettingValue::ofText(QStringLiteral("BillPrinter"));
    s.ReportPrinter = QStringLiteral("ReportPrinter");
    s.ComPhone = QStringLiteral("02-123-4567");
    s.ComTaxID = shell::SettingValue::ofText(QStringLiteral("0105512345678"));
    s.InvLine1 = shell::SettingValue::ofText(QStringLiteral("ใบกำกับภาษี"));
    // A tag of this run in every job's name, so parallel runs find their own PDFs.
    tag = QStringLiteral("F%1").arg((QDateTime::currentMSecsSinceEpoch() * 1000 + getpid()) % 99999999);
    s.ComName = shell::SettingValue::ofText(QStringLiteral("Shop ") + tag);
    shell::session().userName = QStringLiteral("Admin");
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plat::setClock(QDateTime());
    shell::settings() = shell::ShopSettings{};
    DbTest::TearDown();
  }
  // The PDF of the job whose name holds jobTag, checked for overlaps; its words.
  std::vector<Word> printed(const QSet<QString>& before, const QString& jobTag, const QString& last) {
    QString text;
    const QString pdf = printfix::waitForPdf(before, jobTag, last, &text);
    if (pdf.isEmpty()) {
      ADD_FAILURE() << "no whole PDF for " << jobTag.toStdString() << " in "
                    << printfix::pdfFolders().join(", ").toStdString();
      return {};
    }
    const std::vector<Word> words = checkNoOverlap(pdf);
    QFile::remove(pdf);
    return words;
  }

  QString tag;
  plat::ScriptedDialogs dialogs;
};

print::SaleDocument largestSale(qint64 billNo) {
  print::SaleDocument doc;
  doc.lines.push_back({kLongName, 1, 9999999.99, 9999999.99, kCode1});
  doc.lines.push_back({QStringLiteral("Cola 325ml"), 1234, 8103.72, 9999990.48, kCode2});
  doc.total = 9999999.99;
  doc.totalText = kLargest;
  doc.tax = 654205.60;
  doc.taxText = QStringLiteral("654,205.60");
  doc.payText = kLargest;
  doc.employee = QStringLiteral("Admin");
  doc.billNo = billNo;
  doc.customerName = kLongName;
  doc.customerLine1 = kLongName;
  doc.customerLine2 = QStringLiteral("02-765-4321");
  return doc;
}

// The nearest word in height to w whose text is text, on w's line.
const Word* besideOnLine(const std::vector<Word>& words, const Word& w,
                         const std::function<bool(const Word&)>& match) {
  const Word* best = nullptr;
  for (const Word& o : words)
    if (&o != &w && match(o) && o.yMin < w.yMax && w.yMin < o.yMax &&
        (!best || std::abs(o.yMax - w.yMax) < std::abs(best->yMax - w.yMax)))
      best = &o;
  return best;
}

TEST_P(PrintoutFit, InvoicesOfEachKindInBothLanguagesAndASlip) {
  Conn().exec("INSERT INTO Category VALUES ('D', 'Drinks')");
  for (const QString& code : {kCode1, kCode2})
    Conn().exec(
        "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) VALUES "
        "(?, ?, 10, 10, 10, 100, 'D', 'ชิ้น', 0)",
        {code, kLongName});
  qint64 bill = 1000000000 + (QDateTime::currentMSecsSinceEpoch() * 1000 + getpid()) % 8000000000;
  for (const bool thai : {true, false})
    for (const auto kind : {print::InvoiceKind::A4, print::InvoiceKind::A4Form, print::InvoiceKind::A5,
                            print::InvoiceKind::TwoUp}) {
      SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << (thai ? " Thai" : " English"));
      shell::settings().LangThai = thai;
      ++bill;
      const QSet<QString> before = printfix::pdfsNow();
      dialogs.answerPrint(QStringLiteral("BillPrinter"));
      print::printInvoice(largestSale(bill), kind);
      const bool twoUp = kind == print::InvoiceKind::TwoUp;
      const auto& spec = print::invoiceSpec(kind, thai);
      const std::vector<Word> boxes = printed(before, twoUp ? QString::number(bill) : print::billNoText(bill),
                                              QStringLiteral("02-765-4321"));
      const QStringList words = texts(boxes);
      const QString all = words.join(' ');
      // The two-up sheet has no code column; the amount and price columns and the total hold the
      // largest amount.
      if (!twoUp) {
        EXPECT_TRUE(words.contains(kCode1)) << all.toStdString();
        EXPECT_TRUE(words.contains(kCode2)) << all.toStdString();
        EXPECT_TRUE(words.contains(QStringLiteral("8,103.72")));
      }
      EXPECT_GE(words.count(kLargest), 2) << all.toStdString();
      EXPECT_TRUE(words.contains(QStringLiteral("9,999,990.48"))) << all.toStdString();
      EXPECT_TRUE(words.contains(QStringLiteral("1234")));  // quantities are printed ungrouped
      EXPECT_TRUE(words.contains(QStringLiteral("654,205.60")));

      // Every column heading stands whole, and in the shipped font the unit word too (pdftotext reads
      // a long Thai text, or one of a fallback font, back in pieces out of order).
      const int copies = twoUp ? 2 : 1;
      for (const auto& h : spec.headings) {
        if (!h.text) continue;
        EXPECT_GE(countWord(words, QString::fromUtf8(h.text)), copies)
            << h.text << " in " << all.toStdString();
      }
      if (spec.unitX > 0 && GetParam() == Font::Shipped) {
        EXPECT_GE(countWord(words, QStringLiteral("ชิ้น")), 2) << all.toStdString();
      }

      // The amount in words, on one line or two, at no less than 7 points: its height beside a text of
      // its own script printed at the invoice's text size.
      const double bodySize = spec.billFontSize ? 10 : 15;
      const Word* ref =
          findWord(boxes, thai ? (spec.unitX > 0 ? QStringLiteral("ชิ้น") : QStringLiteral("เงินทอน"))
                               : QStringLiteral("02-765-4321"));
      const Word* opening =
          findWord(boxes, [](const Word& w) { return w.text.startsWith(QLatin1Char('(')); });
      ASSERT_TRUE(ref && opening) << all.toStdString();
      // A second line starts under the first.
      const Word* second = findWord(boxes, [&](const Word& w) {
        return std::abs(w.xMin - opening->xMin) < 1 && w.yMin > opening->yMax - 1 &&
               w.yMin < opening->yMax + opening->height();
      });
      for (const Word* w : {opening, second ? second : opening})
        EXPECT_GE(sizeBeside(*w, *ref, bodySize), 6.8)
            << w->text.toStdString() << " " << w->height() << " pt high beside " << ref->text.toStdString()
            << " " << ref->height() << " pt at " << bodySize << " points";
    }

  // The 7 cm slip: the largest unit price is drawn smaller, on the baseline of its line's number.
  shell::settings().LangThai = false;
  ++bill;
  const QSet<QString> before = printfix::pdfsNow();
  print::printSlip(largestSale(bill), print::SlipWidth::W70);
  const std::vector<Word> boxes = printed(before, print::billNoText(bill), QStringLiteral("Admin"));
  const QStringList words = texts(boxes);
  EXPECT_GE(words.count(kLargest), 3) << words.join(' ').toStdString();  // the price, the total, cash
  // The English slip's line amounts are not grouped; quantities never are.
  EXPECT_TRUE(words.contains(QStringLiteral("9999990.48"))) << words.join(' ').toStdString();
  EXPECT_TRUE(words.contains(QStringLiteral("1234")));
  // The first row's price: the highest of the largest amounts on the slip.
  const Word* price = nullptr;
  for (const Word& w : boxes)
    if (w.text == kLargest && (!price || w.yMin < price->yMin)) price = &w;
  ASSERT_TRUE(price);
  const Word* number =
      besideOnLine(boxes, *price, [](const Word& w) { return w.text == QLatin1String("1") && w.xMin < 20; });
  ASSERT_TRUE(number) << "no line number beside " << price->yMin;
  EXPECT_GE(sizeBeside(*price, *number, 10), 6.8) << price->height() << " beside " << number->height();
  expectOnBaseline(*price, *number);
  EXPECT_TRUE(messages(dialogs).empty()) << messages(dialogs).join('\n').toStdString();
}

// A long Thai shop name on each slip width in both languages: no text passes the paper's edge.
TEST_P(PrintoutFit, EveryTextOfASlipStaysOnItsPaper) {
  const QString shop = QStringLiteral("ร้านสมบูรณ์พาณิชย์ค้าส่งวัสดุก่อสร้างเครื่องมือ");
  ASSERT_EQ(shop.size(), 47);
  shell::settings().ComName = shell::SettingValue::ofText(shop);
  qint64 bill = 1000000000 + (QDateTime::currentMSecsSinceEpoch() * 1000 + getpid()) % 8000000000;
  const struct {
    print::SlipWidth width;
    double points;
  } papers[] = {{print::SlipWidth::W70, 7 / 2.54 * 72},
                {print::SlipWidth::W65, 6.5 / 2.54 * 72},
                {print::SlipWidth::W55, 5.5 / 2.54 * 72}};
  for (const bool thai : {true, false})
    for (const auto& paper : papers) {
      SCOPED_TRACE(testing::Message() << paper.points << " pt" << (thai ? " Thai" : " English"));
      shell::settings().LangThai = thai;
      ++bill;
      const QSet<QString> before = printfix::pdfsNow();
      print::printSlip(largestSale(bill), paper.width);
      const std::vector<Word> boxes = printed(before, print::billNoText(bill), QStringLiteral("Admin"));
      ASSERT_FALSE(boxes.empty());
      for (const Word& w : boxes)
        // A text ending at the edge may pass it by the rounding to whole twips.
        EXPECT_LE(w.xMax, paper.points + 0.1) << w.text.toStdString() << " ends at " << w.xMax;
    }
  EXPECT_TRUE(messages(dialogs).empty()) << messages(dialogs).join('\n').toStdString();
}

TEST_P(PrintoutFit, DailyHistoryAndProfitPrintouts) {
  Conn().exec("INSERT INTO Category VALUES ('D', 'Drinks')");
  for (const QString& code : {kCode1, kCode2})
    Conn().exec(
        "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) VALUES "
        "(?, ?, 10, 10, 10, 100, 'D', 'ขวด', 0)",
        {code, kLongName});
  Conn().exec("INSERT INTO Customers (CustomerId, CompanyName, Discount) VALUES ('7', ?, 1)",
              {tag + QLatin1Char(' ') + kLongName});
  // One line of the largest amount at a margin far past 100 %, one at a loss of more than 10 %.
  Conn().exec(
      "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) VALUES "
      "(?, '2024-03-01', '09:00:00', 10, 1.5, '1', 10, 'S1'), (?, '2024-03-01', '09:00:00', 10, 10000, '1', "
      "10, 'S1')",
      {kCode1, kCode2});
  Conn().exec(
      "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, CustomerId, Employee, Recieve) "
      "VALUES (?, '10:00:00', '2024-03-14', 1, 9999999.99, 1, '7', 'Admin', 0), "
      "(?, '10:00:00', '2024-03-14', 1234, 8103.72, 1, '7', 'Admin', 0)",
      {kCode1, kCode2});

  for (const bool thai : {true, false}) {
    SCOPED_TRACE(thai ? "Thai" : "English");
    shell::settings().LangThai = thai;
    reports::DayReport day;
    day.Form_Load();
    day.DTPDate1->setDate(QDate(2024, 3, 14));
    day.cmdShow_Click();
    ASSERT_EQ(day.RowCount, 2);
    QSet<QString> before = printfix::pdfsNow();
    day.cmdPrint_Click();
    QStringList words = texts(printed(before, QStringLiteral("Daily"), QStringLiteral("9,999,990.48")));
    EXPECT_TRUE(words.contains(kCode1)) << words.join(' ').toStdString();
    EXPECT_TRUE(words.contains(kLargest));
    EXPECT_TRUE(words.contains(QStringLiteral("19,999,990.47")));  // the day's total in the head

    partners::registerForms();
    auto* history =
        static_cast<partners::HistoryForm*>(plat::FormRegistry::instance().form(QStringLiteral("CusRep")));
    ASSERT_TRUE(history);
    history->DTPDate1->setDate(QDate(2024, 3, 1));
    history->idBox->setText(QStringLiteral("7"));
    QTest::keyClick(history->idBox, Qt::Key_Return);
    ASSERT_EQ(history->RowCount, 2);
    before = printfix::pdfsNow();
    history->cmdPrintPartner->click();
    words = texts(printed(before, tag, QStringLiteral("19,999,990.47")));
    // The history and profit rows show plain numbers; their totals are grouped.
    EXPECT_TRUE(words.contains(kCode2)) << words.join(' ').toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("9999999.99")));
    EXPECT_TRUE(words.contains(QStringLiteral("1234")));
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    reports::registerForms();
    auto* profit = qobject_cast<reports::AnalyzeForm*>(plat::FormRegistry::instance().show("AnalyzeForm"));
    ASSERT_TRUE(profit);
    profit->DTPDate1->setDate(QDate(2024, 3, 1));
    profit->DTPDate2->setDate(QDate(2024, 3, 31));
    profit->cmdShow_Click();
    ASSERT_EQ(profit->RowCount, 2);
    QStringList percents;
    for (int r = 0; r < profit->RowCount; ++r) percents << profit->FGrid->TextMatrix(r, 5);
    before = printfix::pdfsNow();
    profit->cmdPrint_Click();
    const std::vector<Word> boxes =
        printed(before, QStringLiteral("Analyze"), QStringLiteral("7,659,988.97"));
    words = texts(boxes);
    EXPECT_TRUE(words.contains(QStringLiteral("9999999.99"))) << words.join(' ').toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("19,999,990.47")));
    // Each percent whole, at no less than 7 points and on the baseline of its row's code.
    for (const QString& p : percents) {
      const Word* percent = findWord(boxes, p);
      ASSERT_TRUE(percent) << p.toStdString() << " in " << words.join(' ').toStdString();
      const Word* code =
          besideOnLine(boxes, *percent, [](const Word& w) { return w.text == kCode1 || w.text == kCode2; });
      ASSERT_TRUE(code) << "no code beside " << p.toStdString();
      EXPECT_GE(sizeBeside(*percent, *code, 10), 6.8)
          << p.toStdString() << " " << percent->height() << " pt high beside " << code->height();
      expectOnBaseline(*percent, *code);
    }
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  EXPECT_TRUE(messages(dialogs).empty()) << messages(dialogs).join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Fonts, PrintoutFit, testing::Values(Font::Shipped, Font::DejaVuSans),
                         [](const testing::TestParamInfo<Font>& f) {
                           return f.param == Font::Shipped ? "ShippedFont" : "DejaVuSans";
                         });

}  // namespace
