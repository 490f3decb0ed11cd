// The supplier and customer history windows: what their queries list, the look-up and pick list,
// the customer total and range, the heading sorts and the printouts' layout.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <random>

#include "data/db.h"
#include "partners/history_form.h"
#include "partners/history_query.h"
#include "partners/register.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/numtext.h"
#include "platform/print_surface_qt.h"
#include "shell/settings.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using partners::CusRep;
using partners::HistoryForm;
using partners::PartnerKind;
using partners::SupRep;

void exec(const QString& sql, const QVariantList& binds = {}) { data::Conn().exec(sql, binds); }

void product(const QString& code, const QString& name, const QString& cat = QStringLiteral("C1")) {
  exec(QStringLiteral(
           "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
           "VALUES (?, ?, 10, 10, 10, 100, ?, 'pcs', 0)"),
       {code, name, cat});
}

void supplier(const QString& id, const QString& name) {
  exec(QStringLiteral("INSERT INTO Suppliers (SupplierId, CompanyName) VALUES (?, ?)"), {id, name});
}

void customer(const QString& id, const QString& name) {
  exec(QStringLiteral("INSERT INTO Customers (CustomerId, CompanyName, Discount) VALUES (?, ?, 1)"),
       {id, name});
}

void buy(const QString& sup, const QString& pid, double q, double price, const QString& date,
         const QString& no, int discontinue = 0) {
  exec(
      QStringLiteral("INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID, "
                     "Discontinue) VALUES (?, ?, '09:00:00', ?, ?, ?, ?, ?, ?)"),
      {pid, date, q, price, no, q, sup, discontinue});
}

void sell(const QString& cus, const QString& pid, double q, double price, const QString& date, int bill) {
  exec(QStringLiteral(
           "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, CustomerId, Employee, "
           "Recieve) VALUES (?, '10:00:00', ?, ?, ?, ?, ?, 'Admin', 0)"),
       {pid, date, q, price, bill, cus});
}

QStringList row(std::initializer_list<const char*> cells) {
  QStringList r;
  for (const char* c : cells) r << QString::fromUtf8(c);
  return r;
}

// Two suppliers, one of them with a line of an unknown product and one marked Discontinue; one
// customer with a bill each side of the new year, a cancelled bill and a bill on 29 February.
void shop() {
  exec(QStringLiteral("INSERT INTO Category (CateID, CateName) VALUES ('C1', 'Fruit'), ('C2', 'Tools')"));
  product(QStringLiteral("P1"), QStringLiteral("Apple"));
  product(QStringLiteral("P2"), QStringLiteral("Pear\tGreen"));
  supplier(QStringLiteral("1"), QStringLiteral("Alpha Co"));
  supplier(QStringLiteral("2"), QStringLiteral("Beta Co"));
  buy(QStringLiteral("1"), QStringLiteral("P1"), 10, 123.45, QStringLiteral("2024-03-01"),
      QStringLiteral("3"));
  buy(QStringLiteral("1"), QStringLiteral("P9"), 1, 5, QStringLiteral("2024-03-01"), QStringLiteral("3"));
  buy(QStringLiteral("1"), QStringLiteral("P2"), 4, 2, QStringLiteral("2024-03-02"), QStringLiteral("1"), 1);
  buy(QStringLiteral("2"), QStringLiteral("P1"), 2, 0.25, QStringLiteral("2024-02-01"), QStringLiteral("7"));
  customer(QStringLiteral("C"), QStringLiteral("Somchai Shop"));
  customer(QStringLiteral("D"), QStringLiteral("Other"));
  sell(QStringLiteral("C"), QStringLiteral("P1"), 2, 10, QStringLiteral("2023-12-31"), 5);
  sell(QStringLiteral("C"), QStringLiteral("P2"), 0, 7, QStringLiteral("2024-01-01"), 1);  // cancelled
  sell(QStringLiteral("C"), QStringLiteral("P1"), 12, 3.5, QStringLiteral("2024-02-29"), 3);
  sell(QStringLiteral("C"), QStringLiteral("P9"), 1, 99, QStringLiteral("2024-02-29"), 3);  // unknown product
  sell(QStringLiteral("D"), QStringLiteral("P1"), 1, 1, QStringLiteral("2024-02-29"), 4);
  sell(QString(), QStringLiteral("P1"), 3, 10, QStringLiteral("2024-02-29"), 6);  // no customer
}

class HistoryQueryTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    shop();
  }
};

TEST_F(HistoryQueryTest, PartnerAndProductLines) {
  using partners::partnerLines;
  using partners::productLines;
  struct Case {
    const char* what;
    partners::HistoryLines lines;
    QVector<QStringList> rows;
  };
  const Case cases[] = {
      {"supplier 1: the unknown product and the discontinued line are left out",
       partnerLines(PartnerKind::Supplier, QStringLiteral("1")),
       {row({"P1", "Apple", "10", "1,234.50", "01/03/2024", "3"})}},
      {"supplier 2: a value of a half",
       partnerLines(PartnerKind::Supplier, QStringLiteral("2")),
       {row({"P1", "Apple", "2", "0.50", "01/02/2024", "7"})}},
      {"ids compare without regard to case: customer C as c",
       partnerLines(PartnerKind::Customer, QStringLiteral("c"),
                    {QStringLiteral("2023-01-01"), QStringLiteral("2024-12-31")}),
       {row({"P1", "Apple", "2", "20", "31/12/2023", "5"}),
        row({"P1", "Apple", "12", "42", "29/02/2024", "3"})}},
      {"product P1: both suppliers in id order",
       productLines(PartnerKind::Supplier, QStringLiteral("P1")),
       {row({"1", "Alpha Co", "10", "1,234.50", "01/03/2024", "3"}),
        row({"2", "Beta Co", "2", "0.50", "01/02/2024", "7"})}},
      {"product P2: the discontinued line is in",
       productLines(PartnerKind::Supplier, QStringLiteral("P2")),
       {row({"1", "Alpha Co", "4", "8.00", "02/03/2024", "1"})}},
      {"product P1 sold: customers in id order, no line without a customer",
       productLines(PartnerKind::Customer, QStringLiteral("P1")),
       {row({"C", "Somchai Shop", "2", "20", "31/12/2023", "5"}),
        row({"C", "Somchai Shop", "12", "42", "29/02/2024", "3"}),
        row({"D", "Other", "1", "1", "29/02/2024", "4"})}},
      {"product P2 sold: the cancelled line is not listed",
       productLines(PartnerKind::Customer, QStringLiteral("P2")),
       {}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.lines.rows, c.rows) << c.what;
}

TEST_F(HistoryQueryTest, CustomerRangesIncludeBothEnds) {
  struct Case {
    const char* from;
    const char* to;
    QVector<QStringList> rows;
    double total;
    bool anyRead;
  };
  const QStringList bill5 = row({"P1", "Apple", "2", "20", "31/12/2023", "5"});
  const QStringList bill3 = row({"P1", "Apple", "12", "42", "29/02/2024", "3"});
  const Case cases[] = {
      {"2023-12-31", "2024-01-01", {bill5}, 20, true},  // over the new year, the cancelled bill left out
      {"2023-12-31", "2023-12-31", {bill5}, 20, true},  // one day
      {"2024-02-28", "2024-02-29", {bill3}, 42, true},  // the leap day
      {"2024-01-01", "2024-01-01", {}, 0, true},        // only a cancelled bill
      {"2024-03-01", "2024-12-31", {}, 0, false},       // nothing at all
  };
  for (const Case& c : cases) {
    const auto got = partners::partnerLines(PartnerKind::Customer, QStringLiteral("C"),
                                            {QString::fromLatin1(c.from), QString::fromLatin1(c.to)});
    EXPECT_EQ(got.rows, c.rows) << c.from << ".." << c.to;
    EXPECT_DOUBLE_EQ(got.total, c.total) << c.from << ".." << c.to;
    EXPECT_EQ(got.anyRead, c.anyRead) << c.from << ".." << c.to;
  }
  EXPECT_FALSE(partners::pickerRange(QDate(2024, 3, 2), QDate(2024, 3, 1)));
  EXPECT_EQ(partners::pickerRange(QDate(2024, 2, 28), QDate(2024, 2, 28))->from,
            QStringLiteral("2024-02-28"));
}

TEST(HistoryText, MoneyAsTheSharedFormatGivesIt) {
  std::vector<double> values = {
      0,           0.5,   -0.5,   1234.5, 999.995,  0.1 + 0.2, 1e12 - 0.01, 1e12,
      -1234567.89, 0.005, -0.004, 1.005,  12 * 3.5, 1e15,      123456.7,    0.30000000000000004};
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> satang(-10000000, 10000000);
  std::uniform_real_distribution<double> any(-1e7, 1e7);
  for (int i = 0; i < 2000; ++i) {
    values.push_back(satang(rng) / 100.0);
    values.push_back(satang(rng) * 0.37 / 100.0);
    values.push_back(any(rng));
  }
  for (double v : values) EXPECT_EQ(plat::fmtMoney(v), plat::fmtMoney(v)) << v;
}

TEST_F(HistoryQueryTest, ReadFailureIsThrown) {
  exec(QStringLiteral("DROP TABLE Buy"));
  EXPECT_THROW(partners::partnerLines(PartnerKind::Supplier, QStringLiteral("1")), data::DbError);
}

// ---------------------------------------------------------------------------------------------
// The windows.

class HistoryFormTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    shop();
    partners::registerForms();
    shell::settings().ReportPrinter = QStringLiteral("ReportPrinter");
    shell::settings().ComName = shell::SettingValue::ofText(QStringLiteral("My Shop"));
    shell::settings().ReportFontSize = shell::SettingValue::ofNumber(10);
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DbTest::TearDown();
  }

  HistoryForm* open(const char* name) {
    return static_cast<HistoryForm*>(plat::FormRegistry::instance().form(QString::fromLatin1(name)));
  }
  static QStringList column(const plat::FlexGrid* g, int col) {
    QStringList out;
    for (int r = 0; r < g->Rows(); ++r) out << g->TextMatrix(r, col);
    return out;
  }
  static QStringList rowOf(const plat::FlexGrid* g, int r) {
    QStringList out;
    for (int c = 0; c < g->Cols(); ++c) out << g->TextMatrix(r, c);
    return out;
  }
  static void enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }
  static QStringList items(const QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
  }

  plat::ScriptedDialogs dialogs;
  plat::FakePrinters printers{{QStringLiteral("ReportPrinter"), QStringLiteral("Other")}};
};

TEST_F(HistoryFormTest, LookUpByIdAndPickList) {
  supplier(QStringLiteral("7"), QStringLiteral("Foo.Bar Ltd"));
  supplier(QStringLiteral("1.5"), QStringLiteral("Dot Co"));
  buy(QStringLiteral("1.5"), QStringLiteral("P1"), 3, 1, QStringLiteral("2024-03-03"), QStringLiteral("9"));
  HistoryForm* f = open("SupRep");

  // An unknown id, twice: the list holds each supplier once, in id order.
  f->idBox->setText(QStringLiteral("99"));
  enter(f->idBox);
  enter(f->idBox);
  EXPECT_EQ(items(f->pickList), QStringList({"1.Alpha Co", "1.5.Dot Co", "2.Beta Co", "7.Foo.Bar Ltd"}));
  EXPECT_FALSE(f->pickList->isHidden());

  // Enter with nothing selected only hides the list.
  enter(f->pickList);
  EXPECT_TRUE(f->pickList->isHidden());
  EXPECT_EQ(f->idBox->text(), QStringLiteral("99"));

  // A pick takes the id and the name whole, dots and all.
  f->fillPickList();
  f->pickList->setCurrentRow(3);
  enter(f->pickList);
  EXPECT_EQ(f->idBox->text(), QStringLiteral("7"));
  EXPECT_EQ(f->nameBox->text(), QStringLiteral("Foo.Bar Ltd"));
  EXPECT_EQ(f->RowCount, 0);

  f->fillPickList();
  f->pickList->setCurrentRow(1);
  f->pick(true);
  EXPECT_EQ(f->idBox->text(), QStringLiteral("1.5"));
  EXPECT_EQ(column(f->FGrid, 5), QStringList({"9"}));

  // A known id and Enter lists its lines.
  f->idBox->setText(QStringLiteral("1"));
  enter(f->idBox);
  EXPECT_TRUE(f->pickList->isHidden());
  EXPECT_EQ(f->nameBox->text(), QStringLiteral("Alpha Co"));
  EXPECT_EQ(rowOf(f->FGrid, 0), row({"P1", "Apple", "10", "1,234.50", "01/03/2024", "3"}));
  EXPECT_EQ(f->RowCount, 1);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HistoryFormTest, QuoteTypedAndAnotherIdWithShow) {
  supplier(QStringLiteral("Q'1"), QStringLiteral("O'Neil & Sons"));
  buy(QStringLiteral("Q'1"), QStringLiteral("P2"), 1, 1, QStringLiteral("2024-03-05"), QStringLiteral("2"));
  HistoryForm* f = open("SupRep");
  f->idBox->setText(QStringLiteral("Q'1"));
  enter(f->idBox);
  EXPECT_EQ(f->nameBox->text(), QStringLiteral("O'Neil & Sons"));
  ASSERT_EQ(f->RowCount, 1);
  // A tab in a name stays in its cell.
  EXPECT_EQ(f->FGrid->TextMatrix(0, 1), QStringLiteral("Pear\tGreen"));
  EXPECT_EQ(f->FGrid->TextMatrix(0, 2), QStringLiteral("1"));

  // Another id and Show: the name box follows, and so does the printout's title.
  f->idBox->setText(QStringLiteral("2"));
  f->cmdShow->click();
  EXPECT_EQ(f->nameBox->text(), QStringLiteral("Beta Co"));
  f->cmdPrintPartner->click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  EXPECT_NE(printers.jobs[0].surface->find(QStringLiteral(" ReportBeta Co")), nullptr);

  // An id of no supplier: empty grid, empty name.
  f->idBox->setText(QStringLiteral("nobody"));
  f->cmdShow->click();
  EXPECT_EQ(f->nameBox->text(), QString());
  EXPECT_EQ(f->RowCount, 0);
  EXPECT_EQ(f->FGrid->Rows(), 0);
}

TEST_F(HistoryFormTest, CustomerTotalAndRange) {
  HistoryForm* f = open("CusRep");
  EXPECT_EQ(f->txtTotal->text(), QStringLiteral("0"));
  EXPECT_EQ(f->DTPDate1->date(), QDate(2024, 3, 15));
  f->DTPDate1->setDate(QDate(2024, 2, 28));
  f->DTPDate2->setDate(QDate(2024, 2, 29));
  f->idBox->setText(QStringLiteral("c"));
  enter(f->idBox);
  EXPECT_EQ(f->nameBox->text(), QStringLiteral("Somchai Shop"));
  EXPECT_EQ(rowOf(f->FGrid, 0), row({"P1", "Apple", "12", "42", "29/02/2024", "3"}));
  EXPECT_EQ(f->txtTotal->text(), QStringLiteral("42.00"));

  // From after To: a message, and nothing changes.
  f->DTPDate1->setDate(QDate(2024, 3, 1));
  f->idBox->setText(QStringLiteral("D"));
  f->cmdShow->click();
  EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("The From date is after the To date."));
  EXPECT_EQ(f->RowCount, 1);
  EXPECT_EQ(f->txtTotal->text(), QStringLiteral("42.00"));
  EXPECT_EQ(f->nameBox->text(), QStringLiteral("Somchai Shop"));

  // A show that finds no lines after a total: "0", never the other customer's total.
  f->DTPDate1->setDate(QDate(2024, 3, 1));
  f->DTPDate2->setDate(QDate(2024, 3, 31));
  f->cmdShow->click();
  EXPECT_EQ(f->RowCount, 0);
  EXPECT_EQ(f->txtTotal->text(), QStringLiteral("0"));
  EXPECT_EQ(f->nameBox->text(), QStringLiteral("Other"));

  // Only a cancelled bill in the range: nothing listed, a zero total.
  f->DTPDate1->setDate(QDate(2024, 1, 1));
  f->DTPDate2->setDate(QDate(2024, 1, 1));
  f->idBox->setText(QStringLiteral("C"));
  f->cmdShow->click();
  EXPECT_EQ(f->RowCount, 0);
  EXPECT_EQ(f->txtTotal->text(), QStringLiteral("0.00"));
}

TEST_F(HistoryFormTest, FromAfterToKeepsNameGridAndTotalOfOneCustomer) {
  HistoryForm* f = open("CusRep");
  f->DTPDate1->setDate(QDate(2024, 2, 28));
  f->DTPDate2->setDate(QDate(2024, 2, 29));
  f->idBox->setText(QStringLiteral("C"));
  enter(f->idBox);
  ASSERT_EQ(f->txtTotal->text(), QStringLiteral("42.00"));
  const QStringList lines = rowOf(f->FGrid, 0);
  f->DTPDate1->setDate(QDate(2024, 3, 1));
  // Enter on another customer's id, a pick by Enter, a pick by double-click.
  for (const char* how : {"enter", "list enter", "double-click"}) {
    SCOPED_TRACE(how);
    dialogs.clear();
    if (QString(how) == "enter") {
      f->idBox->setText(QStringLiteral("D"));
      enter(f->idBox);
    } else {
      f->fillPickList();
      QTest::keyClick(f->pickList, Qt::Key_Down);
      QTest::keyClick(f->pickList, Qt::Key_Down);  // D, the second customer
      if (QString(how) == "list enter")
        enter(f->pickList);
      else
        f->pick(true);
    }
    EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("The From date is after the To date."));
    EXPECT_EQ(f->nameBox->text(), QStringLiteral("Somchai Shop"));
    EXPECT_EQ(rowOf(f->FGrid, 0), lines);
    EXPECT_EQ(f->txtTotal->text(), QStringLiteral("42.00"));
  }
}

TEST_F(HistoryFormTest, DownInAFreshPickListChoosesItsFirstEntry) {
  for (const char* name : {"SupRep", "CusRep"}) {
    SCOPED_TRACE(name);
    HistoryForm* f = open(name);
    if (f->DTPDate1) f->DTPDate1->setDate(QDate(2023, 1, 1));
    f->idBox->setText(QStringLiteral("nobody"));
    enter(f->idBox);
    ASSERT_FALSE(f->pickList->isHidden());
    QTest::keyClick(f->pickList, Qt::Key_Down);
    enter(f->pickList);
    EXPECT_EQ(f->idBox->text(), QString(name) == QStringLiteral("SupRep") ? "1" : "C");
  }
}

TEST_F(HistoryFormTest, ThaiCaptionsAndMessage) {
  shell::settings().LangThai = true;
  HistoryForm* f = open("CusRep");
  EXPECT_EQ(f->windowTitle(), QStringLiteral("รายงานลูกค้า"));
  EXPECT_EQ(f->control<QGroupBox>(QStringLiteral("FrCus"))->title(), QStringLiteral("แสดงตามลูกค้า"));
  EXPECT_EQ(f->headingButton(QStringLiteral("cmdCusName"))->text(), QStringLiteral("รายชื่อลูกค้า"));
  EXPECT_EQ(f->control<QLabel>(QStringLiteral("lblTo"))->text(), QStringLiteral("ถึง"));
  f->DTPDate1->setDate(QDate(2024, 3, 16));
  f->cmdShow->click();
  EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("วันที่เริ่มต้องไม่อยู่หลังวันที่สิ้นสุด"));
}

TEST_F(HistoryFormTest, CategoryAndProduct) {
  HistoryForm* f = open("SupRep");
  ASSERT_EQ(f->ComCate->count(), 2);
  EXPECT_EQ(f->ComCate->itemText(0), QStringLiteral("C1.Fruit"));
  f->chooseCategory(0);
  ASSERT_EQ(f->ComPro->count(), 2);
  EXPECT_EQ(f->ComPro->itemText(0), QStringLiteral("P1. Apple"));
  f->chooseProduct(0);
  EXPECT_EQ(column(f->FGridP, 1), QStringList({"Alpha Co", "Beta Co"}));
  EXPECT_EQ(f->RowsP, 2);

  // Another category empties the product list and leaves the product's lines.
  f->chooseCategory(1);
  EXPECT_EQ(f->ComPro->count(), 0);
  EXPECT_EQ(f->RowsP, 2);
  // The printout names the product whose lines the grid holds.
  f->cmdPrintPro->click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  EXPECT_NE(printers.jobs[0].surface->find(QStringLiteral(" Report Supplier ,who Buy P1. Apple")), nullptr);
}

// Fills FGrid (and its counter) as a show would.
void load(HistoryForm* f, const QVector<QStringList>& rows) {
  partners::fillGrid(*f->FGrid, rows);
  f->RowCount = static_cast<int>(rows.size());
}

TEST_F(HistoryFormTest, HeadingSorts) {
  HistoryForm* f = open("SupRep");
  auto r = [](const char* code, const char* name, const char* q, const char* v, const char* d,
              const char* no) {
    return row({code, name, q, v, d, no});
  };
  struct Case {
    const char* button;
    QVector<QStringList> rows;
    QStringList expected;  // column of the button, after the sort
    int col;
  };
  const Case cases[] = {
      {"cmdPid",
       {r("9", "a", "1", "1", "01/01/2024", "1"), r("10", "b", "1", "1", "01/01/2024", "1"),
        r("0012", "c", "1", "1", "01/01/2024", "1")},
       {"0012", "10", "9"},
       0},
      {"cmdPid",
       {r("12", "first", "1", "1", "01/01/2024", "1"), r("0012", "second", "1", "1", "01/01/2024", "1")},
       {"first", "second"},
       1},
      {"cmdPid",
       {r("12", "a", "1", "1", "01/01/2024", "1"), r("A7", "b", "1", "1", "01/01/2024", "1"),
        r("3", "c", "1", "1", "01/01/2024", "1")},
       {"12", "3", "A7"},
       0},
      {"cmdToSort",
       {r("1", "a", "1", "999.50", "01/01/2024", "1"), r("2", "b", "1", "1,250.00", "01/01/2024", "1")},
       {"1,250.00", "999.50"},
       3},
      {"cmdDSup",
       {r("1", "a", "1", "1", "15/12/2023", "1"), r("2", "b", "1", "1", "02/01/2024", "1")},
       {"02/01/2024", "15/12/2023"},
       4},
      {"cmdDesc",
       {r("1", "Banana", "1", "1", "01/01/2024", "1"), r("2", "7up", "1", "1", "01/01/2024", "1"),
        r("3", "apple", "1", "1", "01/01/2024", "1"), r("4", "ส้ม", "1", "1", "01/01/2024", "1")},
       {"ส้ม", "apple", "Banana", "7up"},
       1},
      {"cmdPid",
       {r("B1", "a", "1", "1", "01/01/2024", "1"), r("7", "b", "1", "1", "01/01/2024", "1"),
        r("C2", "c", "1", "1", "01/01/2024", "1")},
       {"7", "C2", "B1"},
       0},
      {"cmdBill",
       {r("1", "a", "1", "1", "01/01/2024", "9"), r("2", "b", "1", "1", "01/01/2024", "10")},
       {"10", "9"},
       5},
  };
  for (const Case& c : cases) {
    load(f, c.rows);
    f->headingButton(QString::fromLatin1(c.button))->click();
    EXPECT_EQ(column(f->FGrid, c.col), c.expected) << c.button;
    // Whole rows move: the code goes with its name.
    for (int i = 0; i < f->RowCount; ++i)
      EXPECT_TRUE(c.rows.contains(rowOf(f->FGrid, i))) << c.button << " row " << i;
  }

  // Quantity, then Date: each date's rows by quantity.
  load(f, {r("1", "a", "1", "1", "01/01/2024", "1"), r("2", "b", "5", "1", "02/01/2024", "1"),
           r("3", "c", "3", "1", "01/01/2024", "1"), r("4", "d", "2", "1", "02/01/2024", "1")});
  f->headingButton(QStringLiteral("cmdQsort"))->click();
  f->headingButton(QStringLiteral("cmdDSup"))->click();
  EXPECT_EQ(column(f->FGrid, 0), QStringList({"2", "4", "3", "1"}));

  // Sorting FGridP leaves FGrid as it stands.
  partners::fillGrid(*f->FGridP,
                     {r("1", "x", "1", "1", "01/01/2024", "1"), r("2", "y", "2", "1", "01/01/2024", "1")});
  f->RowsP = 2;
  f->headingButton(QStringLiteral("cmdQ"))->click();
  EXPECT_EQ(column(f->FGridP, 0), QStringList({"2", "1"}));
  EXPECT_EQ(column(f->FGrid, 0), QStringList({"2", "4", "3", "1"}));

  // The printout follows the sort.
  f->nameBox->setText(QStringLiteral("X"));
  f->cmdPrintPartner->click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  const auto& ops = printers.jobs[0].surface->ops;
  QStringList codes;
  for (const auto& op : ops)
    if (op.kind == plat::RecordingSurface::Op::Text && op.y >= 2400 && op.x < 1500) codes << op.text;
  EXPECT_EQ(codes, QStringList({"2", "4", "3", "1"}));
}

const plat::RecordingSurface::Op* textAt(const plat::RecordingSurface& s, const QString& text,
                                         int fromOp = 0) {
  for (int i = fromOp; i < static_cast<int>(s.ops.size()); ++i)
    if (s.ops[i].kind == plat::RecordingSurface::Op::Text && s.ops[i].text == text) return &s.ops[i];
  return nullptr;
}

TEST_F(HistoryFormTest, SupplierPrintoutPages) {
  HistoryForm* f = open("SupRep");
  QVector<QStringList> rows;
  for (int i = 1; i <= 32; ++i)
    rows.push_back({QString::number(i), QStringLiteral("Item %1").arg(i), QStringLiteral("1"),
                    QStringLiteral("1.00"), QStringLiteral("01/01/2024"), QStringLiteral("B%1").arg(i)});
  load(f, rows);
  f->nameBox->setText(QStringLiteral("Alpha Co"));
  f->cmdPrintPartner->click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  EXPECT_EQ(printers.jobs[0].printer, QStringLiteral("ReportPrinter"));
  const plat::RecordingSurface& s = *printers.jobs[0].surface;
  EXPECT_EQ(s.pages(), 2);
  const auto* shop = textAt(s, QStringLiteral("My Shop"));
  ASSERT_TRUE(shop);
  EXPECT_TRUE(shop->bold);
  const auto* title = textAt(s, QStringLiteral(" ReportAlpha Co"));
  ASSERT_TRUE(title);
  EXPECT_EQ(title->x, 2300);
  EXPECT_EQ(title->y, 700);
  EXPECT_NE(textAt(s, QStringLiteral("No.Bill")), nullptr);
  EXPECT_NE(textAt(s, QStringLiteral("Price")), nullptr);

  int pageBreak = -1;
  for (int i = 0; i < static_cast<int>(s.ops.size()); ++i)
    if (s.ops[i].kind == plat::RecordingSurface::Op::NewPage) pageBreak = i;
  ASSERT_GE(pageBreak, 0);
  const auto* row31 = textAt(s, QStringLiteral("Item 31"));
  ASSERT_TRUE(row31);
  EXPECT_EQ(row31->y, 2400 + 30 * 400);
  EXPECT_EQ(row31->x, 1700);
  // Page 2: the later headings (the sixth is "No."), then row 32 at the top.
  const auto* later = textAt(s, QStringLiteral("No."), pageBreak);
  ASSERT_TRUE(later);
  EXPECT_EQ(later->x, 9500);
  EXPECT_EQ(later->y, 1700);
  EXPECT_EQ(textAt(s, QStringLiteral("No.Bill"), pageBreak), nullptr);
  const auto* row32 = textAt(s, QStringLiteral("Item 32"), pageBreak);
  ASSERT_TRUE(row32);
  EXPECT_EQ(row32->y, 2400);
  const auto* bill = textAt(s, QStringLiteral("B32"), pageBreak);
  ASSERT_TRUE(bill);
  EXPECT_NEAR(bill->x + s.TextWidth(QStringLiteral("B32")), 10900, 1);
}

TEST_F(HistoryFormTest, CustomerPrintoutTotalUnderTheLastRow) {
  HistoryForm* f = open("CusRep");
  QVector<QStringList> rows;
  for (int i = 1; i <= 31; ++i)
    rows.push_back({QString::number(i), QStringLiteral("Item %1").arg(i), QStringLiteral("1"),
                    QStringLiteral("1"), QStringLiteral("01/01/2024"), QString::number(i)});
  load(f, rows);
  f->txtTotal->setText(QStringLiteral("1234.5"));
  f->cmdPrintPartner->click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  const plat::RecordingSurface& s = *printers.jobs[0].surface;
  EXPECT_EQ(s.pages(), 1);
  const auto* last = textAt(s, QStringLiteral("Item 31"));
  const auto* total = textAt(s, QStringLiteral("Total 1,234.50"));
  ASSERT_TRUE(last);
  ASSERT_TRUE(total);
  EXPECT_EQ(total->x, 0);
  plat::RecordingSurface m;
  m.setFontName(shell::settings().FontName);
  m.setFontSize(10);
  EXPECT_NEAR(total->y, last->y + m.TextHeight(QStringLiteral("X")), 1);
}

TEST_F(HistoryFormTest, PrintersChosen) {
  HistoryForm* f = open("CusRep");
  partners::fillGrid(*f->FGridP, {row({"C", "Somchai Shop", "1", "1", "01/01/2024", "1"})});
  f->RowsP = 1;
  // The by-product printout goes to the current printer, the by-customer one to the report printer.
  plat::setCurrentPrinter(QStringLiteral("Other"));
  f->cmdPrintPro->click();
  load(f, {row({"P1", "Apple", "1", "1", "01/01/2024", "1"})});
  f->cmdPrintPartner->click();
  f->cmdPrintPro->click();
  ASSERT_EQ(printers.jobs.size(), 3u);
  EXPECT_EQ(printers.jobs[0].printer, QStringLiteral("Other"));
  EXPECT_EQ(printers.jobs[1].printer, QStringLiteral("ReportPrinter"));
  EXPECT_EQ(printers.jobs[2].printer, QStringLiteral("ReportPrinter"));

  // No report printer of that name: nothing printed, nothing said.
  shell::settings().ReportPrinter = QStringLiteral("Gone");
  f->cmdPrintPartner->click();
  EXPECT_EQ(printers.jobs.size(), 3u);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HistoryFormTest, FailingReadShowsItsDescription) {
  HistoryForm* f = open("SupRep");
  f->idBox->setText(QStringLiteral("1"));
  f->cmdShow->click();
  ASSERT_EQ(f->RowCount, 1);
  exec(QStringLiteral("DROP TABLE Buy"));
  f->cmdShow->click();
  EXPECT_EQ(f->RowCount, 0);
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_TRUE(dialogs.lastMessage().contains(QStringLiteral("Buy"))) << dialogs.lastMessage().toStdString();
}

}  // namespace
